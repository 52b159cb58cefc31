#pragma once

#include <QString>

#include <optional>

// Every setting the program keeps, each named once here with its default and
// the values it may take; the program reads and writes them only through
// these. A stored value that is not a number, or lies outside its range,
// reads as the default: a hand-edited or damaged settings file never hands
// the program a value it does not know. The store itself is platform/Settings.
namespace AppSettings {

class IntSetting
{
public:
    constexpr IntSetting(const char *key, int defaultValue, int low, int high)
        : m_key(key), m_default(defaultValue), m_low(low), m_high(high)
    {
    }

    // The stored value where it lies in range; else the default.
    int Read() const { return Stored().value_or(m_default); }
    // The stored value where it lies in range; else nothing.
    std::optional<int> Stored() const;
    void Write(int value) const;

    QString Key() const { return QString::fromLatin1(m_key); }
    constexpr int Default() const { return m_default; }
    constexpr int Low() const { return m_low; }
    constexpr int High() const { return m_high; }

private:
    const char *m_key;
    int m_default;
    int m_low;
    int m_high;
};

// On or off, stored as 1 or 0.
class Switch : public IntSetting
{
public:
    constexpr Switch(const char *key, bool on) : IntSetting(key, on ? 1 : 0, 0, 1) { }
    bool IsOn() const { return Read() != 0; }
    void Set(bool on) const { Write(on ? 1 : 0); }
};

// A folder or a file; empty when never stored.
class TextSetting
{
public:
    explicit constexpr TextSetting(const char *key) : m_key(key) { }
    QString Read() const;
    void Write(const QString &value) const;
    QString Key() const { return QString::fromLatin1(m_key); }

private:
    const char *m_key;
};

// The import: the field of a line that holds the item's name, description
// and price (0: none imported), and the icon imported items get (one of the
// strip's, which the image list counts from 5). With nothing stored it reads
// the columns the export writes, so that an exported list comes back whole.
inline constexpr IntSetting kImportNameField{"ImpNameField", 1, 1, 50};
inline constexpr IntSetting kImportDescField{"ImpDescField", 2, 0, 50};
inline constexpr IntSetting kImportPriceField{"ImpPriceField", 3, 0, 50};
inline constexpr IntSetting kImportIcon{"ImpIcon", 6, 5, 56};
// Where the import's file chooser opens: the folder of the last import.
inline constexpr TextSetting kImportFolder{"ImportFolder"};

// The hand-over: whether the shown item becomes a task and an appointment,
// the reminder they carry (a Reminder; with nothing stored HandOverSettings
// decides), and the two folders of .ics files (empty: the default ones).
inline constexpr Switch kItemToTask{"ITEMTASK", true};
inline constexpr Switch kItemToCalendar{"ITEMAPPT", false};
inline constexpr IntSetting kItemReminder{"ITEMALRM", 2, 0, 4};
inline constexpr TextSetting kTasksFolder{"TasksFolder"};
inline constexpr TextSetting kCalendarFolder{"CalendarFolder"};

// A rescue copy written at the last exit, told about once at the next start.
inline constexpr TextSetting kRescueCopy{"RescueCopy"};

// The main view: done items hidden, and the item table's sort column (a
// CListsModel column, -1 none) and order (a Qt::SortOrder).
inline constexpr Switch kHideDone{"HIDEDONE", false};
inline constexpr IntSetting kSortColumn{"SORTCOLUMN", -1, -1, 4};
inline constexpr IntSetting kSortOrder{"SORTORDER", 0, 0, 1};
// The item table's column widths as the user set them, in pixels; 0, the
// default, leaves a column the width the table gives it. The name column's
// is its width in a window of the smallest size: it grows with the window.
inline constexpr IntSetting kNameColumnWidth{"NAMEWIDTH", 0, 0, 4000};
inline constexpr IntSetting kPriceColumnWidth{"PRICEWIDTH", 0, 0, 4000};
inline constexpr IntSetting kDateColumnWidth{"DATEWIDTH", 0, 0, 4000};
inline constexpr IntSetting kDoneColumnWidth{"DONEWIDTH", 0, 0, 4000};

// List Setup's size as the user left it, in pixels; 0: never changed, and
// the dialog opens in proportion to the window.
inline constexpr IntSetting kListSetupWidth{"SETUPWIDTH", 0, 0, 16000};
inline constexpr IntSetting kListSetupHeight{"SETUPHEIGHT", 0, 0, 16000};

// Where the window was and how large, as QWidget::saveGeometry gives it
// (base64); empty when never stored.
inline constexpr TextSetting kWindowGeometry{"WINDOWGEOMETRY"};

// The sync's account: the server's address and the user name (the
// password is in the desktop's keyring, never here); the minutes between
// syncs while the window is open; the certificate the user trusted although
// it does not verify, as "host:port sha256-hex".
inline constexpr TextSetting kSyncServer{"SyncServer"};
inline constexpr TextSetting kSyncUser{"SyncUser"};
inline constexpr IntSetting kSyncMinutes{"SyncMinutes", 5, 1, 1440};
inline constexpr TextSetting kSyncTrustedCertificate{"SyncTrustedCert"};

} // namespace AppSettings
