#include "view/QuillmarkView.h"

#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "model/ListMatch.h"
#include "model/QuillmarkDoc.h"
#include "platform/Prompter.h"
#include "res/Art.h"
#include "res/ClientArea.h"
#include "view/ViewLook.h"

#include <algorithm>

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
    for (const ViewActions::Row &row : {ViewActions::kTreeRow, ViewActions::kItemRow, ViewActions::kItemsRow}) {
        for (const ViewActions::Button &button : row) {
            if (button.face != 0 && !m_faces.contains(button.face))
                m_faces.insert(button.face, Art::Bitmap(button.face));
        }
    }

    m_tree = new CListTree(this);
    m_tree->setObjectName(QStringLiteral("listTree"));
    m_tree->setGeometry(ViewLook::kChildRect);
    // A tick in the tree is a change of the document at once, so that it can
    // be undone like any other.
    connect(m_tree, &CListTree::itemToggled, &m_doc, &CQuillmarkDoc::SetDone);
    m_listItems = new CItemTable(this);
    m_listItems->setObjectName(QStringLiteral("itemTable"));
    m_listItems->setGeometry(ViewLook::kChildRect);

    m_tree->Fill(m_doc.Lists(), m_nCurList);
    CreateShortcuts();
    Show(Mode::Tree, std::nullopt);
}

bool CQuillmarkView::HasCurrentList() const
{
    return m_nCurList >= 0 && m_nCurList < m_doc.Lists().size();
}

bool CQuillmarkView::HasCurrentItem() const
{
    return HasCurrentList() && m_nCurItem >= 0 && m_nCurItem < m_doc.Lists().at(m_nCurList).m_items.size();
}

const CListItem &CQuillmarkView::CurrentItem() const
{
    return m_doc.Lists().at(m_nCurList).m_items.at(m_nCurItem);
}

void CQuillmarkView::FillItemTable()
{
    if (HasCurrentList()) // otherwise the table keeps what it showed
        m_listItems->Fill(m_doc.Lists().at(m_nCurList));
}

void CQuillmarkView::Show(Mode mode, std::optional<Mode> back)
{
    if ((mode == Mode::Items && !HasCurrentList()) || (mode == Mode::Item && !HasCurrentItem())) {
        mode = Mode::Tree; // rather than a table or details of nothing
        back.reset();
    }
    m_mode = mode;
    m_prevMode = back;
    if (mode == Mode::Item)
        m_itemOnShow = CurrentItem();
    if (mode == Mode::Items)
        FillItemTable();
    m_tree->setVisible(mode == Mode::Tree);
    m_listItems->setVisible(mode == Mode::Items);
    // The keys of the tree and the table (arrows, space) work at once, and
    // on the item screen the keys reach the window through the view.
    if (mode == Mode::Tree)
        m_tree->setFocus();
    else if (mode == Mode::Items)
        m_listItems->setFocus();
    else
        setFocus();
    update();
}

void CQuillmarkView::OnItemChanged(int list, int item)
{
    if (!m_tree)
        return;
    m_tree->UpdateItem(m_doc.Lists().at(list).m_items.at(item), list, item);
    if (list != m_nCurList)
        return;
    if (item == m_nCurItem)
        m_itemOnShow = CurrentItem();
    if (m_mode == Mode::Items)
        m_listItems->UpdateRow(m_doc.Lists().at(list), item);
    update(); // the total, or the item on show
}

void CQuillmarkView::OnListsReplaced(int first, int removed, int inserted)
{
    if (!m_tree)
        return;
    m_tree->ReplaceLists(m_doc.Lists(), first, removed, inserted);
    // A list after the change is the same list at a new place; one inside it
    // was replaced, and is gone when nothing stands at its place now.
    const bool replaced = m_nCurList >= first && m_nCurList < first + removed;
    if (m_nCurList >= first + removed)
        m_nCurList += inserted - removed;
    else if (replaced && m_nCurList >= first + inserted)
        m_nCurList = -1;
    if (!HasCurrentList())
        m_nCurList = -1;
    if (replaced && m_mode == Mode::Item && HasCurrentList()) {
        const QList<CListItem> &items = m_doc.Lists().at(m_nCurList).m_items;
        const auto same = [this](const CListItem &item) { return ListMatch::SameEntry(item, m_itemOnShow); };
        if (!HasCurrentItem() || !same(items.at(m_nCurItem)))
            m_nCurItem = int(std::find_if(items.cbegin(), items.cend(), same) - items.cbegin());
    }
    if (!HasCurrentItem())
        m_nCurItem = -1;
    else if (m_mode == Mode::Item)
        m_itemOnShow = CurrentItem();
    if ((m_mode == Mode::Item && !HasCurrentItem()) || (m_mode == Mode::Items && !HasCurrentList()))
        Show(Mode::Tree, std::nullopt);
    else if (replaced && m_mode == Mode::Items)
        FillItemTable();
    update();
}
