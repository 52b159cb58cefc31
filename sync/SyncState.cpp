#include "sync/SyncState.h"

#include "platform/ReplacingFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kFormat = 1;
// A state file is a few hundred bytes an item; one far larger is no state.
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;

} // namespace

const SyncStateItem *SyncStateList::Item(const QString &uid) const
{
    for (const SyncStateItem &item : items) {
        if (item.uid == uid)
            return &item;
    }
    return nullptr;
}

const SyncStateList *SyncState::List(const QString &id) const
{
    for (const SyncStateList &list : lists) {
        if (list.id == id)
            return &list;
    }
    return nullptr;
}

QString SyncState::PathBeside(const QString &dataFilePath)
{
    return dataFilePath + QStringLiteral(".sync");
}

QByteArray SyncState::ToJson() const
{
    QJsonArray listArray;
    for (const SyncStateList &list : lists) {
        QJsonArray items;
        for (const SyncStateItem &item : list.items) {
            items.append(QJsonObject{{QStringLiteral("uid"), item.uid},
                                     {QStringLiteral("href"), item.href},
                                     {QStringLiteral("etag"), QString::fromUtf8(item.etag)},
                                     {QStringLiteral("ics"), QString::fromUtf8(item.ics)}});
        }
        listArray.append(QJsonObject{{QStringLiteral("id"), list.id},
                                 {QStringLiteral("href"), list.href},
                                 {QStringLiteral("name"), list.name},
                                 {QStringLiteral("icon"), list.icon},
                                 {QStringLiteral("syncToken"), list.syncToken},
                                 {QStringLiteral("ctag"), list.ctag},
                                 {QStringLiteral("items"), items},
                                 {QStringLiteral("held"), list.held}});
    }
    const QJsonObject root{{QStringLiteral("format"), kFormat},
                           {QStringLiteral("server"), server},
                           {QStringLiteral("home"), home},
                           {QStringLiteral("lists"), listArray}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<SyncState> SyncState::FromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    if (root.value(u"format").toInt() != kFormat)
        return std::nullopt;
    SyncState state;
    state.server = root.value(u"server").toString();
    state.home = root.value(u"home").toString();
    for (const QJsonValue &l : root.value(u"lists").toArray()) {
        const QJsonObject o = l.toObject();
        SyncStateList list;
        list.id = o.value(u"id").toString();
        list.href = o.value(u"href").toString();
        list.name = o.value(u"name").toString();
        list.icon = o.value(u"icon").toInt();
        list.syncToken = o.value(u"syncToken").toString();
        list.ctag = o.value(u"ctag").toString();
        list.held = o.value(u"held").toString();
        if (list.id.isEmpty() || list.href.isEmpty())
            return std::nullopt;
        for (const QJsonValue &i : o.value(u"items").toArray()) {
            const QJsonObject io = i.toObject();
            SyncStateItem item{io.value(u"uid").toString(), io.value(u"href").toString(),
                               io.value(u"etag").toString().toUtf8(), io.value(u"ics").toString().toUtf8()};
            if (item.uid.isEmpty() || item.href.isEmpty())
                return std::nullopt;
            list.items << item;
        }
        state.lists << list;
    }
    return state;
}

SyncState SyncState::Load(const QString &path, QString *whyNot)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (whyNot)
            *whyNot = file.errorString();
        return {};
    }
    if (file.size() > kMaxFileBytes) {
        if (whyNot)
            *whyNot = QStringLiteral("the sync state file is too large to be one");
        return {};
    }
    std::optional<SyncState> state = FromJson(file.readAll());
    if (!state) {
        if (whyNot)
            *whyNot = QStringLiteral("the sync state file is damaged");
        return {};
    }
    return *state;
}

bool SyncState::Save(const QString &path, QString *whyNot) const
{
    // What the lists hold, and where: the user's alone, as the data file,
    // and replaced as a whole in the same way.
    CReplacingFile file(path, CReplacingFile::Links::Follow, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = ToJson();
    if (file.Open() && file.Device().write(bytes) == bytes.size() && file.Commit())
        return true;
    if (whyNot)
        *whyNot = file.ErrorString().isEmpty() ? file.Device().errorString() : file.ErrorString();
    return false;
}
