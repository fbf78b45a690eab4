#include "settings/settings.h"

#include "settings/inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

TSettings Settings;

namespace {

std::function<void(std::int32_t)>& PaneFontHook()
{
    static std::function<void(std::int32_t)> hook;
    return hook;
}

const QString IniFileName = QStringLiteral("Parlino.ini");

} // namespace

TParams ReadParams(const QString& path)
{
    using namespace SettingsKeys;
    TParams p;
    p.FromLang = ReadStringKey(path, General, QStringLiteral("FromLang"));
    p.ToLang = ReadStringKey(path, General, QStringLiteral("ToLang"));
    p.AutoRun = ReadBoolKey(path, General, QStringLiteral("AutoRun"));
    p.Minimize = ReadBoolKey(path, General, QStringLiteral("Minimize"));
    p.AutoPaste = ReadBoolKey(path, General, QStringLiteral("AutoPaste"));
    p.AutoCopy = ReadBoolKey(path, General, QStringLiteral("AutoCopy"));
    p.DisplayLanguageCode = ReadStringKey(path, General, QStringLiteral("DisplayLanguageCode"));
    p.FontSize = ReadIntegerKey(path, General, QStringLiteral("FontSize"));
    if (p.FontSize == 0)
        p.FontSize = DefaultFontSize;
    // An absent or empty key means no proxy; any other value that is not a
    // non-zero number (0, "yes", "true") means the proxy fields are used.
    p.NoProxy = ReadBoolKey(path, Connection, QStringLiteral("NoProxy"));
    if (ReadStringKey(path, Connection, QStringLiteral("NoProxy")).isEmpty())
        p.NoProxy = true;
    p.Address = ReadStringKey(path, Connection, QStringLiteral("Address"));
    p.Port = ReadStringKey(path, Connection, QStringLiteral("Port"));
    p.UserName = ReadStringKey(path, Connection, QStringLiteral("UserName"));
    p.Password = ReadStringKey(path, Connection, QStringLiteral("Password"));
    return p;
}

void LoadSettings()
{
    static_cast<TParams&>(Settings) = ReadParams(Settings.IniPath);
    if (const auto& hook = PaneFontHook())
        hook(Settings.FontSize);
}

void SetPaneFontHook(std::function<void(std::int32_t)> hook)
{
    PaneFontHook() = std::move(hook);
}

QString DefaultIniPath()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // A portable, unpacked build keeps its settings beside the program; an
    // installed one cannot write there and uses the user's config folder.
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return QDir(exeDir).filePath(IniFileName);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Parlino/") + IniFileName);
}

QString DefaultServiceBaseUrl()
{
    QString url = qEnvironmentVariable("PARLINO_SERVICE_URL");
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    if (!url.isEmpty())
        return url;
    return QStringLiteral("https://translate.googleapis.com");
}
