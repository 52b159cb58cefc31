#pragma once

#include <QByteArray>
#include <QString>

// Writes a new file so that it either appears whole under its name or not at
// all: the bytes go to a hidden temporary name in the same folder (one that
// readers of the folder's .ics files pass over), are flushed to the disk, and
// the file is then renamed. On failure the temporary file is removed, nothing
// is left behind, and whyNot (if given) says what went wrong.
bool WriteFileSafely(const QString &folder, const QString &fileName, const QByteArray &bytes,
                     QString *whyNot);
