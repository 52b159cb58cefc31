#include "exchange/handover/SafeFileWrite.h"

#include "platform/FolderFlush.h"

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
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // commit() does not check the flush of the last buffered bytes: a full
    // disk would otherwise leave a cut-off entry in the calendar.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
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
