#pragma once

#include <QString>
#include <QUrl>

// The program's help page, "quillmark.htm", and the place in it that
// "Contents" opens.
namespace HelpPage {

// The page as installed relative to the program's folder
// (<exeDir>/../share/quillmark/help/quillmark.htm), else the one in
// sourceDir. When neither exists the installed path is returned all the
// same: the user is told where the page was looked for.
QString HelpPagePath(const QString &exeDir, const QString &sourceDir);
// The same for the running program and the source tree it was built from.
QString HelpPagePath();

// The file URL of the page with the fragment "Main_Contents".
QUrl ContentsUrl(const QString &pagePath);

} // namespace HelpPage
