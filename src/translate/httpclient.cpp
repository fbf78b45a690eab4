#include "translate/httpclient.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <curl/curl.h>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void GlobalInitOnce()
{
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// The system's trust store plus the test or mirror authority named by
// PARLINO_CA_FILE; empty when that variable is unset, so libcurl's own
// defaults apply.
QByteArray ExtraTrustBundle()
{
    const QString extra = qEnvironmentVariable("PARLINO_CA_FILE");
    if (extra.isEmpty())
        return QByteArray();
    QByteArray bundle;
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    if (info->cainfo) {
        QFile system(QString::fromLocal8Bit(info->cainfo));
        if (system.open(QIODevice::ReadOnly))
            bundle = system.readAll() + '\n';
    }
    QFile file(extra);
    if (file.open(QIODevice::ReadOnly))
        bundle += file.readAll();
    return bundle;
}

struct TCurlList
{
    curl_slist* FList = nullptr;
    ~TCurlList() { curl_slist_free_all(FList); }
    void Append(const char* line) { FList = curl_slist_append(FList, line); }
};

} // namespace

struct THttpClient::TImpl
{
    CURL* FCurl = nullptr;
    QByteArray FTrustBundle;

    // Set from the main thread, read when a request starts.
    mutable std::mutex FConfigMutex;
    TProxySettings FProxy;
    std::vector<std::string> FHeaders;
    std::string FUserAgent;
    std::string FReferer;
    std::chrono::milliseconds FConnectTimeout{30'000};
    std::chrono::milliseconds FStallTimeout{60'000};
    qsizetype FMaxAnswer = qsizetype{32} * 1024 * 1024;

    std::atomic<bool> FAborted{false};
    std::mutex FRequestMutex;

    // State of the request in flight.
    QByteArray FBody;
    std::string FStatusLine;
    bool FTooLarge = false;
    bool FStalled = false;
    Clock::time_point FLastProgress;
    curl_off_t FLastBytes = 0;
    std::chrono::milliseconds FStallLimit{};
    qsizetype FAnswerLimit = 0;

    static size_t OnWrite(char* data, size_t size, size_t count, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static int OnProgress(void* self, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal,
                          curl_off_t ulNow);

    QByteArray Perform(const QByteArray& url, const QByteArray* postBody);
};

size_t THttpClient::TImpl::OnWrite(char* data, size_t size, size_t count, void* self)
{
    auto* d = static_cast<TImpl*>(self);
    const size_t bytes = size * count;
    // libcurl's own size limit does not stop an answer of unknown length.
    if (bytes > static_cast<size_t>(d->FAnswerLimit - d->FBody.size())) {
        d->FTooLarge = true;
        return 0;
    }
    d->FBody.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

size_t THttpClient::TImpl::OnHeader(char* data, size_t size, size_t count, void* self)
{
    auto* d = static_cast<TImpl*>(self);
    const size_t bytes = size * count;
    if (bytes > 5 && std::memcmp(data, "HTTP/", 5) == 0) {
        std::string line(data, bytes);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        d->FStatusLine = std::move(line);
    }
    return bytes;
}

int THttpClient::TImpl::OnProgress(void* self, curl_off_t, curl_off_t dlNow, curl_off_t, curl_off_t ulNow)
{
    auto* d = static_cast<TImpl*>(self);
    if (d->FAborted)
        return 1;
    const auto now = Clock::now();
    if (dlNow + ulNow != d->FLastBytes) {
        d->FLastBytes = dlNow + ulNow;
        d->FLastProgress = now;
    } else if (now - d->FLastProgress > d->FStallLimit) {
        d->FStalled = true;
        return 1;
    }
    return 0;
}

QByteArray THttpClient::TImpl::Perform(const QByteArray& url, const QByteArray* postBody)
{
    std::lock_guard requestLock(FRequestMutex);

    TProxySettings proxy;
    TCurlList headers;
    std::string userAgent;
    std::string referer;
    std::chrono::milliseconds connectTimeout;
    {
        std::lock_guard lock(FConfigMutex);
        proxy = FProxy;
        for (const std::string& h : FHeaders)
            headers.Append(h.c_str());
        userAgent = FUserAgent;
        referer = FReferer;
        connectTimeout = FConnectTimeout;
        FStallLimit = FStallTimeout;
        FAnswerLimit = FMaxAnswer;
    }
    // libcurl adds "Expect: 100-continue" to larger POSTs by itself.
    headers.Append("Expect:");

    FBody.clear();
    FStatusLine.clear();
    FTooLarge = false;
    FStalled = false;
    FLastBytes = 0;
    FLastProgress = Clock::now();

    CURL* c = FCurl;
    const std::string urlText = url.toStdString();
    curl_easy_setopt(c, CURLOPT_URL, urlText.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // An aborted request must not wait for a hanging name lookup to finish.
    curl_easy_setopt(c, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.FList);
    curl_easy_setopt(c, CURLOPT_USERAGENT, userAgent.empty() ? nullptr : userAgent.c_str());
    curl_easy_setopt(c, CURLOPT_REFERER, referer.empty() ? nullptr : referer.c_str());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectTimeout.count()));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &TImpl::OnWrite);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &TImpl::OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &TImpl::OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    if (!FTrustBundle.isEmpty()) {
        curl_blob blob{FTrustBundle.data(), static_cast<size_t>(FTrustBundle.size()), CURL_BLOB_NOCOPY};
        curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &blob);
    }

    if (postBody) {
        curl_easy_setopt(c, CURLOPT_POST, 1L);
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(postBody->size()));
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, postBody->constData());
    } else {
        curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    }

    // An empty proxy string also keeps libcurl from taking one from the
    // environment: the program uses only the proxy the user configured.
    const std::string proxyHost = proxy.Server.toStdString();
    const std::string proxyUser = proxy.UserName.toStdString();
    const std::string proxyPassword = proxy.Password.toStdString();
    curl_easy_setopt(c, CURLOPT_PROXY, proxyHost.c_str());
    curl_easy_setopt(c, CURLOPT_PROXYPORT, static_cast<long>(proxy.Port));
    curl_easy_setopt(c, CURLOPT_HTTPPROXYTUNNEL, 1L);
    curl_easy_setopt(c, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, proxyUser.c_str());
    curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, proxyPassword.c_str());
    // More than one allowed method makes libcurl wait for the proxy's 407
    // before it sends any credentials.
    curl_easy_setopt(c, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_ANY));

    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    const CURLcode rc = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, nullptr);
    curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, nullptr);

    long osErrno = 0;
    curl_easy_getinfo(c, CURLINFO_OS_ERRNO, &osErrno);

    switch (rc) {
    case CURLE_OK: {
        long status = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 200 && status < 300)
            return std::move(FBody);
        throw THttpError(FStatusLine.empty() ? "HTTP status " + std::to_string(status) : FStatusLine);
    }
    case CURLE_OPERATION_TIMEDOUT:
        throw THttpError(HttpFailures::TimedOut);
    case CURLE_COULDNT_CONNECT:
        if (osErrno == ETIMEDOUT)
            throw THttpError(HttpFailures::TimedOut);
        break;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        throw THttpError(HttpFailures::ConnectionClosed);
    case CURLE_ABORTED_BY_CALLBACK:
        if (FStalled)
            throw THttpError(HttpFailures::TimedOut);
        throw THttpError("The request was cancelled.");
    case CURLE_WRITE_ERROR:
        if (FTooLarge)
            throw THttpError("The answer is larger than " + std::to_string(FAnswerLimit) + " bytes.");
        break;
    default:
        break;
    }
    throw THttpError(errorText[0] ? std::string(errorText) : std::string(curl_easy_strerror(rc)));
}

THttpClient::THttpClient() : FImpl(std::make_unique<TImpl>())
{
    GlobalInitOnce();
    FImpl->FCurl = curl_easy_init();
    if (!FImpl->FCurl)
        throw std::runtime_error("Unable to start the HTTP client.");
    FImpl->FTrustBundle = ExtraTrustBundle();
}

THttpClient::~THttpClient()
{
    curl_easy_cleanup(FImpl->FCurl);
}

void THttpClient::PrepareRequestHeaders()
{
    std::lock_guard lock(FImpl->FConfigMutex);
    // Nothing of an earlier request survives; the Host header is the URL's.
    FImpl->FHeaders = {
        "Connection: keep-alive",
        "Keep-Alive: 300",
        "Cache-Control: no-cache",
        "Pragma: no-cache",
        "Accept: */*",
        "Accept-Language: en",
        "Content-Type: application/x-www-form-urlencoded",
        // No decompressor is attached, so ask for the answer as it is.
        "Accept-Encoding: identity",
    };
    FImpl->FUserAgent = UserAgent;
    FImpl->FReferer = Referer;
    FImpl->FAborted = false;
}

QByteArray THttpClient::Get(const QByteArray& url)
{
    return FImpl->Perform(url, nullptr);
}

QByteArray THttpClient::Post(const QByteArray& url, const QByteArray& body)
{
    return FImpl->Perform(url, &body);
}

void THttpClient::SetProxy(const TProxySettings& proxy)
{
    std::lock_guard lock(FImpl->FConfigMutex);
    FImpl->FProxy = proxy;
}

TProxySettings THttpClient::Proxy() const
{
    std::lock_guard lock(FImpl->FConfigMutex);
    return FImpl->FProxy;
}

void THttpClient::Abort()
{
    FImpl->FAborted = true;
}

void THttpClient::SetConnectTimeout(std::chrono::milliseconds timeout)
{
    std::lock_guard lock(FImpl->FConfigMutex);
    FImpl->FConnectTimeout = timeout;
}

void THttpClient::SetStallTimeout(std::chrono::milliseconds timeout)
{
    std::lock_guard lock(FImpl->FConfigMutex);
    FImpl->FStallTimeout = timeout;
}

void THttpClient::SetMaxAnswerSize(qsizetype bytes)
{
    std::lock_guard lock(FImpl->FConfigMutex);
    FImpl->FMaxAnswer = bytes;
}

bool HttpTlsAvailable()
{
    GlobalInitOnce();
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    return (info->features & CURL_VERSION_SSL) && info->ssl_version &&
           std::strstr(info->ssl_version, "OpenSSL") != nullptr;
}
