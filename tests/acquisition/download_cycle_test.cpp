#include "acquisition/DownloadCycle.h"

#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "platform/Files.h"
#include "platform/Prompt.h"
#include "platform/Text.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace orv;

namespace {

const QDate Today(2026, 12, 6);

QString digits(int offset) { return Today.addDays(offset).toString(QStringLiteral("yyyyMMdd")); }
qint32 dayNum(int offset) { return digits(offset).toInt(); }
QString dayPath(int code, int offset)
{
    return QStringLiteral("/orvento/database2/%1/%2.txt").arg(code).arg(digits(offset));
}
QString checkPath(int code) { return QStringLiteral("/orvento/checks/%1.txt").arg(code); }

// A well-formed day file of n programmes titled "<prefix> 1", "<prefix> 2"...
QByteArray dayFile(int n, const QString &prefix = QStringLiteral("P"))
{
    QString s;
    for (int i = 1; i <= n; ++i)
        s += QStringLiteral("%1:00§30§Film§Genere§%2 %3§§Descr§§§§\r\n").arg(i + 10).arg(prefix).arg(i);
    return text::encodeCp1252(s);
}

class DownloadCycleTest : public ::testing::Test, public DownloadView {
protected:
    void SetUp() override
    {
        qputenv("ORVENTO_SERVER", "http://server.test");
        Prompt::setHandler([this](const PromptRequest &r) { messages << r.text; return Answer::Ok; });
    }
    void TearDown() override
    {
        Prompt::setHandler({});
        Annulla = false;
    }

    // Only these channels are active: ready-made, all their days on the server.
    void activate(std::initializer_list<int> codes)
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        for (int c : codes) {
            db.prepare(QStringLiteral("update Televisioni set Attivo = 1 where IDTV = ?")).bind(1, c).execute();
            serve(checkPath(c), FetchOutcome::Fetched, "D");
            for (int d = 0; d < 20; ++d)
                serve(dayPath(c, d), FetchOutcome::Fetched, dayFile(3));
        }
    }
    void serve(const QString &path, FetchOutcome o, const QByteArray &body = {}) { served[path] = {o, body}; }

    FetchOutcome fetch(const QString &url, const QString &file)
    {
        const QString path = url.mid(QStringLiteral("http://server.test").size());
        fetched << path;
        auto it = served.find(path);
        if (it == served.end())
            return FetchOutcome::NotFound;
        if (it->second.first == FetchOutcome::Fetched)
            files::writeAtomically(file, it->second.second);
        return it->second.first;
    }
    std::unique_ptr<DownloadCycle> makeCycle()
    {
        auto c = std::make_unique<DownloadCycle>(*this, std::bind_front(&DownloadCycleTest::fetch, this));
        c->setToday(Today);
        return c;
    }

    QStringList titles(int offset, const char *channel)
    {
        Database db = Database::open(PercorsoDb);
        QStringList out;
        for (const Programme &p : ProgrammiTable(db).channelDay(dayNum(offset), QString::fromLatin1(channel)))
            out << p.Titolo;
        return out;
    }
    // Rows titled "vecchio" on these days of the channel.
    void insertRows(const char *channel, std::initializer_list<int> days, int count)
    {
        for (int d : days)
            for (int n = 1; n <= count; ++n)
                Database::open(PercorsoDb)
                    .prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) "
                                            "values (?, ?, ?, '05:00', 'vecchio')"))
                    .bindAll(dayNum(d), QString::fromLatin1(channel), n)
                    .execute();
    }

    test::TempApp app;
    std::map<QString, std::pair<FetchOutcome, QByteArray>> served;
    QStringList fetched;
    QStringList messages;
};

} // namespace

// A script channel runs its script on each empty day of its week.
TEST_F(DownloadCycleTest, CheckFileChoosesTheMode)
{
    insertRows("Rai 1", {1}, 1);
    const QStringList week{digits(0), digits(2), digits(3), digits(4), digits(5), digits(6)};
    QStringList ran;
    const std::pair<const char *, bool> cases[] = {{"s,1,2", true}, {"  \tScript", true}, {"\"sc\",x", true},
                                                   {"D", false}, {"1S", false}, {"", false}, {"x\r\nS", false}};
    for (const auto &[check, script] : cases) {
        fetched.clear();
        ran.clear();
        serve(checkPath(101), FetchOutcome::Fetched, check);
        serve(QStringLiteral("/orvento/scripts/101.txt"), FetchOutcome::Fetched, "script");
        auto cycle = makeCycle();
        cycle->setScriptRunner([&](const QString &, const QString &, const QString &day) { ran << day; return day != week[1]; });
        cycle->GATEWAY_TV(QStringLiteral("Rai 1"), 101);
        EXPECT_EQ(ran, script ? week : QStringList()) << check;
        EXPECT_EQ(cycle->report().failedDays, script ? 1 : 0) << check;
        EXPECT_EQ(fetched.contains(dayPath(101, 0)), !script) << check;
    }
}

// Rai 1 reloads its first day, keeps its second (already there) and has no
// third. Rai 3 reloads three days: the first does not arrive, the second
// replaces its rows, the third breaks on its third line. Rai 2 comes whole but for an empty sixth day.
TEST_F(DownloadCycleTest, DaysAreReplacedOnlyByAWholeFileAndOnlyForTheirChannel)
{
    activate({101, 102, 103});
    Database::open(PercorsoPalinsesti)
        .exec(QStringLiteral("update Televisioni set Ricarica = 1, GIORNI = case IDTV when 101 then 1 else 3 end "
                             "where IDTV in (101, 103)"));
    served.erase(dayPath(101, 2));
    serve(dayPath(103, 0), FetchOutcome::Failed);
    serve(dayPath(103, 2), FetchOutcome::Fetched, dayFile(2) + "7:30§§§§X§§§§§§\r\n" + dayFile(2));
    serve(dayPath(102, 5), FetchOutcome::Fetched, "");
    insertRows("RAI 3", {0, 1, 2}, 5);
    insertRows("RAI 1", {0, 1}, 5);
    auto cycle = makeCycle();
    cycle->run();

    const QStringList fresh{"P 1", "P 2", "P 3"}, old(5, QStringLiteral("vecchio"));
    EXPECT_EQ(titles(0, "Rai 1"), fresh);
    EXPECT_EQ(titles(1, "Rai 1"), old);
    EXPECT_EQ(titles(0, "Rai 3"), old);
    EXPECT_EQ(titles(1, "Rai 3"), fresh);
    EXPECT_EQ(titles(2, "Rai 3"), old);
    EXPECT_EQ(titles(19, "Rai 2"), fresh);
    // A day that does not arrive is tried twice; a missing one ends the
    // channel quietly, once; a broken one ends it too.
    EXPECT_EQ(messages, QStringList{QStringLiteral("Ricevuto Errore 1")});
    EXPECT_EQ(fetched.count(dayPath(103, 0)), 2);
    EXPECT_EQ(fetched.count(dayPath(101, 2)), 1);
    for (const QString &skipped : {dayPath(101, 1), dayPath(101, 3), dayPath(103, 3)})
        EXPECT_FALSE(fetched.contains(skipped)) << skipped.toStdString();
    EXPECT_EQ(cycle->report().daysStored, 1 + 1 + 19);
    EXPECT_EQ(cycle->report().failedDays, 1);
    EXPECT_FALSE(cycle->report().cutShort);
}

TEST_F(DownloadCycleTest, LateDayThatCannotBeFetchedEndsTheCycle)
{
    activate({101, 102});
    serve(dayPath(101, 6), FetchOutcome::Failed); // index 7: the loop goes on
    serve(dayPath(101, 7), FetchOutcome::Failed); // index 8: the cycle ends
    auto cycle = makeCycle();
    cycle->run();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[2].contains("Probabile Mancanza di connessione o di Dati (3)"));
    EXPECT_EQ(cycle->report().daysStored, 6);
    EXPECT_FALSE(fetched.contains(checkPath(102)));
    EXPECT_TRUE(cycle->report().cutShort);
}

// Rai 1's script does not arrive and the server does not know Rai 2: both go
// without days. Rai 3's check file does not arrive (Rai 1's script check, left
// in its place, must not decide its mode): the cycle ends.
TEST_F(DownloadCycleTest, CheckFileThatCannotBeFetchedEndsTheCycle)
{
    activate({101, 102, 103, 104});
    const QString script = QStringLiteral("/orvento/scripts/101.txt");
    serve(checkPath(101), FetchOutcome::Fetched, "S");
    serve(script, FetchOutcome::Failed);
    served.erase(checkPath(102));
    serve(checkPath(103), FetchOutcome::Failed);
    auto cycle = makeCycle();
    cycle->setScriptRunner([this](const QString &, const QString &, const QString &) { messages << "run"; return true; });
    cycle->run();
    EXPECT_EQ(fetched, (QStringList{checkPath(101), script, script, checkPath(102), checkPath(103), checkPath(103)}));
    EXPECT_EQ(messages, (QStringList{connectionFailureText(QStringLiteral("2")), connectionFailureText(QStringLiteral("1"))}));
    EXPECT_TRUE(cycle->report().cutShort);
}

TEST_F(DownloadCycleTest, ChannelWithoutCodeIsNeverFetchedAsZero)
{
    const QStringList error{QStringLiteral("ERRORE LETTURA CODICE TV")};
    makeCycle()->GATEWAY_TV(QStringLiteral("Sconosciuto"), 0);
    EXPECT_TRUE(fetched.isEmpty());
    EXPECT_EQ(messages, error);
    messages.clear();
    EXPECT_EQ(DownloadCycle::LEGGI_CODICE_TV(QStringLiteral("L'ispettore")), QString());
    EXPECT_EQ(messages, error);
    EXPECT_EQ(DownloadCycle::LEGGI_CODICE_TV(QStringLiteral("rai 4")), QStringLiteral("201"));
}

TEST_F(DownloadCycleTest, MissingListingsDatabaseEndsTheCycleWithAnError)
{
    activate({101});
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
    Database::open(PercorsoDb)
        .exec(QStringLiteral("CREATE TRIGGER rifiuta BEFORE INSERT ON Programmi WHEN NEW.Palinsesto = 'Rai 2' "
                             "AND NEW.Titolo <> 'vecchio' BEGIN SELECT RAISE(ABORT, 'rifiutato'); END"));
    insertRows("Rai 2", {0}, 2);
    insertRows("Rai 1", {0}, 2);
    auto cycle = makeCycle();
    EXPECT_TRUE(cycle->storeDay(dayFile(3, QStringLiteral("nuovo")), dayNum(0), QStringLiteral("Rai 1")));
    EXPECT_TRUE(cycle->storeDay(dayFile(3, QStringLiteral("nuovo")), dayNum(0), QStringLiteral("Rai 2")));
    EXPECT_TRUE(cycle->storeDay(dayFile(4, QStringLiteral("nuovo")), dayNum(1), QStringLiteral("Rai 1")));
    // Queued, not yet written: the old day is still there.
    EXPECT_EQ(titles(0, "Rai 1").size(), 2);
    cycle->finishStoring();
    EXPECT_EQ(titles(0, "Rai 2"), QStringList(2, QStringLiteral("vecchio")));
    EXPECT_EQ(titles(0, "Rai 1"), (QStringList{"nuovo 1", "nuovo 2", "nuovo 3"}));
    EXPECT_EQ(cycle->report().daysStored, 2);
    EXPECT_EQ(cycle->report().rowsStored, 7);
}

// Each channel's days reach the database when its transfers are done: a
// cycle that dies during the third channel (in display order) keeps the
// first two, and a window writing meanwhile meets no lock.
TEST_F(DownloadCycleTest, EachChannelsDaysAreStoredBeforeTheNextChannel)
{
    activate({101, 102, 103});
    Database::open(PercorsoPalinsesti).exec(QStringLiteral("update Televisioni set Posizione = 50 where IDTV = 101"));
    auto cycle = makeCycle();
    qint64 storedBeforeThird = -1;
    QString failure;
    cycle->setFetch([&](const QString &url, const QString &file) {
        if (url.endsWith(checkPath(101))) {
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
}

// The release check runs at the first cycle of a program run, when it is on then.
TEST_F(DownloadCycleTest, TheUpdateCheckRunsAtTheFirstCycleOnlyWhenItIsOn)
{
    test::RecordingSeam main;
    test::ListingsServer server({QStringLiteral("--release"), QStringLiteral("73")});
    qputenv("ORVENTO_SERVER", server.baseUrl().toUtf8());
    for (bool first : {true, false}) {
        DownloadCycle::updateChecked() = false;
        CheckUpdate = first;
        makeCycle()->run();
        CheckUpdate = true;
        makeCycle()->run();
    }
    CheckUpdate = false;
    EXPECT_EQ(main.count(QStringLiteral("waitClose")), 1);
    EXPECT_EQ(messages.size(), 1); // 73 is newer
}
