#include "platform/Net.h"

#include "support/ListingsServer.h"

#include <QDir>
#include <QFile>
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
    uint32_t x = 2463534242u;
    for (int i = 0; i < n; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out.append(char(x & 0xFF));
    }
    return out;
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
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

// Copies keep the connection: the server sees the same client port throughout.
TEST_F(NetTest, CopiesBinaryBodiesByteForByteOverOneConnectionAndFollowsRedirects)
{
    ListingsServer server({"--redirect", "^/test/bytes/3000$"});
    QByteArray first, last;
    ASSERT_TRUE(orv::net::readUrl(server.url("/test/peer"), first).ok());
    for (int n : {70000, 3000}) {
        const auto r = copy(server.url("/test/bytes/%1").arg(n), "blob.bin");
        EXPECT_EQ(r.outcome, Outcome::Fetched) << n << r.error.toStdString();
        EXPECT_EQ(r.httpStatus, 200);
        EXPECT_EQ(r.bytes, n);
        EXPECT_EQ(contentOf(file("blob.bin")), expectedBytes(n));
    }
    ASSERT_TRUE(orv::net::readUrl(server.url("/test/peer"), last).ok());
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(first, last);
}

TEST_F(NetTest, NotFoundAndGoneAreNotFoundOtherErrorsFailAndNeitherTouchesTheFile)
{
    const struct {
        int status;
        Outcome outcome;
    } cases[] = {{404, Outcome::NotFound}, {410, Outcome::NotFound}, {500, Outcome::Failed}};
    write(file("checks.txt"), "old");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        StatusServer server(c.status);
        const auto r = copy(server.url(), "checks.txt");
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.httpStatus, c.status);
        EXPECT_TRUE(r.opened);
        EXPECT_FALSE(r.complete);
        EXPECT_EQ(contentOf(file("checks.txt")), "old");
        EXPECT_EQ(leftovers(), QStringList{"checks.txt"});
        QByteArray body;
        EXPECT_EQ(orv::net::readUrl(server.url(), body).outcome, c.outcome);
        EXPECT_TRUE(body.isEmpty());
    }
}

// Refused, cut short, silent or not http(s): failed, the previous file kept.
TEST_F(NetTest, FailedTransfersKeepThePreviousFileAndLeaveNothingElse)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/x.txt").arg(probe.serverPort());
    probe.close();
    ListingsServer cut({"--truncate", "^/test/bytes/"});
    ListingsServer silent({"--slow", "^/test/bytes/", "--delay-ms", "4000"});
    const struct {
        QString url;
        bool opened;
    } cases[] = {{refused, false},          {cut.url("/test/bytes/20000"), true}, {silent.url("/test/bytes/10"), false},
                 {"file:///etc/hostname", false}, {"ftp://127.0.0.1/x.txt", false}, {"javascript:alert(1)", false},
                 {"", false},               {"http://", false}};
    write(file("x.bin"), "old");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        const auto r = copy(c.url, "x.bin", 300);
        EXPECT_EQ(r.outcome, Outcome::Failed);
        EXPECT_EQ(r.opened, c.opened);
        EXPECT_LT(r.bytes, 20000);
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_EQ(contentOf(file("x.bin")), "old");
        EXPECT_EQ(leftovers(), QStringList{"x.bin"});
    }
    EXPECT_TRUE(orv::net::isFetchableUrl("https://example.org/a.txt"));
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
