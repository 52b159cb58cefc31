#pragma once

#include <QString>

class QFile;

// Opens a file the user chose for reading only when it is an ordinary file.
// A named pipe would block the open until another program writes to it, and
// a device such as /dev/zero never ends: neither is opened at all.
namespace RegularFile {

enum class Opened {
    Yes,
    NotRegular, // a folder, a device, a named pipe or a socket
    Failed,     // it could not be opened (see the reason)
};

// Opens `path` read-only and unbuffered into `file`.
Opened OpenForReading(QFile &file, const QString &path, QString *reason);

} // namespace RegularFile
