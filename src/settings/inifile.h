#pragma once

#include <QString>
#include <cstdint>

// Key access to the settings file with the private-profile rules: section and
// key names match without regard to case, the first occurrence wins, a value
// read is at most 2047 bytes, a missing file reads as empty. Each call opens
// and closes the file, so every write is on disk at once and every read sees
// the current content.
//
// Writes replace the file atomically and create it readable by its owner only
// (it may hold a proxy password). A failed write throws std::runtime_error
// with the message "Unable to write to <path>".

bool ReadBoolKey(const QString& path, const QString& section, const QString& key);
std::int32_t ReadIntegerKey(const QString& path, const QString& section, const QString& key);
QString ReadStringKey(const QString& path, const QString& section, const QString& key);

void WriteBoolKey(const QString& path, const QString& section, const QString& key, bool value);
void WriteIntegerKey(const QString& path, const QString& section, const QString& key, std::int32_t value);
void WriteStringKey(const QString& path, const QString& section, const QString& key, const QString& value);

// The longest value a read returns, in bytes of the file's text.
inline constexpr int MaxIniValueLength = 2047;
