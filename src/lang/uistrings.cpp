#include "lang/uistrings.h"

#include <QHash>

TUiStrings UiStrings;

namespace {

bool IsPosixLocale(const QLocale& locale)
{
    return locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage;
}

} // namespace

QString SystemLocaleCode(const QLocale& locale)
{
    if (IsPosixLocale(locale))
        return QStringLiteral("en-US");
    const QString territory = locale.territory() == QLocale::AnyTerritory
                                  ? QString()
                                  : QLocale::territoryToCode(locale.territory());
    return QLocale::languageToCode(locale.language()) + QLatin1Char('-') + territory;
}

QString SystemLanguageCode(const QLocale& locale)
{
    if (IsPosixLocale(locale))
        return QStringLiteral("en");
    const QString code = QLocale::languageToCode(locale.language());
    // The service still knows a few languages by their older codes.
    static const QHash<QString, QString> serviceCodes = {
        {QStringLiteral("he"), QStringLiteral("iw")},  {QStringLiteral("jv"), QStringLiteral("jw")},
        {QStringLiteral("fil"), QStringLiteral("tl")}, {QStringLiteral("nb"), QStringLiteral("no")},
        {QStringLiteral("nn"), QStringLiteral("no")},
    };
    return serviceCodes.value(code, code);
}
