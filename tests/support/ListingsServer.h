#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace orv::test {

// Starts the sample listings server on a free loopback port for the length of
// a test, with the given extra options (for instance {"--fail404", "/orvento/checks/"}).
// Fails the current test when the server does not come up.
class ListingsServer {
public:
    explicit ListingsServer(const QStringList &options = {});
    ~ListingsServer();
    ListingsServer(const ListingsServer &) = delete;
    ListingsServer &operator=(const ListingsServer &) = delete;

    bool running() const { return !base_.isEmpty(); }
    // "http://127.0.0.1:<port>", without a trailing slash.
    QString baseUrl() const { return base_; }
    quint16 port() const { return port_; }
    // baseUrl() followed by path, which starts with "/".
    QString url(const QString &path) const { return base_ + path; }
    // Waits until the server holds the request chosen by "--hold" and
    // "--hold-at"; its path, or empty when none came within ms.
    QString waitForHeld(int ms = 120000);

private:
    QProcess process_;
    QString base_;
    quint16 port_ = 0;
};

} // namespace orv::test
