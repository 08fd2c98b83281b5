#include "ScriptFixture.h"

#include "platform/Net.h"
#include "platform/Text.h"
#include "support/ListingsServer.h"

#include <QDate>
#include <QRegularExpression>

using namespace orv;
using namespace orv::test;

namespace {

// The script channels of the sample server, run by the engine over the real
// network layer against the server's own pages.
class ServerScriptTest : public ScriptFixture {
protected:
    ListingsServer server;
    ScriptsTV real; // fetches over the network

    void SetUp() override
    {
        ScriptFixture::SetUp();
        ASSERT_TRUE(server.running());
    }

    QString today() const { return QDate::currentDate().toString(QStringLiteral("yyyyMMdd")); }

    void runChannel(int code, const QString &channel, const QString &day)
    {
        const QString script = app.file(QStringLiteral("TempDir/script.txt"));
        ASSERT_TRUE(net::copyUrlToFile(server.url(QStringLiteral("/orvento/scripts/%1.txt").arg(code)), script).ok());
        real.setEventPump({});
        real.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), channel, day);
    }

    std::vector<Programme> stored(const QString &channel, const QString &day)
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).channelDay(day.toInt(), channel);
    }

    QString page(const QString &path)
    {
        QByteArray body;
        EXPECT_TRUE(net::readUrl(server.url(path), body).ok()) << path.toStdString();
        return text::decode(body);
    }

    static QStringList all(const QString &text, const QString &pattern)
    {
        QStringList out;
        auto it = QRegularExpression(pattern).globalMatch(text);
        while (it.hasNext())
            out << it.next().captured(1);
        return out;
    }
};

} // namespace

TEST_F(ServerScriptTest, La7FillsTheDayFromTheChannelPage)
{
    const QString day = today();
    runChannel(107, QStringLiteral("La7"), day);
    EXPECT_TRUE(boxes.empty()) << boxTexts().join(QLatin1Char('\n')).toStdString();
    const QDate d = QDate::fromString(day, QStringLiteral("yyyyMMdd"));
    const QString html = page(QStringLiteral("/web/la7/guida.htm?giorno=%1&mese=%2&anno=%3")
                                  .arg(d.day(), 2, 10, QLatin1Char('0'))
                                  .arg(d.month(), 2, 10, QLatin1Char('0'))
                                  .arg(d.year()));
    const QStringList times = all(html, QStringLiteral("<li class=\"prog\"><b>([^<]*)</b>"));
    const QStringList titles = all(html, QStringLiteral("<a href=\"[^\"]*\">([^<]*)</a>"));
    const QStringList links = all(html, QStringLiteral("<a href=\"([^\"]*)\">"));
    const auto rows = stored(QStringLiteral("La7"), day);
    ASSERT_GT(times.size(), 5);
    ASSERT_EQ(rows.size(), size_t(times.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Numerazione, int(i) + 1);
        EXPECT_EQ(rows[i].ORA, times[qsizetype(i)]);
        EXPECT_EQ(rows[i].Titolo, titles[qsizetype(i)]);
        EXPECT_EQ(rows[i].link, links[qsizetype(i)]);
        EXPECT_FALSE(rows[i].Type.isEmpty());
        EXPECT_FALSE(rows[i].Descrizione.isEmpty());
    }
}

TEST_F(ServerScriptTest, GulpFillsTheDayFromItsGenerationTwoPage)
{
    const QString day = QDate::currentDate().addDays(1).toString(QStringLiteral("yyyyMMdd"));
    runChannel(502, QStringLiteral("Rai Gulp"), day);
    EXPECT_TRUE(boxes.empty()) << boxTexts().join(QLatin1Char('\n')).toStdString();
    const QString html = page(QStringLiteral("/web/gulp/%1.html").arg(day));
    const QStringList times = all(html, QStringLiteral("<td class=\"ora\">([^<]*)</td>"));
    const QStringList titles = all(html, QStringLiteral("<td class=\"titolo\">([^<]*)</td>"));
    const auto rows = stored(QStringLiteral("Rai Gulp"), day);
    ASSERT_GT(times.size(), 5);
    ASSERT_EQ(rows.size(), size_t(times.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].ORA, QString(times[qsizetype(i)]).replace(QLatin1Char('.'), QLatin1Char(':')));
        EXPECT_EQ(rows[i].Titolo, titles[qsizetype(i)]);
        EXPECT_FALSE(rows[i].Type.isEmpty());
    }
}
