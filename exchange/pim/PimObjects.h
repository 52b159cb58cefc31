#pragma once

#include <QString>

#include <memory>

// The calendar and task store as the hand-over sees it: an application that
// logs on and off and hands out its two default folders, a folder with its
// item collection, a collection that adds new items, and the two kinds of
// item with just the properties the hand-over sets. The real store and the
// tests' recording stand-in sit behind the same interfaces.
//
// Dates are OLE Automation dates (see OleDate.h). A missing object (a folder,
// a collection or a new item that could not be had) is a null pointer;
// giving an object back is destroying it.

class PimTask
{
public:
    virtual ~PimTask() = default;
    virtual void SetSubject(const QString &subject) = 0;
    virtual void SetDueDate(double oleDate) = 0;
    virtual void SetComplete(bool complete) = 0;
    virtual void SetBody(const QString &body) = 0;
    // Stores the task; on failure false, with the reason in whyNot if given.
    virtual bool Save(QString *whyNot) = 0;
};

class PimAppointment
{
public:
    virtual ~PimAppointment() = default;
    virtual void SetSubject(const QString &subject) = 0;
    virtual void SetStart(double oleDate) = 0;
    virtual void SetBody(const QString &body) = 0;
    virtual bool Save(QString *whyNot) = 0;
};

// A folder's items. A task folder's collection adds only tasks and a calendar
// folder's only appointments; asking for the other kind gives null.
class PimItemCollection
{
public:
    virtual ~PimItemCollection() = default;
    virtual std::unique_ptr<PimTask> AddTask() = 0;
    virtual std::unique_ptr<PimAppointment> AddAppointment() = 0;
};

class PimFolder
{
public:
    virtual ~PimFolder() = default;
    virtual std::unique_ptr<PimItemCollection> Items() = 0;
};

// The numbers are the handheld's own folder constants.
enum class PimFolderKind { Calendar = 9, Tasks = 13 };

class PimApplication
{
public:
    virtual ~PimApplication() = default;
    virtual bool Logon() = 0;
    virtual std::unique_ptr<PimFolder> GetDefaultFolder(PimFolderKind kind) = 0;
    virtual void Logoff() = 0;
};
