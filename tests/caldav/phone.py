#!/usr/bin/python3
"""The phone in the sync tests: another CalDAV client (python3-caldav) that
edits the task lists the way a phone's task app does.

    phone.py URL USER PASSWORD 'JSON list of commands'

Each command is a list: ["tick", list, summary], ["add", list, summary]
(with a list of more property lines, such as a price, as its fourth element),
["rename", list, summary, new], ["remove", list, summary],
["decorate", list, summary] (a weekly recurrence, two categories, a priority
and a property of its own), ["drop", list] (removes the whole list),
["dump", list] (prints every to-do's text as a JSON list, null for a list
that is not there). Lists and to-dos are found by their names."""
import json
import sys
import uuid

import caldav


def lines(data):
    return data.replace("\r\n ", "").replace("\r\n", "\n").split("\n")


def insert(data, new_lines):
    out = []
    for line in lines(data):
        if line == "END:VTODO":
            out.extend(new_lines)
        out.append(line)
    return "\r\n".join(out)


def without(data, *names):
    return "\r\n".join(l for l in lines(data) if l.split(":")[0].split(";")[0] not in names)


def main():
    url, user, password, commands = sys.argv[1:5]
    client = caldav.DAVClient(url, username=user or None, password=password or None)
    calendars = {c.name: c for c in client.principal().calendars()}

    def todo(list_name, summary):
        for t in calendars[list_name].todos(include_completed=True):
            if t.vobject_instance.vtodo.summary.value == summary:
                return t
        raise SystemExit("no to-do %r in %r" % (summary, list_name))

    out = []
    for command in json.loads(commands):
        kind, list_name = command[0], command[1]
        if kind == "dump":
            if list_name in calendars:
                out.append([t.data for t in calendars[list_name].todos(include_completed=True)])
            else:
                out.append(None)
        elif kind == "drop":
            calendars.pop(list_name).delete()
        elif kind == "add":
            uid = str(uuid.uuid4())
            calendars[list_name].save_todo(
                "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//Tasks//EN\r\nBEGIN:VTODO\r\n"
                "UID:%s\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:%s\r\nSTATUS:NEEDS-ACTION\r\n%s"
                "END:VTODO\r\nEND:VCALENDAR\r\n"
                % (uid, command[2], "".join(line + "\r\n" for line in (command[3] if len(command) > 3 else []))))
        else:
            t = todo(list_name, command[2])
            if kind == "tick":
                t.data = insert(without(t.data, "STATUS", "COMPLETED", "PERCENT-COMPLETE"),
                                ["STATUS:COMPLETED", "COMPLETED:20240105T101010Z", "PERCENT-COMPLETE:100"])
            elif kind == "rename":
                t.data = insert(without(t.data, "SUMMARY"), ["SUMMARY:" + command[3]])
            elif kind == "decorate":
                t.data = insert(t.data, ["RRULE:FREQ=WEEKLY;BYDAY=SA", "CATEGORIES:Food,Weekly", "PRIORITY:2",
                                         "X-PHONE-COLOUR;X-SHADE=dark:green"])
            elif kind == "remove":
                t.delete()
                continue
            t.save()
    print(json.dumps(out))


main()
