#pragma once

#include <QByteArray>
#include <QString>

// Percent-encodes bytes by the service's rule: the 72 characters
// ! $ ' ( ) * - . 0-9 @ A-Z _ a-z stay, a space becomes "+", every other byte
// becomes %XX with capital hex digits. Encoding stops at the first zero byte.
QByteArray UrlEncode(const QByteArray& bytes);

// UTF-16 to UTF-8 with an unpaired surrogate turned into U+FFFD.
QByteArray ToUtf8(const QString& text);

// Encoded texts of this length or longer go as a POST body.
inline constexpr qsizetype PostThreshold = 1960;

inline constexpr char TranslatePath[] = "/translate_a/single";

struct TTranslateRequest
{
    bool Post = false;
    QByteArray Url;
    // The form body of a POST; empty for a GET.
    QByteArray Body;
};

TTranslateRequest FormTranslateRequest(const QString& serviceBaseUrl, const QString& text,
                                       const QString& sourceLang, const QString& targetLang);
