#include "TestProxy.h"

#include <QTcpSocket>
#include <QUrl>

namespace orv::test {

TestProxy::TestProxy(const QString &user, const QString &password)
{
    if (!user.isEmpty())
        expected_ = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &TestProxy::onConnection);
}

void TestProxy::onConnection()
{
    while (QTcpSocket *client = server_.nextPendingConnection()) {
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { serve(client); });
    }
}

void TestProxy::serve(QTcpSocket *client)
{
    QByteArray buffered = client->property("buffer").toByteArray() + client->readAll();
    const qsizetype end = buffered.indexOf("\r\n\r\n");
    if (end < 0) {
        client->setProperty("buffer", buffered);
        return;
    }
    client->setProperty("buffer", buffered.mid(end + 4));
    const QList<QByteArray> lines = buffered.left(end).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    QByteArray auth;
    QByteArray headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
        if (name == "proxy-authorization")
            auth = line.mid(line.indexOf(':') + 1).trimmed();
        else if (!name.startsWith("proxy-") && name != "connection" && !line.isEmpty())
            headers += line + "\r\n";
    }
    if (!expected_.isEmpty() && auth != expected_) {
        client->write("HTTP/1.1 407 Proxy Authentication Required\r\n"
                      "Proxy-Authenticate: Basic realm=\"orvento\"\r\nContent-Length: 0\r\n\r\n");
        return;
    }
    const QUrl target(QString::fromLatin1(requestLine.value(1)));
    if (requestLine.value(0) != "GET" || !target.isValid()) {
        client->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        client->disconnectFromHost();
        return;
    }
    forwarded_ << target.toString();
    auto *upstream = new QTcpSocket(client);
    connect(upstream, &QTcpSocket::connected, upstream, [=] {
        upstream->write("GET " + target.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority) +
                        " HTTP/1.1\r\n" + headers + "Connection: close\r\n\r\n");
    });
    connect(upstream, &QTcpSocket::readyRead, client, [=] { client->write(upstream->readAll()); });
    connect(upstream, &QTcpSocket::disconnected, client, [=] {
        client->write(upstream->readAll());
        client->disconnectFromHost();
    });
    connect(upstream, &QTcpSocket::errorOccurred, client, [=](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::RemoteHostClosedError) {
            client->write("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            client->disconnectFromHost();
        }
    });
    upstream->connectToHost(target.host(), quint16(target.port(80)));
}

} // namespace orv::test
