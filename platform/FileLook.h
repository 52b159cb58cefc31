#pragma once

#include <QString>
#include <QtGlobal>

// What the system tells of a file without reading it: which file it is, its
// size and its times. The data file's stamp keeps the look taken as the
// file was opened for reading; while a later look is the same, no program
// can have written the file since, provided the first look was settled.
//
// Settled means that every later write is certain to change the look: the
// file system keeps the change time itself (no program can set it back, as
// sync tools set the modification time) and no other computer writes it
// behind the system's back, and that change time lay far enough in the past
// that a write after the look cannot fall on the same tick of the clock.
struct FileLook
{
    bool valid = false;
    bool settled = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    // The look of a file just opened, taken before any of its bytes are
    // read: a write during the read then changes what a later look sees.
    static FileLook OfOpenFile(int handle);
    static FileLook OfPath(const QString &path);
    // Whether looks at the file can settle at all where it lies.
    static bool CanSettle(const QString &path);

    // Both valid, and the same file with the same size and times.
    bool SameAs(const FileLook &other) const;
};
