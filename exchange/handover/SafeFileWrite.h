#pragma once

#include <QByteArray>
#include <QString>

// Writes a new file so that it either appears whole under its name or not at
// all (QSaveFile: the bytes go to a temporary file that readers of the
// folder's .ics files never see, and it is renamed into place), then makes
// the rename durable. On failure nothing is left behind, and whyNot (if
// given) says what went wrong.
bool WriteFileSafely(const QString &folder, const QString &fileName, const QByteArray &bytes,
                     QString *whyNot);
