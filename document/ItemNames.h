#pragma once

#include "model/ListItemArray.h"

#include <QAbstractListModel>
#include <QHash>

// The names of the items of all lists, to complete a name as the user types
// it: each name once (names that differ only in case or accents are one),
// with how often the lists hold it and its most recent item. A typed text is
// matched as Find matches it, anywhere in the name, without regard to case
// or accents; the most used names come first.
class CItemNames : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int kMaxShown = 12;

    explicit CItemNames(QObject *parent = nullptr);

    // The names anew from these lists; nothing is shown until Match.
    void Take(const CListCollection &lists);
    // The rows: the names that contain `typed`; none for an empty text.
    void Match(const QString &typed);
    // The most recent item of the name in `row`.
    const CListItem &ItemAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The name, and beside it the last price where there is one; the name
    // alone as the edit role.
    QVariant data(const QModelIndex &index, int role) const override;

private:
    struct Name
    {
        QString folded;
        int uses = 0;
        CListItem latest;
    };
    QList<Name> m_names; // the most used first
    QList<int> m_shown;  // rows of m_names
};
