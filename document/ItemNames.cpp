#include "document/ItemNames.h"

#include "document/ItemSearch.h"
#include "platform/NumberText.h"

#include <QLocale>

#include <algorithm>

CItemNames::CItemNames(QObject *parent)
    : QAbstractListModel(parent)
{
}

void CItemNames::Take(const CListCollection &lists)
{
    beginResetModel();
    QHash<QString, qsizetype> byFolded;
    m_names.clear();
    m_shown.clear();
    for (const CListItemArray &list : lists) {
        for (const CListItem &item : list.m_items) {
            QString folded = ItemSearch::Fold(QString(item.m_strName).trimmed());
            if (folded.isEmpty())
                continue;
            const auto at = byFolded.constFind(folded);
            if (at == byFolded.cend()) {
                byFolded.insert(folded, m_names.size());
                m_names.append({std::move(folded), 1, item});
                continue;
            }
            Name &name = m_names[*at];
            ++name.uses;
            if (item.m_time >= name.latest.m_time)
                name.latest = item;
        }
    }
    std::stable_sort(m_names.begin(), m_names.end(), [](const Name &a, const Name &b) { return a.uses > b.uses; });
    endResetModel();
}

void CItemNames::Match(const QString &typed)
{
    beginResetModel();
    m_shown.clear();
    // The folded names are compared as they are: folding each again at
    // every keystroke cost most of the time with many items.
    const QString folded = ItemSearch::Fold(typed.trimmed());
    if (!folded.isEmpty()) {
        for (qsizetype i = 0; i < m_names.size() && m_shown.size() < kMaxShown; ++i) {
            if (m_names.at(i).folded.contains(folded))
                m_shown.append(int(i));
        }
    }
    endResetModel();
}

const CListItem &CItemNames::ItemAt(int row) const
{
    return m_names.at(m_shown.at(row)).latest;
}

int CItemNames::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant CItemNames::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
        return {};
    const CListItem &item = ItemAt(index.row());
    switch (role) {
    case Qt::EditRole:
        return QString(item.m_strName);
    case Qt::DisplayRole:
        if (NumberText::ReadsAsZero(item.m_dPrice))
            return QString(item.m_strName);
        return QStringLiteral("%1  \u2013  %2").arg(QString(item.m_strName), QLocale().toString(item.m_dPrice, 'f', 2));
    default:
        return {};
    }
}
