#include "model/ConflictCopies.h"

#include "model/ListMatch.h"
#include "res/Tr.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace ConflictCopies {

namespace {

// Beside the data file, so that a synced folder carries it along to the
// other computers, which then no longer find the copy either.
QString MergedFolderName() { return QStringLiteral("Merged conflict copies"); }

QRegularExpression CopyPattern(const QString &dataFileName)
{
    const QFileInfo info(dataFileName);
    const QString base = QRegularExpression::escape(info.completeBaseName());
    const QString ext = info.suffix().isEmpty()
            ? QString()
            : QStringLiteral("\\.") + QRegularExpression::escape(info.suffix());
    const QString forms[] = {
        // Syncthing: the date, the time and the first letters of the device
        // (older versions wrote no device).
        QStringLiteral("\\.sync-conflict-\\d{8}-\\d{6}(-[A-Z0-9]{7})?"),
        // Nextcloud: the date and the time.
        QStringLiteral(" \\(conflicted copy \\d{4}-\\d{2}-\\d{2} \\d{6}\\)"),
        // Dropbox: the device's name and the date, and a number when that
        // name was taken already.
        QStringLiteral(" \\([^()]+['\u2019]s conflicted copy \\d{4}-\\d{2}-\\d{2}( \\(\\d+\\))?\\)( \\(\\d+\\))?"),
    };
    QStringList alternatives;
    for (const QString &form : forms)
        alternatives.append(form);
    return QRegularExpression(QStringLiteral("\\A") + base + QStringLiteral("(?:")
                              + alternatives.join(u'|') + QStringLiteral(")") + ext
                              + QStringLiteral("\\z"));
}

} // namespace

QStringList Find(const QString &dataFilePath)
{
    // A data file that is a link into a synced folder has its copies beside
    // the file it points to, named after that file.
    const QFileInfo data(dataFilePath);
    QList<QFileInfo> places{data};
    const QString target = data.canonicalFilePath();
    if (!target.isEmpty() && target != QFileInfo(data.absolutePath()).canonicalFilePath() + u'/' + data.fileName())
        places.append(QFileInfo(target));
    QStringList copies;
    for (const QFileInfo &place : std::as_const(places)) {
        const QDir dir = place.absoluteDir();
        const QRegularExpression pattern = CopyPattern(place.fileName());
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        for (const QString &name : names) {
            if (pattern.match(name).hasMatch())
                copies.append(dir.filePath(name));
        }
    }
    return copies;
}

Merged Merge(const CListCollection &ours, const CListCollection &copy)
{
    Merged merged;
    merged.lists = ours;
    for (qsizetype c = 0; c < copy.size(); ++c) {
        const CListItemArray &copyList = copy.at(c);
        // Looked up among our own lists only: the lists added below are not
        // ours, so a second list of one name in the copy is added too.
        const qsizetype o = ListMatch::NthListNamed(ours, copyList.m_strName,
                                                    ListMatch::ListOccurrence(copy, c));
        if (o < 0) {
            merged.lists.append(copyList);
            ++merged.listsAdded;
            continue;
        }
        if (copyList.m_items == ours.at(o).m_items)
            continue;

        CListItemArray &list = merged.lists[o];
        QHash<QString, QList<qsizetype>> byName;
        for (qsizetype i = 0; i < list.m_items.size(); ++i)
            byName[list.m_items.at(i).m_strName].append(i);
        QList<bool> matched(list.m_items.size(), false);
        QList<CListItem> added;
        for (const CListItem &item : copyList.m_items) {
            qsizetype found = -1;
            for (const qsizetype i : byName.value(item.m_strName)) {
                if (!matched.at(i) && ListMatch::SameEntry(list.m_items.at(i), item)) {
                    found = i;
                    break;
                }
            }
            if (found < 0) {
                added.append(item);
                continue;
            }
            matched[found] = true;
            if (item.m_bDone && !list.m_items.at(found).m_bDone) {
                list.m_items[found].m_bDone = true;
                ++merged.ticksTaken;
            }
        }
        for (CListItem &item : added)
            list.AddItemSorted(std::move(item));
        merged.itemsAdded += int(added.size());
    }
    return merged;
}

QString MergedFolder(const QString &dataFilePath)
{
    const QString target = QFileInfo(dataFilePath).canonicalFilePath();
    return QFileInfo(target.isEmpty() ? dataFilePath : target).absoluteDir().filePath(MergedFolderName());
}

QString MoveAside(const QString &copyPath, QString *error)
{
    // In the copy's own folder: the same disk, and the same synced folder.
    const QDir folder(QFileInfo(copyPath).absoluteDir().filePath(MergedFolderName()));
    if (!folder.mkpath(QStringLiteral("."))) {
        if (error)
            *error = Tr::tr("the folder %1 could not be made").arg(folder.path());
        return QString();
    }
    const QFileInfo copy(copyPath);
    QString target = folder.filePath(copy.fileName());
    for (int n = 2; QFileInfo::exists(target); ++n) {
        const QString suffix = copy.suffix().isEmpty() ? QString() : u'.' + copy.suffix();
        target = folder.filePath(QStringLiteral("%1 (%2)%3").arg(copy.completeBaseName(),
                                                                 QString::number(n), suffix));
    }
    // Never overwrites: QFile::rename leaves an existing target alone.
    QFile file(copyPath);
    if (!file.rename(target)) {
        if (error)
            *error = file.errorString();
        return QString();
    }
    return target;
}

} // namespace ConflictCopies
