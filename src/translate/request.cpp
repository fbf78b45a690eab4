#include "translate/request.h"

#include <array>
#include <cstdint>

namespace {

// Bit (c - 0x20) is set when the printable character c is copied unchanged.
constexpr std::array<std::uint32_t, 3> MakeKeepSet()
{
    std::array<std::uint32_t, 3> set{};
    constexpr char kept[] = "!$'()*-.0123456789@ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
    for (const char c : kept) {
        if (c == 0)
            break;
        const int bit = c - 0x20;
        set[bit / 32] |= 1u << (bit % 32);
    }
    return set;
}

constexpr auto KeepSet = MakeKeepSet();

constexpr bool IsKept(unsigned char c)
{
    if (c < 0x20 || c > 0x7F)
        return false;
    const int bit = c - 0x20;
    return (KeepSet[bit / 32] >> (bit % 32)) & 1u;
}

constexpr char HexDigits[] = "0123456789ABCDEF";

} // namespace

QByteArray UrlEncode(const QByteArray& bytes)
{
    QByteArray out;
    out.resize(bytes.size() * 3);
    char* dst = out.data();
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            break;
        if (IsKept(c)) {
            *dst++ = ch;
        } else if (c == ' ') {
            *dst++ = '+';
        } else {
            *dst++ = '%';
            *dst++ = HexDigits[c >> 4];
            *dst++ = HexDigits[c & 0x0F];
        }
    }
    out.truncate(dst - out.constData());
    return out;
}

QByteArray ToUtf8(const QString& text)
{
    // Qt 6.4 writes "?" for a lone surrogate; the service should see U+FFFD.
    QByteArray out;
    out.resize(text.size() * 3);
    auto* dst = reinterpret_cast<unsigned char*>(out.data());
    const auto* p = reinterpret_cast<const char16_t*>(text.utf16());
    const char16_t* const end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (c < 0x80) {
            *dst++ = static_cast<unsigned char>(c);
            continue;
        }
        if (c < 0x800) {
            *dst++ = static_cast<unsigned char>(0xC0 | (c >> 6));
            *dst++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (*p++ - 0xDC00);
                *dst++ = static_cast<unsigned char>(0xF0 | (c >> 18));
                *dst++ = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
                *dst++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
                *dst++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
                continue;
            }
            c = 0xFFFD;
        }
        *dst++ = static_cast<unsigned char>(0xE0 | (c >> 12));
        *dst++ = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        *dst++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
    }
    out.truncate(reinterpret_cast<char*>(dst) - out.constData());
    return out;
}

TTranslateRequest FormTranslateRequest(const QString& serviceBaseUrl, const QString& text,
                                       const QString& sourceLang, const QString& targetLang)
{
    const QByteArray q = UrlEncode(ToUtf8(text));
    const QByteArray base = serviceBaseUrl.toUtf8();
    const QByteArray sl = sourceLang.toLatin1();
    const QByteArray tl = targetLang.toLatin1();

    TTranslateRequest request;
    if (q.size() < PostThreshold) {
        request.Url = base + TranslatePath + "?client=gtx&dt=t&q=" + q + "&sl=" + sl + "&tl=" + tl;
        return request;
    }
    request.Post = true;
    request.Url = base + TranslatePath;
    request.Body = "client=gtx&dt=t&q=" + q + "&sl=" + sl + "&tl=" + tl;
    return request;
}
