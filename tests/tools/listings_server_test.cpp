#include "platform/Database.h"
#include "platform/Files.h"
#include "platform/Net.h"
#include "platform/Text.h"

#include "support/ListingsServer.h"
#include "support/TempApp.h"

#include <QDate>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <memory>

using orv::test::ListingsServer;

namespace {

QByteArray get(const ListingsServer &server, const QString &path, orv::net::FetchResult *result = nullptr)
{
    QByteArray body;
    const auto r = orv::net::readUrl(server.url(path), body);
    if (result)
        *result = r;
    return body;
}

QString day(int offset) { return QDate::currentDate().addDays(offset).toString("yyyyMMdd"); }

// Checks one day file as the day-file reader takes it; empty when it is sound.
QString dayFileProblem(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return "empty";
    if (!bytes.endsWith("\r\n"))
        return "last line without CR LF";
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the last CR LF
    int previous = -1;
    bool pastMidnight = false;
    int lastEnd = 0;
    for (const QByteArray &raw : lines) {
        if (!raw.endsWith('\r'))
            return "line without CR LF: " + QString::fromLatin1(raw);
        const QByteArray line = raw.chopped(1);
        if (line.isEmpty())
            return "empty line";
        if (line.count('\xA7') != 10 || !line.endsWith('\xA7'))
            return "not ten fields: " + QString::fromLatin1(line);
        static const QRegularExpression time(QStringLiteral(u"^([01][0-9]|2[0-3]):[0-5][0-9]\u00A7[0-9]+\u00A7"));
        if (!time.match(QString::fromLatin1(line)).hasMatch())
            return "bad time or duration: " + QString::fromLatin1(line);
        const int minutes = line.left(2).toInt() * 60 + line.mid(3, 2).toInt();
        if (minutes < previous)
            pastMidnight = true;
        previous = minutes;
        lastEnd = minutes + line.mid(6, line.indexOf('\xA7', 6) - 6).toInt();
    }
    if (!lines.first().startsWith("06:00"))
        return "does not start at 06:00";
    if (!pastMidnight && lastEnd <= 24 * 60)
        return "nothing runs past midnight";
    return {};
}

class ListingsServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server = std::make_unique<ListingsServer>();
        orv::test::TempApp app;
        orv::Database db = orv::Database::open(app.db("Palinsesti.cfg"));
        auto st = db.prepare("select IDTV, NOMETV from Televisioni order by IDTV");
        while (st.next())
            channels[int(st.integer("IDTV"))] = st.text("NOMETV");
    }
    static void TearDownTestSuite() { server.reset(); }

    static std::unique_ptr<ListingsServer> server;
    static std::map<int, QString> channels;
};

std::unique_ptr<ListingsServer> ListingsServerTest::server;
std::map<int, QString> ListingsServerTest::channels;

TEST_F(ListingsServerTest, EveryShippedChannelHasADayFileFromYesterdayToTwentyDaysAhead)
{
    ASSERT_EQ(channels.size(), 41u);
    // Every channel at the window's edges, and a few channels on every day.
    const std::set<int> everyDay = {101, 304, 502};
    for (const auto &[code, name] : channels)
        for (int offset = -1; offset <= 20; ++offset) {
            if (!everyDay.count(code) && offset != -1 && offset != 0 && offset != 20)
                continue;
            const QString path = QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(day(offset));
            const QString problem = dayFileProblem(get(*server, path));
            EXPECT_TRUE(problem.isEmpty()) << path.toStdString() << ": " << problem.toStdString();
        }
}

TEST_F(ListingsServerTest, DayFilesAreCodePage1252WithLineBreakMarks)
{
    const QByteArray bytes = get(*server, QStringLiteral("/orvento/database2/101/%1.txt").arg(day(0)));
    EXPECT_FALSE(orv::text::isValidUtf8(bytes) && bytes.contains("\xC2\xA7"));
    bool sawAccent = false, sawBreakMark = false;
    for (int offset = 0; offset < 7; ++offset) {
        const QString text = orv::text::decodeCp1252(get(*server, QStringLiteral("/orvento/database2/101/%1.txt").arg(day(offset))));
        sawAccent |= text.contains(QRegularExpression("[àèéìòù]"));
        sawBreakMark |= text.contains(QStringLiteral(" \u00A6 "));
    }
    EXPECT_TRUE(sawAccent);
    EXPECT_TRUE(sawBreakMark);
}

TEST_F(ListingsServerTest, TheSameDayIsTheSameOnEveryRequest)
{
    const QString path = QStringLiteral("/orvento/database2/203/%1.txt").arg(day(3));
    EXPECT_EQ(get(*server, path), get(*server, path));
    EXPECT_NE(get(*server, path), get(*server, QStringLiteral("/orvento/database2/203/%1.txt").arg(day(4))));
}

TEST_F(ListingsServerTest, OutsideTheWindowAndUnknownChannelsAreNotFound)
{
    orv::net::FetchResult r;
    for (const QString &path : {QStringLiteral("/orvento/database2/101/%1.txt").arg(day(21)),
                                QStringLiteral("/orvento/database2/101/%1.txt").arg(day(-2)),
                                QStringLiteral("/orvento/database2/999/%1.txt").arg(day(0)),
                                QStringLiteral("/orvento/checks/999.txt"), QStringLiteral("/orvento/scripts/101.txt")}) {
        get(*server, path, &r);
        EXPECT_EQ(r.outcome, orv::net::Outcome::NotFound) << path.toStdString();
    }
}

TEST_F(ListingsServerTest, ScriptChannelsAreMarkedAndTheirPagesMatchTheirScripts)
{
    int scripted = 0;
    for (const auto &[code, name] : channels) {
        const QByteArray check = get(*server, QStringLiteral("/orvento/checks/%1.txt").arg(code));
        ASSERT_FALSE(check.isEmpty()) << code;
        if (check.at(0) != 'S')
            continue;
        ++scripted;
        const QStringList script = orv::text::splitLinesCr(orv::text::decode(
            get(*server, QStringLiteral("/orvento/scripts/%1.txt").arg(code))));
        ASSERT_GT(script.size(), 5) << code;
        QString query;
        for (qsizetype i = 1; i < script.size() && query.isEmpty(); ++i)
            if (script[i].contains("#WEBQUERY#", Qt::CaseInsensitive))
                query = script[i].mid(script[i].indexOf("http:", 0, Qt::CaseInsensitive));
        ASSERT_TRUE(query.startsWith(server->baseUrl())) << code;
        EXPECT_TRUE(script.contains("#DOWNLOADINFO#") && script.contains("#ENDDOWNLOADINFO#"));
        EXPECT_TRUE(script.contains("#SAVEDATA#"));
        for (int offset = 0; offset < 7; ++offset) {
            const QDate d = QDate::currentDate().addDays(offset);
            QString url = query;
            url.replace("#DAY#", d.toString("dd")).replace("#MONTH#", d.toString("MM"));
            url.replace("#SHORTYEAR#", d.toString("yy")).replace("#LONGYEAR#", d.toString("yyyy"));
            orv::net::FetchResult r;
            const QByteArray page = get(*server, url.mid(server->baseUrl().size()), &r);
            EXPECT_TRUE(r.ok()) << url.toStdString();
            // One programme of the page for each line of the channel's day file.
            const int programmes = int(get(*server, QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(day(offset))).count("\r\n"));
            EXPECT_EQ(int(page.count("<li class=\"prog\">") + page.count("<td class=\"ora\">")), programmes) << url.toStdString();
        }
    }
    EXPECT_GE(scripted, 2);
    EXPECT_EQ(get(*server, "/orvento/checks/107.txt").left(1), "S");
    EXPECT_EQ(get(*server, "/orvento/checks/502.txt").left(1), "S");
}

TEST_F(ListingsServerTest, DetailPagesAndCoversExistForLinkedProgrammes)
{
    const QString text = orv::text::decodeCp1252(get(*server, QStringLiteral("/orvento/database2/203/%1.txt").arg(day(1))));
    const QStringList fields = orv::text::splitLinesCr(text).first().split(QChar(0xA7));
    ASSERT_TRUE(fields[7].startsWith(server->baseUrl())) << fields[7].toStdString();
    const QString page = orv::text::decode(get(*server, fields[7].mid(server->baseUrl().size())));
    EXPECT_TRUE(page.contains(fields[4].toHtmlEscaped()) || page.contains(fields[4]));
    static const QRegularExpression img("src=\"([^\"]+\\.jpg)\"");
    const auto m = img.match(page);
    ASSERT_TRUE(m.hasMatch());
    QImage cover;
    EXPECT_TRUE(cover.loadFromData(get(*server, m.captured(1).mid(server->baseUrl().size())), "JPG"));
}

TEST_F(ListingsServerTest, LogosAreGifsForEveryChannel)
{
    for (const auto &[code, name] : channels) {
        QImage logo;
        ASSERT_TRUE(logo.loadFromData(get(*server, QStringLiteral("/orvento/database2/palinsesti/%1.gif").arg(code)), "GIF"))
            << code;
        EXPECT_EQ(logo.size(), QSize(40, 30));
    }
}

TEST_F(ListingsServerTest, ListedHighlightsAndChannelFilesAreServedUnderPlainNames)
{
    const QStringList highlights = orv::text::splitLinesCr(orv::text::decode(get(*server, "/orvento/database2/highlights/lista.txt")));
    ASSERT_GE(highlights.size(), 3);
    for (const QString &name : highlights) {
        EXPECT_TRUE(orv::files::isPlainFileName(name)) << name.toStdString();
        EXPECT_TRUE(get(*server, "/orvento/database2/highlights/" + name).contains("<html>")) << name.toStdString();
    }
    const QStringList files = orv::text::splitLinesCr(orv::text::decode(get(*server, "/orvento/database2/palinsesti/lista.txt")));
    EXPECT_EQ(files.size(), int(channels.size()));
    for (const QString &name : files) {
        EXPECT_TRUE(orv::files::isPlainFileName(name)) << name.toStdString();
        const QString content = orv::text::decode(get(*server, "/orvento/database2/palinsesti/" + name));
        EXPECT_TRUE(content.contains("NomeTV=" + name.chopped(4))) << name.toStdString();
    }
}

TEST_F(ListingsServerTest, ReleaseProductPageAndTrash)
{
    EXPECT_EQ(get(*server, "/orvento/codes/release.txt"), "72\r\n");
    EXPECT_TRUE(get(*server, "/orvento/").contains("Orvento"));
    orv::net::FetchResult r;
    get(*server, "/trash.txt", &r);
    EXPECT_TRUE(r.ok());

    ListingsServer newer({"--release", "73"});
    EXPECT_EQ(get(newer, "/orvento/codes/release.txt"), "73\r\n");
}

} // namespace
