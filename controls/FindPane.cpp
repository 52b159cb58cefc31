#include "controls/FindPane.h"

#include "controls/TreeOptionsCtrl.h"
#include "document/ListsModel.h"
#include "res/Tr.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// The list's name beside the item's, which takes the rest.
constexpr int kListWidth = 80;
} // namespace

CFindPane::CFindPane(CListsModel &lists, QWidget *parent)
    : QWidget(parent)
    , m_found(lists)
    , m_field(new QLineEdit(this))
    , m_matches(new CTreeOptionsCtrl(this))
    , m_nothing(new QLabel(Tr::tr("No item matches."), this))
{
    m_field->setObjectName(QStringLiteral("findField"));
    m_field->setPlaceholderText(Tr::tr("Name or description"));
    m_field->setClearButtonEnabled(true);
    m_matches->setObjectName(QStringLiteral("foundItems"));
    m_matches->setModel(&m_found);
    m_matches->setRootIsDecorated(false);
    m_matches->setItemsExpandable(false);
    m_matches->setAllColumnsShowFocus(true);
    m_matches->setHeaderHidden(false);
    m_matches->header()->setStretchLastSection(false);
    m_matches->header()->setSectionResizeMode(CFoundItems::Name, QHeaderView::Stretch);
    m_matches->setColumnWidth(CFoundItems::List, kListWidth);
    m_matches->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The keyboard stays in the field; the arrows reach the matches from there.
    m_matches->setFocusPolicy(Qt::ClickFocus);
    m_nothing->setAlignment(Qt::AlignCenter);
    m_nothing->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_field);
    layout->addWidget(m_matches, 1);
    layout->addWidget(m_nothing, 1);

    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_found.SetText(text);
        ShowWhetherFound();
    });
    connect(m_matches, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &row) { emit opened(m_found.ItemAt(row.row())); });
    m_field->installEventFilter(this);
    m_matches->installEventFilter(this);
    ShowWhetherFound();
}

void CFindPane::Start()
{
    m_found.SetText(m_field->text());
    ShowWhetherFound();
    m_field->selectAll();
    m_field->setFocus();
}

void CFindPane::Stop()
{
    m_found.SetText(QString());
}

void CFindPane::ShowWhetherFound()
{
    const bool none = m_found.rowCount() == 0 && !m_field->text().isEmpty();
    m_matches->setVisible(!none);
    m_nothing->setVisible(none);
}

QModelIndex CFindPane::Chosen(bool orFirst) const
{
    const QModelIndexList chosen = m_matches->selectionModel()->selectedRows();
    if (!chosen.isEmpty())
        return m_found.ItemAt(chosen.first().row());
    return orFirst ? m_found.ItemAt(0) : QModelIndex();
}

bool CFindPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape) {
        emit cancelled();
        return true;
    }
    if (watched != m_field)
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // The first arrow chooses the first match; the others move on.
        if (!m_matches->selectionModel()->hasSelection()) {
            const QModelIndex first = m_found.index(0, 0);
            if (first.isValid())
                m_matches->setCurrentIndex(first);
        } else {
            QCoreApplication::sendEvent(m_matches, event);
        }
        return true;
    default:
        return false;
    }
}
