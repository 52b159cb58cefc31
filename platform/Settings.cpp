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

int ReadInt(const QString &key, int defaultValue)
{
    const QVariant v = Store().value(InGroup(key));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : defaultValue;
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
