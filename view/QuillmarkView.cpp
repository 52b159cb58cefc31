#include "view/QuillmarkView.h"

#include "controls/DrawnButton.h"
#include "controls/FindPane.h"
#include "controls/ItemTable.h"
#include "controls/ListTree.h"
#include "controls/QuickAddField.h"
#include "document/ItemNames.h"
#include "document/ListsModel.h"
#include "document/QuillmarkDoc.h"
#include "platform/AppSettings.h"
#include "prompt/Prompter.h"
#include "res/Art.h"
#include "res/ClientArea.h"
#include "res/Tr.h"
#include "view/ViewLook.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>

#include <algorithm>

namespace {

// The done tick as a screen reader and the space bar know it: a check box
// that paints nothing over the tick the view draws.
class CUndrawnBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *) override {}
};

} // namespace

CQuillmarkView::CQuillmarkView(CQuillmarkDoc &doc, QWidget *parent, Prompter *prompter)
    : QWidget(parent)
    , m_doc(doc)
    , m_lists(new CListsModel(doc, this))
    , m_actions(new CViewActions(doc, *m_lists, prompter ? *prompter : Prompter::Standard(), this, MakeActions()))
{
    // Never smaller than the default size of the window, whose layout it keeps.
    setMinimumSize(ClientArea::kSize);
    // Every paint covers the whole surface: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Files dropped anywhere on it, the tree and the table too (dropEvent).
    setAcceptDrops(true);
    // After the model, which has then followed the change.
    connect(&m_doc, &CQuillmarkDoc::itemChanged, this, [this] {
        ShowReadOuts();
        update();
    });
    connect(&m_doc, &CQuillmarkDoc::listsReplaced, this, &CQuillmarkView::OnListsReplaced);
    connect(&m_doc, &CQuillmarkDoc::saveFailed, this, [this](const QString &message) {
        Prompts().Message(this, message);
    });
}

// The child controls are owned by the widget, the lists by the document. The
// controls show the lists model, made first and so let go of first: they go
// before it.
CQuillmarkView::~CQuillmarkView()
{
    delete m_find;
    delete m_listItems;
    delete m_tree;
}

Prompter &CQuillmarkView::Prompts() const
{
    return m_actions->Prompts();
}

QSize CQuillmarkView::sizeHint() const
{
    return ClientArea::kSize;
}

QSize CQuillmarkView::OpeningSize()
{
    // Measured on lists with a price, a date and a done mark in English and
    // German, at 9 points.
    constexpr QSize kAtNinePoints{440, 400};
    const qreal scale = std::max<qreal>(1.0, Art::DesktopFontScale());
    return (kAtNinePoints * scale).expandedTo(ClientArea::kSize);
}

void CQuillmarkView::OnInitialUpdate()
{
    if (m_tree)
        return; // once only
    m_tree = new CListTree(*m_lists, this);
    m_tree->setObjectName(QStringLiteral("listTree"));
    m_listItems = new CItemTable(*m_lists, this);
    m_listItems->setObjectName(QStringLiteral("itemTable"));
    m_find = new CFindPane(*m_lists, this);
    m_find->setObjectName(QStringLiteral("findPane"));
    m_names = new CItemNames(this);
    m_quickAdd = new CQuickAddField(*m_names, this);
    m_quickAdd->hide();
    connect(m_quickAdd, &CQuickAddField::addRequested, this, &CQuillmarkView::AddTyped);
    connect(m_quickAdd, &CQuickAddField::closeRequested, this, &CQuillmarkView::StopAdding);
    connect(m_quickAdd, &QLineEdit::textChanged, this, &CQuillmarkView::NoteWhetherHeld);
    //: What a screen reader calls the tree of all lists.
    m_tree->setAccessibleName(Tr::tr("Lists"));
    //: Under the empty tree of lists at the first start: the key and the button that open List Setup.
    m_tree->SetEmptyText(Tr::tr("No list yet. To make one, press F2 or the pencil button below: "
                                "List Setup opens, where + adds a list."));
    // The read-outs draw nothing: the view paints what they say. The item's
    // come between the tree and the buttons in the Tab order.
    for (QLabel *&readOut : m_readOuts) {
        readOut = new QLabel(this);
        readOut->setAttribute(Qt::WA_TransparentForMouseEvents);
        readOut->hide();
    }
    for (ReadOut r : {ItemName, ItemDate, ItemPrice, ItemDescription})
        m_readOuts[r]->setFocusPolicy(Qt::TabFocus);
    m_doneBox = new CUndrawnBox(this);
    m_doneBox->setAccessibleName(Tr::tr("Done"));
    m_doneBox->setFocusPolicy(Qt::TabFocus);
    m_doneBox->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_doneBox->hide();
    connect(m_doneBox, &QAbstractButton::clicked, this, &CQuillmarkView::TickOrUntick);
    // After the controls: Tab goes from them to the buttons.
    for (int c = CViewActions::kFirstButton; c <= CViewActions::kLastButton; ++c) {
        const auto command = CViewActions::Command(c);
        m_buttons[c] = new CDrawnButton(Action(command), Art::GroundlessBitmap(FaceOf(command)),
                                        CDrawnButton::Blend::Cover, this);
    }
    SetHideDone(Action(CViewActions::HideDone)->isChecked());
    ShowSortInMenu();
    connect(m_listItems->header(), &QHeaderView::sortIndicatorChanged, this, &CQuillmarkView::ShowSortInMenu);

    // A double click opens an item as the magnifier does; on a list it
    // opens or closes the list's node.
    connect(m_tree, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &node) {
        const QModelIndex item = m_tree->ListsIndexOf(node);
        if (m_mode == Mode::Tree && CListsModel::ItemOf(item) >= 0)
            OpenItem(item, Mode::Tree);
    });
    connect(m_listItems, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &row) {
        if (m_mode == Mode::Items)
            OpenItem(m_listItems->ItemOf(row), Mode::Items);
    });
    connect(m_find, &CFindPane::opened, this, [this](const QModelIndex &item) {
        if (m_mode == Mode::Find)
            OpenItem(item, Mode::Items);
    });
    connect(m_find, &CFindPane::cancelled, this, &CQuillmarkView::GoBack);

    m_tree->Fill(m_curList);
    ConnectCommands();
    Show(Mode::Tree, std::nullopt);
}

const CListItem &CQuillmarkView::CurrentItem() const
{
    return *m_lists->Item(m_curItem);
}

void CQuillmarkView::SetCurrent(const QModelIndex &index)
{
    const bool item = CListsModel::ItemOf(index) >= 0;
    m_curItem = item ? index : QModelIndex();
    m_curList = item ? index.parent() : index;
}

void CQuillmarkView::OnHideDone()
{
    const bool hide = Action(CViewActions::HideDone)->isChecked();
    AppSettings::kHideDone.Set(hide);
    SetHideDone(hide);
}

void CQuillmarkView::SetHideDone(bool hide)
{
    if (!m_tree)
        return;
    m_tree->Filter().SetHideDone(hide);
    m_listItems->Filter().SetHideDone(hide);
}

void CQuillmarkView::StartFind()
{
    if (!m_tree)
        return;
    if (m_mode == Mode::Find) {
        m_find->Start(); // the text chosen again, to be typed over
        return;
    }
    m_modeBeforeFind = m_mode;
    m_backBeforeFind = m_prevMode;
    Show(Mode::Find, m_mode);
}

void CQuillmarkView::Show(Mode mode, std::optional<Mode> back)
{
    if ((mode == Mode::Items && !HasCurrentList()) || (mode == Mode::Item && !HasCurrentItem())) {
        mode = Mode::Tree; // rather than a table or details of nothing
        back.reset();
    }
    if (m_mode == Mode::Find && mode != Mode::Find)
        m_find->Stop();
    if (mode != Mode::Items || m_mode != Mode::Items)
        StopAdding();
    m_mode = mode;
    m_prevMode = back;
    // A change of screen: what a tick made done leaves now, and what an edit
    // renamed takes its place in the order.
    if (mode == Mode::Items)
        m_listItems->ShowList(m_curList);
    else if (mode == Mode::Tree)
        m_tree->Filter().Settle();
    m_tree->setVisible(mode == Mode::Tree);
    m_listItems->setVisible(mode == Mode::Items);
    m_find->setVisible(mode == Mode::Find);
    m_actions->EnableRow(Buttons());
    TellWhatButtonsDo();
    EnableListCommands();
    LayOut();
    // The keys of the tree and the table (arrows, space) work at once, and
    // on the item screen the keys reach the window through the view.
    if (mode == Mode::Tree)
        m_tree->setFocus();
    else if (mode == Mode::Items)
        m_listItems->setFocus();
    else if (mode == Mode::Find)
        m_find->Start();
    else if (mode == Mode::Item && HasCurrentItem())
        m_readOuts[ItemName]->setFocus(); // a reader starts with the item's name
    else
        setFocus();
    TellShownList();
    update();
}

void CQuillmarkView::TellShownList()
{
    const bool list = (m_mode == Mode::Items || m_mode == Mode::Item) && HasCurrentList();
    emit shownListChanged(list ? m_curList.data().toString() : QString());
}

void CQuillmarkView::OnListsReplaced()
{
    if (!m_tree)
        return;
    // The model has followed: what was on show is there still, or gone. An
    // item gone (deleted on show) leads back to where it was opened from.
    if (m_mode == Mode::Item && !HasCurrentItem() && m_prevMode)
        GoBack();
    else if ((m_mode == Mode::Item && !HasCurrentItem()) || (m_mode == Mode::Items && !HasCurrentList()))
        Show(Mode::Tree, std::nullopt);
    ShowReadOuts();
    TellShownList(); // renamed, perhaps
    update();
}
