#pragma once

#include <QTreeWidget>
#include <QtTest>

// The icon chooser of the item, list and import dialogs, used as a person
// uses it: a row is clicked where it shows, and a selected row must show.
namespace ChooserRows {

inline bool InView(const QTreeWidget *view, int row)
{
    const QRect r = view->visualItemRect(view->topLevelItem(row));
    return !r.isEmpty() && view->viewport()->rect().contains(r);
}

inline void Click(QTreeWidget *view, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTreeWidgetItem *item = view->topLevelItem(row);
    view->scrollToItem(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualItemRect(item).center());
}

} // namespace ChooserRows
