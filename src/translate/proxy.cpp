#include "translate/proxy.h"

#include <limits>
#include <stdexcept>

bool ParseIntegerText(const QString& text, int& value)
{
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.front() == QLatin1Char('-');
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    } else if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits.remove(0, 1);
    }
    if (digits.isEmpty())
        return false;
    for (const QChar c : digits) {
        if (!(base == 16 ? c.isDigit() || QStringLiteral("abcdefABCDEF").contains(c) : c.isDigit()) ||
            c.unicode() > 0x7F)
            return false;
    }
    bool ok = false;
    const qlonglong magnitude = digits.toLongLong(&ok, base);
    if (!ok)
        return false;
    const qlonglong result = negative ? -magnitude : magnitude;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(result);
    return true;
}

void ApplyProxySettings(IHttpClient& http, const TParams& params)
{
    if (params.NoProxy) {
        http.SetProxy(TProxySettings{});
        return;
    }
    TProxySettings proxy = http.Proxy();
    proxy.Server = params.Address;
    int port = 0;
    if (!ParseIntegerText(params.Port, port)) {
        http.SetProxy(proxy);
        throw std::runtime_error(
            QStringLiteral("'%1' is not a valid integer value").arg(params.Port).toStdString());
    }
    proxy.Port = port;
    proxy.UserName = params.UserName;
    proxy.Password = params.Password;
    http.SetProxy(proxy);
}
