#pragma once

#include <QString>

// The settings store: organisation "Fernwise", application "Quillmark",
// group "Settings". A value that is missing or does not read as a 32-bit
// integer gives the caller's default.
namespace Settings {

int ReadInt(const QString &key, int defaultValue);
void WriteInt(const QString &key, int value);

QString ReadString(const QString &key, const QString &defaultValue);
void WriteString(const QString &key, const QString &value);

} // namespace Settings
