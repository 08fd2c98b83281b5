#include "platform/Files.h"
#include "platform/Net.h"

#include "support/ListingsServer.h"
#include "support/TestProxy.h"

#include <QDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using orv::net::Outcome;
using orv::test::ListingsServer;

namespace {

// The bytes the server sends for /test/bytes/N.
QByteArray expectedBytes(int n)
{
    QByteArray out;
    for (uint32_t x = 2463534242u; out.size() < n;) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out.append(char(x & 0xFF));
    }
    return out;
}

QByteArray contentOf(const QString &path)
{
    QByteArray data;
    return orv::files::readAll(path, data) ? data : QByteArray("<missing>");
}

// Answers every request with one status and a short body.
class StatusServer : public QTcpServer {
public:
    explicit StatusServer(int status)
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this, status] {
            QTcpSocket *s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [s, status] {
                if (!s->readAll().endsWith("\r\n\r\n"))
                    return;
                s->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Length: 4\r\nConnection: close\r\n\r\nbody");
                s->disconnectFromHost();
            });
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/x.txt").arg(serverPort()); }
};

class NetTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return dir.filePath(name); }
    // Files left in the folder besides the ones a test made itself.
    QStringList leftovers() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    orv::net::FetchResult copy(const QString &url, const QString &name, int timeoutMs = orv::net::DefaultTimeoutMs)
    {
        return orv::net::copyUrlToFile(url, file(name), {}, {}, timeoutMs);
    }

    QTemporaryDir dir;
};

// Copies keep the connection: the server sees the same client port again.
TEST_F(NetTest, CopiesBinaryBodiesByteForByteOverOneConnectionAndFollowsRedirects)
{
    ListingsServer server({"--redirect", "^/test/bytes/3000$"});
    QByteArray first, again;
    for (int n : {70000, 3000}) {
        ASSERT_TRUE(orv::net::readUrl(server.url("/test/peer"), n == 70000 ? first : again).ok());
        const auto r = copy(server.url("/test/bytes/%1").arg(n), "blob.bin");
        EXPECT_EQ(r.outcome, Outcome::Fetched) << n << r.error.toStdString();
        EXPECT_EQ(r.httpStatus, 200);
        EXPECT_EQ(r.bytes, n);
        EXPECT_EQ(contentOf(file("blob.bin")), expectedBytes(n));
    }
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(first, again);
}

// Not found and gone are "not found"; other errors, refused, cut short or
// silent transfers and URLs that are not http(s) fail. None touches the file.
TEST_F(NetTest, FailedTransfersKeepThePreviousFileAndLeaveNothingElse)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/x.txt").arg(probe.serverPort());
    probe.close();
    StatusServer notFound(404), gone(410), error(500);
    ListingsServer cut({"--truncate", "^/test/bytes/"});
    ListingsServer silent({"--slow", "^/test/bytes/", "--delay-ms", "4000"});
    const struct {
        QString url;
        Outcome outcome;
        int status;
    } cases[] = {{notFound.url(), Outcome::NotFound, 404},   {gone.url(), Outcome::NotFound, 410},
                 {error.url(), Outcome::Failed, 500},        {cut.url("/test/bytes/20000"), Outcome::Failed, 200},
                 {refused, Outcome::Failed, 0},              {silent.url("/test/bytes/10"), Outcome::Failed, 0},
                 {"file:///etc/hostname", Outcome::Failed, 0}, {"ftp://127.0.0.1/x.txt", Outcome::Failed, 0},
                 {"javascript:alert(1)", Outcome::Failed, 0}, {"", Outcome::Failed, 0},
                 {"http://", Outcome::Failed, 0}};
    orv::files::writeAtomically(file("x.bin"), "old");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        const auto r = copy(c.url, "x.bin", 300);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.httpStatus, c.status);
        EXPECT_EQ(r.opened, c.status != 0);
        EXPECT_FALSE(r.complete);
        EXPECT_LT(r.bytes, 20000);
        EXPECT_EQ(contentOf(file("x.bin")), "old");
        EXPECT_EQ(leftovers(), QStringList{"x.bin"});
        QByteArray body;
        EXPECT_EQ(orv::net::readUrl(c.url, body, {}, 300).outcome, c.outcome);
        EXPECT_TRUE(body.isEmpty());
    }
    EXPECT_TRUE(orv::net::isFetchableUrl("https://example.org/a.txt"));
}

// The proxy's port may be written in its host box.
TEST_F(NetTest, AProxyWrittenAsHostColonPortCarriesTheTransfer)
{
    orv::test::TestProxy proxy;
    ListingsServer server;
    orv::net::copyUrlToFile(server.url("/test/bytes/10"), file("p.bin"),
                            {true, QStringLiteral("127.0.0.1:%1").arg(proxy.port()), {}, {}, {}});
    EXPECT_EQ(proxy.forwarded(), QStringList{server.url("/test/bytes/10")});
}

// A body sent without a length is refused once it passes the cap, in memory too.
TEST_F(NetTest, BodiesPastTheCapAreRefused)
{
    ListingsServer server({"--no-length", "^/test/bytes/"});
    orv::net::Limits limits;
    limits.maxBytes = 100000;
    QByteArray body;
    auto r = orv::net::readUrl(server.url("/test/bytes/300000"), body, {}, orv::net::DefaultTimeoutMs, limits);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_LE(r.bytes, limits.maxBytes);
    EXPECT_TRUE(body.isEmpty());
    limits.maxBytes = 300000;
    r = orv::net::readUrl(server.url("/test/bytes/300000"), body, {}, orv::net::DefaultTimeoutMs, limits);
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_EQ(body, expectedBytes(300000));
}

} // namespace
