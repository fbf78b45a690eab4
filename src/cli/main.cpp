// parlino-translate: the translation engine for terminals and scripts. It
// reads the window program's settings file (proxy, remembered languages) and
// never writes it.

#include "settings/settings.h"
#include "translate/httpclient.h"
#include "translate/parse.h"
#include "translate/proxy.h"
#include "translate/request.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>

namespace {

enum ExitCode
{
    Success = 0,
    TranslationFailed = 1,
    UsageError = 2
};

void PrintError(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
}

bool IsLanguageCode(const QString& code)
{
    // Codes go into the request unencoded, so only letters and hyphens pass.
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z]{2,3}(-[A-Za-z]{2,4})?$|^auto$"));
    return pattern.match(code).hasMatch();
}

// The text as the window's source pane would hand it over: CR LF between
// lines, white space around the whole trimmed.
QString SourceText(const QStringList& arguments)
{
    QString text;
    if (!arguments.isEmpty()) {
        text = arguments.join(QLatin1Char(' '));
    } else {
        QFile in;
        if (in.open(stdin, QIODevice::ReadOnly))
            text = QString::fromUtf8(in.readAll());
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.trimmed();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("parlino-translate"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARLINO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Translates text with the Google Translate web service, as Parlino does.\n"
                       "The text comes from the arguments, or from standard input when there are none.\n"
                       "The translation goes to standard output; a failure prints its message on\n"
                       "standard error and exits with status 1 (2 for a usage error).\n\n"
                       "Settings (proxy and the remembered languages) are read from\n%1\n"
                       "and never written.")
            .arg(DefaultIniPath()));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption fromOption(
        {QStringLiteral("f"), QStringLiteral("from")},
        QStringLiteral(
            "Source language code, or \"auto\" to detect it. Default: FromLang of the settings, else auto."),
        QStringLiteral("code"));
    const QCommandLineOption toOption(
        {QStringLiteral("t"), QStringLiteral("to")},
        QStringLiteral("Target language code, e.g. de. Default: ToLang of the settings."),
        QStringLiteral("code"));
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"), QStringLiteral("Read this settings file instead of the default one."),
        QStringLiteral("file"));
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"), QStringLiteral("On failure, also print what the connection reported."));
    parser.addOptions({fromOption, toOption, settingsOption, verboseOption});
    parser.addPositionalArgument(QStringLiteral("text"), QStringLiteral("The text to translate."),
                                 QStringLiteral("[text...]"));
    parser.process(app);

    const QString iniPath = parser.isSet(settingsOption) ? parser.value(settingsOption) : DefaultIniPath();
    const TParams params = ReadParams(iniPath);

    QString from = parser.isSet(fromOption) ? parser.value(fromOption) : params.FromLang;
    if (from.isEmpty())
        from = QStringLiteral("auto");
    const QString to = parser.isSet(toOption) ? parser.value(toOption) : params.ToLang;
    if (to.isEmpty()) {
        PrintError(QStringLiteral("parlino-translate: no target language; give one with --to, e.g. --to de"));
        return UsageError;
    }
    for (const QString& code : {from, to}) {
        if (!IsLanguageCode(code)) {
            PrintError(QStringLiteral("parlino-translate: '%1' is not a language code").arg(code));
            return UsageError;
        }
    }

    const QString text = SourceText(parser.positionalArguments());
    if (text.isEmpty())
        return Success;

    QByteArray buffer;
    try {
        THttpClient http;
        ApplyProxySettings(http, params);
        http.PrepareRequestHeaders();
        const TTranslateRequest request = FormTranslateRequest(DefaultServiceBaseUrl(), text, from, to);
        buffer = request.Post ? http.Post(request.Url, request.Body) : http.Get(request.Url);
    } catch (const THttpError& e) {
        buffer = QByteArray(e.what());
    } catch (const std::exception& e) {
        PrintError(QString::fromUtf8(e.what()));
        return TranslationFailed;
    }

    const TParseResult result = ParseTranslationBytes(buffer);
    if (!result.Error.isEmpty()) {
        PrintError(result.Error);
        if (parser.isSet(verboseOption) && buffer.size() < 1024)
            PrintError(QStringLiteral("(%1)").arg(QString::fromUtf8(buffer).simplified()));
        return TranslationFailed;
    }
    QString translation = result.Translation;
    translation.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!translation.isEmpty() && !translation.endsWith(QLatin1Char('\n')))
        translation += QLatin1Char('\n');
    const QByteArray out = translation.toUtf8();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return std::fflush(stdout) == 0 ? Success : TranslationFailed;
}
