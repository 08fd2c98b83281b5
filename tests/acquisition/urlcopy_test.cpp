#include "acquisition/DownloadProgress.h"
#include "acquisition/FrmProxyDown.h"
#include "acquisition/UrlCopy.h"
#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/Windows.h"

#include "support/ListingsServer.h"
#include "support/TempApp.h"
#include "support/TestProxy.h"

#include <QDate>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

using orv::net::Outcome;
using orv::test::ListingsServer;

namespace {

struct RecordingProgress : orv::DownloadProgress {
    void setFileBytes(const QString &t) override { fileBytes = t; }
    void setCycleBytes(const QString &t) override { cycleBytes = t; }
    void setRate(const QString &t) override { rate = t; }
    QString fileBytes, cycleBytes, rate;
};

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}

class UrlCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orv::UsaProxy = false;
        orv::ByteFile = 0;
        orv::ByteCiclo = 0;
        orv::InizioCiclo = QTime();
        orv::ProxyOccupato = false;
        orv::setDownloadProgress(&progress);
    }
    void TearDown() override
    {
        orv::setDownloadProgress(nullptr);
        orv::UsaProxy = false;
        orv::Windows::unload<orv::FrmProxyDown>();
        qunsetenv("ORVENTO_SERVER");
    }

    orv::test::TempApp app;
    RecordingProgress progress;
};

TEST_F(UrlCopyTest, ByteFiguresRoundHalvesToEven)
{
    ListingsServer server;
    ASSERT_TRUE(orv::CopyURLToFile(server.url("/test/bytes/1000"), app.file("TempDir/a.bin")).ok());
    EXPECT_EQ(orv::ByteFile, 1000);
    EXPECT_EQ(progress.fileBytes, "1 KBytes");
    ASSERT_TRUE(orv::CopyURLToFile(server.url("/test/bytes/1500"), app.file("TempDir/b.bin")).ok());
    EXPECT_EQ(progress.fileBytes, "2 KBytes");
    ASSERT_TRUE(orv::CopyURLToFile(server.url("/test/bytes/2500"), app.file("TempDir/c.bin")).ok());
    EXPECT_EQ(orv::ByteFile, 2500);
    EXPECT_EQ(progress.fileBytes, "2 KBytes");
    EXPECT_EQ(orv::ByteCiclo, 5000);
    EXPECT_EQ(progress.cycleBytes, "5 KBytes");
}

TEST(TransferFigures, RatePattern)
{
    EXPECT_EQ(orv::rateText(500, 1).value_or("none"), ".50 KByte/Sec");
    EXPECT_EQ(orv::rateText(123456, 10).value_or("none"), "12.35 KByte/Sec");
    EXPECT_FALSE(orv::rateText(5000, 0).has_value());
    EXPECT_EQ(orv::secondsBetween(QTime(23, 59, 50), QTime(0, 0, 10)), 20);
    EXPECT_EQ(orv::secondsBetween(QTime(10, 0, 0), QTime(10, 1, 1)), 61);
}

TEST_F(UrlCopyTest, FailedScratchFileIsRemovedButDataFilesAreKept)
{
    ListingsServer server({"--fail500", "\\.gif$"});
    write(app.file("TempDir/checks.txt"), "S");
    auto r = orv::CopyURLToFile(server.url("/orvento/checks/999.txt"), app.file("TempDir/checks.txt"));
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_FALSE(QFile::exists(app.file("TempDir/checks.txt")));

    write(app.file("loghitv/107.gif"), "old logo");
    r = orv::CopyURLToFile(server.url("/orvento/database2/palinsesti/107.gif"), app.file("loghitv/107.gif"));
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_EQ(contentOf(app.file("loghitv/107.gif")), "old logo");
}

class UrlCopyProxyTest : public UrlCopyTest {
protected:
    // The settings name the proxy; the throw-away fetch goes to server.
    void useProxy(const ListingsServer &server, const QString &password = "segreta")
    {
        qputenv("ORVENTO_SERVER", server.baseUrl().toUtf8());
        orv::UsaProxy = true;
        orv::ProxyName = "127.0.0.1";
        orv::ProxyPort = QString::number(proxy.port());
        orv::ProxyUser = "utente";
        orv::ProxyPass = password;
    }

    orv::test::TestProxy proxy{"utente", "segreta"};
};

TEST_F(UrlCopyProxyTest, CopiesThroughTheProxyAfterTheThrowAwayFetch)
{
    ListingsServer server;
    useProxy(server);
    const QString url = server.url("/orvento/database2/palinsesti/502.gif");
    const auto r = orv::CopyURLToFile(url, app.file("loghitv/502.gif"));
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_TRUE(contentOf(app.file("loghitv/502.gif")).startsWith("GIF89a"));
    EXPECT_EQ(proxy.forwarded(), (QStringList{server.url("/trash.txt"), url}));
    EXPECT_EQ(orv::ByteFile, QFile(app.file("loghitv/502.gif")).size());
    EXPECT_FALSE(orv::ProxyOccupato);
    EXPECT_FALSE(QFile::exists(app.file("TempDir/trash.txt")));

    // Text read through the proxy keeps its line breaks.
    ASSERT_TRUE(orv::LEGGI_URL(server.url("/orvento/database2/highlights/lista.txt")).ok());
    EXPECT_GE(orv::TestoUrl.count("\r\n"), 2);
}

TEST_F(UrlCopyProxyTest, FailuresAreReportedLikeDirectOnes)
{
    ListingsServer server;
    useProxy(server);
    write(app.file("tv/Rai 1.txt"), "old");
    auto r = orv::CopyURLToFile(server.url("/orvento/database2/palinsesti/Nessuno.txt"), app.file("tv/Rai 1.txt"));
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_TRUE(orv::ProxyErrore);
    EXPECT_EQ(contentOf(app.file("tv/Rai 1.txt")), "old");

    useProxy(server, "sbagliata");
    r = orv::CopyURLToFile(server.url("/trash.txt"), app.file("TempDir/x.txt"));
    EXPECT_EQ(r.outcome, Outcome::Failed);
}

TEST_F(UrlCopyProxyTest, RealTransferDoesNotDependOnTheThrowAwayFetch)
{
    ListingsServer server({"--fail404", "^/trash\\.txt$"});
    useProxy(server);
    const auto r = orv::CopyURLToFile(server.url("/orvento/checks/107.txt"), app.file("TempDir/checks.txt"));
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_TRUE(contentOf(app.file("TempDir/checks.txt")).startsWith("S"));
}

TEST_F(UrlCopyProxyTest, ClosingTheProxyWindowEndsTheWait)
{
    ListingsServer server({"--slow", "^/orvento/checks/", "--delay-ms", "20000"});
    useProxy(server);
    write(app.file("TempDir/checks.txt"), "old");
    QTimer::singleShot(300, [] { orv::Windows::unload<orv::FrmProxyDown>(); });
    const auto r = orv::CopyURLToFile(server.url("/orvento/checks/101.txt"), app.file("TempDir/checks.txt"));
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_FALSE(orv::ProxyOccupato);
    EXPECT_FALSE(orv::Windows::loaded<orv::FrmProxyDown>());
}

QString today() { return QDate::currentDate().toString("yyyyMMdd"); }
QString dayOf(int code) { return QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(today()); }

TEST_F(UrlCopyTest, EachKindOfTransferIsCappedAndDayFilesMustBeWhole)
{
    // 20 MB: past the day file's, the page's and the cover's bounds.
    ListingsServer server({"--oversize", "/database2/101/|^/web/", "--oversize-bytes", "20000000", "--cut-no-length",
                           "/database2/102/", "--no-length", "/database2/103/"});
    const QString day = app.file("TempDir/dbuff.txt"), cover = app.file("covers/502-1.jpg");
    write(day, "old");
    EXPECT_EQ(orv::CopyURLToFile(server.url(dayOf(101)), day).outcome, Outcome::Failed);
    EXPECT_LE(orv::ByteFile, 1024 * 1024);
    EXPECT_FALSE(QFile::exists(day));
    EXPECT_EQ(orv::COPIA_URL_SU_FILE(server.url("/web/gulp/" + today() + ".html"), app.file("TempDir/pagina.htm"))
                  .outcome,
              Outcome::Failed);
    EXPECT_EQ(orv::COPIA_URL_SU_FILE(server.url("/web/img/502/" + today() + "-1.jpg"), cover).outcome,
              Outcome::Failed);
    EXPECT_FALSE(QFile::exists(cover));

    // Cut inside a line with no length: not a day file; whole: a day file.
    EXPECT_EQ(orv::CopyURLToFile(server.url(dayOf(102)), day).outcome, Outcome::Failed);
    const auto r = orv::CopyURLToFile(server.url(dayOf(103)), day);
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_TRUE(contentOf(day).endsWith("\r\n"));
}

TEST_F(UrlCopyTest, ADrippingServerIsGivenUpAtTheDeadline)
{
    // A byte every 100 ms keeps the idle timer from ever firing.
    ListingsServer server({"--drip", "/database2/", "--drip-ms", "100"});
    const int idle = orv::TransferTimeoutMs, deadline = orv::TransferDeadlineMs;
    orv::TransferTimeoutMs = 1000;
    orv::TransferDeadlineMs = 1500;
    write(app.file("TempDir/dbuff.txt"), "old");
    const auto r = orv::CopyURLToFile(server.url(dayOf(101)), app.file("TempDir/dbuff.txt"));
    orv::TransferTimeoutMs = idle;
    orv::TransferDeadlineMs = deadline;
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_TRUE(r.error.contains("non concluso")) << r.error.toStdString();
    EXPECT_GT(r.bytes, 0);
    EXPECT_FALSE(QFile::exists(app.file("TempDir/dbuff.txt")));
}

TEST_F(UrlCopyProxyTest, TransfersThroughTheProxyAreCappedToo)
{
    ListingsServer server({"--oversize", "/database2/101/", "--oversize-bytes", "20000000"});
    useProxy(server);
    EXPECT_EQ(orv::CopyURLToFile(server.url(dayOf(101)), app.file("TempDir/dbuff.txt")).outcome, Outcome::Failed);
    EXPECT_FALSE(QFile::exists(app.file("TempDir/dbuff.txt")));
    EXPECT_EQ(orv::CopyURLToFile(server.url(dayOf(102)), app.file("TempDir/dbuff.txt")).outcome, Outcome::Fetched);
}

} // namespace
