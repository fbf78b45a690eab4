#include "settings/inifile.h"

#include "settings/inifile_p.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <atomic>
#include <charconv>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

std::atomic<qsizetype> WriteFaultAfter{-1};

constexpr QByteArrayView Utf8Bom("\xEF\xBB\xBF");

// The file's content without a leading byte-order mark, which some editors
// add; empty when the file cannot be read.
QByteArray ReadWholeFile(const QString& path, bool* bom = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray content = file.readAll();
    const bool hasBom = content.startsWith(Utf8Bom);
    if (bom)
        *bom = hasBom;
    if (hasBom)
        content.remove(0, Utf8Bom.size());
    return content;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView Trimmed(QByteArrayView s)
{
    while (!s.isEmpty() && IsBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && (IsBlank(s.back()) || s.back() == '\r'))
        s.chop(1);
    return s;
}

bool SameName(QByteArrayView a, const QByteArray& b)
{
    return QString::fromUtf8(a).compare(QString::fromUtf8(b), Qt::CaseInsensitive) == 0;
}

// One line of the file, split where that helps.
struct TLine
{
    enum Kind
    {
        Other,
        Section,
        Key
    } kind = Other;
    QByteArrayView name;
    QByteArrayView value;
};

TLine Classify(QByteArrayView raw)
{
    const QByteArrayView line = Trimmed(raw);
    if (line.isEmpty() || line.front() == ';' || line.front() == '#')
        return {};
    if (line.front() == '[') {
        const qsizetype close = line.indexOf(']');
        if (close < 0)
            return {};
        return {TLine::Section, Trimmed(line.sliced(1, close - 1)), {}};
    }
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return {};
    return {TLine::Key, Trimmed(line.first(eq)), Trimmed(line.sliced(eq + 1))};
}

QList<QByteArrayView> SplitLines(const QByteArray& content)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        if (end < 0)
            end = content.size();
        lines.append(QByteArrayView(content).sliced(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The first value of `key` in the first section named `section`. Later
// sections of the same name are not searched, as with the private-profile API.
std::optional<QByteArray> FindValue(const QString& path, const QString& section, const QString& key)
{
    const QByteArray content = ReadWholeFile(path);
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    bool inSection = false;
    bool sectionSeen = false;
    for (const QByteArrayView raw : SplitLines(content)) {
        const TLine line = Classify(raw);
        if (line.kind == TLine::Section) {
            if (sectionSeen)
                return std::nullopt;
            inSection = SameName(line.name, wantedSection);
            sectionSeen = inSection;
        } else if (line.kind == TLine::Key && inSection && SameName(line.name, wantedKey)) {
            QByteArrayView value = line.value;
            // A value written with surrounding quotes keeps its outer spaces.
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.sliced(1, value.size() - 2);
            return value.toByteArray();
        }
    }
    return std::nullopt;
}

// Cut to the longest value a read returns, never inside a UTF-8 sequence.
QByteArray Capped(QByteArray value)
{
    if (value.size() <= MaxIniValueLength)
        return value;
    qsizetype cut = MaxIniValueLength;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    value.truncate(cut);
    return value;
}

std::optional<std::int32_t> ParseInteger(QByteArrayView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text = text.sliced(2);
    }
    std::int64_t magnitude = 0;
    // Like the private-profile reader, take the leading number and ignore the rest.
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (ec != std::errc() || end == text.data() || magnitude < 0)
        return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (base == 16 && !negative && value <= std::numeric_limits<std::uint32_t>::max())
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

QByteArray EncodedValue(const QString& value)
{
    QByteArray bytes = value.toUtf8();
    // Line breaks would split the entry; the reader would take them as new keys.
    bytes.replace('\r', ' ').replace('\n', ' ');
    const bool needsQuotes =
        !bytes.isEmpty() && (IsBlank(bytes.front()) || IsBlank(bytes.back()) ||
                             (bytes.size() >= 2 && bytes.front() == '"' && bytes.back() == '"'));
    return needsQuotes ? '"' + bytes + '"' : bytes;
}

[[noreturn]] void ThrowWriteFailure(const QString& path)
{
    throw std::runtime_error(
        QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path)).toStdString());
}

// The file's content with `key` set in `section`: an existing entry is
// replaced in place, a new one goes to the end of its section, a new section
// to the end of the file. The file keeps its line-end style.
QByteArray WithKey(const QByteArray& content, const QByteArray& section, const QByteArray& key,
                   const QByteArray& value)
{
    const QByteArray eol =
        content.contains('\n') && !content.contains("\r\n") ? QByteArray("\n") : QByteArray("\r\n");
    const QByteArray entry = key + '=' + value;

    QList<QByteArray> lines;
    for (const QByteArrayView raw : SplitLines(content))
        lines.append((raw.endsWith('\r') ? raw.chopped(1) : raw).toByteArray());

    qsizetype sectionLine = -1;
    qsizetype lastEntry = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const TLine line = Classify(lines[i]);
        if (line.kind == TLine::Section) {
            if (sectionLine >= 0)
                break;
            if (SameName(line.name, section))
                lastEntry = sectionLine = i;
        } else if (sectionLine >= 0 && line.kind == TLine::Key) {
            if (SameName(line.name, key)) {
                lines[i] = entry;
                lastEntry = -1;
                break;
            }
            lastEntry = i;
        }
    }
    if (sectionLine < 0) {
        lines.append('[' + section + ']');
        lines.append(entry);
    } else if (lastEntry >= 0) {
        lines.insert(lastEntry + 1, entry);
    }
    return lines.join(eol) + eol;
}

void WriteKey(const QString& path, const QString& section, const QString& key, const QByteArray& value)
{
    // A file that exists but cannot be read or is read-only is not replaced:
    // the rewrite would drop every other setting, or override the user's wish.
    const QFileInfo existing(path);
    if (existing.exists() && (!existing.isReadable() || !existing.isWritable()))
        ThrowWriteFailure(path);
    bool bom = false;
    const QByteArray content = ReadWholeFile(path, &bom);
    QByteArray updated = WithKey(content, section.toUtf8(), key.toUtf8(), value);
    if (bom)
        updated.prepend(Utf8Bom.toByteArray());

    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        ThrowWriteFailure(path);

    // The new content goes to a temporary file that replaces the old one only
    // when it is complete, so a crash mid-write leaves the old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ThrowWriteFailure(path);
    // The file may hold a proxy password.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const qsizetype fault = WriteFaultAfter.exchange(-1);
    if (fault >= 0) {
        file.write(updated.first(qMin(fault, updated.size())));
        file.cancelWriting();
        file.commit();
        ThrowWriteFailure(path);
    }
    if (file.write(updated) != updated.size() || !file.commit())
        ThrowWriteFailure(path);
}

} // namespace

void SetIniWriteFaultForTesting(qsizetype bytes)
{
    WriteFaultAfter = bytes;
}

QString ReadStringKey(const QString& path, const QString& section, const QString& key)
{
    const std::optional<QByteArray> value = FindValue(path, section, key);
    return value ? QString::fromUtf8(Capped(*value)) : QString();
}

std::int32_t ReadIntegerKey(const QString& path, const QString& section, const QString& key)
{
    const std::optional<QByteArray> value = FindValue(path, section, key);
    if (!value)
        return 0;
    return ParseInteger(QByteArrayView(*value)).value_or(0);
}

bool ReadBoolKey(const QString& path, const QString& section, const QString& key)
{
    return ReadIntegerKey(path, section, key) != 0;
}

void WriteStringKey(const QString& path, const QString& section, const QString& key, const QString& value)
{
    WriteKey(path, section, key, EncodedValue(value));
}

void WriteIntegerKey(const QString& path, const QString& section, const QString& key, std::int32_t value)
{
    WriteKey(path, section, key, QByteArray::number(value));
}

void WriteBoolKey(const QString& path, const QString& section, const QString& key, bool value)
{
    WriteKey(path, section, key, value ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
}
