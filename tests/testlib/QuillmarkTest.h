#pragma once

#include "res/Tr.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QtTest>

#include <bit>

// What makes tests flaky is pinned in one place: the style, the locale, the
// application names behind the settings and data folders.
namespace QuillmarkTest {

void PinCoreEnvironment();  // names, C locale; call before the application object exists
void PinGuiEnvironment();   // Fusion style, fixed font; call after QApplication exists

// Sets TZ for the rest of the process and tells the C library.
void SetTimeZone(const char *tz);

// A node of the main window's tree of lists: the root "Lists" (list -1), a
// list's node (item -1) or an item's.
QModelIndex TreeNode(const QAbstractItemView &tree, int list = -1, int item = -1);

// A click at a point of `widget`, where a person's lands: on the child there.
void ClickAt(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton);
// The tool tip a person gets with the pointer resting at that point.
QString TipAt(QWidget *widget, QPoint at);

} // namespace QuillmarkTest

// For a test that needs something the machine may lack (a tool, a locale):
// skips, or fails where QUILLMARK_TEST_REQUIRE_TOOLS is set. scripts/test
// installs everything and sets it, so that there a skip cannot hide a
// missing install step.
#define QUILLMARK_SKIP_MISSING(message)                                                            \
    do {                                                                                           \
        if (qEnvironmentVariableIsSet("QUILLMARK_TEST_REQUIRE_TOOLS"))                             \
            QFAIL(message);                                                                        \
        QSKIP(message);                                                                            \
    } while (false)

// Two doubles compared bit for bit, where a price must come back exactly:
// QCOMPARE forgives doubles that differ in their last digits.
#define QM_COMPARE_BITS(actual, expected)                                                          \
    QCOMPARE(std::bit_cast<quint64>(double(actual)), std::bit_cast<quint64>(double(expected)))

#define QUILLMARK_GUILESS_TEST_MAIN(TestObject)                                                    \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QuillmarkTest::PinCoreEnvironment();                                                       \
        QCoreApplication app(argc, argv);                                                          \
        Tr::LoadEnglishPlurals();                                                                  \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// A main with a widget application of the given class; the test object is
// built with the given arguments.
#define QUILLMARK_WIDGET_TEST_MAIN(AppClass, TestObject, ...)                                      \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QuillmarkTest::PinCoreEnvironment();                                                       \
        AppClass app(argc, argv);                                                                  \
        Tr::LoadEnglishPlurals();                                                                  \
        QuillmarkTest::PinGuiEnvironment();                                                        \
        TestObject tc{__VA_ARGS__};                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#define QUILLMARK_TEST_MAIN(TestObject) QUILLMARK_WIDGET_TEST_MAIN(QApplication, TestObject)

// For a test object that runs the program's own application object, which
// it is given; the test includes app/QuillmarkApp.h.
#define QUILLMARK_APP_TEST_MAIN(TestObject) QUILLMARK_WIDGET_TEST_MAIN(CQuillmarkApp, TestObject, app)
