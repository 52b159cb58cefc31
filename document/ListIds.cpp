#include "document/ListIds.h"

#include "platform/ReplacingFile.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// An item's or a name's content as a number that stays the same from run to
// run (the identities file keeps it): FNV-1a over the fields, a text over
// its UTF-16 code units, little-endian.
class Fnv
{
public:
    static constexpr quint64 kPrime = 1099511628211ULL;

    void Bytes(const void *data, size_t size)
    {
        const auto *p = static_cast<const unsigned char *>(data);
        for (size_t i = 0; i < size; ++i)
            Byte(p[i]);
    }
    void Text(QAnyStringView text)
    {
        text.visit([this](auto view) { Units(view); });
        // No character: one text never runs into the next.
        Byte(0xff);
        Byte(0xff);
    }
    template <typename T> void Value(T value) { Bytes(&value, sizeof value); }
    quint64 Hash() const { return m_hash; }

private:
    void Byte(unsigned char byte)
    {
        m_hash ^= byte;
        m_hash *= kPrime;
    }
    // A Latin-1 character is its code and a zero byte: the zero leaves the
    // hash as it is before its multiplication, so both take one. Saving a
    // long list hashes every text of it.
    void Units(QLatin1StringView text)
    {
        constexpr quint64 kPrimeSquared = kPrime * kPrime;
        for (const char c : text)
            m_hash = (m_hash ^ uchar(c)) * kPrimeSquared;
    }
    void Units(QStringView text)
    {
        for (const QChar c : text) {
            Byte(uchar(c.unicode() & 0xff));
            Byte(uchar(c.unicode() >> 8));
        }
    }
    void Units(QUtf8StringView text)
    {
        const QString wide = text.toString();
        Units(QStringView(wide));
    }

    quint64 m_hash = 14695981039346656037ULL;
};

quint64 NameKey(QAnyStringView name)
{
    Fnv f;
    f.Text(name);
    return f.Hash();
}

struct ItemShape
{
    quint64 content = 0;
    quint64 name = 0;
};

struct ListShape
{
    quint64 name = 0;
    QList<ItemShape> items;

    quint64 ItemsKey() const
    {
        Fnv f;
        for (const ItemShape &item : items)
            f.Value(item.content);
        return f.Hash();
    }
};

ItemShape Shape(const CListItem &item)
{
    Fnv f;
    f.Text(item.m_strName.View());
    // The content's hash starts as the name's own: the name is read once.
    const quint64 name = f.Hash();
    f.Text(item.m_strDesc.View());
    quint64 price = 0;
    static_assert(sizeof price == sizeof item.m_dPrice);
    std::memcpy(&price, &item.m_dPrice, sizeof price);
    f.Value(price);
    f.Value(qint64(item.m_time));
    f.Value(qint32(item.m_nIcon));
    f.Value(quint8((item.m_bDone ? 1 : 0) | (item.m_bDated ? 2 : 0)));
    return {f.Hash(), name};
}

ListShape Shape(const CListItemArray &list)
{
    ListShape shape{NameKey(list.m_strName), {}};
    shape.items.reserve(list.m_items.size());
    for (const CListItem &item : list.m_items)
        shape.items << Shape(item);
    return shape;
}

// Positions not yet taken, by key, first come first served.
class Pool
{
public:
    void Add(quint64 key, int list, int item) { m_free[key].append({list, item}); }
    std::optional<std::pair<int, int>> Take(quint64 key, int onlyList = -1)
    {
        auto it = m_free.find(key);
        if (it == m_free.end())
            return std::nullopt;
        QList<std::pair<int, int>> &places = *it;
        for (qsizetype i = 0; i < places.size(); ++i) {
            const std::pair<int, int> place = places.at(i);
            if (m_taken.contains(place)) {
                places.removeAt(i--);
                continue;
            }
            if (onlyList >= 0 && place.first != onlyList)
                continue;
            places.removeAt(i);
            m_taken.insert(place);
            return place;
        }
        return std::nullopt;
    }
    void MarkTaken(int list, int item) { m_taken.insert({list, item}); }

private:
    QHash<quint64, QList<std::pair<int, int>>> m_free;
    QSet<std::pair<int, int>> m_taken;
};

// The heart of Carry, on shapes; `listOf` holds what is matched already.
CollectionIds CarryShapes(const QList<ListShape> &before, const CollectionIds &beforeIds,
                          const QList<ListShape> &after, QList<int> listOf, QList<bool> usedBefore,
                          const CollectionIds &matchedIds)
{
    QList<quint64> beforeKeys;
    QList<quint64> afterKeys;
    for (const ListShape &list : before)
        beforeKeys << list.ItemsKey();
    for (const ListShape &list : after)
        afterKeys << list.ItemsKey();
    const auto pairLists = [&](auto same) {
        for (qsizetype i = 0; i < after.size(); ++i) {
            for (qsizetype j = 0; j < before.size() && listOf.at(i) < 0; ++j) {
                if (!usedBefore.at(j) && same(after.at(i), before.at(j), afterKeys.at(i) == beforeKeys.at(j))) {
                    listOf[i] = int(j);
                    usedBefore[j] = true;
                }
            }
        }
    };
    // A list renamed keeps its items; one of the same name that changed
    // comes before another that holds the same items (a copy).
    pairLists([](const ListShape &a, const ListShape &b, bool sameItems) { return sameItems && a.name == b.name; });
    pairLists([](const ListShape &a, const ListShape &b, bool) { return a.name == b.name; });
    pairLists([](const ListShape &a, const ListShape &, bool sameItems) { return sameItems && !a.items.isEmpty(); });

    CollectionIds ids(after.size());
    Pool content;
    Pool names;
    for (qsizetype j = 0; j < before.size(); ++j) {
        for (qsizetype k = 0; k < before.at(j).items.size(); ++k) {
            content.Add(before.at(j).items.at(k).content, int(j), int(k));
            names.Add(before.at(j).items.at(k).name, int(j), int(k));
        }
    }
    const auto take = [&](std::pair<int, int> place) {
        content.MarkTaken(place.first, place.second);
        names.MarkTaken(place.first, place.second);
        return beforeIds.at(place.first).items.at(place.second);
    };
    // The same content in the same list, then the same name there, then the
    // same content in any list that changed (an item moved), the lists
    // found again before those that are new (a copy made elsewhere).
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (!matchedIds.at(i).list.isEmpty())
            ids[i] = matchedIds.at(i);
        else
            ids[i] = ListIds{listOf.at(i) >= 0 ? beforeIds.at(listOf.at(i)).list : ListIdentity::NewId(),
                             QList<QString>(after.at(i).items.size())};
    }
    for (int pass = 0; pass < 4; ++pass) {
        for (qsizetype i = 0; i < after.size(); ++i) {
            const int from = listOf.at(i);
            if (!matchedIds.at(i).list.isEmpty() || (pass < 3 && from < 0) || (pass == 3 && from >= 0))
                continue;
            for (qsizetype k = 0; k < after.at(i).items.size(); ++k) {
                if (!ids.at(i).items.at(k).isEmpty())
                    continue;
                const ItemShape &item = after.at(i).items.at(k);
                std::optional<std::pair<int, int>> place;
                if (pass == 0)
                    place = content.Take(item.content, from);
                else if (pass == 1)
                    place = names.Take(item.name, from);
                else
                    place = content.Take(item.content);
                if (place)
                    ids[i].items[k] = take(*place);
            }
        }
    }
    for (ListIds &list : ids) {
        for (QString &id : list.items) {
            if (id.isEmpty())
                id = ListIdentity::NewId();
        }
    }
    return ids;
}

constexpr char kMagic[] = "QuillmarkIds 1";
// Some tens of bytes an item; a file far larger holds no identities.
constexpr qint64 kMaxFileBytes = 1024LL * 1024 * 1024;

// The identities file as it is written: a file of a million items is some
// fifty megabytes, written at every save, so its pieces go into one buffer
// that goes to the file a megabyte at a time (one buffer the size of the
// file cost more in fresh memory than the writing).
class IdsWriter
{
public:
    static constexpr qsizetype kChunk = 1024 * 1024;

    explicit IdsWriter(QIODevice &device)
        : m_device(device)
    {
        m_bytes.resize(kChunk);
    }

    void Put(QByteArrayView text)
    {
        std::memcpy(Room(text.size()), text.data(), size_t(text.size()));
        m_used += text.size();
    }
    void Put(char c)
    {
        *Room(1) = c;
        ++m_used;
    }
    void PutHex(quint64 value)
    {
        char digits[16];
        int n = 0;
        do {
            digits[n++] = "0123456789abcdef"[value & 0xf];
            value >>= 4;
        } while (value);
        char *out = Room(n);
        m_used += n;
        while (n > 0)
            *out++ = digits[--n];
    }
    void PutText(const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() >= 0x80) {
                Put(QByteArrayView(text.toUtf8()));
                return;
            }
        }
        char *out = Room(text.size());
        for (const QChar c : text)
            *out++ = char(c.unicode());
        m_used += text.size();
    }
    // Writes what is buffered; false once any write failed.
    bool Flush()
    {
        if (m_ok && m_used > 0)
            m_ok = m_device.write(m_bytes.constData(), m_used) == m_used;
        m_used = 0;
        return m_ok;
    }

private:
    char *Room(qsizetype n)
    {
        if (m_used + n > m_bytes.size()) {
            Flush();
            if (n > m_bytes.size())
                m_bytes.resize(n);
        }
        return m_bytes.data() + m_used;
    }

    QIODevice &m_device;
    QByteArray m_bytes;
    qsizetype m_used = 0;
    bool m_ok = true;
};

std::optional<quint64> FromHex(QByteArrayView text)
{
    bool ok = false;
    const quint64 value = text.toULongLong(&ok, 16);
    return ok ? std::optional(value) : std::nullopt;
}

QList<QByteArrayView> Fields(QByteArrayView line)
{
    QList<QByteArrayView> out;
    qsizetype from = 0;
    for (qsizetype space = line.indexOf(' '); space >= 0; space = line.indexOf(' ', from)) {
        out << line.sliced(from, space - from);
        from = space + 1;
    }
    out << line.sliced(from);
    return out;
}

bool ValidId(QByteArrayView id)
{
    if (id.isEmpty() || id.size() > 200)
        return false;
    for (const char c : id) {
        if (uchar(c) <= ' ')
            return false;
    }
    return true;
}

} // namespace

namespace ListIdentity {

QString NewId()
{
    // A random part per run and a count: unique without the cost of a
    // random number for each of a million items.
    static const QString run = QString::number(QRandomGenerator::system()->generate64(), 36);
    static quint64 count = 0;
    // Written in place: a copied list of a million items takes as many.
    char16_t digits[16];
    int n = 0;
    for (quint64 value = ++count; value; value /= 36)
        digits[n++] = char16_t(u"0123456789abcdefghijklmnopqrstuvwxyz"[value % 36]);
    QString id(run.size() + 1 + n, Qt::Uninitialized);
    QChar *out = std::copy(run.cbegin(), run.cend(), id.data());
    *out++ = u'-';
    while (n > 0)
        *out++ = QChar(digits[--n]);
    return id;
}

ListIds Fresh(const CListItemArray &list)
{
    ListIds ids{NewId(), {}};
    ids.items.reserve(list.m_items.size());
    for (qsizetype i = 0; i < list.m_items.size(); ++i)
        ids.items << NewId();
    return ids;
}

CollectionIds Fresh(const CListCollection &lists)
{
    CollectionIds ids;
    for (const CListItemArray &list : lists)
        ids << Fresh(list);
    return ids;
}

CollectionIds Carry(const CListCollection &before, const CollectionIds &beforeIds, const CListCollection &after)
{
    Q_ASSERT(before.size() == beforeIds.size());
    // A list whose items are as they were keeps its identities whole; most
    // lists share their items with the collection before, so this costs a
    // pointer compare.
    QList<int> listOf(after.size(), -1);
    QList<bool> used(before.size(), false);
    CollectionIds matched(after.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        // Renamed or given another icon in place, it holds the same items.
        if (i < before.size() && after.at(i).m_items == before.at(i).m_items
            && (!after.at(i).m_items.isEmpty() || after.at(i).m_strName == before.at(i).m_strName)) {
            listOf[i] = int(i);
            used[i] = true;
        }
    }
    for (qsizetype i = 0; i < after.size(); ++i) {
        for (qsizetype j = 0; j < before.size() && listOf.at(i) < 0; ++j) {
            if (!used.at(j) && after.at(i) == before.at(j)) {
                listOf[i] = int(j);
                used[j] = true;
            }
        }
        if (listOf.at(i) >= 0)
            matched[i] = beforeIds.at(listOf.at(i));
    }
    // The rest by content; the lists matched already hold nothing to find.
    QList<ListShape> beforeShapes(before.size());
    QList<ListShape> afterShapes(after.size());
    for (qsizetype j = 0; j < before.size(); ++j) {
        if (!used.at(j))
            beforeShapes[j] = Shape(before.at(j));
    }
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (listOf.at(i) < 0)
            afterShapes[i] = Shape(after.at(i));
    }
    return CarryShapes(beforeShapes, beforeIds, afterShapes, listOf, used, matched);
}

QString PathBeside(const QString &dataFilePath)
{
    return dataFilePath + QStringLiteral(".ids");
}

const SavedShapes::Shapes &SavedShapes::Of(const QList<CListItem> &items)
{
    // The same items share their block: the list is the one saved.
    for (Entry &entry : m_entries) {
        if (!items.isEmpty() && entry.items.constData() == items.constData() && entry.items.size() == items.size()) {
            entry.used = true;
            return entry.shapes;
        }
    }
    Shapes shapes(size_t(items.size()));
    for (qsizetype k = 0; k < items.size(); ++k) {
        const ItemShape shape = Shape(items.at(k));
        shapes[size_t(k)] = {shape.content, shape.name};
    }
    m_entries.push_front({items, std::move(shapes)});
    return m_entries.front().shapes;
}

void SavedShapes::EndSave()
{
    // A change, its undo and its redo.
    constexpr int kEarlierKept = 3;
    int earlier = 0;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (!it->used && ++earlier > kEarlierKept) {
            it = m_entries.erase(it);
        } else {
            it->used = false;
            ++it;
        }
    }
}

bool Save(const QString &path, const CListCollection &lists, const CollectionIds &ids, QString *whyNot,
          SavedShapes *saved)
{
    Q_ASSERT(lists.size() == ids.size());
    SavedShapes once;
    SavedShapes &shapes = saved ? *saved : once;
    CReplacingFile file(path, CReplacingFile::Links::Follow, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    bool written = file.Open();
    if (written) {
        IdsWriter out(file.Device());
        out.Put(kMagic);
        out.Put('\n');
        for (qsizetype i = 0; i < lists.size(); ++i) {
            const CListItemArray &list = lists.at(i);
            out.Put("L ");
            out.PutText(ids.at(i).list);
            out.Put(' ');
            out.PutHex(NameKey(list.m_strName));
            out.Put(' ');
            out.Put(QByteArray::number(list.m_items.size()));
            out.Put('\n');
            const SavedShapes::Shapes &listShapes = shapes.Of(list.m_items);
            for (qsizetype k = 0; k < list.m_items.size(); ++k) {
                out.PutText(ids.at(i).items.at(k));
                out.Put(' ');
                out.PutHex(listShapes[size_t(k)].first);
                out.Put(' ');
                out.PutHex(listShapes[size_t(k)].second);
                out.Put('\n');
            }
        }
        written = out.Flush() && file.Commit();
    }
    shapes.EndSave();
    if (written)
        return true;
    if (whyNot)
        *whyNot = file.ErrorString().isEmpty() ? file.Device().errorString() : file.ErrorString();
    return false;
}

CollectionIds Load(const QString &path, const CListCollection &lists)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return Carry({}, {}, lists);
    const QByteArray bytes = file.readAll();
    QList<ListShape> shapes;
    CollectionIds ids;
    QSet<QByteArrayView> seen;
    bool ok = bytes.startsWith(QByteArray(kMagic) + '\n');
    qsizetype at = ok ? qsizetype(sizeof kMagic) : bytes.size();
    qsizetype itemsDue = 0;
    while (ok && at < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0) {
            ok = false;
            break;
        }
        const QList<QByteArrayView> fields = Fields(QByteArrayView(bytes).sliced(at, end - at));
        at = end + 1;
        if (itemsDue == 0) {
            std::optional<quint64> name;
            bool countOk = false;
            if (fields.size() == 4 && fields.at(0) == "L" && ValidId(fields.at(1)) && (name = FromHex(fields.at(2))))
                itemsDue = fields.at(3).toLongLong(&countOk);
            ok = countOk && itemsDue >= 0 && !seen.contains(fields.at(1));
            if (ok) {
                seen.insert(fields.at(1));
                shapes << ListShape{*name, {}};
                ids << ListIds{QString::fromUtf8(fields.at(1)), {}};
            }
            continue;
        }
        const std::optional<quint64> content = fields.size() == 3 ? FromHex(fields.at(1)) : std::nullopt;
        const std::optional<quint64> name = fields.size() == 3 ? FromHex(fields.at(2)) : std::nullopt;
        ok = content && name && ValidId(fields.at(0)) && !seen.contains(fields.at(0));
        if (ok) {
            seen.insert(fields.at(0));
            shapes.last().items << ItemShape{*content, *name};
            ids.last().items << QString::fromUtf8(fields.at(0));
            --itemsDue;
        }
    }
    if (!ok || itemsDue != 0)
        return Carry({}, {}, lists);
    QList<ListShape> afterShapes;
    for (const CListItemArray &list : lists)
        afterShapes << Shape(list);
    return CarryShapes(shapes, ids, afterShapes, QList<int>(lists.size(), -1), QList<bool>(shapes.size(), false),
                       CollectionIds(lists.size()));
}

} // namespace ListIdentity
