#pragma once

#include <QString>
#include <cstdint>
#include <functional>

// The settings that live in Parlino.ini, in the order they are loaded.
struct TParams
{
    QString FromLang;
    QString ToLang;
    bool AutoRun = false;
    bool Minimize = false;
    bool AutoPaste = false;
    bool AutoCopy = false;
    QString DisplayLanguageCode;
    std::int32_t FontSize = 0;
    bool NoProxy = false;
    QString Address;
    QString Port;
    QString UserName;
    QString Password;
};

struct TSettings : TParams
{
    // Full path of the settings file; every read and write goes through it.
    QString IniPath;
    // Scheme and host of the translation service, no trailing slash.
    QString ServiceBaseUrl;
};

// The process-wide settings. Main thread only, except ServiceBaseUrl, which is
// fixed before any worker exists.
extern TSettings Settings;

namespace SettingsKeys {
inline const QString General = QStringLiteral("General");
inline const QString Connection = QStringLiteral("Connection");
} // namespace SettingsKeys

// The font size used when the file holds none (or 0).
inline constexpr std::int32_t DefaultFontSize = 14;

// Reads every key from Settings.IniPath into Settings, then hands the font
// size to the pane-font hook when one is installed.
void LoadSettings();

// Reads the file-backed settings from `path` without touching Settings.
TParams ReadParams(const QString& path);

// The window installs this to apply FontSize to its panes after each load.
void SetPaneFontHook(std::function<void(std::int32_t fontSize)> hook);

// Parlino.ini in the executable's directory when the user may write there (a
// portable build), otherwise $XDG_CONFIG_HOME/Parlino/Parlino.ini.
QString DefaultIniPath();

// The translation service's address; PARLINO_SERVICE_URL overrides it.
QString DefaultServiceBaseUrl();
