#include "acquisition/DownloadProgress.h"
#include "acquisition/FrmProxyDown.h"
#include "acquisition/UrlCopy.h"
#include "core/Settings.h"
#include "platform/Files.h"
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
    void setRate(const QString &) override {}
    QString fileBytes, cycleBytes;
};

QByteArray contentOf(const QString &path)
{
    QByteArray data;
    return orv::files::readAll(path, data) ? data : QByteArray("<missing>");
}

class UrlCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orv::UsaProxy = false;
        orv::ByteFile = 0;
        orv::ByteCiclo = 0;
        orv::ProxyOccupato = false;
        orv::setDownloadProgress(&progress);
    }
    void TearDown() override
    {
        orv::setDownloadProgress(nullptr);
        orv::UsaProxy = false;
        orv::TransferTimeoutMs = orv::net::DefaultTimeoutMs;
        orv::TransferDeadlineMs = orv::net::DefaultDeadlineMs;
        orv::Windows::unload<orv::FrmProxyDown>();
        qunsetenv("ORVENTO_SERVER");
    }

    orv::test::TempApp app;
    RecordingProgress progress;
};

TEST(TransferFigures, KBytesRoundHalvesToEvenAndRatesKeepTheirPattern)
{
    EXPECT_EQ(orv::kbytesText(1500), "2 KBytes");
    EXPECT_EQ(orv::kbytesText(2500), "2 KBytes");
    EXPECT_EQ(orv::rateText(500, 1).value_or("none"), ".50 KByte/Sec");
    EXPECT_EQ(orv::rateText(123456, 10).value_or("none"), "12.35 KByte/Sec");
    EXPECT_FALSE(orv::rateText(5000, 0).has_value());
    EXPECT_EQ(orv::secondsBetween(QTime(23, 59, 50), QTime(0, 0, 10)), 20);
}

QString today() { return QDate::currentDate().toString("yyyyMMdd"); }
QString dayOf(int code) { return QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(today()); }

// Through the proxy, after a throw-away fetch whose failure does not matter,
// copies succeed, fail and are capped like direct ones.
TEST_F(UrlCopyTest, ThroughTheProxyAfterTheThrowAwayFetch)
{
    orv::test::TestProxy proxy("utente", "segreta ");
    ListingsServer server({"--fail404", "^/trash\\.txt$", "--oversize", "/database2/101/", "--oversize-bytes", "20000000",
                           "--slow", "^/orvento/checks/", "--delay-ms", "20000"});
    qputenv("ORVENTO_SERVER", server.baseUrl().toUtf8());
    orv::UsaProxy = true;
    orv::ProxyName = "127.0.0.1";
    orv::ProxyPort = QString::number(proxy.port());
    orv::ProxyUser = "utente";
    orv::ProxyPass = "segreta "; // blanks are part of it
    const QString url = server.url("/orvento/database2/palinsesti/502.gif");
    auto r = orv::CopyURLToFile(url, app.file("loghitv/502.gif"));
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_TRUE(contentOf(app.file("loghitv/502.gif")).startsWith("GIF89a"));
    EXPECT_EQ(proxy.forwarded(), (QStringList{server.url("/trash.txt"), url}));
    EXPECT_EQ(QList<qint64>({orv::ByteFile, orv::ByteCiclo}), QList<qint64>(2, QFile(app.file("loghitv/502.gif")).size()));
    EXPECT_FALSE(QFile::exists(app.file("TempDir/trash.txt")));
    // Text read through the proxy keeps its line breaks.
    ASSERT_TRUE(orv::LEGGI_URL(server.url("/orvento/database2/highlights/lista.txt")).ok());
    EXPECT_GE(orv::TestoUrl.count("\r\n"), 2);

    orv::files::writeAtomically(app.file("tv/Rai 1.txt"), "old");
    r = orv::CopyURLToFile(server.url("/orvento/database2/palinsesti/Nessuno.txt"), app.file("tv/Rai 1.txt"));
    EXPECT_EQ(r.outcome, Outcome::NotFound);
    EXPECT_TRUE(orv::ProxyErrore);
    EXPECT_EQ(contentOf(app.file("tv/Rai 1.txt")), "old");
    EXPECT_EQ(orv::CopyURLToFile(server.url(dayOf(101)), app.file("TempDir/dbuff.txt")).outcome, Outcome::Failed);
    EXPECT_FALSE(QFile::exists(app.file("TempDir/dbuff.txt")));

    // Closing the proxy window ends the wait (closed once the slow request is under way).
    QTimer closer;
    closer.callOnTimeout([&] { if (proxy.forwarded().contains(server.url("/orvento/checks/101.txt"))) orv::Windows::unload<orv::FrmProxyDown>(); });
    closer.start(20);
    EXPECT_EQ(orv::CopyURLToFile(server.url("/orvento/checks/101.txt"), app.file("TempDir/c.txt")).outcome, Outcome::Failed);
    closer.stop();
    EXPECT_FALSE(orv::ProxyOccupato);
    EXPECT_FALSE(orv::Windows::loaded<orv::FrmProxyDown>());

    orv::ProxyPass = "sbagliata";
    EXPECT_EQ(orv::CopyURLToFile(server.url("/trash.txt"), app.file("TempDir/x.txt")).outcome, Outcome::Failed);
}

// Each kind of file is refused just past its own bound; a scratch file goes,
// the user's data stays.
TEST_F(UrlCopyTest, EachKindOfTransferIsCappedAndScratchFilesGo)
{
    constexpr qint64 MB = 1024 * 1024;
    const struct {
        QString path, target;
        qint64 cap;
    } cases[] = {{dayOf(101), "TempDir/dbuff.txt", MB}, {"/orvento/checks/107.txt", "TempDir/checks.txt", MB},
                 {"/orvento/codes/release.txt", "TempDir/release.txt", MB}, {"/orvento/scripts/107.txt", "TempDir/s.txt", MB},
                 {"/orvento/database2/highlights/lista.txt", "TempDir/listah.txt", MB},
                 {"/orvento/database2/palinsesti/lista.txt", "TempDir/listap.txt", MB},
                 {"/orvento/database2/palinsesti/Rai%201.txt", "tv/Rai 1.txt", MB},
                 {"/orvento/database2/palinsesti/101.gif", "loghitv/101.gif", MB},
                 {"/web/img/502/" + today() + "-1.jpg", "covers/502-1.jpg", 8 * MB},
                 {"/web/gulp/" + today() + ".html", "TempDir/pagina.htm", 16 * MB}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ListingsServer server({"--oversize", ".", "--oversize-bytes", QString::number(c.cap + c.cap / 20)});
        orv::files::writeAtomically(app.file(c.target), "old");
        const auto r = orv::CopyURLToFile(server.url(c.path), app.file(c.target));
        EXPECT_EQ(r.outcome, Outcome::Failed);
        EXPECT_TRUE(r.error.contains("troppo grande")) << r.error.toStdString();
        EXPECT_LE(r.bytes, c.cap);
        EXPECT_EQ(contentOf(app.file(c.target)), c.target.startsWith("TempDir") ? "<missing>" : "old");
    }
}

// A day file sent without a length must end at a line end; a server that
// drips a byte every 100 ms keeps the idle timer from firing, not the deadline.
TEST_F(UrlCopyTest, DayFilesWithoutLengthMustBeWholeAndDrippingOnesEndAtTheDeadline)
{
    ListingsServer server({"--cut-no-length", "/database2/102/", "--no-length", "/database2/103/", "--drip",
                           "/database2/101/", "--drip-ms", "100"});
    const QString day = app.file("TempDir/dbuff.txt");
    const auto cut = orv::CopyURLToFile(server.url(dayOf(102)), day);
    EXPECT_EQ(cut.outcome, Outcome::Failed);
    auto r = orv::CopyURLToFile(server.url(dayOf(103)), day);
    EXPECT_EQ(r.outcome, Outcome::Fetched) << r.error.toStdString();
    EXPECT_TRUE(contentOf(day).endsWith("\r\n"));
    // The figures count every byte received, those of the failed transfer too.
    EXPECT_EQ(orv::ByteFile, r.bytes);
    EXPECT_EQ(orv::ByteCiclo, cut.bytes + r.bytes);
    EXPECT_EQ(progress.cycleBytes, orv::kbytesText(cut.bytes + r.bytes));
    // A scratch file goes even when its address cannot be fetched at all.
    EXPECT_EQ(orv::CopyURLToFile("ftp://127.0.0.1/x.txt", day).outcome, Outcome::Failed);
    EXPECT_FALSE(QFile::exists(day));

    orv::TransferTimeoutMs = 1000;
    orv::TransferDeadlineMs = 1500;
    r = orv::CopyURLToFile(server.url(dayOf(101)), day);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_TRUE(r.error.contains("non concluso")) << r.error.toStdString();
    EXPECT_GT(r.bytes, 0);
    EXPECT_FALSE(QFile::exists(day));
}

} // namespace
