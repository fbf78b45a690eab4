#pragma once

#include <QByteArray>
#include <QString>

// The four texts the result pane shows when a job does not end in a
// translation. They are fixed English texts, not interface texts.
namespace ResultErrors {
inline const QString ConnectionClosed = QStringLiteral("Internet Connection Closed.");
inline const QString TimedOut = QStringLiteral("Connection timed out. ( Blocked? )");
inline const QString EngineDisabled = QStringLiteral("Translate Engine disabled, Please try again later.");
inline const QString ParseFailed = QStringLiteral("ERROR: Failed to parse translation results.");
} // namespace ResultErrors

struct TParseResult
{
    QString Translation;
    QString Error;
};

// The result buffer's bytes as text; bytes that are not well-formed UTF-8
// give the empty string.
QString DecodeResultBuffer(const QByteArray& buffer);

// Reads the buffer text as one of the client's known failure texts or as the
// service's JSON answer. Never throws.
TParseResult ParseTranslation(const QString& bufferText);

// The same on the raw buffer, without the round trip through UTF-16.
TParseResult ParseTranslationBytes(const QByteArray& buffer);
