#include "platform/Database.h"
#include "platform/Net.h"
#include "platform/Text.h"

#include "support/ListingsServer.h"
#include "support/TempApp.h"

#include <QDate>
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

} // namespace
