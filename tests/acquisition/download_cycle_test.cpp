#include "acquisition/DownloadCycle.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "support/TempApp.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

using namespace orv;

namespace {

const QDate Today(2026, 12, 6);

QString digits(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }
qint32 dayNum(int offset) { return digits(Today.addDays(offset)).toInt(); }

// A well-formed day file of n programmes, titles prefixed.
QByteArray dayFile(int n, const QString &prefix = QStringLiteral("P"))
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += QStringLiteral("%1:00§30§Film§Genere§%2 %3§§Descr§§§§\r\n")
                 .arg(6 + i, 2, 10, QLatin1Char('0'))
                 .arg(prefix)
                 .arg(i + 1);
    return text::encodeCp1252(s);
}

struct Served {
    FetchOutcome outcome = FetchOutcome::Fetched;
    QByteArray body;
};

class DownloadCycleTest : public ::testing::Test, public DownloadView {
protected:
    void SetUp() override
    {
        qputenv("ORVENTO_SERVER", "http://server.test");
        Prompt::setHandler([this](const PromptRequest &r) {
            messages << r.text;
            return Answer::Ok;
        });
        activate({});
    }
    void TearDown() override
    {
        Prompt::setHandler({});
        Annulla = false;
    }

    // Only these channels are active.
    void activate(std::initializer_list<int> codes)
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        for (int c : codes)
            db.prepare(QStringLiteral("update Televisioni set Attivo = 1 where IDTV = ?")).bind(1, c).execute();
    }
    void setReload(int code, bool on, int days)
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.prepare(QStringLiteral("update Televisioni set Ricarica = ?, GIORNI = ? where IDTV = ?"))
            .bindAll(on, days, code)
            .execute();
    }

    void serve(const QString &path, FetchOutcome outcome, const QByteArray &body = {})
    {
        served[path] = {outcome, body};
    }
    // Ready-made channels with all their days on the server.
    void serveReadyMade(std::initializer_list<int> codes)
    {
        for (int code : codes) {
            serve(QStringLiteral("/orvento/checks/%1.txt").arg(code), FetchOutcome::Fetched, "D");
            serveDays(code, 0, 19);
        }
    }
    void serveDays(int code, int first, int last, int programmes = 3)
    {
        for (int i = first; i <= last; ++i)
            serve(dayPath(code, i), FetchOutcome::Fetched, dayFile(programmes));
    }
    static QString dayPath(int code, int offset)
    {
        return QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(digits(Today.addDays(offset)));
    }

    FetchOutcome fetch(const QString &url, const QString &file)
    {
        const QString path = url.mid(QStringLiteral("http://server.test").size());
        fetched << path;
        auto it = served.find(path);
        if (it == served.end())
            return FetchOutcome::NotFound;
        if (it->second.outcome == FetchOutcome::Fetched)
            files::writeAtomically(file, it->second.body);
        return it->second.outcome;
    }

    std::unique_ptr<DownloadCycle> makeCycle()
    {
        auto c = std::make_unique<DownloadCycle>(*this, [this](const QString &u, const QString &f) { return fetch(u, f); });
        c->setToday(Today);
        c->setScriptRunner([](const QString &, const QString &, const QString &) { return true; });
        return c;
    }

    std::vector<Programme> rows(qint32 day, const QString &channel)
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).channelDay(day, channel);
    }
    void insertRow(qint32 day, const QString &channel, int n, const QString &title)
    {
        Database db = Database::open(PercorsoDb);
        Programme p;
        p.Data = day;
        p.Palinsesto = channel;
        p.Numerazione = n;
        p.ORA = QStringLiteral("05:00");
        p.Titolo = title;
        ProgrammiTable(db).insert(p);
    }

    test::TempApp app;
    std::map<QString, Served> served;
    QStringList fetched;
    QStringList messages;
};

} // namespace

TEST_F(DownloadCycleTest, CheckFileChoosesTheMode)
{
    struct Case {
        const char *check;
        bool script;
    };
    const Case cases[] = {{"S", true},     {"s,1,2", true}, {"   Script", true}, {"\"sc\",x", true},
                          {"D", false},    {"1S", false},   {"", false},          {"x\r\nS", false}};
    for (const Case &c : cases) {
        fetched.clear();
        serve(QStringLiteral("/orvento/checks/101.txt"), FetchOutcome::Fetched, c.check);
        serve(QStringLiteral("/orvento/scripts/101.txt"), FetchOutcome::Fetched, "script");
        auto cycle = makeCycle();
        cycle->GATEWAY_TV(QStringLiteral("Rai 1"), 101);
        EXPECT_EQ(cycle->report().scriptChannels, c.script ? 1 : 0) << c.check;
        EXPECT_EQ(fetched.contains(QStringLiteral("/orvento/scripts/101.txt")), c.script) << c.check;
        EXPECT_EQ(fetched.contains(dayPath(101, 0)), !c.script) << c.check;
    }
}

TEST_F(DownloadCycleTest, DaysAlreadyPresentAreNotFetchedAgain)
{
    activate({101});
    serveReadyMade({101});
    insertRow(dayNum(0), QStringLiteral("RAI 1"), 1, QStringLiteral("vecchio"));
    auto cycle = makeCycle();
    cycle->run();
    EXPECT_FALSE(fetched.contains(dayPath(101, 0)));
    const auto day = rows(dayNum(0), QStringLiteral("Rai 1"));
    ASSERT_EQ(day.size(), 1u);
    EXPECT_EQ(day[0].Titolo, "vecchio");
    EXPECT_EQ(cycle->report().daysStored, 19);
}

TEST_F(DownloadCycleTest, ReloadWithAFailingFetchKeepsTheOldRows)
{
    activate({103});
    setReload(103, true, 2);
    serveReadyMade({103});
    serve(dayPath(103, 0), FetchOutcome::Failed);
    // The second day arrives, but is not a day file past its first line.
    serve(dayPath(103, 1), FetchOutcome::Fetched, dayFile(1) + "<html>\r\n");
    for (int n = 1; n <= 3; ++n) {
        insertRow(dayNum(0), QStringLiteral("Rai 3"), n, QStringLiteral("vecchio"));
        insertRow(dayNum(1), QStringLiteral("Rai 3"), n, QStringLiteral("vecchio"));
    }
    auto cycle = makeCycle();
    cycle->run();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Ricevuto Errore 1")});
    EXPECT_EQ(fetched.count(dayPath(103, 0)), 2);
    for (int d : {0, 1}) {
        const auto kept = rows(dayNum(d), QStringLiteral("Rai 3"));
        ASSERT_EQ(kept.size(), 3u) << d;
        EXPECT_EQ(kept[0].Titolo, "vecchio") << d;
    }
    // The broken file ends the channel's days.
    EXPECT_FALSE(fetched.contains(dayPath(103, 2)));
}

TEST_F(DownloadCycleTest, AReloadedDayReplacesThatChannelsRowsAndNothingElse)
{
    activate({103});
    setReload(103, true, 2);
    serveReadyMade({103});
    for (int n = 1; n <= 5; ++n)
        for (int d : {0, 1, 2})
            insertRow(dayNum(d), QStringLiteral("RAI 3"), n, QStringLiteral("vecchio"));
    insertRow(dayNum(0), QStringLiteral("Rai 1"), 1, QStringLiteral("altro canale"));
    auto cycle = makeCycle();
    cycle->run();
    for (int d : {0, 1}) {
        const auto day = rows(dayNum(d), QStringLiteral("Rai 3"));
        ASSERT_EQ(day.size(), 3u) << d;
        EXPECT_TRUE(day[0].Titolo.startsWith(QStringLiteral("P "))) << d;
    }
    // Past the reload days a day already there is kept as it is.
    EXPECT_FALSE(fetched.contains(dayPath(103, 2)));
    EXPECT_EQ(rows(dayNum(2), QStringLiteral("Rai 3")).size(), 5u);
    EXPECT_EQ(rows(dayNum(0), QStringLiteral("Rai 1")).size(), 1u);
}

TEST_F(DownloadCycleTest, MissingDayEndsTheChannelQuietly)
{
    activate({101, 102});
    serveReadyMade({101, 102});
    served.erase(dayPath(101, 2));
    auto cycle = makeCycle();
    cycle->run();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(fetched.count(dayPath(101, 2)), 1);
    EXPECT_FALSE(fetched.contains(dayPath(101, 3)));
    EXPECT_EQ(cycle->report().daysStored, 2 + 20);
    EXPECT_FALSE(cycle->report().cutShort);
}

TEST_F(DownloadCycleTest, BrokenLineStoresNothingOfThatDay)
{
    activate({101, 102});
    serveReadyMade({101, 102});
    serve(dayPath(101, 1), FetchOutcome::Fetched, dayFile(3) + "7:30§§§§X§§§§§§\r\n" + dayFile(2));
    auto cycle = makeCycle();
    cycle->run();
    EXPECT_EQ(rows(dayNum(0), QStringLiteral("Rai 1")).size(), 3u);
    EXPECT_TRUE(rows(dayNum(1), QStringLiteral("Rai 1")).empty());
    EXPECT_FALSE(fetched.contains(dayPath(101, 2)));
    EXPECT_EQ(rows(dayNum(19), QStringLiteral("Rai 2")).size(), 3u);
}

TEST_F(DownloadCycleTest, LateDayThatCannotBeFetchedEndsTheCycle)
{
    activate({101, 102});
    serveReadyMade({101, 102});
    serve(dayPath(101, 6), FetchOutcome::Failed); // index 7: the loop goes on
    serve(dayPath(101, 7), FetchOutcome::Failed); // index 8: the cycle ends
    auto cycle = makeCycle();
    cycle->run();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], "Ricevuto Errore 1");
    EXPECT_EQ(messages[1], "Ricevuto Errore 1");
    EXPECT_TRUE(messages[2].contains("Probabile Mancanza di connessione o di Dati (3)"));
    EXPECT_EQ(cycle->report().daysStored, 6);
    EXPECT_FALSE(fetched.contains(dayPath(101, 8)));
    EXPECT_FALSE(fetched.contains(QStringLiteral("/orvento/checks/102.txt")));
    EXPECT_TRUE(cycle->report().cutShort);
    EXPECT_FALSE(cycle->report().reason.isEmpty());
}

TEST_F(DownloadCycleTest, CheckFileThatCannotBeFetchedEndsTheCycle)
{
    activate({101, 102});
    serve(QStringLiteral("/orvento/checks/101.txt"), FetchOutcome::Failed);
    serve(QStringLiteral("/orvento/checks/102.txt"), FetchOutcome::Fetched, "D");
    // A script check left from an earlier channel must not decide the mode.
    files::writeAtomically(appPath(QStringLiteral("TempDir/checks.txt")), "S");
    auto cycle = makeCycle();
    cycle->run();
    EXPECT_EQ(fetched.count(QStringLiteral("/orvento/checks/101.txt")), 2);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Errore Nel Collegamento internet con il Server... Sei CONNESSO?(1)\r\n\r\n"));
    EXPECT_FALSE(fetched.contains(QStringLiteral("/orvento/scripts/101.txt")));
    EXPECT_FALSE(fetched.contains(QStringLiteral("/orvento/checks/102.txt")));
    EXPECT_TRUE(cycle->report().cutShort);
}

TEST_F(DownloadCycleTest, ChannelWithoutCodeIsNeverFetchedAsZero)
{
    auto cycle = makeCycle();
    cycle->GATEWAY_TV(QStringLiteral("Sconosciuto"), 0);
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_EQ(messages, QStringList{QStringLiteral("ERRORE LETTURA CODICE TV")});

    messages.clear();
    EXPECT_EQ(DownloadCycle::LEGGI_CODICE_TV(QStringLiteral("Sconosciuto")), QString());
    EXPECT_EQ(messages, QStringList{QStringLiteral("ERRORE LETTURA CODICE TV")});
    EXPECT_EQ(DownloadCycle::LEGGI_CODICE_TV(QStringLiteral("rai 4")), QStringLiteral("201"));
    messages.clear();
    EXPECT_EQ(DownloadCycle::LEGGI_CODICE_TV(QStringLiteral("L'ispettore")), QString());
}

TEST_F(DownloadCycleTest, MissingListingsDatabaseEndsTheCycleWithAnError)
{
    activate({101});
    serveReadyMade({101});
    ASSERT_TRUE(QFile::remove(PercorsoDb));
    auto cycle = makeCycle();
    cycle->run();
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_TRUE(cycle->report().cutShort);
    EXPECT_FALSE(QFile::exists(PercorsoDb));
}

TEST_F(DownloadCycleTest, DayThatCannotBeWrittenKeepsItsRowsAndSparesTheOthers)
{
    // Rai 2's new rows are refused by the store: its old day must survive
    // whole, and the days written in the same batch must not be lost.
    {
        Database db = Database::open(PercorsoDb);
        db.exec(QStringLiteral("CREATE TRIGGER rifiuta BEFORE INSERT ON Programmi WHEN NEW.Palinsesto = 'Rai 2' "
                               "AND NEW.Titolo <> 'vecchio' BEGIN SELECT RAISE(ABORT, 'rifiutato'); END"));
    }
    for (int n = 1; n <= 2; ++n) {
        insertRow(dayNum(0), QStringLiteral("Rai 2"), n, QStringLiteral("vecchio"));
        insertRow(dayNum(0), QStringLiteral("Rai 1"), n, QStringLiteral("vecchio"));
    }
    auto cycle = makeCycle();
    EXPECT_TRUE(cycle->storeDay(dayFile(3, QStringLiteral("nuovo")), dayNum(0), QStringLiteral("Rai 1")));
    EXPECT_TRUE(cycle->storeDay(dayFile(3, QStringLiteral("nuovo")), dayNum(0), QStringLiteral("Rai 2")));
    EXPECT_TRUE(cycle->storeDay(dayFile(4, QStringLiteral("nuovo")), dayNum(1), QStringLiteral("Rai 1")));
    // Queued, not yet written: the old day is still there.
    EXPECT_EQ(rows(dayNum(0), QStringLiteral("Rai 1")).size(), 2u);
    cycle->finishStoring();

    const auto kept = rows(dayNum(0), QStringLiteral("Rai 2"));
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].Titolo, "vecchio");
    const auto replaced = rows(dayNum(0), QStringLiteral("Rai 1"));
    ASSERT_EQ(replaced.size(), 3u);
    EXPECT_EQ(replaced[0].Titolo, "nuovo 1");
    EXPECT_EQ(rows(dayNum(1), QStringLiteral("Rai 1")).size(), 4u);
    EXPECT_EQ(cycle->report().daysStored, 2);
    EXPECT_EQ(cycle->report().rowsStored, 7);
}

// Each channel's days reach the database when its transfers are done: a
// cycle that dies during the third channel keeps the first two, and a window
// writing meanwhile meets no lock.
TEST_F(DownloadCycleTest, EachChannelsDaysAreStoredBeforeTheNextChannel)
{
    activate({101, 102, 103});
    serveReadyMade({101, 102, 103});
    auto cycle = makeCycle();
    qint64 storedBeforeThird = -1;
    QString failure;
    cycle->setFetch([&](const QString &url, const QString &file) {
        if (url.endsWith(QLatin1String("/checks/103.txt"))) {
            try {
                Database ui = Database::open(PercorsoDb);
                ui.exec(QStringLiteral("PRAGMA busy_timeout = 0"));
                ui.exec(QStringLiteral("update Programmi set Marked = '1' where Numerazione = 1"));
                Statement count = ui.prepare(QStringLiteral("select count(*) from Programmi"));
                if (count.next())
                    storedBeforeThird = count.integer(0);
            } catch (const DbError &e) {
                failure = e.text();
            }
        }
        return fetch(url, file);
    });
    cycle->run();
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(storedBeforeThird, 2 * 20 * 3);
    EXPECT_EQ(cycle->report().daysStored, 3 * 20);
}
