#include "tests/testlib/QuillmarkTest.h"

#include <QFont>
#include <QHelpEvent>
#include <QLocale>
#include <QStyleFactory>
#include <QToolTip>

#include <clocale>
#include <cstdlib>
#include <ctime>

namespace QuillmarkTest {

void PinCoreEnvironment()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Fernwise"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));
    QLocale::setDefault(QLocale::c());
    if (!qEnvironmentVariableIsSet("TZ"))
        SetTimeZone("UTC");
}

void PinGuiEnvironment()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QApplication::setDesktopSettingsAware(false);
}

void SetTimeZone(const char *tz)
{
    qputenv("TZ", tz);
    tzset();
}

QModelIndex TreeNode(const QAbstractItemView &tree, int list, int item)
{
    const QAbstractItemModel *model = tree.model();
    QModelIndex node = model->index(0, 0);
    if (list >= 0)
        node = model->index(list, 0, node);
    if (item >= 0)
        node = model->index(item, 0, node);
    return node;
}

void ClickAt(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    QWidget *child = widget->childAt(at);
    QWidget *target = child ? child : widget;
    QTest::mouseClick(target, button, {}, target->mapFrom(widget, at));
}

QString TipAt(QWidget *widget, QPoint at)
{
    QToolTip::hideText();
    QWidget *child = widget->childAt(at);
    QWidget *target = child ? child : widget;
    const QPoint local = target->mapFrom(widget, at);
    QHelpEvent help(QEvent::ToolTip, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &help);
    return QToolTip::text();
}

} // namespace QuillmarkTest
