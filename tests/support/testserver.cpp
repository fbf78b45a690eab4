#include "testserver.h"

#include <QFile>
#include <QHostAddress>
#include <QMutexLocker>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

QByteArray TRecordedRequest::Header(const QByteArray& name) const
{
    for (const QByteArray& line : HeaderLines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.first(colon).trimmed().toLower() == name.toLower())
            return line.sliced(colon + 1).trimmed();
    }
    return QByteArray();
}

QList<QByteArray> TRecordedRequest::HeaderNames() const
{
    QList<QByteArray> names;
    for (const QByteArray& line : HeaderLines)
        names.append(line.first(qMax<qsizetype>(0, line.indexOf(':'))).trimmed().toLower());
    std::sort(names.begin(), names.end());
    return names;
}

TReply TReply::Json(const QByteArray& body)
{
    TReply r;
    r.Bytes = "HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=utf-8\r\nContent-Length: " +
              QByteArray::number(body.size()) + "\r\n\r\n" + body;
    return r;
}

TReply TReply::Silent()
{
    TReply r;
    r.Action = NeverAnswer;
    return r;
}

TReply TReply::Closed()
{
    TReply r;
    r.Action = CloseWithoutAnswer;
    return r;
}

TReply TReply::Status(const QByteArray& statusLine, const QByteArray& body)
{
    TReply r;
    r.Bytes = statusLine +
              "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
              "\r\n\r\n" + body;
    return r;
}

namespace {

// Splits complete requests off the front of `buffer`.
bool TakeRequest(QByteArray& buffer, TRecordedRequest& request)
{
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer.first(headEnd).split('\n');
    TRecordedRequest r;
    r.RequestLine = lines.value(0).trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i)
        r.HeaderLines.append(lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i]);
    const qsizetype length = r.Header("Content-Length").toLongLong();
    if (buffer.size() < headEnd + 4 + length)
        return false;
    r.Body = buffer.sliced(headEnd + 4, length);
    buffer.remove(0, headEnd + 4 + length);
    request = r;
    return true;
}

QString CertDir()
{
    return QStringLiteral(PARLINO_TEST_CERTS);
}

} // namespace

TServerThread::TServerThread(std::function<QObject*()> make) : FMake(std::move(make))
{
    start();
    FReady.acquire();
}

TServerThread::~TServerThread()
{
    quit();
    wait();
}

void TServerThread::run()
{
    FCore = FMake();
    FReady.release();
    exec();
    delete FCore;
}

class TServerCore : public QTcpServer
{
public:
    explicit TServerCore(TTestHttpsServer::Certificate certificate)
    {
        if (certificate != TTestHttpsServer::Certificate::None) {
            const QString name = certificate == TTestHttpsServer::Certificate::Trusted
                                     ? QStringLiteral("server")
                                     : QStringLiteral("rogue");
            QFile certFile(CertDir() + u'/' + name + QStringLiteral(".pem"));
            QFile keyFile(CertDir() + u'/' + name + QStringLiteral(".key"));
            certFile.open(QIODevice::ReadOnly);
            keyFile.open(QIODevice::ReadOnly);
            FCert = QSslCertificate(certFile.readAll());
            FKey = QSslKey(keyFile.readAll(), QSsl::Ec);
            FTls = true;
        }
        listen(QHostAddress::LocalHost);
    }

    mutable QMutex FMutex;
    QList<TRecordedRequest> FRequests;
    TRequestHandler FHandler;
    int FConnections = 0;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        QTcpSocket* socket = FTls ? new QSslSocket(this) : new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        int connection = 0;
        {
            QMutexLocker lock(&FMutex);
            connection = ++FConnections;
        }
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, connection] {
            buffer->append(socket->readAll());
            TRecordedRequest request;
            while (TakeRequest(*buffer, request)) {
                request.Connection = connection;
                TRequestHandler handler;
                {
                    QMutexLocker lock(&FMutex);
                    FRequests.append(request);
                    handler = FHandler;
                }
                const TReply reply = handler ? handler(request) : TReply::Json(R"([[["ok",null]]])");
                if (reply.Action == TReply::NeverAnswer)
                    return;
                if (reply.Action == TReply::CloseWithoutAnswer) {
                    socket->disconnectFromHost();
                    return;
                }
                socket->write(reply.Bytes);
                if (reply.CloseAfter) {
                    socket->disconnectFromHost();
                    return;
                }
            }
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (auto* tls = qobject_cast<QSslSocket*>(socket)) {
            tls->setLocalCertificate(FCert);
            tls->setPrivateKey(FKey);
            QObject::connect(tls, &QSslSocket::sslErrors, tls, [tls] { tls->ignoreSslErrors(); });
            tls->startServerEncryption();
        }
    }

private:
    bool FTls = false;
    QSslCertificate FCert;
    QSslKey FKey;
};

TTestHttpsServer::TTestHttpsServer(Certificate certificate)
{
    FThread = std::make_unique<TServerThread>([certificate] { return new TServerCore(certificate); });
    FCore = static_cast<TServerCore*>(FThread->Core());
}

TTestHttpsServer::~TTestHttpsServer() = default;

quint16 TTestHttpsServer::Port() const
{
    return FCore->serverPort();
}

QString TTestHttpsServer::BaseUrl() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(Port());
}

void TTestHttpsServer::SetHandler(TRequestHandler handler)
{
    QMutexLocker lock(&FCore->FMutex);
    FCore->FHandler = std::move(handler);
}

void TTestHttpsServer::AnswerAlways(const TReply& reply)
{
    SetHandler([reply](const TRecordedRequest&) { return reply; });
}

QList<TRecordedRequest> TTestHttpsServer::Requests() const
{
    QMutexLocker lock(&FCore->FMutex);
    return FCore->FRequests;
}

int TTestHttpsServer::Connections() const
{
    QMutexLocker lock(&FCore->FMutex);
    return FCore->FConnections;
}

QString TTestHttpsServer::CaFile()
{
    return CertDir() + QStringLiteral("/ca.pem");
}

class TProxyCore : public QTcpServer
{
public:
    TProxyCore(QByteArray user, QByteArray password)
        : FExpected("Basic " + (user + ':' + password).toBase64())
    {
        listen(QHostAddress::LocalHost);
    }

    mutable QMutex FMutex;
    QList<TRecordedRequest> FRequests;
    int FTunnels = 0;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* client = new QTcpSocket(this);
        client->setSocketDescriptor(descriptor);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(client, &QTcpSocket::readyRead, client, [this, client, buffer] {
            if (client->property("tunnel").toBool())
                return;
            buffer->append(client->readAll());
            TRecordedRequest request;
            while (TakeRequest(*buffer, request)) {
                {
                    QMutexLocker lock(&FMutex);
                    FRequests.append(request);
                }
                if (!request.RequestLine.startsWith("CONNECT ")) {
                    client->write("HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n");
                    continue;
                }
                if (request.Header("Proxy-Authorization") != FExpected) {
                    client->write(
                        "HTTP/1.1 407 Proxy Authentication Required\r\n"
                        "Proxy-Authenticate: Basic realm=\"parlino-test\"\r\nContent-Length: 0\r\n\r\n");
                    continue;
                }
                OpenTunnel(client, request.RequestLine.split(' ').value(1), *buffer);
                return;
            }
        });
        QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }

private:
    void OpenTunnel(QTcpSocket* client, const QByteArray& target, const QByteArray& early)
    {
        const qsizetype colon = target.lastIndexOf(':');
        auto* upstream = new QTcpSocket(client);
        client->setProperty("tunnel", true);
        QObject::connect(upstream, &QTcpSocket::connected, client, [this, client, upstream, early] {
            {
                QMutexLocker lock(&FMutex);
                ++FTunnels;
            }
            client->write("HTTP/1.1 200 Connection established\r\n\r\n");
            if (!early.isEmpty())
                upstream->write(early);
            QObject::connect(client, &QTcpSocket::readyRead, upstream,
                             [client, upstream] { upstream->write(client->readAll()); });
            QObject::connect(upstream, &QTcpSocket::readyRead, client,
                             [client, upstream] { client->write(upstream->readAll()); });
            QObject::connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            QObject::connect(client, &QTcpSocket::disconnected, upstream, &QTcpSocket::disconnectFromHost);
        });
        upstream->connectToHost(QString::fromLatin1(target.first(colon)),
                                target.sliced(colon + 1).toUShort());
    }

    QByteArray FExpected;
};

TTestConnectProxy::TTestConnectProxy(const QByteArray& user, const QByteArray& password)
{
    FThread = std::make_unique<TServerThread>([user, password] { return new TProxyCore(user, password); });
    FCore = static_cast<TProxyCore*>(FThread->Core());
}

TTestConnectProxy::~TTestConnectProxy() = default;

quint16 TTestConnectProxy::Port() const
{
    return FCore->serverPort();
}

QList<TRecordedRequest> TTestConnectProxy::Requests() const
{
    QMutexLocker lock(&FCore->FMutex);
    return FCore->FRequests;
}

int TTestConnectProxy::Tunnels() const
{
    QMutexLocker lock(&FCore->FMutex);
    return FCore->FTunnels;
}
