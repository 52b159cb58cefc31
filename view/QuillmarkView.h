#pragma once

#include "model/ListItem.h"
#include "res/Art.h"

#include <QPixmap>
#include <QWidget>

#include <optional>

class CQuillmarkDoc;
class CTreeOptionsCtrl;
class Prompter;
class QMenu;
class QPainter;
class QTreeWidget;
class QTreeWidgetItem;

// The main view: shows the document's lists in one of three modes (the tree
// of all lists, one list's item table, one item's details), paints its
// banner, detail pane and button bar, and turns taps, keys and its pop-up
// menu into what the user asked for. Changes go to the document; the view
// follows the document's signals, updating only the nodes and rows a change
// touched. Commands that only start from here (export, import, the hand-over
// and their set-up) are asked for through signals.
//
// The implementation is split by job:
//   QuillmarkView.cpp   set-up, modes, following the document
//   ViewFill.cpp        the tree and the item table
//   ViewDraw.cpp        painting
//   ViewButtons.cpp     the drawn buttons, the pop-up menu and their actions
//   ViewKeys.cpp        the keys of the buttons and commands, the buttons' tool tips
class CQuillmarkView : public QWidget
{
    Q_OBJECT

public:
    explicit CQuillmarkView(CQuillmarkDoc &doc, QWidget *parent = nullptr);
    ~CQuillmarkView() override;

    // Who answers message boxes and runs dialogs; the standard one by default.
    void SetPrompter(Prompter *prompter);
    Prompter &Prompts() const { return *m_prompter; }

    // First set-up: child controls, images, the tree of the document's lists.
    void OnInitialUpdate();

signals:
    // "Exit" (or the cross) saved the lists: the application may end.
    void exitRequested();
    void aboutRequested();
    // "Export List...": the list to export, -1 when none is chosen.
    void exportRequested(int list);
    void importRequested();
    void importSetupRequested();
    // "Configuration": the hand-over's set-up.
    void handOverSetupRequested();
    // The item on show, to hand over to the calendar and task store.
    void handOverRequested(const CListItem &item);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

    // Shows the pop-up menu at a point of the screen and returns the command
    // id of the chosen entry, 0 when it was dismissed. Tests override it.
    virtual int RunPopupMenu(QMenu &menu, const QPoint &globalPos);

private:
    enum class Mode { Tree, Item, Items };
    // How a button was pressed: a key opens the pop-up menu with its first
    // entry active, so that the arrow keys and Enter go on from there.
    enum class Trigger { Tap, Key };

    // Modes
    void ShowTree();
    void ShowItems();
    void ShowItem(Mode prevMode);
    void FocusForMode();
    void OnViewLists();

    // Following the document
    void OnItemChanged(int list, int item);
    void OnListsReplaced(int first, int removed, int inserted);
    // Indexes that name nothing become -1, and a view of something gone
    // gives way to the tree.
    void ForgetVanishedCurrent();
    bool HasCurrentList() const;
    bool HasCurrentItem() const;

    // Tree and item table (ViewFill.cpp)
    void FillTree();
    QTreeWidgetItem *NewListNode(int list) const;
    void ReplaceListNodes(int first, int removed, int inserted);
    void UpdateItemNode(int list, int item);
    void FillItemTable();
    void UpdateItemRow(int item);
    bool IsListNode(const QTreeWidgetItem *node) const;
    bool IsItemNode(const QTreeWidgetItem *node) const;
    void OnCheckToggled(QTreeWidgetItem *node, bool checked);
    // The lowest selected row of the item table, or -1.
    int FirstSelectedRow() const;

    // Drawing (ViewDraw.cpp)
    void DrawBanner(QPainter &dc) const;
    void DrawItemDetails(QPainter &dc);
    void DrawTotal(QPainter &dc);
    void DrawButtonBar(QPainter &dc);

    // The drawn buttons, the pop-up menu and their actions (ViewButtons.cpp)
    void HandleTap(int x, int y);
    void PressButton(int button, Trigger trigger = Trigger::Tap);
    int FaceAt(int button) const;
    bool SaveAndExit();
    void ShowMenu(Trigger trigger);
    bool OnCommand(int id);
    void OpenSelection();
    void GoBack();
    void ToggleDone();
    void EditSelection();
    void EditCurrentItem();
    void OnEditLists();
    void OnExportList();
    void HandOver();

    // Keys (ViewKeys.cpp)
    void CreateShortcuts();

    CQuillmarkDoc &m_doc;
    CTreeOptionsCtrl *m_tree = nullptr;
    QTreeWidget *m_listItems = nullptr;
    QTreeWidgetItem *m_hRootItem = nullptr;
    CImageList m_images;
    // The item table's layout: which of the optional columns it shows.
    bool m_tableDated = false;
    bool m_tablePriced = false;
    Mode m_mode = Mode::Tree;
    // Where the back button leads; none when it leads nowhere.
    std::optional<Mode> m_prevMode;
    int m_nCurList = -1;
    int m_nCurItem = -1;
    QPixmap m_bmpEdit, m_bmpExit, m_bmpView, m_bmpMenu, m_bmpDone, m_bmpBack, m_bmpOutlook;
    bool m_bReady = false;
    Prompter *m_prompter;
};
