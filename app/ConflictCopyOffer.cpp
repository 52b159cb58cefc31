#include "app/ConflictCopyOffer.h"

#include "model/ConflictCopies.h"
#include "model/DataFile.h"
#include "platform/Prompter.h"
#include "res/Strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ConflictCopyOffer {

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
                prompter.Message(parent, Str::ConflictCopyUnreadable(path, file.errorString()));
            continue;
        }
        const DataFile::LoadResult read = DataFile::Read(file, copy);
        if (read.status != DataFile::LoadStatus::Complete) {
            // A cut-off copy is no version anyone saved: merging what could
            // be read would bring back a half list.
            prompter.Message(parent, Str::ConflictCopyUnreadable(path, read.errorString));
            continue;
        }
        if (!prompter.AskYesNo(parent, Str::OfferConflictCopy(QFileInfo(path).fileName(),
                                                               QFileInfo(folder).fileName())))
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
    prompter.Message(parent, Str::ConflictCopiesMerged(int(accepted.size()), listsAdded, itemsAdded,
                                                       ticksTaken, QDir::toNativeSeparators(movedTo)));
    return int(accepted.size());
}

} // namespace ConflictCopyOffer
