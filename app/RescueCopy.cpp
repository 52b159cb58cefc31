#include "app/RescueCopy.h"

#include "model/DataStore.h"
#include "platform/AppPaths.h"
#include "platform/AppSettings.h"
#include "platform/PrivateFolder.h"
#include "prompt/Prompter.h"
#include "res/Tr.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace {

// A name no earlier copy has: the date and time, and a number when two
// copies fall within the same second.
QString FreePath(const QDir &folder)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString path = folder.filePath(QStringLiteral("Quillmark-rescue-%1.dat").arg(stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("Quillmark-rescue-%1-%2.dat").arg(stamp).arg(n));
    return path;
}

} // namespace

namespace RescueCopy {

bool Write(const CListCollection &lists, QString *copyPath, QString *errorString)
{
    QString error;
    for (const QString &folder : AppPaths::RescueFolders()) {
        // The copy holds the user's lists: nobody else may look into its
        // folder (the copy itself is made for the owner alone).
        if (!PrivateFolder::Make(folder, &error))
            continue;
        const QString path = FreePath(QDir(folder));
        CDataStore store(path);
        // A save that failed only in flushing the folder left a whole copy:
        // still the best there is.
        if (!store.Save(lists) && !QFileInfo::exists(path)) {
            error = store.ErrorString();
            continue;
        }
        AppSettings::kRescueCopy.Write(path);
        if (copyPath)
            *copyPath = path;
        return true;
    }
    if (errorString)
        *errorString = error;
    return false;
}

void TellOnceIfWritten(QWidget *parent, Prompter &prompter, const QString &dataPath)
{
    const QString path = AppSettings::kRescueCopy.Read();
    if (path.isEmpty())
        return;
    AppSettings::kRescueCopy.Write(QString());
    if (QFileInfo::exists(path))
        prompter.Message(parent,
                         Tr::tr("When Quillmark last ended, your lists could not be saved to %2 and were "
                                "kept in the rescue copy %1. The lists shown now are those of %2. To use "
                                "the rescued ones, quit Quillmark and put that file in place of %2.")
                                 .arg(path, dataPath));
}

} // namespace RescueCopy
