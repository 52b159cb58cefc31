#include "model/DataFile.h"

#include "model/Archive.h"
#include "res/Tr.h"

#include <QIODevice>

#include <limits>

namespace DataFile {

LoadResult Read(QIODevice &device, CListCollection &lists, CStampHasher *hasher)
{
    CArchiveReader ar(&device, hasher);
    LoadResult result;
    qint32 count = 0;
    if (!ar.ReadLong(count)) {
        // Too short to hold even the count: the collection stays as it was.
        result.status = LoadStatus::Damaged;
        result.errorString = ar.ErrorString();
        return result;
    }
    // A count of zero or below leaves an empty collection.
    lists.clear();
    // Room for as many lists as the file can still hold (a list record
    // takes nine bytes at least), not for whatever a damaged count claims.
    if (const qint64 left = ar.KnownBytesLeft(); count > 0 && left > 0)
        lists.reserve(qMin<qint64>(count, left / 9));
    CListItemArray scratch;
    for (qint32 i = 0; i < count; ++i) {
        if (!scratch.Serialize(ar)) {
            // The lists read completely so far are kept.
            result.status = LoadStatus::Damaged;
            result.errorString = ar.ErrorString();
            return result;
        }
        lists.append(std::move(scratch));
    }
    // Bytes after the lists the count announces are lists the count no
    // longer knows of (a damaged count): saving only what was read would
    // drop them.
    if (!ar.AtEnd()) {
        result.status = LoadStatus::Damaged;
        result.errorString =
                ar.Ok() ? Tr::tr("the file holds more than its list count announces (byte %1)").arg(ar.Offset())
                        : ar.ErrorString();
        return result;
    }
    result.status = LoadStatus::Complete;
    return result;
}

bool Write(QIODevice &device, const CListCollection &lists, QString *errorString, CStampHasher *hasher)
{
    CArchiveWriter ar(&device, hasher);
    Q_ASSERT(lists.size() <= std::numeric_limits<qint32>::max());
    ar.WriteLong(static_cast<qint32>(lists.size()));
    for (const CListItemArray &list : lists) {
        if (!ar.Ok())
            break;
        list.Serialize(ar);
    }
    if (ar.Flush())
        return true;
    if (errorString)
        *errorString = ar.ErrorString();
    return false;
}

} // namespace DataFile
