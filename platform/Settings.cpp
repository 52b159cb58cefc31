#include "platform/Settings.h"

#include <QSettings>

namespace {

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("Fernwise"), QStringLiteral("Quillmark"));
}

QString InGroup(const QString &key)
{
    return QStringLiteral("Settings/") + key;
}

} // namespace

namespace Settings {

std::optional<int> ReadStoredInt(const QString &key)
{
    const QVariant v = Store().value(InGroup(key));
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

void WriteInt(const QString &key, int value)
{
    QSettings s = Store();
    s.setValue(InGroup(key), value);
    s.sync();
}

QString ReadString(const QString &key, const QString &defaultValue)
{
    const QVariant v = Store().value(InGroup(key));
    return v.isValid() ? v.toString() : defaultValue;
}

void WriteString(const QString &key, const QString &value)
{
    QSettings s = Store();
    s.setValue(InGroup(key), value);
    s.sync();
}

} // namespace Settings
