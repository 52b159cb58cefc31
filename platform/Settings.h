#pragma once

#include <QString>

#include <optional>

// The settings store: organisation "Fernwise", application "Quillmark",
// group "Settings". A value that is missing or does not read as a 32-bit
// integer reads as none; a missing text as the caller's default.
namespace Settings {

// The value when one is stored that reads as a 32-bit integer.
std::optional<int> ReadStoredInt(const QString &key);
void WriteInt(const QString &key, int value);

QString ReadString(const QString &key, const QString &defaultValue);
void WriteString(const QString &key, const QString &value);

} // namespace Settings
