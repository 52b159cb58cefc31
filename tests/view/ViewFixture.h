#pragma once

#include "controls/TreeOptionsCtrl.h"
#include "model/DataFile.h"
#include "platform/CalendarTime.h"
#include "tests/testlib/ScriptedPrompter.h"
#include "view/QuillmarkView.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// Building blocks shared by the view's tests: items and lists made in a line,
// a data file in a temporary folder, and a set-up, shown view reading it.
namespace ViewTest {

inline CalendarTime LocalTime(int year, int month, int day, int hour = 12, int minute = 0)
{
    CalendarTime t = 0;
    CalendarTimeOps::FromLocal(year, month, day, hour, minute, 0, t);
    return t;
}

struct ItemValues
{
    ItemValues(QString n, bool d = false, double p = 0.0, CalendarTime when = 0, int i = 6, QString text = {})
        : name(std::move(n)), done(d), price(p), dated(when), icon(i), desc(std::move(text))
    {
    }
    QString name;
    bool done;
    double price;
    CalendarTime dated; // 0: not dated
    int icon;
    QString desc;
};

inline CListItem MakeItem(const ItemValues &values)
{
    CListItem item;
    item.SetName(values.name);
    item.SetDescription(values.desc);
    item.m_bDone = values.done;
    item.m_dPrice = values.price;
    item.m_nIcon = values.icon;
    item.m_bDated = values.dated != 0;
    item.SetDateTime(values.dated != 0 ? values.dated : LocalTime(2002, 1, 1));
    return item;
}

inline CListItemArray MakeList(const QString &name, int icon, const QList<ItemValues> &items)
{
    CListItemArray list;
    list.SetName(name);
    list.m_nIcon = icon;
    for (const ItemValues &values : items)
        list.m_items.append(MakeItem(values));
    return list;
}

// Three lists: groceries with prices, a dated trip list, an empty list.
inline CListCollection SampleLists()
{
    return {
            MakeList(QStringLiteral("Groceries"), 5,
                     {{QStringLiteral("Bread"), false, 1.5},
                      {QStringLiteral("Milk"), true, 2.25},
                      {QStringLiteral("Salt"), false}}),
            MakeList(QStringLiteral("Trip"), 12,
                     {{QStringLiteral("Tickets"), true, 0.0, LocalTime(2002, 3, 7, 13, 15)},
                      {QStringLiteral("Packing"), false}}),
            MakeList(QStringLiteral("Empty"), 20, {}),
    };
}

inline QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteDataFile(const QString &path, const CListCollection &lists)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString error;
    return DataFile::Write(file, lists, &error) && file.commit();
}

inline CListCollection ReadDataFile(const QString &path)
{
    CListCollection lists;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        DataFile::Read(file, lists);
    return lists;
}

// A view set up on a data file in a temporary folder, shown offscreen.
template<typename View = CQuillmarkView>
struct Fixture
{
    QTemporaryDir dir;
    QString path;
    ScriptedPrompter prompter;
    std::unique_ptr<View> view;

    // lists: what the data file holds; no file at all when `noFile`.
    explicit Fixture(const CListCollection &lists = SampleLists(), bool noFile = false)
        : path(dir.filePath(QStringLiteral("Quillmark.dat")))
    {
        if (!noFile)
            WriteDataFile(path, lists);
    }

    View &Start()
    {
        view = std::make_unique<View>();
        view->SetDataFilePath(path);
        view->SetPrompter(&prompter);
        view->OnInitialUpdate();
        view->show();
        (void)QTest::qWaitForWindowExposed(view.get());
        return *view;
    }

    QTreeWidgetItem *ListNode(int list) const { return view->FindNode(list, -1); }
    QTreeWidgetItem *ItemNode(int list, int item) const { return view->FindNode(list, item); }

    void Select(QTreeWidgetItem *node) const { view->Tree()->setCurrentItem(node); }

    // Opens a list from the tree, as the magnifier does.
    void OpenList(int list) const
    {
        Select(ListNode(list));
        view->OpenSelection();
    }

    void SelectRows(std::initializer_list<int> rows) const
    {
        QTreeWidget *table = view->ItemTable();
        table->clearSelection();
        for (int row : rows)
            table->topLevelItem(row)->setSelected(true);
    }

    // The point inside the button at x0, on the bottom row.
    QPoint Button(int x0) const { return QPoint(x0 + 10, view->height() - 15); }
    void Tap(int x0) const { QTest::mouseClick(view.get(), Qt::LeftButton, {}, Button(x0)); }
};

} // namespace ViewTest
