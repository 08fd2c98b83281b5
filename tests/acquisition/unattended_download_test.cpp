#include "acquisition/DurationCalculator.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "platform/Net.h"
#include "support/ListingsServer.h"
#include "support/TempApp.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// Runs the real program with "Download" in a throw-away application folder
// against the sample listings server.
class UnattendedDownload : public ::testing::Test {
protected:
    int runProgram(const test::ListingsServer &server)
    {
        const QString program = qEnvironmentVariable("ORVENTO_PROGRAM");
        if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
            ADD_FAILURE() << "the program is not built: " << program.toStdString();
            return -1;
        }
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVENTO_HOME"), app.path());
        env.insert(QStringLiteral("ORVENTO_SERVER"), server.baseUrl());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), userConfig.path());
        p.setProcessEnvironment(env);
        p.start(program, {QStringLiteral("Download")});
        if (!p.waitForFinished(240000)) {
            p.kill();
            p.waitForFinished();
            ADD_FAILURE() << "the unattended run did not end";
            return -1;
        }
        errors = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    std::vector<Channel> activeChannels()
    {
        Database db = Database::open(PercorsoPalinsesti);
        return TelevisioniTable(db).activeByPosition();
    }
    std::vector<Programme> rows(const QDate &day, const QString &channel)
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).channelDay(day.toString(QStringLiteral("yyyyMMdd")).toInt(), channel);
    }

    test::TempApp app;
    QTemporaryDir userConfig;
    QString errors;
};

} // namespace

TEST_F(UnattendedDownload, FillsListingsWithDurationsAndMarks)
{
    {
        Database db = Database::open(PercorsoPreferiti);
        PreferitiTable(db).addWithNextId(QStringLiteral("Tg_Notte"));
    }
    test::ListingsServer server;
    ASSERT_TRUE(server.running());
    ASSERT_EQ(runProgram(server), 0) << errors.toStdString();

    const QDate today = QDate::currentDate();
    const QStringList scriptChannels{QStringLiteral("La7"), QStringLiteral("Rai Gulp")};
    int readyMade = 0;
    for (const Channel &c : activeChannels()) {
        if (scriptChannels.contains(c.NOMETV))
            continue;
        ++readyMade;
        for (int d = 0; d < 20; ++d)
            EXPECT_FALSE(rows(today.addDays(d), c.NOMETV).empty()) << c.NOMETV.toStdString() << " day " << d;
        EXPECT_TRUE(rows(today.addDays(20), c.NOMETV).empty()) << c.NOMETV.toStdString();
    }
    EXPECT_GE(readyMade, 8);

    // Durations follow the start times, the day's last one the next day's
    // first, on every day of the pass.
    for (int d = 0; d < 15; ++d) {
        const auto day = rows(today.addDays(d), QStringLiteral("Rai 1"));
        const auto next = rows(today.addDays(d + 1), QStringLiteral("Rai 1"));
        ASSERT_GT(day.size(), 2u);
        ASSERT_FALSE(next.empty());
        for (size_t i = 0; i < day.size(); ++i) {
            EXPECT_EQ(day[i].Numerazione, int(i) + 1);
            const QString following = i + 1 < day.size() ? day[i + 1].ORA : next.front().ORA;
            EXPECT_EQ(day[i].Durata, QString::number(DurationCalculator::minutesBetween(day[i].ORA, following)))
                << "day " << d << " " << day[i].ORA.toStdString() << " -> " << following.toStdString();
        }
    }

    Database db = Database::open(PercorsoDb);
    const auto news = ProgrammiTable(db).byTitleLike(QStringLiteral("Tg*Notte"));
    ASSERT_FALSE(news.empty());
    for (const Programme &p : news)
        EXPECT_EQ(p.Marked, "1") << p.Titolo.toStdString();
    auto others = db.prepare(QStringLiteral("select count(*) from Programmi where Marked = '1' and not Titolo like ?"));
    others.bind(1, QStringLiteral("Tg*Notte"));
    ASSERT_TRUE(others.next());
    EXPECT_EQ(others.integer(0), 0);
}

TEST_F(UnattendedDownload, CheckFilesThatFailEndTheRunWithAnError)
{
    test::ListingsServer server({QStringLiteral("--fail500"), QStringLiteral("/orvento/checks/")});
    ASSERT_TRUE(server.running());
    EXPECT_NE(runProgram(server), 0);
    EXPECT_TRUE(errors.contains(QStringLiteral("Sei CONNESSO?(1)"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Download interrotto"))) << errors.toStdString();
    Database db = Database::open(PercorsoDb);
    EXPECT_EQ(ProgrammiTable(db).count(), 0);
}

TEST_F(UnattendedDownload, DaysThatArriveBrokenAreNotStoredAndTheRunSaysSo)
{
    // Only Rai 1, Rai 2 and Rai 3 (which reloads its first two days).
    Database::open(PercorsoPalinsesti)
        .exec(QStringLiteral("update Televisioni set Attivo = (IDTV in (101, 102, 103))"));
    const QDate today = QDate::currentDate();
    const QString first = today.toString(QStringLiteral("yyyyMMdd"));
    const QString fourth = today.addDays(3).toString(QStringLiteral("yyyyMMdd"));
    for (int n = 1; n <= 3; ++n)
        Database::open(PercorsoDb)
            .exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) "
                                 "values (%1, 'Rai 3', %2, '0%2:00', 'vecchio')")
                      .arg(first)
                      .arg(n));
    // Rai 3's reload day is cut inside a line with no length, Rai 2's fourth
    // day is 200 MB, Rai 1 comes whole without lengths.
    test::ListingsServer server({"--cut-no-length", "/database2/103/" + first, "--oversize",
                                 "/database2/102/" + fourth, "--no-length", "/database2/101/"});
    ASSERT_TRUE(server.running());
    EXPECT_EQ(runProgram(server), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Download incompleto: 2 giorni non ricevuti"))) << errors.toStdString();

    const auto kept = rows(today, QStringLiteral("Rai 3"));
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[2].Titolo, "vecchio");
    QByteArray whole;
    ASSERT_TRUE(net::readUrl(server.url("/orvento/database2/101/" + first + ".txt"), whole).ok());
    EXPECT_EQ(rows(today, QStringLiteral("Rai 1")).size(), size_t(whole.count("\r\n")));
    for (int d = 0; d < 20; ++d) {
        const QDate day = today.addDays(d);
        EXPECT_FALSE(rows(day, QStringLiteral("Rai 1")).empty()) << d;
        EXPECT_EQ(rows(day, QStringLiteral("Rai 2")).empty(), d == 3) << d;
        EXPECT_FALSE(rows(day, QStringLiteral("Rai 3")).empty()) << d;
    }
}
