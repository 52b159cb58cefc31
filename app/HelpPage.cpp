#include "app/HelpPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kPageName = QStringLiteral("quillmark.htm");
const QString kContentsAnchor = QStringLiteral("Main_Contents");

} // namespace

namespace HelpPage {

QString HelpPagePath(const QString &exeDir, const QString &sourceDir)
{
    // QUILLMARK_HELP_FROM_BIN is the install tree's path from the program's
    // folder to the page's folder, e.g. "../share/quillmark/help".
    const QString installed = QDir::cleanPath(
            QDir(exeDir).filePath(QStringLiteral(QUILLMARK_HELP_FROM_BIN "/") + kPageName));
    if (QFileInfo(installed).isFile())
        return installed;

    // Run from the build folder: the page has not been installed anywhere.
    const QString source = QDir(sourceDir).filePath(kPageName);
    if (QFileInfo(source).isFile())
        return source;

    return installed;
}

QString HelpPagePath()
{
    return HelpPagePath(QCoreApplication::applicationDirPath(),
                        QStringLiteral(QUILLMARK_HELP_SOURCE_DIR));
}

QUrl ContentsUrl(const QString &pagePath)
{
    QUrl url = QUrl::fromLocalFile(pagePath);
    url.setFragment(kContentsAnchor);
    return url;
}

} // namespace HelpPage
