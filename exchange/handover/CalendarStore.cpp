#include "exchange/handover/CalendarStore.h"

#include "exchange/handover/HandOverSettings.h"
#include "ical/IcalText.h"
#include "exchange/handover/SafeFileWrite.h"
#include "res/Tr.h"

#include <QDir>
#include <QUuid>

#include <libical/ical.h>

#include <memory>

namespace {

const char kProductId[] = "-//Fernwise//Quillmark//EN";

struct ComponentDeleter
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// The local minute of t as the file writes it, floating. The file holds a
// four-digit year; years before 100 are refused too, so that the reason the
// user reads names one plain range.
std::optional<QByteArray> FloatingMinute(CalendarTime t)
{
    LocalFields f;
    if (!CalendarTimeOps::ToLocal(t, f) || f.year < 100 || f.year > 9999)
        return std::nullopt;
    return QString::asprintf("%04d%02d%02dT%02d%02d00", f.year, f.month, f.day, f.hour, f.minute).toLatin1();
}

// Made from the text, not from the library's time fields: from those it
// writes any year after 3000 as zeros.
icalproperty *DateTimeProperty(icalproperty_kind kind, const QByteArray &text)
{
    icalproperty *p = icalproperty_new(kind);
    icalproperty_set_value(p, icalvalue_new_from_string(ICAL_DATETIME_VALUE, text.constData()));
    return p;
}

icaltimetype Utc(CalendarTime t)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(t), 0, icaltimezone_get_utc_timezone());
}

// The library's own parser refuses an empty SUMMARY or DESCRIPTION, so an
// empty text is left out rather than written.
void AddText(icalcomponent *c, icalproperty *(*make)(const char *), const QString &text)
{
    const QString clean = IcalText::Clean(text);
    if (!clean.isEmpty())
        icalcomponent_add_property(c, make(clean.toUtf8().constData()));
}

// A new item with what every item carries: a fresh UID, the stamp of now,
// and its texts.
Component NewItem(icalcomponent *(*make)(), const QString &uid, CalendarTime stamp,
                  const QString &summary, const QString &description)
{
    Component c(make());
    icalcomponent_add_property(c.get(), icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(c.get(), icalproperty_new_dtstamp(Utc(stamp)));
    AddText(c.get(), icalproperty_new_summary, summary);
    AddText(c.get(), icalproperty_new_description, description);
    return c;
}

// How many seconds before the due time or start a reminder goes off; none
// when the user wants no reminder.
std::optional<int> SecondsBefore(Reminder reminder)
{
    constexpr int kMinute = 60;
    switch (reminder) {
    case Reminder::None:
        return std::nullopt;
    case Reminder::AtTheTime:
        return 0;
    case Reminder::QuarterHourBefore:
        return 15 * kMinute;
    case Reminder::HourBefore:
        return 60 * kMinute;
    case Reminder::DayBefore:
        return 24 * 60 * kMinute;
    }
    return std::nullopt;
}

// A display alarm, the calendar's own kind of reminder. A to-do's is set
// from its due time (RELATED=END), an event's from its start. The format
// requires a DESCRIPTION, the text the reminder shows: the item's name, or
// where that is left empty its description, or else the program's name,
// never a translated word, so the file is the same in every language.
void AddReminder(icalcomponent *item, Reminder reminder, bool fromDue, const QString &summary,
                 const QString &description)
{
    const std::optional<int> before = SecondsBefore(reminder);
    if (!before)
        return;
    QString text = IcalText::Clean(summary);
    if (text.isEmpty())
        text = IcalText::Clean(description);
    if (text.isEmpty())
        text = QStringLiteral("Quillmark");

    icalproperty *trigger = icalproperty_new_trigger(icaltriggertype_from_int(-*before));
    if (fromDue)
        icalproperty_add_parameter(trigger, icalparameter_new_related(ICAL_RELATED_END));

    icalcomponent *alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, trigger);
    icalcomponent_add_property(alarm, icalproperty_new_description(text.toUtf8().constData()));
    icalcomponent_add_component(item, alarm);
}

// The file's bytes: a VCALENDAR holding the one item.
QByteArray Wrap(Component item)
{
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_component(cal.get(), item.release());
    char *text = icalcomponent_as_ical_string_r(cal.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

bool Refuse(QString *whyNot)
{
    if (whyNot)
        *whyNot = Tr::tr("the date lies outside the years 100 to 9999");
    return false;
}

QString NewUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

CCalendarStore::CCalendarStore(QString tasksFolder, QString calendarFolder, Reminder reminder)
    : m_tasksFolder(std::move(tasksFolder)), m_calendarFolder(std::move(calendarFolder)), m_reminder(reminder)
{
}

CCalendarStore CCalendarStore::FromSettings()
{
    return CCalendarStore(HandOverSettings::TasksFolder(), HandOverSettings::CalendarFolder(),
                          HandOverSettings::ItemReminder());
}

// A folder that cannot be made is not reported here: writing into it fails
// with a reason that names the path.
void CCalendarStore::MakeFolders() const
{
    QDir().mkpath(m_tasksFolder);
    QDir().mkpath(m_calendarFolder);
}

bool CCalendarStore::AddTask(const TaskValues &task, QString *whyNot)
{
    std::optional<QByteArray> due;
    if (task.due && !(due = FloatingMinute(*task.due)))
        return Refuse(whyNot);

    const QString uid = NewUid();
    const CalendarTime now = CalendarTimeOps::Now();
    Component todo = NewItem(icalcomponent_new_vtodo, uid, now, task.summary, task.description);
    if (due)
        icalcomponent_add_property(todo.get(), DateTimeProperty(ICAL_DUE_PROPERTY, *due));
    if (task.completed) {
        icalcomponent_add_property(todo.get(), icalproperty_new_status(ICAL_STATUS_COMPLETED));
        icalcomponent_add_property(todo.get(), icalproperty_new_completed(Utc(now)));
        icalcomponent_add_property(todo.get(), icalproperty_new_percentcomplete(100));
    } else {
        icalcomponent_add_property(todo.get(), icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
    }
    if (due)
        AddReminder(todo.get(), m_reminder, true, task.summary, task.description);
    MakeFolders();
    return WriteFileSafely(m_tasksFolder, uid + QStringLiteral(".ics"), Wrap(std::move(todo)), whyNot);
}

bool CCalendarStore::AddEvent(const EventValues &event, QString *whyNot)
{
    const std::optional<QByteArray> start = FloatingMinute(event.start);
    if (!start)
        return Refuse(whyNot);

    const QString uid = NewUid();
    Component vevent = NewItem(icalcomponent_new_vevent, uid, CalendarTimeOps::Now(), event.summary,
                               event.description);
    icalcomponent_add_property(vevent.get(), DateTimeProperty(ICAL_DTSTART_PROPERTY, *start));
    AddReminder(vevent.get(), m_reminder, false, event.summary, event.description);
    MakeFolders();
    return WriteFileSafely(m_calendarFolder, uid + QStringLiteral(".ics"), Wrap(std::move(vevent)), whyNot);
}
