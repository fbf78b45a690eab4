#include "app/testhooks.h"

#include <QStringList>
#include <cstdio>

namespace TestHooks {

bool Enabled(const QString& hook)
{
    static const QStringList hooks =
        QString::fromLocal8Bit(qgetenv("PARLINO_TEST_HOOKS")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    return hooks.contains(hook);
}

void Report(const QString& line)
{
    if (!Enabled(QStringLiteral("report")))
        return;
    QString escaped = line;
    escaped.replace(QLatin1Char('\r'), QStringLiteral("\\r"))
        .replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    std::fprintf(stderr, "parlino-test: %s\n", escaped.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace TestHooks
