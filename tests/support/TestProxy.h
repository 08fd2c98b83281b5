#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace orv::test {

// A tiny HTTP proxy on a loopback port for tests: it asks for Basic
// credentials when a user is set, forwards plain GET requests and remembers
// the URLs it carried. It runs in the test's own event loop.
class TestProxy : public QObject {
    Q_OBJECT
public:
    explicit TestProxy(const QString &user = QString(), const QString &password = QString());
    quint16 port() const { return server_.serverPort(); }
    // The absolute URLs forwarded, in order.
    const QStringList &forwarded() const { return forwarded_; }

private:
    void onConnection();
    void serve(class QTcpSocket *client);

    QTcpServer server_;
    QByteArray expected_; // the Proxy-Authorization value that is accepted
    QStringList forwarded_;
};

} // namespace orv::test
