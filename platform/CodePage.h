#pragma once

#include <QByteArray>
#include <QString>

// The code page of CSV files that are not UTF-8 and of the data file's narrow
// strings: Windows-1252, single byte, through iconv.
namespace CodePage {

// Converts text to Windows-1252. A character the code page cannot represent
// makes the whole conversion fail: ok is false and the result empty.
QByteArray ToWindows1252(const QString &text, bool *ok = nullptr);

// Converts Windows-1252 bytes to text; the five bytes the code page leaves
// undefined become U+FFFD.
QString FromWindows1252(const QByteArray &bytes);

} // namespace CodePage
