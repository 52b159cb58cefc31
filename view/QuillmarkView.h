#pragma once

#include "model/DataStore.h"
#include "model/ListItemArray.h"
#include "res/Art.h"

#include <QPixmap>
#include <QWidget>

#include <functional>

class CTreeOptionsCtrl;
class Prompter;
class QMenu;
class QPainter;
class QTreeWidget;
class QTreeWidgetItem;

// The main view: owns the collection of lists, shows it in one of three
// modes (tree of all lists, one item's details, one list's item table),
// paints its banner, detail pane and button bar, and runs the commands.
//
// The implementation is split by job:
//   QuillmarkView.cpp   set-up, modes, the data file
//   ViewFill.cpp        the tree and the item table, the harvest
//   ViewDraw.cpp        painting
//   ViewButtons.cpp     the drawn buttons, the pop-up menu, the view's commands
//   ViewKeys.cpp        the keys of the buttons and commands, the buttons' tool tips
//   ViewExport.cpp      "Export List..."
//   ViewImport.cpp      "Import List..." and "Setup Import..."
//   ViewTransfer.cpp    the hand-over to the calendar and task store, "Configuration"
class CQuillmarkView : public QWidget
{
    Q_OBJECT

public:
    enum Mode { modeTree = 0, modeItem = 1, modeItems = 2 };

    // The client area the handheld gave the view, in logical pixels.
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 268;

    explicit CQuillmarkView(QWidget *parent = nullptr);
    ~CQuillmarkView() override;

    // Where the data file lives; set before OnInitialUpdate (tests use a
    // temporary folder). Defaults to AppPaths::DataFilePath().
    void SetDataFilePath(const QString &path);
    QString DataFilePath() const { return m_store.Path(); }
    // Who answers message boxes and runs dialogs; the standard one by default.
    void SetPrompter(Prompter *prompter);
    Prompter &Prompts() const { return *m_prompter; }

    // First set-up: child controls, images, the data file, the tree.
    void OnInitialUpdate();

    // Modes
    void ShowTree();
    void ShowItems();
    void Repaint();

    // The data file. Load tells the user (once the event loop runs) when the
    // file is damaged; Save tells the user of a failure. Both return false then.
    bool LoadDataFile();
    bool SaveDataFile();
    // The same save without a message: false with the reason.
    bool TrySaveDataFile(QString &errorString);
    // What Exit runs before it asks to end; SaveDataFile unless the frame
    // hands in its own.
    void SetExitSave(std::function<bool()> save) { m_exitSave = std::move(save); }

    // Tree and item table
    void FillTree();
    void FillItemTable();
    void HarvestCheckMarks();
    bool IsListNode(QTreeWidgetItem *node) const;
    bool IsItemNode(QTreeWidgetItem *node) const;

    // Drawing
    void OnDraw(QPainter &dc);
    double GetListTotal() const;

    // The drawn buttons and commands
    void HandleTap(int x, int y);
    // How a button was pressed: a key opens the pop-up menu with its first
    // entry active, so that the arrow keys and Enter go on from there.
    enum class Trigger { Tap, Key };
    // Runs what the button (0 to 5, left to right) does in the current mode;
    // a tap and a key both end here.
    void PressButton(int button, Trigger trigger = Trigger::Tap);
    // The face drawn on the button in the current mode (Res::IDB_...), 0 for
    // none. A button acts by its place even where no face is drawn.
    int FaceAt(int button) const;
    bool SaveAndExit();
    void ShowMenu(Trigger trigger = Trigger::Tap);
    // Runs the command of a pop-up menu entry (Res::ID_...); false for an
    // id the view does not know.
    bool OnCommand(int id);
    void OpenSelection();
    void GoBack();
    void ToggleDone();
    void EditSelection();
    void EditCurrentItem();
    void OnEditLists();
    void OnViewLists();
    void OnExit();
    void OnAbout();
    void OnExportList();
    void OnImportList();
    void OnSetupImport();
    void OnConfiguration();
    void AddItemToOutlook();

    // Read access for the frame, tests and tools.
    int Mode() const { return m_nMode; }
    int PrevMode() const { return m_nPrevMode; }
    int CurList() const { return m_nCurList; }
    int CurItem() const { return m_nCurItem; }
    bool IsReady() const { return m_bReady; }
    const CListCollection &Lists() const { return m_lists; }
    CTreeOptionsCtrl *Tree() const { return m_tree; }
    QTreeWidget *ItemTable() const { return m_listItems; }
    QTreeWidgetItem *RootItem() const { return m_hRootItem; }

    // The tree node of an item (or, with item -1, of a list); nullptr when
    // the tree has none.
    QTreeWidgetItem *FindNode(int list, int item) const;

signals:
    // "Exit" (or the cross) saved the lists: the application may end.
    void exitRequested();
    // "About ..." was chosen; the application shows its About box.
    void aboutRequested();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

    // Shows the pop-up menu at a point of the screen and returns the command
    // id of the chosen entry, 0 when it was dismissed. Tests override it.
    virtual int RunPopupMenu(QMenu &menu, const QPoint &globalPos);

private:
    void CreateShortcuts();
    // Where the keyboard goes with the mode: the tree, the item table, or
    // the view itself on the item screen.
    void FocusForMode();
    void DrawBanner(QPainter &dc) const;
    void DrawTreeMode(QPainter &dc);
    void DrawItemDetails(QPainter &dc);
    void DrawItemsMode(QPainter &dc);
    void DrawButtonBar(QPainter &dc);
    // The lowest selected row of the item table, or -1.
    int FirstSelectedRow() const;
    // True when m_nCurList (and m_nCurItem) name a list (and item) that exists.
    bool HasCurrentList() const;
    bool HasCurrentItem() const;
    // After the collection was replaced: indexes that name nothing become
    // -1, and a view of something gone gives way to the tree.
    void ForgetVanishedCurrent();
    // Shows the item details of the current item (the tree if it is gone).
    void ShowItem(int prevMode);

    CTreeOptionsCtrl *m_tree = nullptr;
    QTreeWidget *m_listItems = nullptr;
    CImageList m_images;
    int m_nMode = modeTree;
    int m_nPrevMode = -1;
    CListCollection m_lists;
    int m_nCurItem = -1;
    int m_nCurList = -1;
    QPixmap m_bmpEdit, m_bmpExit, m_bmpView, m_bmpMenu, m_bmpDone, m_bmpBack, m_bmpOutlook;
    bool m_bReady = false;
    QTreeWidgetItem *m_hRootItem = nullptr;

    CDataStore m_store;
    Prompter *m_prompter;
    std::function<bool()> m_exitSave;
};
