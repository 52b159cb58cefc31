#include "exchange/pim/IcsComponents.h"

#include <libical/ical.h>

#include <memory>

namespace {

const char kProductId[] = "-//Fernwise//Quillmark//EN";

struct ComponentDeleter
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype Floating(const LocalFields &f)
{
    icaltimetype t = icaltime_null_time();
    t.year = f.year;
    t.month = f.month;
    t.day = f.day;
    t.hour = f.hour;
    t.minute = f.minute;
    t.second = f.second;
    t.is_date = 0;
    t.zone = nullptr;
    return t;
}

icaltimetype Utc(CalendarTime t)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(t), 0,
                                         icaltimezone_get_utc_timezone());
}

// The library's own parser refuses an empty SUMMARY or DESCRIPTION, so an
// empty text is left out rather than written.
void AddText(icalcomponent *c, icalproperty *(*make)(const char *), const QString &text)
{
    const QString clean = Ics::CleanText(text);
    if (!clean.isEmpty())
        icalcomponent_add_property(c, make(clean.toUtf8().constData()));
}

void AddCommon(icalcomponent *c, const QString &uid, CalendarTime stamp, const QString &summary,
               const QString &description)
{
    icalcomponent_add_property(c, icalproperty_new_uid(uid.toUtf8().constData()));
    icalcomponent_add_property(c, icalproperty_new_dtstamp(Utc(stamp)));
    AddText(c, icalproperty_new_summary, summary);
    AddText(c, icalproperty_new_description, description);
}

QByteArray Wrap(icalcomponent *item)
{
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_component(cal.get(), item);
    char *text = icalcomponent_as_ical_string_r(cal.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace

namespace Ics {

QString CleanText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\t' || c == u'\n' || (c.unicode() >= 0x20 && c.unicode() != 0x7f)) {
            out += c;
        }
    }
    return out;
}

QByteArray TaskCalendar(const IcsTaskData &task)
{
    icalcomponent *todo = icalcomponent_new_vtodo();
    AddCommon(todo, task.uid, task.stamp, task.summary, task.description);
    if (task.due)
        icalcomponent_add_property(todo, icalproperty_new_due(Floating(*task.due)));
    if (task.completed) {
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        icalcomponent_add_property(todo, icalproperty_new_completed(Utc(task.stamp)));
        icalcomponent_add_property(todo, icalproperty_new_percentcomplete(100));
    } else {
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
    }
    return Wrap(todo);
}

QByteArray EventCalendar(const IcsEventData &event)
{
    icalcomponent *vevent = icalcomponent_new_vevent();
    AddCommon(vevent, event.uid, event.stamp, event.summary, event.description);
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(Floating(event.start)));
    return Wrap(vevent);
}

} // namespace Ics
