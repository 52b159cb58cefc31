#include "exchange/handover/SafeFileWrite.h"

#include "platform/FolderFlush.h"
#include "platform/WriteAll.h"

#include <QDir>
#include <QSaveFile>

bool WriteFileSafely(const QString &folder, const QString &fileName, const QByteArray &bytes,
                     QString *whyNot)
{
    const QString path = QDir(folder).filePath(fileName);
    const auto fail = [&](const QString &reason) {
        if (whyNot)
            *whyNot = path + QStringLiteral(": ") + reason;
        return false;
    };

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered: commit() does not check the flush of the last buffered
    // bytes, and a full disk would otherwise leave a cut-off entry in the
    // calendar, or be told as an unknown error.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    if (!WriteAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    QString reason;
    if (!FlushFolder(folder, &reason))
        return fail(reason);
    return true;
}
