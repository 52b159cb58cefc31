#pragma once

#include "dialogs/QmDialog.h"
#include "model/ListItemArray.h"
#include "res/Art.h"
#include "res/ResourceIds.h"

#include <QPixmap>

class CDrawnButton;
class CNewItemDlg;
class QComboBox;
class QTreeWidget;

// The dialog behind "Edit Lists...": lists and the items of the chosen list
// are added, changed and removed on a copy of the whole collection, which
// the caller takes back only after OK. The six actions are started from two
// rows of three buttons that the dialog draws itself; from the keyboard,
// Insert, Delete and F2 run the list row's actions in the list chooser and
// the item row's in the item list.
class CListSetupDlg : public CQmDialog
{
    Q_OBJECT

public:
    // The drawn buttons, in client pixels: 20 x 20 each, at the lefts below,
    // the list row at a fixed top, the item row a fixed distance above the
    // bottom edge.
    static constexpr int kButtonSize = 20;
    static constexpr int kButtonLefts[3] = {15, 40, 65};
    static constexpr int kListRowTop = 62;
    static constexpr int kItemRowAboveBottom = 80;
    static constexpr int kNameColumnWidth = 90;
    static constexpr int kPriceColumnWidth = 50;
    static constexpr int kDoneColumnWidth = 45;

    explicit CListSetupDlg(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~CListSetupDlg() override;

    // The working copy the dialog edits and hands back.
    CListCollection m_lists;
    // The list whose items are shown; -1 for none. Set by the caller.
    int m_nCurList = -1;

    // The six actions of the drawn buttons.
    void OnAddList();
    void OnRemoveList();
    void OnEditList();
    void OnAddItem();
    void OnRemoveItem();
    void OnEditItem();

    // The keys of the three buttons of a row, left to right.
    static constexpr Qt::Key kButtonKeys[3] = {Qt::Key_Insert, Qt::Key_Delete, Qt::Key_F2};
    // The list chooser's selection changed.
    void OnSelChangeLists();
    // Shows the items of m_nCurList.
    void FillItemList();

    QComboBox *ListChooser() const { return m_comboLists; }
    QTreeWidget *ItemList() const { return m_listItems; }

protected:
    void OnInitDialog() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool HasList(int index) const { return index >= 0 && index < m_lists.size(); }
    int SelectedItemRow() const;
    int ItemRowTop() const { return height() - kItemRowAboveBottom; }
    int NameColumnWidth() const;
    using Action = void (CListSetupDlg::*)();
    static constexpr Action kListActions[3] = {&CListSetupDlg::OnAddList, &CListSetupDlg::OnRemoveList,
                                               &CListSetupDlg::OnEditList};
    static constexpr Action kItemActions[3] = {&CListSetupDlg::OnAddItem, &CListSetupDlg::OnRemoveItem,
                                               &CListSetupDlg::OnEditItem};
    static constexpr int kFaces[3] = {Res::IDB_ADD, Res::IDB_REMOVE, Res::IDB_EDIT};

    QTreeWidget *m_listItems = nullptr;
    QComboBox *m_comboLists = nullptr;
    CImageList m_images;
    // The list row's three buttons, then the item row's.
    QList<CDrawnButton *> m_buttons;
};
