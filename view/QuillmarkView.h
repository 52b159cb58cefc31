#pragma once

#include "controls/DrawnButtons.h"
#include "model/ListItem.h"
#include "view/ViewActions.h"

#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QWidget>

#include <optional>

class CFindPane;
class CItemTable;
class CListTree;
class CListsModel;
class CQuillmarkDoc;
class Prompter;
class QAction;
class QMenu;
class QPainter;

// The main view: shows the document's lists in one of four modes (the tree
// of all lists, one list's item table, one item's details, the items found
// by a piece of their text), paints its banner, detail pane and button bar,
// and turns taps, keys and its pop-up menu into what the user asked for.
// Changes go to the document; the tree, the table and the matches show the
// lists through one model of them, which follows the document row by row,
// and the view keeps the list and the item on show as indexes of it.
// Commands that only start here (export, import, the hand-over and their
// set-up) are asked for through signals.
//
//   QuillmarkView.cpp   set-up, modes, following the document
//   ViewActions.cpp     the drawn buttons, keys and pop-up menu, and their actions
//   ViewDraw.cpp        painting
class CQuillmarkView : public QWidget
{
    Q_OBJECT

public:
    explicit CQuillmarkView(CQuillmarkDoc &doc, QWidget *parent = nullptr);
    ~CQuillmarkView() override;

    // Who answers message boxes and runs dialogs; the standard one by default.
    void SetPrompter(Prompter *prompter);
    Prompter &Prompts() const { return *m_prompter; }

    // First set-up: child controls, pictures, keys, the tree of the lists.
    void OnInitialUpdate();

    // The "&List" menu's commands: find an item by a piece of its text, and
    // hide done items (checkable, remembered for the next start).
    QAction *FindAction() const { return m_findAction; }
    QAction *HideDoneAction() const { return m_hideDoneAction; }

signals:
    // "Exit" or the cross: the application saves the lists and ends.
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
    enum class Mode { Tree, Item, Items, Find };
    // A key opens the pop-up menu with its first entry active.
    enum class Trigger { Tap, Key };

    // Modes. Show falls back to the tree when what the mode shows is gone;
    // the back button then leads to `back`.
    void Show(Mode mode, std::optional<Mode> back);
    bool HasCurrentList() const { return m_curList.isValid(); }
    bool HasCurrentItem() const { return m_curItem.isValid(); }
    const CListItem &CurrentItem() const;
    // The current list and item: an item (of the lists model) with its
    // list, or a list alone; none when `index` is invalid.
    void SetCurrent(const QModelIndex &index);
    void StartFind();
    void SetHideDone(bool hide);

    // Following the document
    void OnListsReplaced();

    // Actions (ViewActions.cpp)
    const ViewActions::Row &Buttons() const;
    bool IsDrawn(const ViewActions::Button &button) const;
    // Where the buttons of the mode lie, and their tool tips (none where no
    // face is drawn).
    QList<DrawnButton> ButtonPlaces() const;
    void CreateShortcuts();
    void OnKey(QKeyCombination key);
    void Run(ViewActions::Action action, Trigger trigger);
    void ShowMenu(Trigger trigger);
    void OpenSelection();
    void OpenItem(const QModelIndex &item, Mode from);
    void GoBack();
    void EditSelection();
    void EditItem(const QModelIndex &item);
    void EditLists();
    void ExportList();

    // Drawing (ViewDraw.cpp)
    void DrawItemDetails(QPainter &dc);
    void DrawTotal(QPainter &dc);

    CQuillmarkDoc &m_doc;
    CListsModel *m_lists;
    Prompter *m_prompter;
    CListTree *m_tree = nullptr; // none before the first set-up
    CItemTable *m_listItems = nullptr;
    CFindPane *m_find = nullptr;
    QAction *m_findAction;
    QAction *m_hideDoneAction;
    Mode m_mode = Mode::Tree;
    // Where the back button leads; none when it leads nowhere.
    std::optional<Mode> m_prevMode;
    // What the find screen puts back: the mode before it and its way back.
    Mode m_modeBeforeFind = Mode::Tree;
    std::optional<Mode> m_backBeforeFind;
    // Indexes of the lists model: they follow the list and the item through
    // every change, and are gone when they are.
    QPersistentModelIndex m_curList;
    QPersistentModelIndex m_curItem;
    // The buttons' faces by bitmap id, loaded once.
    QHash<int, QPixmap> m_faces;
};
