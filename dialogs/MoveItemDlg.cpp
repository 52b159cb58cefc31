#include "dialogs/MoveItemDlg.h"

#include "res/Art.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The list a row stands for, as an index of the lists given.
constexpr int kListRole = Qt::UserRole;
} // namespace

CMoveItemDlg::CMoveItemDlg(const CListCollection &lists, int from, const QString &itemName, QWidget *parent)
    : QDialog(parent)
    , m_chooser(new QListWidget(this))
{
    setWindowTitle(Tr::tr("Move Item To"));
    // The icons are numbered as the tree numbers them: the check images first.
    const CImageList images = CImageList::ChecksAndStrip();
    for (int l = 0; l < lists.size(); ++l) {
        if (l == from)
            continue;
        const CListItemArray &list = lists.at(l);
        auto *row = new QListWidgetItem(images.Icon(list.m_nIcon), list.m_strName, m_chooser);
        row->setData(kListRole, l);
    }
    m_chooser->setCurrentRow(0);

    auto *label = new QLabel(Tr::tr("Move '%1' to:").arg(itemName), this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setBuddy(m_chooser);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(Tr::tr("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(Str::ButtonCancel(), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    ok->setEnabled(m_chooser->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_chooser, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_chooser);
    layout->addWidget(buttons);
    m_chooser->setFocus();
}

int CMoveItemDlg::ChosenList() const
{
    const QListWidgetItem *row = m_chooser->currentItem();
    return row && row->isSelected() ? row->data(kListRole).toInt() : -1;
}
