#include "dialogs/ListSetupDlg.h"

#include "controls/DrawnButton.h"
#include "dialogs/DialogTemplates.h"
#include "dialogs/NewItemDlg.h"
#include "dialogs/NewListDlg.h"
#include "dialogs/TemplateFit.h"
#include "model/ShownText.h"
#include "prompt/Prompter.h"
#include "res/ClientArea.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>

#include <algorithm>

namespace T = DialogTemplates::ListSetup;
using DialogUnits::Place;

namespace {

// A drawn button's name (plus, minus, pencil) on the list row or the item
// row, and with keys the tip that says where they work: "Add list (Insert in
// the list box)", "Remove item (Delete in the item list)".
QString ButtonText(bool itemRow, int faceBitmapId, const QString &keys)
{
    QString name;
    switch (faceBitmapId) {
    case Res::IDB_ADD: name = itemRow ? Tr::tr("Add item") : Tr::tr("Add list"); break;
    case Res::IDB_REMOVE: name = itemRow ? Tr::tr("Remove item") : Tr::tr("Remove list"); break;
    case Res::IDB_EDIT: name = itemRow ? Tr::tr("Edit item") : Tr::tr("Edit list"); break;
    default: return QString();
    }
    if (keys.isEmpty())
        return name;
    return itemRow ? Tr::tr("%1 (%2 in the item list)").arg(name, keys)
                   : Tr::tr("%1 (%2 in the list box)").arg(name, keys);
}

} // namespace

CListSetupDlg::CListSetupDlg(QWidget *parent, Prompter *prompter)
    : CQmDialog(parent, prompter)
{
    setWindowTitle(Tr::tr("List Setup"));

    // The group boxes first, so that the controls inside lie above them.
    auto *listGroup = new QGroupBox(Tr::tr("List"), this);
    TemplateFit::PlaceGroupBox(listGroup, T::kListGroup,
                               DialogUnits::ToPixels(T::kListGroup).top() - TemplateFit::kMargin);
    auto *itemsGroup = new QGroupBox(Tr::tr("Items"), this);
    TemplateFit::PlaceGroupBox(itemsGroup, T::kItemsGroup,
                               DialogUnits::ToPixels(T::kItemsGroup).top() - (kListRowTop + kButtonSize));

    // The template's height takes in the dropped-down part; the closed
    // chooser is as high as the style makes it.
    m_comboLists = new QComboBox(this);
    m_comboLists->setEditable(false);
    QRect comboRect = DialogUnits::ToPixels(T::kLists);
    comboRect.setHeight(m_comboLists->sizeHint().height());
    comboRect.moveTop(std::max(comboRect.top(), TemplateFit::ContentTop(listGroup)));
    m_comboLists->setGeometry(comboRect);

    m_listItems = new QTreeWidget(this);
    m_listItems->setRootIsDecorated(false);
    m_listItems->setItemsExpandable(false);
    m_listItems->setUniformRowHeights(true);
    m_listItems->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listItems->setIconSize(QSize(Res::kImageSize, Res::kImageSize));
    QRect itemsRect = DialogUnits::ToPixels(T::kItems);
    itemsRect.setTop(std::max(itemsRect.top(), TemplateFit::ContentTop(itemsGroup)));
    m_listItems->setGeometry(itemsRect);

    MakeOKCancel(T::kOK, T::kCancel);

    // In a larger dialog the item list takes the room; the item row of
    // buttons keeps its distance from the bottom edge (ItemRowTop).
    using G = TemplateGrowth;
    TemplateGrowth growth;
    growth.Add(listGroup, G::Wider);
    growth.Add(m_comboLists, G::Wider);
    growth.Add(itemsGroup, G::Wider | G::Taller);
    growth.Add(m_listItems, G::Wider | G::Taller);
    growth.Add(OKButton(), G::HalfRight | G::Down);
    growth.Add(CancelButton(), G::HalfRight | G::Down);
    AllowGrowth(growth);

    // The keys of the drawn buttons, each row's where its data has the focus.
    for (int i = 0; i < 3; ++i) {
        new QShortcut(QKeySequence(kButtonKeys[i]), m_comboLists, this, kListActions[i], Qt::WidgetShortcut);
        new QShortcut(QKeySequence(kButtonKeys[i]), m_listItems, this, kItemActions[i], Qt::WidgetShortcut);
    }

    connect(m_comboLists, &QComboBox::activated, this, &CListSetupDlg::OnSelChangeLists);

    // The faces are round buttons on white: the white around them lets the
    // dialog's ground through, whose tint they take on a light desktop.
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 3; ++i) {
            const QString key = QKeySequence(kButtonKeys[i]).toString(QKeySequence::NativeText);
            auto *action = new QAction(ButtonText(row == 1, kFaces[i], QString()), this);
            action->setToolTip(ButtonText(row == 1, kFaces[i], key));
            // A click takes the keyboard to its row's box, so that the keys
            // that follow (Insert, Delete, F2) go on in the same row.
            QWidget *box = row == 0 ? static_cast<QWidget *>(m_comboLists) : m_listItems;
            connect(action, &QAction::triggered, box, [box] { box->setFocus(Qt::OtherFocusReason); });
            connect(action, &QAction::triggered, this, (row == 0 ? kListActions : kItemActions)[i]);
            m_buttons.append(new CDrawnButton(action, Art::GroundlessBitmap(kFaces[i]), CDrawnButton::Blend::Tint, this));
            m_buttons.constLast()->move(kButtonLefts[i], kListRowTop);
        }
    }
}

void CListSetupDlg::resizeEvent(QResizeEvent *event)
{
    CQmDialog::resizeEvent(event);
    for (int i = 0; i < 3; ++i)
        m_buttons.at(3 + i)->move(kButtonLefts[i], ItemRowTop());
    // The name column takes the extra width.
    m_listItems->setColumnWidth(0, NameColumnWidth());
}

CListSetupDlg::~CListSetupDlg() = default;

void CListSetupDlg::OnInitDialog()
{
    for (const CListItemArray &list : std::as_const(m_lists))
        m_comboLists->addItem(list.m_strName);

    m_images = CImageList::ChecksAndStrip();
    m_listItems->setHeaderLabels({Str::ColumnName(), Tr::tr("Price"), Str::ColumnDone()});
    m_listItems->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_listItems->setColumnWidth(0, NameColumnWidth());
    m_listItems->setColumnWidth(1, kPriceColumnWidth);
    m_listItems->setColumnWidth(2, kDoneColumnWidth);
    m_listItems->header()->setStretchLastSection(false);

    if (m_nCurList < 0 && !m_lists.isEmpty())
        m_nCurList = 0;
    m_comboLists->setCurrentIndex(HasList(m_nCurList) ? m_nCurList : -1);

    FillItemList();
}

void CListSetupDlg::FillItemList()
{
    m_listItems->clear();
    if (!HasList(m_nCurList))
        return;
    QList<QTreeWidgetItem *> rows;
    for (const CListItem &item : std::as_const(m_lists.at(m_nCurList).m_items)) {
        // The price as the table shows it; none for an item without one.
        const QString price = item.m_dPrice != 0.0 ? ShownText::Price(item.m_dPrice) : QString();
        auto *row = new QTreeWidgetItem(QStringList{item.m_strName, price, item.m_bDone ? Tr::tr("Yes") : Tr::tr("No")});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setIcon(0, m_images.Icon(item.m_nIcon));
        rows.append(row);
    }
    m_listItems->addTopLevelItems(rows); // the tree takes ownership
}

int CListSetupDlg::SelectedItemRow() const
{
    const QList<QTreeWidgetItem *> selected = m_listItems->selectedItems();
    return selected.isEmpty() ? -1 : m_listItems->indexOfTopLevelItem(selected.first());
}

void CListSetupDlg::OnSelChangeLists()
{
    m_nCurList = m_comboLists->currentIndex();
    FillItemList();
}

int CListSetupDlg::NameColumnWidth() const
{
    return kNameColumnWidth + std::max(0, width() - ClientArea::kWidth);
}

void CListSetupDlg::OnAddList()
{
    CNewListDlg dlg(this, &Prompts());
    if (dlg.Run() != QDialog::Accepted)
        return;
    CListItemArray &list = m_lists.emplace_back();
    list.SetName(dlg.m_strName);
    list.m_nIcon = dlg.m_nIcon;
    m_comboLists->addItem(list.m_strName);
    m_comboLists->setCurrentIndex(m_comboLists->count() - 1);
    m_nCurList = m_comboLists->count() - 1;
    FillItemList();
}

void CListSetupDlg::OnRemoveList()
{
    m_nCurList = m_comboLists->currentIndex();
    if (!HasList(m_nCurList)) {
        Prompts().Message(this, Tr::tr("You must select a list to remove."));
        return;
    }
    const QString list = m_lists.at(m_nCurList).m_strName;
    if (!Prompts().AskYesNo(this, Str::ConfirmRemoveList(list)))
        return;
    m_lists.removeAt(m_nCurList);
    m_comboLists->removeItem(m_nCurList);
    if (!m_lists.isEmpty()) {
        m_comboLists->setCurrentIndex(0);
        m_nCurList = 0;
        FillItemList();
    } else {
        // No list is left to show: "none", so that no later action reaches
        // for the list that is gone.
        m_comboLists->clear();
        m_nCurList = -1;
        m_listItems->clear();
    }
}

void CListSetupDlg::OnEditList()
{
    m_nCurList = m_comboLists->currentIndex();
    if (!HasList(m_nCurList))
        return;
    CNewListDlg dlg(this, &Prompts());
    dlg.m_strName = m_lists.at(m_nCurList).m_strName;
    dlg.m_nIcon = m_lists.at(m_nCurList).m_nIcon;
    if (dlg.Run() != QDialog::Accepted)
        return;
    CListItemArray &list = m_lists[m_nCurList];
    list.SetName(dlg.m_strName);
    list.m_nIcon = dlg.m_nIcon;
    m_comboLists->setItemText(m_nCurList, list.m_strName);
    m_comboLists->setCurrentIndex(m_nCurList);
}

void CListSetupDlg::OnAddItem()
{
    m_nCurList = m_comboLists->currentIndex();
    if (!HasList(m_nCurList))
        return;
    CNewItemDlg dlg(this, &Prompts());
    dlg.FillFrom(nullptr);
    if (dlg.Run() != QDialog::Accepted)
        return;
    CListItem item;
    dlg.ApplyTo(item);
    m_lists[m_nCurList].AddItemSorted(item);
    FillItemList();
}

void CListSetupDlg::OnRemoveItem()
{
    const int row = SelectedItemRow();
    if (row < 0 || !HasList(m_nCurList))
        return;
    const QString item = m_lists.at(m_nCurList).GetItem(row).m_strName;
    if (!Prompts().AskYesNo(this, Str::ConfirmRemoveItem(item)))
        return;
    m_lists[m_nCurList].m_items.removeAt(row);
    FillItemList();
}

void CListSetupDlg::OnEditItem()
{
    const int row = SelectedItemRow();
    if (row < 0 || !HasList(m_nCurList))
        return;
    const CListItem old = m_lists.at(m_nCurList).GetItem(row);
    CNewItemDlg dlg(this, &Prompts());
    dlg.FillFrom(&old);
    if (dlg.Run() != QDialog::Accepted)
        return;
    CListItem edited = old; // the done mark stays
    dlg.ApplyTo(edited);
    m_lists[m_nCurList].SetItem(row, edited);
    FillItemList();
    // The edited item keeps its place (nothing re-sorts): keep it chosen.
    if (QTreeWidgetItem *shown = m_listItems->topLevelItem(row))
        m_listItems->setCurrentItem(shown);
}
