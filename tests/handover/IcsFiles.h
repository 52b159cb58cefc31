#pragma once

#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <libical/ical.h>

// The items of a collection folder as libical reads them back.
namespace IcsFiles {

// What the hand-over tells the user.
inline const QString kAddedTask = QStringLiteral("Added Items to Tasks.");
inline const QString kAddedAppt = QStringLiteral("Added Item to Appointments.");
inline const QString kAddedBoth = QStringLiteral("Added Item to Tasks and Appointments.");
inline const QString kNotDated = QStringLiteral("Item is not dated, unable to add to appointments.");

// Stands for a text property that is not in the file.
inline const QString kAbsent = QStringLiteral("<absent>");

struct StoredItem
{
    QString fileName;
    QByteArray bytes;
    QString kind;         // "VTODO" or "VEVENT"
    QString uid, summary, description;
    // Each VALARM as "ACTION, <seconds> s from START|END: DESCRIPTION".
    QStringList alarms;
    QStringList errors;   // what the parser complained about
};

using QuillmarkTest::Entries;

inline QString Text(const char *text)
{
    return text ? QString::fromUtf8(text) : kAbsent;
}

inline void CollectErrors(icalcomponent *c, QStringList &errors)
{
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY))
        errors << QString::fromUtf8(icalproperty_get_xlicerror(p));
}

inline QString Alarm(icalcomponent *alarm)
{
    icalproperty *action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
    icalproperty *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    icalproperty *text = icalcomponent_get_first_property(alarm, ICAL_DESCRIPTION_PROPERTY);
    if (!action || !trigger)
        return QStringLiteral("no ACTION or TRIGGER");
    icalparameter *related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
    return QStringLiteral("%1, %2 s from %3: %4")
            .arg(QString::fromLatin1(icalproperty_enum_to_string(icalproperty_get_action(action))))
            .arg(icaldurationtype_as_int(icalproperty_get_trigger(trigger).duration))
            .arg(fromEnd ? QStringLiteral("END") : QStringLiteral("START"),
                 Text(text ? icalproperty_get_description(text) : nullptr));
}

inline StoredItem Read(const QString &path)
{
    StoredItem r;
    r.fileName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.errors << QStringLiteral("cannot open");
        return r;
    }
    r.bytes = file.readAll();
    icalcomponent *cal = icalparser_parse_string(r.bytes.constData());
    icalcomponent *item = cal ? icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT) : nullptr;
    if (!item || icalcomponent_isa(cal) != ICAL_VCALENDAR_COMPONENT) {
        r.errors << QStringLiteral("no item in a VCALENDAR");
    } else {
        CollectErrors(cal, r.errors);
        CollectErrors(item, r.errors);
        for (icalcomponent *a = icalcomponent_get_first_component(item, ICAL_VALARM_COMPONENT); a;
             a = icalcomponent_get_next_component(item, ICAL_VALARM_COMPONENT)) {
            CollectErrors(a, r.errors);
            r.alarms << Alarm(a);
        }
        r.kind = QString::fromLatin1(icalcomponent_kind_to_string(icalcomponent_isa(item)));
        r.uid = Text(icalcomponent_get_uid(item));
        r.summary = Text(icalcomponent_get_summary(item));
        r.description = Text(icalcomponent_get_description(item));
    }
    if (cal)
        icalcomponent_free(cal);
    return r;
}

inline QList<StoredItem> ReadFolder(const QString &folder)
{
    QList<StoredItem> items;
    for (const QString &name : Entries(folder))
        items << Read(QDir(folder).filePath(name));
    return items;
}

inline QStringList Summaries(const QString &folder)
{
    QStringList names;
    for (const StoredItem &item : ReadFolder(folder))
        names << item.summary;
    return names;
}

} // namespace IcsFiles
