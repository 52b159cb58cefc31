#include "dialogs/PastePreviewDlg.h"

#include "platform/NumberText.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Ten thousand rows are made in a moment; more would only be scrolled past.
constexpr qsizetype kMaxRows = 10000;

} // namespace

CPastePreviewDlg::CPastePreviewDlg(const QList<CListItem> &items, const QStringList &skipped, QWidget *parent)
    : QDialog(parent)
    , m_items(new QTreeWidget(this))
{
    //: The title of the preview of pasted or dropped lines.
    setWindowTitle(Tr::tr("Add Items"));
    auto *layout = new QVBoxLayout(this);
    m_items->setObjectName(QStringLiteral("previewItems"));
    m_items->setRootIsDecorated(false);
    m_items->setUniformRowHeights(true);
    m_items->setHeaderLabels({Tr::tr("Name"), Tr::tr("Price"), Tr::tr("Done")});
    const QLocale locale;
    QList<QTreeWidgetItem *> rows;
    rows.reserve(std::min(items.size(), kMaxRows));
    for (qsizetype i = 0; i < items.size() && i < kMaxRows; ++i) {
        const CListItem &item = items.at(i);
        const QString price = NumberText::ReadsAsZero(item.m_dPrice) ? QString() : locale.toString(item.m_dPrice, 'f', 2);
        rows.append(new QTreeWidgetItem(
                {QString(item.m_strName), price, item.m_bDone ? Tr::tr("Done") : QString()}));
    }
    m_items->addTopLevelItems(rows);
    m_items->resizeColumnToContents(1);
    layout->addWidget(m_items);
    if (!skipped.isEmpty()) {
        auto *left = new QLabel(Tr::tr("Left out:") + u'\n' + skipped.mid(0, 20).join(u'\n'), this);
        left->setObjectName(QStringLiteral("previewSkipped"));
        left->setTextFormat(Qt::PlainText);
        left->setWordWrap(true);
        layout->addWidget(left);
    }
    auto *buttons = new QDialogButtonBox(this);
    //: The preview's default button; %n is the number of items it adds.
    m_add = buttons->addButton(Tr::tr("Add %n Item(s)", nullptr, int(items.size())), QDialogButtonBox::AcceptRole);
    m_add->setDefault(true);
    buttons->addButton(Str::ButtonCancel(), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 360);
}
