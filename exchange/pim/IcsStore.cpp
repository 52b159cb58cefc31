#include "exchange/pim/IcsStore.h"

#include "exchange/pim/IcsComponents.h"
#include "exchange/pim/OleDate.h"
#include "exchange/pim/PimSettings.h"
#include "exchange/pim/SafeFileWrite.h"
#include "res/Strings.h"

#include <QDir>
#include <QUuid>

namespace {

QString NewUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString FileNameFor(const QString &uid)
{
    return uid + QStringLiteral(".ics");
}

// The store keeps times to the minute; the fields are rounded to the
// millisecond on the way in, so 14:37:00 never comes out as 14:36.
std::optional<LocalFields> MinuteFields(double oleDate)
{
    LocalFields f;
    if (!OleDate::ToFields(oleDate, f))
        return std::nullopt;
    f.second = 0;
    return f;
}

class IcsTask final : public PimTask
{
public:
    explicit IcsTask(QString folder) : m_folder(std::move(folder)) { m_data.uid = NewUid(); }

    void SetSubject(const QString &subject) override { m_data.summary = subject; }
    void SetDueDate(double oleDate) override
    {
        m_data.due = MinuteFields(oleDate);
        m_badDate = !m_data.due;
    }
    void SetComplete(bool complete) override { m_data.completed = complete; }
    void SetBody(const QString &body) override { m_data.description = body; }

    bool Save(QString *whyNot) override
    {
        if (m_badDate) {
            if (whyNot)
                *whyNot = Str::PimDateOutOfRange();
            return false;
        }
        m_data.stamp = CalendarTimeOps::Now();
        return WriteFileSafely(m_folder, FileNameFor(m_data.uid), Ics::TaskCalendar(m_data), whyNot);
    }

private:
    QString m_folder;
    IcsTaskData m_data;
    bool m_badDate = false;
};

class IcsAppointment final : public PimAppointment
{
public:
    explicit IcsAppointment(QString folder) : m_folder(std::move(folder)) { m_data.uid = NewUid(); }

    void SetSubject(const QString &subject) override { m_data.summary = subject; }
    void SetStart(double oleDate) override
    {
        const std::optional<LocalFields> f = MinuteFields(oleDate);
        m_hasStart = f.has_value();
        m_badDate = !f;
        if (f)
            m_data.start = *f;
    }
    void SetBody(const QString &body) override { m_data.description = body; }

    bool Save(QString *whyNot) override
    {
        // A calendar entry without a start is not a valid event.
        if (!m_hasStart) {
            if (whyNot)
                *whyNot = m_badDate ? Str::PimDateOutOfRange() : Str::PimNoStart();
            return false;
        }
        m_data.stamp = CalendarTimeOps::Now();
        return WriteFileSafely(m_folder, FileNameFor(m_data.uid), Ics::EventCalendar(m_data), whyNot);
    }

private:
    QString m_folder;
    IcsEventData m_data;
    bool m_hasStart = false;
    bool m_badDate = false;
};

class IcsCollection final : public PimItemCollection
{
public:
    IcsCollection(QString folder, PimFolderKind kind) : m_folder(std::move(folder)), m_kind(kind) {}

    std::unique_ptr<PimTask> AddTask() override
    {
        if (m_kind != PimFolderKind::Tasks)
            return nullptr;
        return std::make_unique<IcsTask>(m_folder);
    }
    std::unique_ptr<PimAppointment> AddAppointment() override
    {
        if (m_kind != PimFolderKind::Calendar)
            return nullptr;
        return std::make_unique<IcsAppointment>(m_folder);
    }

private:
    QString m_folder;
    PimFolderKind m_kind;
};

class IcsFolder final : public PimFolder
{
public:
    IcsFolder(QString folder, PimFolderKind kind) : m_folder(std::move(folder)), m_kind(kind) {}

    std::unique_ptr<PimItemCollection> Items() override
    {
        return std::make_unique<IcsCollection>(m_folder, m_kind);
    }

private:
    QString m_folder;
    PimFolderKind m_kind;
};

} // namespace

IcsStoreApplication::IcsStoreApplication(QString tasksFolder, QString calendarFolder)
    : m_tasksFolder(std::move(tasksFolder)), m_calendarFolder(std::move(calendarFolder))
{
}

std::unique_ptr<IcsStoreApplication> IcsStoreApplication::FromSettings()
{
    return std::make_unique<IcsStoreApplication>(PimSettings::TasksFolder(),
                                                 PimSettings::CalendarFolder());
}

bool IcsStoreApplication::Logon()
{
    QDir().mkpath(m_tasksFolder);
    QDir().mkpath(m_calendarFolder);
    m_loggedOn = true;
    return true;
}

std::unique_ptr<PimFolder> IcsStoreApplication::GetDefaultFolder(PimFolderKind kind)
{
    if (!m_loggedOn)
        return nullptr;
    // A folder that could not be made is still handed out: saving into it
    // then fails with a reason that names the path.
    const QString &folder = kind == PimFolderKind::Tasks ? m_tasksFolder : m_calendarFolder;
    return std::make_unique<IcsFolder>(folder, kind);
}

void IcsStoreApplication::Logoff()
{
    m_loggedOn = false;
}
