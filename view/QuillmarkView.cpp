#include "view/QuillmarkView.h"

#include "controls/TreeOptionsCtrl.h"
#include "model/QuillmarkDoc.h"
#include "platform/Prompter.h"
#include "res/ClientArea.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "view/ViewLook.h"

#include <QHeaderView>
#include <QTreeWidget>

CQuillmarkView::CQuillmarkView(CQuillmarkDoc &doc, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_prompter(&Prompter::Standard())
{
    setFixedSize(ClientArea::kSize);
    // Every paint covers the whole surface: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_doc, &CQuillmarkDoc::itemChanged, this, &CQuillmarkView::OnItemChanged);
    connect(&m_doc, &CQuillmarkDoc::listsReplaced, this, &CQuillmarkView::OnListsReplaced);
    connect(&m_doc, &CQuillmarkDoc::saveFailed, this, [this](const QString &message) {
        Prompts().Message(this, message);
    });
}

// The child controls are owned by the widget, the lists by the document.
CQuillmarkView::~CQuillmarkView() = default;

void CQuillmarkView::SetPrompter(Prompter *prompter)
{
    m_prompter = prompter ? prompter : &Prompter::Standard();
}

void CQuillmarkView::OnInitialUpdate()
{
    if (m_tree)
        return; // once only

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
    connect(m_tree, &CTreeOptionsCtrl::checkToggled, this, &CQuillmarkView::OnCheckToggled);

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
    m_listItems->hide();

    m_images = CImageList::ChecksAndStrip();

    FillTree();
    CreateShortcuts();
    m_bReady = true;
    FocusForMode();
    update();
}

bool CQuillmarkView::HasCurrentList() const
{
    return m_nCurList >= 0 && m_nCurList < m_doc.Lists().size();
}

bool CQuillmarkView::HasCurrentItem() const
{
    return HasCurrentList() && m_nCurItem >= 0 && m_nCurItem < m_doc.Lists().at(m_nCurList).m_items.size();
}

// The tree as the changes left it; only "View Lists..." builds it anew.
void CQuillmarkView::ShowTree()
{
    if (!m_tree)
        return;
    m_mode = Mode::Tree;
    m_tree->show();
    m_listItems->hide();
    FocusForMode();
    update();
}

void CQuillmarkView::OnViewLists()
{
    FillTree();
    ShowTree();
}

void CQuillmarkView::ShowItems()
{
    if (!m_tree)
        return;
    if (!HasCurrentList()) {
        // The list is gone: the tree, rather than a table of nothing.
        m_prevMode.reset();
        ShowTree();
        return;
    }
    m_prevMode = m_mode;
    m_mode = Mode::Items;
    FillItemTable();
    m_listItems->show();
    m_tree->hide();
    FocusForMode();
    update();
}

void CQuillmarkView::ShowItem(Mode prevMode)
{
    if (!HasCurrentItem()) {
        m_prevMode.reset();
        ShowTree();
        return;
    }
    m_prevMode = prevMode;
    m_mode = Mode::Item;
    m_tree->hide();
    m_listItems->hide();
    FocusForMode();
    update();
}

void CQuillmarkView::FocusForMode()
{
    // The keys of the tree and the table (arrows, space) work at once, and
    // on the item screen the keys reach the window through the view.
    switch (m_mode) {
    case Mode::Tree:
        m_tree->setFocus();
        break;
    case Mode::Items:
        m_listItems->setFocus();
        break;
    case Mode::Item:
        setFocus();
        break;
    }
}

void CQuillmarkView::OnItemChanged(int list, int item)
{
    if (!m_bReady)
        return;
    UpdateItemNode(list, item);
    if (list != m_nCurList)
        return;
    if (m_mode == Mode::Items)
        UpdateItemRow(item);
    update(); // the total, or the item on show
}

void CQuillmarkView::OnListsReplaced(int first, int removed, int inserted)
{
    if (!m_bReady)
        return;
    ReplaceListNodes(first, removed, inserted);
    // A list after the change is the same list at a new place; one inside it
    // was replaced, and is gone when nothing stands at its place now.
    const bool replaced = m_nCurList >= first && m_nCurList < first + removed;
    if (m_nCurList >= first + removed)
        m_nCurList += inserted - removed;
    else if (replaced && m_nCurList >= first + inserted)
        m_nCurList = -1;
    ForgetVanishedCurrent();
    if (replaced && m_mode == Mode::Items)
        FillItemTable();
    update();
}

void CQuillmarkView::ForgetVanishedCurrent()
{
    if (!HasCurrentList()) {
        m_nCurList = -1;
        m_nCurItem = -1;
    } else if (!HasCurrentItem()) {
        m_nCurItem = -1;
    }
    if ((m_mode == Mode::Item && !HasCurrentItem()) || (m_mode == Mode::Items && !HasCurrentList())) {
        m_prevMode.reset();
        ShowTree();
    }
}
