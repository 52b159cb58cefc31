#include "app/ConflictCopyOffer.h"

#include "model/ConflictCopies.h"
#include "model/DataFile.h"
#include "prompt/Prompter.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ConflictCopyOffer {

namespace {
QString Unreadable(const QString &copyPath, const QString &reason)
{
    return Tr::tr("A sync tool kept another version of your lists as %1, but it cannot "
                  "be read (%2). It was left where it is.")
            .arg(copyPath, reason);
}
} // namespace

int Run(QWidget *parent, Prompter &prompter, const QString &dataFilePath, const QStringList &copies,
        const CListCollection &lists, const ReplaceAndSave &replaceAndSave)
{
    if (copies.isEmpty())
        return 0;
    const QString folder = ConflictCopies::MergedFolder(dataFilePath);

    CListCollection merged = lists;
    QStringList accepted;
    int listsAdded = 0;
    int itemsAdded = 0;
    int ticksTaken = 0;
    for (const QString &path : copies) {
        CListCollection copy;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            if (file.exists())
                prompter.Message(parent, Unreadable(path, file.errorString()));
            continue;
        }
        const DataFile::LoadResult read = DataFile::Read(file, copy);
        if (read.status != DataFile::LoadStatus::Complete) {
            // A cut-off copy is no version anyone saved: merging what could
            // be read would bring back a half list.
            prompter.Message(parent, Unreadable(path, read.errorString));
            continue;
        }
        const QString offer =
                Tr::tr("A sync tool kept another version of your lists beside them, as "
                       "\"%1\". Merge its lists into yours?\n\nWhat only that version "
                       "holds is added; nothing of yours is removed. The copy is then moved "
                       "into the folder \"%2\" beside your lists.")
                        .arg(QFileInfo(path).fileName(), QFileInfo(folder).fileName());
        if (!prompter.AskYesNo(parent, offer))
            continue;
        ConflictCopies::Merged result = ConflictCopies::Merge(merged, copy);
        merged = std::move(result.lists);
        listsAdded += result.listsAdded;
        itemsAdded += result.itemsAdded;
        ticksTaken += result.ticksTaken;
        accepted.append(path);
    }
    if (accepted.isEmpty())
        return 0;
    if (merged != lists && !replaceAndSave(merged))
        return 0;

    QString movedTo = folder;
    for (const QString &path : std::as_const(accepted)) {
        QString error;
        const QString moved = ConflictCopies::MoveAside(path, &error);
        if (moved.isEmpty())
            prompter.Message(parent, Str::ConflictCopyNotMoved(path, error));
        else
            movedTo = QFileInfo(moved).absolutePath();
    }
    //: One copy is "the copy".
    const QString copiesMerged = Tr::tr("%n copy(s)", nullptr, int(accepted.size()));
    //: %1 is "the copy" or a number of copies; %2, %3 and %4 are numbers of lists, items and ticks.
    prompter.Message(parent, Tr::tr("Merged %1: %2 added, %3 added to lists you had, %4 taken over. "
                                    "Merged copies are kept in %5.")
                                     .arg(copiesMerged, Tr::tr("%n list(s)", nullptr, listsAdded),
                                          Tr::tr("%n item(s)", nullptr, itemsAdded),
                                          Tr::tr("%n tick(s)", nullptr, ticksTaken),
                                          QDir::toNativeSeparators(movedTo)));
    return int(accepted.size());
}

} // namespace ConflictCopyOffer
