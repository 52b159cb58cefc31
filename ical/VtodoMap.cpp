#include "ical/VtodoMap.h"

#include "ical/IcalText.h"
#include "platform/NumberText.h"
#include "res/ResourceIds.h"
#include "ical/ItemFields.h"

#include <libical/ical.h>

#include <QUuid>

#include <memory>

namespace {

const char kProductId[] = "-//Fernwise//Quillmark//EN";
const char kPriceName[] = "X-QUILLMARK-PRICE";
const char kIconName[] = "X-QUILLMARK-ICON";

struct ComponentDeleter
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

QByteArray Text(icalcomponent *c)
{
    char *text = icalcomponent_as_ical_string_r(c);
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

icaltimetype Utc(CalendarTime t)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(t), 0, icaltimezone_get_utc_timezone());
}

void RemoveAll(icalcomponent *c, icalproperty_kind kind)
{
    while (icalproperty *p = icalcomponent_get_first_property(c, kind)) {
        icalcomponent_remove_property(c, p);
        icalproperty_free(p);
    }
}

// The X- property of that name, the first if several.
icalproperty *XProperty(icalcomponent *c, const char *name)
{
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char *x = icalproperty_get_x_name(p);
        if (x && qstricmp(x, name) == 0)
            return p;
    }
    return nullptr;
}

void SetX(icalcomponent *c, const char *name, const QByteArray &value)
{
    while (icalproperty *old = XProperty(c, name)) {
        icalcomponent_remove_property(c, old);
        icalproperty_free(old);
    }
    icalproperty *p = icalproperty_new_x(value.constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

// The parser marks what it could not read with X-LIC-ERROR properties of
// its own; they must not reach the server in a write.
void DropParserNotes(icalcomponent *c)
{
    RemoveAll(c, ICAL_XLICERROR_PROPERTY);
    for (icalcomponent *k = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); k;
         k = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        DropParserNotes(k);
}

// The time zone a TZID names: the object's own VTIMEZONE, else the
// library's built-in zones (an Olson name, as most clients write).
icaltimezone *ZoneOf(icalcomponent *todo, icalproperty *p)
{
    icalparameter *param = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    if (!param)
        return nullptr;
    const char *tzid = icalparameter_get_tzid(param);
    if (!tzid)
        return nullptr;
    for (icalcomponent *c = todo; c; c = icalcomponent_get_parent(c)) {
        if (icaltimezone *zone = icalcomponent_get_timezone(c, tzid))
            return zone;
    }
    if (icaltimezone *zone = icaltimezone_get_builtin_timezone(tzid))
        return zone;
    return icaltimezone_get_builtin_timezone_from_tzid(tzid);
}

// A DUE or DTSTART as the local moment it stands for: UTC and zoned times
// converted, floating ones and days alone taken as local (a day at noon).
std::optional<CalendarTime> ReadTime(icalcomponent *todo, icalproperty_kind kind)
{
    icalproperty *p = icalcomponent_get_first_property(todo, kind);
    if (!p)
        return std::nullopt;
    icalvalue *value = icalproperty_get_value(p);
    if (!value)
        return std::nullopt;
    const icalvalue_kind valueKind = icalvalue_isa(value);
    if (valueKind != ICAL_DATETIME_VALUE && valueKind != ICAL_DATE_VALUE)
        return std::nullopt;
    icaltimetype t = icalvalue_get_datetime(value);
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return std::nullopt;
    CalendarTime out = 0;
    if (t.is_date) {
        if (!CalendarTimeOps::FromLocal(t.year, t.month, t.day, 12, 0, 0, out))
            return std::nullopt;
        return out;
    }
    if (icaltime_is_utc(t))
        return static_cast<CalendarTime>(icaltime_as_timet_with_zone(t, icaltimezone_get_utc_timezone()));
    if (icaltimezone *zone = ZoneOf(todo, p))
        return static_cast<CalendarTime>(icaltime_as_timet_with_zone(t, zone));
    if (!CalendarTimeOps::FromLocal(t.year, t.month, t.day, t.hour, t.minute, t.second, out))
        return std::nullopt;
    return out;
}

// The local second of t as the object carries it, floating; none for a year
// the format cannot hold.
icalproperty *FloatingDue(CalendarTime t)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(t, f) || f.year < 1 || f.year > 9999)
        return nullptr;
    const QByteArray text =
            QString::asprintf("%04d%02d%02dT%02d%02d%02d", f.year, f.month, f.day, f.hour, f.minute, f.second)
                    .toLatin1();
    icalproperty *p = icalproperty_new(ICAL_DUE_PROPERTY);
    icalproperty_set_value(p, icalvalue_new_from_string(ICAL_DATETIME_VALUE, text.constData()));
    return p;
}

bool ReadDone(icalcomponent *todo)
{
    if (icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY))
        return true;
    if (icalproperty *p = icalcomponent_get_first_property(todo, ICAL_STATUS_PROPERTY)) {
        const icalproperty_status status = icalproperty_get_status(p);
        if (status == ICAL_STATUS_COMPLETED || status == ICAL_STATUS_CANCELLED)
            return true;
    }
    if (icalproperty *p = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY))
        return icalproperty_get_percentcomplete(p) >= 100;
    return false;
}

QString ReadText(icalcomponent *todo, icalproperty_kind kind)
{
    icalproperty *p = icalcomponent_get_first_property(todo, kind);
    if (!p)
        return QString();
    const char *text = kind == ICAL_SUMMARY_PROPERTY ? icalproperty_get_summary(p) : icalproperty_get_description(p);
    return text ? QString::fromUtf8(text) : QString();
}

CListItem ReadItem(icalcomponent *todo)
{
    CListItem item;
    item.SetName(ReadText(todo, ICAL_SUMMARY_PROPERTY));
    item.SetDescription(ReadText(todo, ICAL_DESCRIPTION_PROPERTY));
    item.m_bDone = ReadDone(todo);
    std::optional<CalendarTime> date = ReadTime(todo, ICAL_DUE_PROPERTY);
    if (!date)
        date = ReadTime(todo, ICAL_DTSTART_PROPERTY);
    item.m_bDated = date.has_value();
    if (date)
        item.m_time = *date;
    item.m_dPrice = 0.0;
    if (icalproperty *p = XProperty(todo, kPriceName)) {
        if (const char *x = icalproperty_get_x(p))
            item.m_dPrice = NumberText::ParseCDouble(QByteArray(x).trimmed());
    }
    item.m_nIcon = VtodoMap::DefaultItemIcon();
    if (icalproperty *p = XProperty(todo, kIconName)) {
        bool ok = false;
        const int icon = QByteArray(icalproperty_get_x(p)).trimmed().toInt(&ok);
        if (ok)
            item.m_nIcon = icon;
    }
    return item;
}

void WriteText(icalcomponent *todo, icalproperty *(*make)(const char *), icalproperty_kind kind,
               const QString &text)
{
    RemoveAll(todo, kind);
    // The library's own parser refuses an empty SUMMARY or DESCRIPTION.
    const QString clean = IcalText::Clean(text);
    if (!clean.isEmpty())
        icalcomponent_add_property(todo, make(clean.toUtf8().constData()));
}

void WriteField(icalcomponent *todo, ItemFields::Field field, const CListItem &item, CalendarTime now)
{
    switch (field) {
    case ItemFields::Name:
        WriteText(todo, icalproperty_new_summary, ICAL_SUMMARY_PROPERTY, item.m_strName);
        break;
    case ItemFields::Description:
        WriteText(todo, icalproperty_new_description, ICAL_DESCRIPTION_PROPERTY, item.m_strDesc);
        break;
    case ItemFields::Price:
        SetX(todo, kPriceName, NumberText::FormatFixed2(item.m_dPrice).toLatin1());
        break;
    case ItemFields::Icon:
        SetX(todo, kIconName, QByteArray::number(item.m_nIcon));
        break;
    case ItemFields::Date: {
        RemoveAll(todo, ICAL_DUE_PROPERTY);
        // A DURATION stands for the due time where no DUE is; both may not be.
        RemoveAll(todo, ICAL_DURATION_PROPERTY);
        if (!item.m_bDated) {
            // The start was read as the date where no DUE was: the user took
            // the date away, so it goes too.
            RemoveAll(todo, ICAL_DTSTART_PROPERTY);
            break;
        }
        if (icalproperty *due = FloatingDue(item.m_time))
            icalcomponent_add_property(todo, due);
        // A start after the due time is not allowed.
        const std::optional<CalendarTime> start = ReadTime(todo, ICAL_DTSTART_PROPERTY);
        if (start && *start > item.m_time)
            RemoveAll(todo, ICAL_DTSTART_PROPERTY);
        break;
    }
    case ItemFields::Done:
        RemoveAll(todo, ICAL_STATUS_PROPERTY);
        RemoveAll(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
        if (item.m_bDone) {
            icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
            if (!icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY))
                icalcomponent_add_property(todo, icalproperty_new_completed(Utc(now)));
            icalcomponent_add_property(todo, icalproperty_new_percentcomplete(100));
        } else {
            RemoveAll(todo, ICAL_COMPLETED_PROPERTY);
            icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        }
        break;
    }
}

void Stamp(icalcomponent *todo, CalendarTime now)
{
    RemoveAll(todo, ICAL_DTSTAMP_PROPERTY);
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(Utc(now)));
    RemoveAll(todo, ICAL_LASTMODIFIED_PROPERTY);
    icalcomponent_add_property(todo, icalproperty_new_lastmodified(Utc(now)));
    if (icalproperty *p = icalcomponent_get_first_property(todo, ICAL_SEQUENCE_PROPERTY))
        icalproperty_set_sequence(p, icalproperty_get_sequence(p) + 1);
}

Component NewCalendar()
{
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    return cal;
}

void AddTodo(icalcomponent *cal, const CListItem &item, const QString &uid, CalendarTime now)
{
    icalcomponent *todo = icalcomponent_new_vtodo();
    icalcomponent_add_component(cal, todo);
    icalcomponent_add_property(todo, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(Utc(now)));
    icalcomponent_add_property(todo, icalproperty_new_created(Utc(now)));
    icalcomponent_add_property(todo, icalproperty_new_lastmodified(Utc(now)));
    for (ItemFields::Field f : ItemFields::kAll)
        WriteField(todo, f, item, now);
}

void AddTodosOf(icalcomponent *cal, QList<CListItem> &items)
{
    for (icalcomponent *c = icalcomponent_get_first_component(cal, ICAL_VTODO_COMPONENT); c;
         c = icalcomponent_get_next_component(cal, ICAL_VTODO_COMPONENT))
        items.append(ReadItem(c));
}

// The calendar object and its one VTODO.
struct Parsed
{
    Component root;
    icalcomponent *todo = nullptr;
};

std::optional<Parsed> Parse(const QByteArray &ics, QString *whyNot)
{
    const auto fail = [&](const QString &reason) -> std::optional<Parsed> {
        if (whyNot)
            *whyNot = reason;
        return std::nullopt;
    };
    Parsed out;
    out.root.reset(icalparser_parse_string(ics.constData()));
    if (!out.root)
        return fail(QStringLiteral("an item on the server is not in the iCalendar format"));
    if (icalcomponent_isa(out.root.get()) == ICAL_VTODO_COMPONENT) {
        out.todo = out.root.get();
    } else {
        if (icalcomponent_count_components(out.root.get(), ICAL_VTODO_COMPONENT) > 1)
            return fail(QStringLiteral("an item on the server holds more than one to-do"));
        out.todo = icalcomponent_get_first_component(out.root.get(), ICAL_VTODO_COMPONENT);
    }
    if (!out.todo)
        return fail(QStringLiteral("an item on the server holds no to-do"));
    const char *uid = icalcomponent_get_uid(out.todo);
    if (!uid || !*uid)
        return fail(QStringLiteral("a to-do on the server has no UID"));
    return out;
}

} // namespace

namespace VtodoMap {

qint32 DefaultItemIcon()
{
    // The item form selects the chooser's first row for a new item.
    return Res::kFirstStripImage;
}

std::optional<Todo> Read(const QByteArray &ics, QString *whyNot)
{
    std::optional<Parsed> parsed = Parse(ics, whyNot);
    if (!parsed)
        return std::nullopt;
    return Todo{QString::fromUtf8(icalcomponent_get_uid(parsed->todo)), ReadItem(parsed->todo)};
}

QByteArray Create(const CListItem &item, const QString &uid, CalendarTime now)
{
    Component cal = NewCalendar();
    AddTodo(cal.get(), item, uid, now);
    return Text(cal.get());
}

QByteArray CreateCalendar(const QString &listName, const QList<CListItem> &items, CalendarTime now)
{
    Component cal = NewCalendar();
    const QString name = IcalText::Clean(listName);
    if (!name.isEmpty()) {
        icalproperty *p = icalproperty_new_x(name.toUtf8().constData());
        icalproperty_set_x_name(p, "X-WR-CALNAME");
        icalcomponent_add_property(cal.get(), p);
    }
    for (const CListItem &item : items)
        AddTodo(cal.get(), item, QUuid::createUuid().toString(QUuid::WithoutBraces), now);
    return Text(cal.get());
}

std::optional<QList<CListItem>> ReadCalendar(const QByteArray &ics)
{
    const Component root(icalparser_parse_string(ics.constData()));
    if (!root)
        return std::nullopt;
    QList<CListItem> items;
    switch (icalcomponent_isa(root.get())) {
    case ICAL_VTODO_COMPONENT:
        items.append(ReadItem(root.get()));
        break;
    case ICAL_VCALENDAR_COMPONENT:
        AddTodosOf(root.get(), items);
        break;
    case ICAL_XROOT_COMPONENT:
        // Several calendars one after the other, as some programs export.
        for (icalcomponent *c = icalcomponent_get_first_component(root.get(), ICAL_ANY_COMPONENT); c;
             c = icalcomponent_get_next_component(root.get(), ICAL_ANY_COMPONENT)) {
            if (icalcomponent_isa(c) == ICAL_VTODO_COMPONENT)
                items.append(ReadItem(c));
            else if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT)
                AddTodosOf(c, items);
        }
        break;
    default:
        return std::nullopt;
    }
    return items;
}

std::optional<QByteArray> Update(const QByteArray &serverIcs, const CListItem &item, CalendarTime now,
                                 QString *whyNot)
{
    std::optional<Parsed> parsed = Parse(serverIcs, whyNot);
    if (!parsed)
        return std::nullopt;
    const CListItem current = ReadItem(parsed->todo);
    bool changed = false;
    for (ItemFields::Field f : ItemFields::kAll) {
        if (!ItemFields::Same(f, item, current)) {
            WriteField(parsed->todo, f, item, now);
            changed = true;
        }
    }
    if (!changed)
        return serverIcs;
    Stamp(parsed->todo, now);
    DropParserNotes(parsed->root.get());
    return Text(parsed->root.get());
}

std::optional<QByteArray> WithNewUid(const QByteArray &ics, const QString &uid)
{
    std::optional<Parsed> parsed = Parse(ics, nullptr);
    if (!parsed)
        return std::nullopt;
    icalcomponent_set_uid(parsed->todo, uid.toUtf8().constData());
    DropParserNotes(parsed->root.get());
    return Text(parsed->root.get());
}

} // namespace VtodoMap
