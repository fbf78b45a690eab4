#include "translate/parse.h"

#include "translate/httpclient.h"

#include <QStringDecoder>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

using nlohmann::json;

namespace {

// nlohmann parses iteratively, but copying and dumping a value recurse, so an
// answer nested deeper than any real one is refused before it is built.
constexpr int MaxNesting = 512;

bool NestingWithinLimit(std::string_view text)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
        case '"':
            inString = true;
            break;
        case '[':
        case '{':
            if (++depth > MaxNesting)
                return false;
            break;
        case ']':
        case '}':
            --depth;
            break;
        default:
            break;
        }
    }
    return true;
}

std::optional<json> ReadJson(std::string_view text)
{
    if (!NestingWithinLimit(text))
        return std::nullopt;
    json value = json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (value.is_discarded())
        return std::nullopt;
    return value;
}

// An array as the walk needs it: the value itself, or a string that holds the
// JSON text of an array. Anything else reads back as something that is not
// an array, so the walk cannot go on.
const json* AsArray(const json& value, std::optional<json>& holder)
{
    if (value.is_array())
        return &value;
    if (!value.is_string())
        return nullptr;
    holder = ReadJson(value.get_ref<const std::string&>());
    if (!holder || !holder->is_array())
        return nullptr;
    return &*holder;
}

void AppendTextForm(const json& value, QString& out)
{
    if (value.is_string()) {
        const auto& s = value.get_ref<const std::string&>();
        out.append(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    } else {
        const std::string s = value.dump();
        out.append(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    }
}

TParseResult Failed(const QString& error)
{
    return TParseResult{QString(), error};
}

// The service's rate limiting answers; they mean the same to the user as 403.
bool IsRateLimitStatusLine(std::string_view line)
{
    for (const std::string_view prefix :
         {std::string_view("HTTP/1.1 429"), std::string_view("HTTP/1.1 503")}) {
        if (line.substr(0, prefix.size()) == prefix &&
            (line.size() == prefix.size() || line[prefix.size()] == ' '))
            return true;
    }
    return false;
}

TParseResult ParseUtf8(std::string_view text)
{
    if (text == HttpFailures::ConnectionClosed)
        return Failed(ResultErrors::ConnectionClosed);
    if (text == HttpFailures::TimedOut)
        return Failed(ResultErrors::TimedOut);
    if (text == "HTTP/1.1 403 Forbidden" || IsRateLimitStatusLine(text))
        return Failed(ResultErrors::EngineDisabled);

    const std::optional<json> answer = ReadJson(text);
    if (!answer || !answer->is_array() || answer->empty())
        return Failed(ResultErrors::ParseFailed);

    std::optional<json> segmentsHolder;
    const json* segments = AsArray(answer->front(), segmentsHolder);
    if (!segments)
        return Failed(ResultErrors::ParseFailed);

    TParseResult result;
    for (const json& item : *segments) {
        std::optional<json> segmentHolder;
        const json* segment = AsArray(item, segmentHolder);
        if (!segment)
            return Failed(ResultErrors::ParseFailed);
        if (!segment->empty())
            AppendTextForm(segment->front(), result.Translation);
    }
    return result;
}

} // namespace

QString DecodeResultBuffer(const QByteArray& buffer)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(buffer);
    if (decoder.hasError())
        return QString();
    return text;
}

TParseResult ParseTranslation(const QString& bufferText)
{
    const QByteArray utf8 = bufferText.toUtf8();
    return ParseUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

TParseResult ParseTranslationBytes(const QByteArray& buffer)
{
    // nlohmann refuses malformed UTF-8 in strings, and any stray byte outside
    // a string is a syntax error, so this matches decoding first.
    return ParseUtf8(std::string_view(buffer.constData(), static_cast<std::size_t>(buffer.size())));
}
