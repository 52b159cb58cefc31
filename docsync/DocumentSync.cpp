#include "docsync/DocumentSync.h"

#include "document/QuillmarkDoc.h"
#include "res/Tr.h"
#include "sync/ItemMerge.h"
#include "sync/SyncState.h"

#include <QHash>

namespace {

QList<SyncList> ToSync(const CListCollection &lists, const CollectionIds &ids)
{
    QList<SyncList> out;
    out.reserve(lists.size());
    for (qsizetype i = 0; i < lists.size(); ++i) {
        SyncList list{ids.at(i).list, lists.at(i).m_strName, lists.at(i).m_nIcon, {}};
        list.items.reserve(lists.at(i).m_items.size());
        for (qsizetype k = 0; k < lists.at(i).m_items.size(); ++k)
            list.items << SyncItem{ids.at(i).items.at(k), lists.at(i).m_items.at(k)};
        out << list;
    }
    return out;
}

bool Same(const SyncList &a, const SyncList &b)
{
    if (a.id != b.id || a.name != b.name || a.icon != b.icon || a.items.size() != b.items.size())
        return false;
    for (qsizetype k = 0; k < a.items.size(); ++k) {
        if (a.items.at(k).uid != b.items.at(k).uid || !(a.items.at(k).item == b.items.at(k).item))
            return false;
    }
    return true;
}

bool Same(const QList<SyncList> &a, const QList<SyncList> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!Same(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

// Where the program puts a new item: before the first whose name compares
// greater.
void InsertSorted(QList<SyncItem> &items, const SyncItem &item)
{
    qsizetype at = 0;
    while (at < items.size() && CompareItemNames(items.at(at).item.m_strName.View(), item.item.m_strName.View()) <= 0)
        ++at;
    items.insert(at, item);
}

template <typename T> QHash<QString, const T *> ById(const QList<T> &values, QString T::*id)
{
    QHash<QString, const T *> out;
    for (const T &value : values)
        out.insert(value.*id, &value);
    return out;
}

// One list that the user changed while the sync ran: the sync's result
// (`synced`), with what the user did since the lists were handed over
// (`handed`, none for a list the server brought) put onto it.
SyncList MergeList(const SyncList *handed, const SyncList &now, const SyncList &synced)
{
    SyncList out{synced.id, synced.name, synced.icon, {}};
    if (handed && now.name != handed->name)
        out.name = now.name;
    if (handed && now.icon != handed->icon)
        out.icon = now.icon;
    const QHash<QString, const SyncItem *> before =
            handed ? ById(handed->items, &SyncItem::uid) : QHash<QString, const SyncItem *>();
    const QHash<QString, const SyncItem *> mine = ById(now.items, &SyncItem::uid);
    const QHash<QString, const SyncItem *> theirs = ById(synced.items, &SyncItem::uid);
    QList<SyncItem> added;
    for (const SyncItem &item : synced.items) {
        const SyncItem *base = before.value(item.uid);
        const SyncItem *own = mine.value(item.uid);
        if (!own) {
            // Removed here meanwhile, or new from the server.
            if (!base)
                out.items << item;
            continue;
        }
        if (!base || own->item == base->item) {
            out.items << (base ? item : *own);
            continue;
        }
        if (item.item == base->item) {
            out.items << *own;
            continue;
        }
        const ItemMerge::Outcome merged = ItemMerge::Merge(base->item, own->item, item.item);
        out.items << SyncItem{item.uid, merged.item};
        if (merged.second)
            added << SyncItem{ListIdentity::NewId(), *merged.second};
    }
    for (const SyncItem &item : now.items) {
        if (theirs.contains(item.uid))
            continue;
        const SyncItem *base = before.value(item.uid);
        // Made here meanwhile, or removed by the sync but changed here since.
        if (!base || !(base->item == item.item))
            added << item;
    }
    for (const SyncItem &item : std::as_const(added))
        InsertSorted(out.items, item);
    return out;
}

// The sync's result with what the user changed meanwhile put onto it.
QList<SyncList> MergeMeanwhile(const QList<SyncList> &handed, const QList<SyncList> &now,
                               const QList<SyncList> &synced)
{
    const QHash<QString, const SyncList *> before = ById(handed, &SyncList::id);
    const QHash<QString, const SyncList *> mine = ById(now, &SyncList::id);
    const QHash<QString, const SyncList *> theirs = ById(synced, &SyncList::id);
    QList<SyncList> out;
    for (const SyncList &list : synced) {
        const SyncList *base = before.value(list.id);
        const SyncList *own = mine.value(list.id);
        if (!own) {
            if (!base)
                out << list;
            continue;
        }
        out << (base && Same(*own, *base) ? list : MergeList(base, *own, list));
    }
    for (const SyncList &list : now) {
        if (theirs.contains(list.id))
            continue;
        const SyncList *base = before.value(list.id);
        if (!base || !Same(*base, list))
            out << list;
    }
    return out;
}

} // namespace

CDocumentSync::CDocumentSync(CQuillmarkDoc &doc, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
{
    connect(&m_engine, &CSyncEngine::finished, this, &CDocumentSync::Finished);
}

CDocumentSync::~CDocumentSync() = default;

void CDocumentSync::SetAccount(const SyncAccount &account)
{
    m_account = account;
}

void CDocumentSync::SyncNow()
{
    if (IsRunning())
        m_again = true;
    else
        Begin();
}

void CDocumentSync::Stop()
{
    m_again = false;
    m_engine.Stop();
}

void CDocumentSync::Begin()
{
    m_again = false;
    if (!IsSetUp() || m_doc.Path().isEmpty())
        return;
    m_handed = ToSync(m_doc.Lists(), m_doc.Ids());
    m_statePath = SyncState::PathBeside(m_doc.Path());
    if (m_engine.Start(m_account, m_handed, SyncState::Load(m_statePath)))
        emit started();
}

void CDocumentSync::Finished(const SyncResult &result)
{
    bool changedMeanwhile = false;
    bool keepState = true;
    if (result.ok) {
        const QList<SyncList> now = ToSync(m_doc.Lists(), m_doc.Ids());
        changedMeanwhile = !Same(now, m_handed);
        const QList<SyncList> lists = changedMeanwhile ? MergeMeanwhile(m_handed, now, result.lists) : result.lists;
        CListCollection collection;
        CollectionIds ids;
        for (const SyncList &list : lists) {
            CListItemArray array;
            array.m_strName = list.name;
            array.m_nIcon = list.icon;
            ListIds listIds{list.id, {}};
            array.m_items.reserve(list.items.size());
            listIds.items.reserve(list.items.size());
            for (const SyncItem &item : list.items) {
                array.m_items << item.item;
                listIds.items << item.uid;
            }
            collection << array;
            ids << listIds;
        }
        //: The name of a change after "&Undo" and "&Redo": what a sync brought in.
        m_doc.ChangeFromElsewhere(Tr::tr("Changes from the Server"), collection, ids);
        // A state that speaks of lists the data file does not hold would
        // have the next sync undo on the server what it just brought here:
        // until they are saved, the last state stays.
        keepState = !m_doc.HasUnsavedChanges();
    }
    if (keepState) {
        QString why;
        if (!result.state.Save(m_statePath, &why))
            qWarning("The sync state could not be written: %s", qPrintable(why));
    }
    m_handed.clear();
    emit finished(result);
    if (changedMeanwhile || m_again)
        Begin();
}
