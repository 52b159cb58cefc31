#pragma once

#include "controls/DrawnButtons.h"
#include "model/ListItem.h"
#include "view/ViewActions.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include <optional>

class CItemTable;
class CListTree;
class CQuillmarkDoc;
class Prompter;
class QMenu;
class QPainter;

// The main view: shows the document's lists in one of three modes (the tree
// of all lists, one list's item table, one item's details), paints its
// banner, detail pane and button bar, and turns taps, keys and its pop-up
// menu into what the user asked for. Changes go to the document; the view
// follows the document's signals, updating only what a change touched.
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
    enum class Mode { Tree, Item, Items };
    // A key opens the pop-up menu with its first entry active.
    enum class Trigger { Tap, Key };

    // Modes. Show falls back to the tree when what the mode shows is gone;
    // the back button then leads to `back`.
    void Show(Mode mode, std::optional<Mode> back);
    void FillItemTable();
    bool HasCurrentList() const;
    bool HasCurrentItem() const;
    const CListItem &CurrentItem() const;

    // Following the document
    void OnItemChanged(int list, int item);
    void OnListsReplaced(int first, int removed, int inserted);

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
    void GoBack();
    void EditSelection();
    void EditCurrentItem();
    void EditLists();
    void ExportList();

    // Drawing (ViewDraw.cpp)
    void DrawItemDetails(QPainter &dc);
    void DrawTotal(QPainter &dc);

    CQuillmarkDoc &m_doc;
    Prompter *m_prompter;
    CListTree *m_tree = nullptr; // none before the first set-up
    CItemTable *m_listItems = nullptr;
    Mode m_mode = Mode::Tree;
    // Where the back button leads; none when it leads nowhere.
    std::optional<Mode> m_prevMode;
    int m_nCurList = -1;
    int m_nCurItem = -1;
    // The item on the details screen as last shown: when its list is
    // replaced (List Setup, a newer data file), it is looked for again there
    // instead of showing whatever item took its place.
    CListItem m_itemOnShow;
    // The buttons' faces by bitmap id, loaded once.
    QHash<int, QPixmap> m_faces;
};
