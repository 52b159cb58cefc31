#include "tests/testlib/QuillmarkTest.h"

#include <QFont>
#include <QLocale>
#include <QStyleFactory>

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

} // namespace QuillmarkTest
