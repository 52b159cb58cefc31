#include "platform/AppSettings.h"

#include "platform/Settings.h"

namespace AppSettings {

std::optional<int> IntSetting::Stored() const
{
    const std::optional<int> stored = Settings::ReadStoredInt(Key());
    if (stored && *stored >= m_low && *stored <= m_high)
        return stored;
    return std::nullopt;
}

void IntSetting::Write(int value) const
{
    Settings::WriteInt(Key(), value);
}

QString TextSetting::Read() const
{
    return Settings::ReadString(Key(), QString());
}

void TextSetting::Write(const QString &value) const
{
    Settings::WriteString(Key(), value);
}

} // namespace AppSettings
