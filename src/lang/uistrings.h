#pragma once

#include "lang/langresource.h"

#include <QLocale>
#include <QString>
#include <array>

// The current interface language's texts by id. Applying a block overwrites
// the ids it holds; an id never set reads as empty. Main thread only.
class TUiStrings
{
public:
    QString& operator[](InterfaceTextId id) { return FTexts[static_cast<std::size_t>(id)]; }
    const QString& operator[](InterfaceTextId id) const { return FTexts[static_cast<std::size_t>(id)]; }

private:
    std::array<QString, InterfaceTextIdCount> FTexts;
};

extern TUiStrings UiStrings;

// The default target language: the system locale's ISO 639 language code,
// "-", its ISO 3166 country code ("en-US", "zh-CN"). The C locale counts as
// "en-US".
QString SystemLocaleCode(const QLocale& locale = QLocale::system());

// The service's code for the locale's bare language ("de", "iw" for Hebrew),
// tried when the two-part code names no language.
QString SystemLanguageCode(const QLocale& locale = QLocale::system());
