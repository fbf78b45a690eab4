#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <stdexcept>

// A failed request. what() is the failure text in UTF-8, which the answer
// parser recognises for the three known cases.
class THttpError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
    QString Text() const { return QString::fromUtf8(what()); }
};

namespace HttpFailures {
// The peer closed the connection without a complete answer.
inline constexpr char ConnectionClosed[] = "Connection Closed Gracefully.";
// The connection attempt or the answer timed out.
inline constexpr char TimedOut[] = "Socket Error # 10060\r\nConnection timed out.";
} // namespace HttpFailures

struct TProxySettings
{
    QString Server;
    int Port = 0;
    QString UserName;
    QString Password;

    bool operator==(const TProxySettings&) const = default;
};

// What a translation job needs of an HTTP client. The window owns one; the
// worker thread uses it only while its job runs.
class IHttpClient
{
public:
    virtual ~IHttpClient() = default;

    // Main thread, before each job: the browser-like request headers.
    virtual void PrepareRequestHeaders() = 0;

    // Both return the body of a successful answer and throw THttpError.
    virtual QByteArray Get(const QByteArray& url) = 0;
    virtual QByteArray Post(const QByteArray& url, const QByteArray& body) = 0;

    // Takes effect from the next request; a running one keeps its proxy.
    virtual void SetProxy(const TProxySettings& proxy) = 0;
    virtual TProxySettings Proxy() const = 0;

    // Any thread: ends a running request soon, with an error.
    virtual void Abort() = 0;
};

// The client over one libcurl easy handle, so a kept-alive connection serves
// the next request. Certificates are verified against the system's trust
// store plus the authority named by PARLINO_CA_FILE, if set.
class THttpClient final : public IHttpClient
{
public:
    THttpClient();
    ~THttpClient() override;
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    void PrepareRequestHeaders() override;
    QByteArray Get(const QByteArray& url) override;
    QByteArray Post(const QByteArray& url, const QByteArray& body) override;
    void SetProxy(const TProxySettings& proxy) override;
    TProxySettings Proxy() const override;
    void Abort() override;

    // Limits against a silent or endless server. Defaults: 30 s to connect,
    // 60 s without a byte of the answer, 32 MiB of answer.
    void SetConnectTimeout(std::chrono::milliseconds timeout);
    void SetStallTimeout(std::chrono::milliseconds timeout);
    void SetMaxAnswerSize(qsizetype bytes);

    // The Referer sent with every request.
    static constexpr char Referer[] = "translate.google.com";
    static constexpr char UserAgent[] = "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.13 "
                                        "(KHTML, like Gecko) Chrome/9.0.597.67 Safari/534";

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// Whether libcurl was built with an OpenSSL TLS backend, which HTTPS needs.
bool HttpTlsAvailable();
