#pragma once

#include "model/ConflictCopies.h"

#include <QDir>
#include <QFileInfo>

// What the offer to merge a sync tool's conflict copy asks and, once merged,
// tells, for the data file at `dataPath`.
namespace ConflictOffer {

inline QString Question(const QString &copy, const QString &dataPath)
{
    return QStringLiteral("A sync tool kept another version of your lists beside them, as \"%1\". Merge its lists "
                          "into yours?\n\nWhat only that version holds is added; nothing of yours is removed. The "
                          "copy is then moved into the folder \"%2\" beside your lists.")
            .arg(QFileInfo(copy).fileName(), QFileInfo(ConflictCopies::MergedFolder(dataPath)).fileName());
}

// `counts`: "1 list added, 2 items added to lists you had, 0 ticks taken over".
inline QString Merged(const QString &counts, const QString &dataPath)
{
    return QStringLiteral("Merged the copy: %1. Merged copies are kept in %2.")
            .arg(counts, QDir::toNativeSeparators(ConflictCopies::MergedFolder(dataPath)));
}

} // namespace ConflictOffer
