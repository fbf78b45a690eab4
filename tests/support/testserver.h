#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QSemaphore>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>

// One HTTP request as the test server received it.
struct TRecordedRequest
{
    QByteArray RequestLine;
    // Header lines in the order received, without the line ends.
    QList<QByteArray> HeaderLines;
    QByteArray Body;
    // Which accepted connection carried it, counting from 1.
    int Connection = 0;

    QByteArray Header(const QByteArray& name) const;
    // Header names in lower case, sorted.
    QList<QByteArray> HeaderNames() const;
};

struct TReply
{
    enum Kind
    {
        Send,
        CloseWithoutAnswer,
        NeverAnswer
    };
    Kind Action = Send;
    QByteArray Bytes;
    bool CloseAfter = false;

    static TReply Json(const QByteArray& body);
    // Takes the request and never answers it.
    static TReply Silent();
    // Closes the connection without a byte of answer.
    static TReply Closed();
    static TReply Status(const QByteArray& statusLine, const QByteArray& body = QByteArray());
};

using TRequestHandler = std::function<TReply(const TRecordedRequest&)>;

// Runs one server object in a thread of its own: made, served and deleted there.
class TServerThread : public QThread
{
public:
    explicit TServerThread(std::function<QObject*()> make);
    ~TServerThread() override;
    QObject* Core() const { return FCore; }

protected:
    void run() override;

private:
    std::function<QObject*()> FMake;
    QObject* FCore = nullptr;
    QSemaphore FReady;
};

class TServerCore;

// An HTTPS (or plain HTTP) server on 127.0.0.1 with its own thread, so a test
// can block in a client call while the server answers.
class TTestHttpsServer
{
public:
    enum class Certificate
    {
        Trusted,
        Untrusted,
        None
    };

    explicit TTestHttpsServer(Certificate certificate = Certificate::Trusted);
    ~TTestHttpsServer();

    quint16 Port() const;
    QString BaseUrl() const;
    void SetHandler(TRequestHandler handler);
    // Gives every request the same reply.
    void AnswerAlways(const TReply& reply);
    QList<TRecordedRequest> Requests() const;
    int Connections() const;

    // The authority that signed the trusted certificate.
    static QString CaFile();

private:
    std::unique_ptr<TServerThread> FThread;
    TServerCore* FCore = nullptr;
};

class TProxyCore;

// A plain HTTP proxy that serves CONNECT only and demands Basic
// authentication with the given user and password.
class TTestConnectProxy
{
public:
    TTestConnectProxy(const QByteArray& user, const QByteArray& password);
    ~TTestConnectProxy();

    quint16 Port() const;
    // The CONNECT requests received, each with its header lines.
    QList<TRecordedRequest> Requests() const;
    int Tunnels() const;

private:
    std::unique_ptr<TServerThread> FThread;
    TProxyCore* FCore = nullptr;
};
