#include "exchange/csv/CsvImport.h"

#include "exchange/csv/CsvLineReader.h"
#include "platform/NumberText.h"
#include "platform/RegularFile.h"
#include "res/Tr.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace CsvImport {

namespace {

bool IsCSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

} // namespace

double ParsePrice(QStringView text)
{
    // Only the decimal form is taken: the C library's strtod would also read
    // "nan", "inf" and hexadecimal numbers, so a field such as "Nanny" would
    // give a price that is not a number.
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && IsCSpace(text.at(i)))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && IsDigit(text.at(i)))
        ++i, ++digits;
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && IsDigit(text.at(i)))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == u'+' || text.at(j) == u'-'))
            ++j;
        if (j < n && IsDigit(text.at(j))) {
            while (j < n && IsDigit(text.at(j)))
                ++j;
            end = j;
        }
    }
    // The prefix is plain ASCII, so it reads the same in any code page.
    const double value = NumberText::ParseCDouble(text.sliced(start, end - start).toLatin1());
    return std::isfinite(value) ? value : 0.0; // "1e999" is no price either
}

QString ImportMessage(const Result &result)
{
    switch (result.status) {
    case Status::Ok:
        return QString();
    case Status::FieldNotFound:
        return Tr::tr("Error in Import: Import field not found in location designated in Import Setup.");
    case Status::NameEmpty:
        return Tr::tr("Import name found empty. Invalid Data.");
    case Status::ReadFailed:
        return Tr::tr("Error in Import: the file could not be read to its end (%1). Nothing was imported.")
                .arg(result.reason);
    case Status::NotAFile:
        return Tr::tr("Error in Import: '%1' is no ordinary file (it is a folder, a device or a named pipe, "
                      "for instance) and cannot be imported.")
                .arg(QDir::toNativeSeparators(result.path));
    case Status::NotText:
        return Tr::tr("Error in Import: line %L1 holds a zero byte, so the file is not text. "
                      "Nothing was imported.")
                .arg(result.line);
    case Status::NotUtf8:
        return Tr::tr("Error in Import: the file is marked as UTF-8, but line %L1 is not UTF-8. "
                      "Nothing was imported.")
                .arg(result.line);
    case Status::LineTooLong:
        return Tr::tr("Error in Import: line %L1 is longer than %L2 bytes. Nothing was imported.")
                .arg(result.line)
                .arg(CCsvLineReader::kMaxLine);
    case Status::TooLarge:
        return Tr::tr("Error in Import: '%1' is larger than %L2 MB. Nothing was imported.")
                .arg(QDir::toNativeSeparators(result.path))
                .arg(kMaxWholeFileBytes / (1024 * 1024));
    case Status::NotCalendar:
        return Tr::tr("Error in Import: '%1' is no iCalendar file. Nothing was imported.")
                .arg(QDir::toNativeSeparators(result.path));
    case Status::NoTodos:
        return Tr::tr("Error in Import: '%1' holds no to-dos. Nothing was imported.")
                .arg(QDir::toNativeSeparators(result.path));
    }
    return QString();
}

Result OpenWholeFile(QFile &file, const QString &path)
{
    QString reason;
    switch (RegularFile::OpenForReading(file, path, &reason)) {
    case RegularFile::Opened::Yes:
        break;
    case RegularFile::Opened::NotRegular:
        return Result{Status::NotAFile, 0, QString(), path};
    case RegularFile::Opened::Failed:
        return Result{Status::ReadFailed, 0, reason, path};
    }
    if (file.size() > kMaxWholeFileBytes)
        return Result{Status::TooLarge, 0, QString(), path};
    return {};
}

} // namespace CsvImport
