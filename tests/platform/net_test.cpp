#include "platform/Net.h"

#include "support/ListingsServer.h"
#include "support/TestProxy.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTcpServer>
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

class NetTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return dir.filePath(name); }
    // Files left in the folder besides the ones a test made itself.
    QStringList leftovers() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
};

TEST_F(NetTest, CopiesABinaryBodyByteForByte)
{
    ListingsServer server;
    const auto r = orv::net::copyUrlToFile(server.url("/test/bytes/70000"), file("blob.bin"));
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(r.bytes, 70000);
    EXPECT_EQ(contentOf(file("blob.bin")), expectedBytes(70000));
}

TEST_F(NetTest, CopiedLogoIsAGif)
{
    ListingsServer server;
    const auto r = orv::net::copyUrlToFile(server.url("/orvento/database2/palinsesti/107.gif"), file("107.gif"));
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_TRUE(contentOf(file("107.gif")).startsWith("GIF89a"));
    QImage logo(file("107.gif"), "GIF");
    EXPECT_FALSE(logo.isNull());
}

TEST_F(NetTest, NotFoundIsReportedAndKeepsThePreviousFile)
{
    ListingsServer server;
    write(file("checks.txt"), "old");
    const auto r = orv::net::copyUrlToFile(server.url("/orvento/checks/999.txt"), file("checks.txt"));
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_EQ(r.httpStatus, 404);
    EXPECT_TRUE(r.opened);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(contentOf(file("checks.txt")), "old");
    EXPECT_EQ(leftovers(), QStringList{"checks.txt"});
}

TEST_F(NetTest, ServerErrorIsAFailureNotContent)
{
    ListingsServer server({"--fail500", "^/orvento/codes/"});
    write(file("release.txt"), "old");
    const auto r = orv::net::copyUrlToFile(server.url("/orvento/codes/release.txt"), file("release.txt"));
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.httpStatus, 500);
    EXPECT_EQ(contentOf(file("release.txt")), "old");
}

TEST_F(NetTest, RefusedConnectionFails)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    write(file("x.txt"), "old");
    const auto r = orv::net::copyUrlToFile(QStringLiteral("http://127.0.0.1:%1/x.txt").arg(port), file("x.txt"));
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(r.httpStatus, 0);
    EXPECT_FALSE(r.opened);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(contentOf(file("x.txt")), "old");
}

TEST_F(NetTest, BodyCutShortIsAFailureAndLeavesNoPartialFile)
{
    ListingsServer server({"--truncate", "^/test/bytes/"});
    write(file("blob.bin"), "old");
    const auto r = orv::net::copyUrlToFile(server.url("/test/bytes/20000"), file("blob.bin"));
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_LT(r.bytes, 20000);
    EXPECT_EQ(contentOf(file("blob.bin")), "old");
    EXPECT_EQ(leftovers(), QStringList{"blob.bin"});
}

TEST_F(NetTest, SilentServerHitsTheTimeout)
{
    ListingsServer server({"--slow", "^/test/bytes/", "--delay-ms", "4000"});
    const auto r = orv::net::copyUrlToFile(server.url("/test/bytes/10"), file("slow.bin"), {}, {}, 300);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_FALSE(QFile::exists(file("slow.bin")));
}

TEST_F(NetTest, FollowsRedirects)
{
    ListingsServer server({"--redirect", "^/test/bytes/"});
    const auto r = orv::net::copyUrlToFile(server.url("/test/bytes/3000"), file("moved.bin"));
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_EQ(contentOf(file("moved.bin")), expectedBytes(3000));
}

TEST_F(NetTest, OnlyHttpAndHttpsAreFetched)
{
    write(file("target.txt"), "old");
    for (const char *url : {"file:///etc/hostname", "ftp://127.0.0.1/x.txt", "javascript:alert(1)", "", "http://"}) {
        const auto r = orv::net::copyUrlToFile(QString::fromLatin1(url), file("target.txt"));
        EXPECT_EQ(r.outcome, Outcome::Failed) << url;
        EXPECT_EQ(contentOf(file("target.txt")), "old") << url;
    }
    EXPECT_TRUE(orv::net::isFetchableUrl("https://example.org/a.txt"));
}

TEST_F(NetTest, ReadUrlKeepsLineBreaks)
{
    ListingsServer server;
    QByteArray body;
    const auto r = orv::net::readUrl(server.url("/orvento/database2/highlights/lista.txt"), body);
    ASSERT_TRUE(r.ok());
    EXPECT_GE(body.count("\r\n"), 2);
}

TEST_F(NetTest, TransfersThroughAProxyWithCredentials)
{
    ListingsServer server;
    orv::test::TestProxy proxy("utente", "segreta");
    orv::net::ProxySettings settings{true, "127.0.0.1", QString::number(proxy.port()), "utente", "segreta"};
    const QString url = server.url("/test/bytes/5000");
    const auto r = orv::net::copyUrlToFile(url, file("via.bin"), settings);
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_EQ(contentOf(file("via.bin")), expectedBytes(5000));
    EXPECT_EQ(proxy.forwarded(), QStringList{url});
    EXPECT_GE(proxy.challenges(), 1);
}

} // namespace

namespace {

QString dayPath(int code)
{
    return QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(QDate::currentDate().toString("yyyyMMdd"));
}

// A day file's copy: only a body that ends at a line end counts.
orv::net::FetchResult copyDay(const QString &url, const QString &target, orv::net::OnFailure onFailure)
{
    orv::net::Limits limits;
    limits.wholeLines = true;
    return orv::net::copyUrlToFile(url, target, {}, {}, orv::net::DefaultTimeoutMs, onFailure, limits);
}

} // namespace

TEST_F(NetTest, BodyWithoutLengthCountsOnlyWhenItEndsAtALineEnd)
{
    ListingsServer server({"--no-length", "/101/", "--cut-no-length", "/102/"});
    const auto whole = copyDay(server.url(dayPath(101)), file("a.txt"), orv::net::OnFailure::KeepOld);
    EXPECT_EQ(whole.outcome, Outcome::Fetched) << whole.error.toStdString();
    EXPECT_TRUE(contentOf(file("a.txt")).endsWith("\r\n"));

    // Closed inside a line: cut short, whatever was there before stays;
    // a scratch target is written in place and goes.
    write(file("b.txt"), "old");
    const auto cut = copyDay(server.url(dayPath(102)), file("b.txt"), orv::net::OnFailure::KeepOld);
    EXPECT_EQ(cut.outcome, Outcome::Failed);
    EXPECT_GT(cut.bytes, 0);
    EXPECT_EQ(contentOf(file("b.txt")), "old");
    write(file("c.txt"), "old");
    EXPECT_EQ(copyDay(server.url(dayPath(102)), file("c.txt"), orv::net::OnFailure::Remove).outcome, Outcome::Failed);
    EXPECT_EQ(leftovers(), (QStringList{"a.txt", "b.txt"}));
}

TEST_F(NetTest, BodiesPastTheCapAreRefused)
{
    ListingsServer server({"--oversize", "/101/", "--oversize-bytes", "200000000", "--no-length", "^/test/bytes/"});
    orv::net::Limits limits;
    limits.maxBytes = 1024 * 1024;
    write(file("day.txt"), "old");
    // Announced too large: refused at once, nothing of it kept.
    auto r = orv::net::copyUrlToFile(server.url(dayPath(101)), file("day.txt"), {}, {}, orv::net::DefaultTimeoutMs, orv::net::OnFailure::KeepOld, limits);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_TRUE(r.error.contains("troppo grande")) << r.error.toStdString();
    EXPECT_LE(r.bytes, limits.maxBytes);
    EXPECT_EQ(contentOf(file("day.txt")), "old");

    // No length announced: refused when the bytes pass the cap, in memory too.
    limits.maxBytes = 100000;
    QByteArray body;
    r = orv::net::readUrl(server.url("/test/bytes/300000"), body, {}, orv::net::DefaultTimeoutMs, limits);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_LE(r.bytes, limits.maxBytes);
    EXPECT_TRUE(body.isEmpty());
    limits.maxBytes = 300000;
    r = orv::net::readUrl(server.url("/test/bytes/300000"), body, {}, orv::net::DefaultTimeoutMs, limits);
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_EQ(body, expectedBytes(300000));
}

TEST_F(NetTest, OneConnectionServesTransfersInTurn)
{
    ListingsServer server;
    QByteArray first, second;
    ASSERT_TRUE(orv::net::readUrl(server.url("/test/peer"), first).ok());
    ASSERT_TRUE(orv::net::copyUrlToFile(server.url(dayPath(101)), file("day.txt")).ok());
    ASSERT_TRUE(orv::net::readUrl(server.url("/test/peer"), second).ok());
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(first, second);
}
