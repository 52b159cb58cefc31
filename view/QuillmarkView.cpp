#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "platform/AppPaths.h"
#include "platform/Prompter.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "view/ViewLook.h"

#include <QHeaderView>
#include <QTreeWidget>

CQuillmarkView::CQuillmarkView(QWidget *parent)
    : QWidget(parent)
    , m_store(QString())
    , m_prompter(&Prompter::Standard())
{
    setFixedSize(kWidth, kHeight);
    // Every paint covers the whole surface: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// The child controls are owned by the widget; the collection is a value.
// Nothing is saved here: only the actions that save do.
CQuillmarkView::~CQuillmarkView() = default;

void CQuillmarkView::SetDataFilePath(const QString &path)
{
    m_store = CDataStore(path);
}

void CQuillmarkView::SetPrompter(Prompter *prompter)
{
    m_prompter = prompter ? prompter : &Prompter::Standard();
}

void CQuillmarkView::OnInitialUpdate()
{
    if (m_tree)
        return; // once only
    if (m_store.Path().isEmpty())
        m_store = CDataStore(AppPaths::DataFilePath());

    m_bmpEdit = Art::Bitmap(Res::IDB_EDIT);
    m_bmpExit = Art::Bitmap(Res::IDB_EXIT);
    m_bmpView = Art::Bitmap(Res::IDB_VIEW);
    m_bmpMenu = Art::Bitmap(Res::IDB_MENU);
    m_bmpDone = Art::Bitmap(Res::IDB_DONE);
    m_bmpBack = Art::Bitmap(Res::IDB_BACK);
    m_bmpOutlook = Art::Bitmap(Res::IDB_OUTLOOK);

    m_tree = new CTreeOptionsCtrl(this);
    m_tree->setObjectName(QStringLiteral("listTree"));
    m_tree->setGeometry(ViewLook::kChildRect);
    m_tree->show();

    // The item table: a report of rows with an icon each, no tree decoration.
    m_listItems = new QTreeWidget(this);
    m_listItems->setObjectName(QStringLiteral("itemTable"));
    m_listItems->setGeometry(ViewLook::kChildRect);
    m_listItems->setRootIsDecorated(false);
    m_listItems->setItemsExpandable(false);
    m_listItems->setUniformRowHeights(true);
    m_listItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listItems->setAllColumnsShowFocus(true);
    m_listItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listItems->setIconSize(QSize(Res::kImageSize, Res::kImageSize));
    m_listItems->header()->setStretchLastSection(false);
    m_listItems->header()->setSectionsMovable(false);

    m_images = CImageList::ChecksAndStrip();

    m_listItems->setColumnCount(2);
    m_listItems->setHeaderLabels({Str::ColumnName(), Str::ColumnDone()});
    m_listItems->setColumnWidth(0, 90);
    m_listItems->setColumnWidth(1, 45);
    m_listItems->hide();

    LoadDataFile();
    FillTree();
    CreateShortcuts();
    m_bReady = true;
    FocusForMode();
    update();
}

bool CQuillmarkView::HasCurrentList() const
{
    return m_nCurList >= 0 && m_nCurList < m_lists.size();
}

bool CQuillmarkView::HasCurrentItem() const
{
    return HasCurrentList() && m_nCurItem >= 0 && m_nCurItem < m_lists.at(m_nCurList).m_items.size();
}

void CQuillmarkView::ShowTree()
{
    if (!m_tree)
        return;
    // Marks ticked since the last harvest would otherwise be lost to the
    // rebuild below.
    HarvestCheckMarks();
    m_nMode = modeTree;
    FillTree();
    m_tree->show();
    m_listItems->hide();
    FocusForMode();
    Repaint();
}

void CQuillmarkView::ShowItems()
{
    if (!m_tree)
        return;
    if (!HasCurrentList()) {
        // The list is gone: the tree, rather than a table of nothing.
        m_nPrevMode = -1;
        ShowTree();
        return;
    }
    m_nPrevMode = m_nMode;
    m_nMode = modeItems;
    FillItemTable();
    m_listItems->show();
    m_tree->hide();
    FocusForMode();
    Repaint();
}

void CQuillmarkView::ShowItem(int prevMode)
{
    if (!HasCurrentItem()) {
        m_nPrevMode = -1;
        ShowTree();
        return;
    }
    m_nPrevMode = prevMode;
    m_nMode = modeItem;
    m_tree->hide();
    m_listItems->hide();
    FocusForMode();
    Repaint();
}

void CQuillmarkView::FocusForMode()
{
    // The keys of the tree and the table (arrows, space) work at once, and
    // on the item screen the keys reach the window through the view.
    switch (m_nMode) {
    case modeTree:
        m_tree->setFocus();
        break;
    case modeItems:
        m_listItems->setFocus();
        break;
    default:
        setFocus();
        break;
    }
}

void CQuillmarkView::ForgetVanishedCurrent()
{
    if (!HasCurrentList()) {
        m_nCurList = -1;
        m_nCurItem = -1;
    } else if (!HasCurrentItem()) {
        m_nCurItem = -1;
    }
    if ((m_nMode == modeItem && !HasCurrentItem()) || (m_nMode == modeItems && !HasCurrentList())) {
        m_nPrevMode = -1;
        ShowTree();
    }
}

void CQuillmarkView::Repaint()
{
    repaint();
}

bool CQuillmarkView::LoadDataFile()
{
    const DataFile::LoadResult result = m_store.Load(m_lists);
    if (result.status != DataFile::LoadStatus::Damaged)
        return true;
    // Told once the event loop runs, so that the user sees the window (with
    // what could be read) behind the message.
    const QString text = m_store.DamageMessage(result);
    QMetaObject::invokeMethod(
            this, [this, text] { Prompts().Message(this, text); }, Qt::QueuedConnection);
    return false;
}

bool CQuillmarkView::SaveDataFile()
{
    QString error;
    if (TrySaveDataFile(error))
        return true;
    Prompts().Message(this, Str::SaveFailed(m_store.Path(), error));
    return false;
}

bool CQuillmarkView::TrySaveDataFile(QString &errorString)
{
    // Before the first set-up nothing was read, so writing would replace the
    // user's file with an empty one: there is nothing to save yet.
    if (!m_bReady)
        return true;
    HarvestCheckMarks();
    if (m_store.Save(m_lists))
        return true;
    errorString = m_store.ErrorString();
    return false;
}
