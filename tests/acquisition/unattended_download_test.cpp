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

TEST_F(UnattendedDownload, CheckFilesThatFailEndTheRunWithAnError)
{
    test::ListingsServer server({QStringLiteral("--fail500"), QStringLiteral("/orvento/checks/")});
    ASSERT_TRUE(server.running());
    EXPECT_NE(runProgram(server), 0);
    EXPECT_TRUE(errors.contains(QStringLiteral("Sei CONNESSO?(1)"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Download interrotto"))) << errors.toStdString();
}

// Rai 3's reload day is cut inside a line with no length, Rai 2's fourth day
// is 200 MB, Rai 1 comes whole without lengths, the rest as usual.
TEST_F(UnattendedDownload, StoresAndMarksWhatArrivesWholeAndSaysWhatDidNot)
{
    {
        Database favourites = Database::open(PercorsoPreferiti);
        PreferitiTable(favourites).addWithNextId(QStringLiteral("Tg_Notte"));
    }
    const QDate today = QDate::currentDate();
    const QString first = today.toString(QStringLiteral("yyyyMMdd"));
    Database::open(PercorsoDb)
        .exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) values "
                             "(%1, 'Rai 3', 1, '01:00', 'vecchio'), (%1, 'Rai 3', 2, '02:00', 'vecchio'), "
                             "(%1, 'Rai 3', 3, '03:00', 'vecchio')").arg(first));
    test::ListingsServer server({"--cut-no-length", "/database2/103/" + first, "--oversize",
                                 "/database2/102/" + today.addDays(3).toString(QStringLiteral("yyyyMMdd")),
                                 "--no-length", "/database2/101/"});
    ASSERT_TRUE(server.running());
    EXPECT_EQ(runProgram(server), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("Download incompleto: 2 giorni non ricevuti"))) << errors.toStdString();

    const auto kept = rows(today, QStringLiteral("Rai 3"));
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[2].Titolo, "vecchio");
    QByteArray whole;
    ASSERT_TRUE(net::readUrl(server.url("/orvento/database2/101/" + first + ".txt"), whole).ok());
    EXPECT_EQ(rows(today, QStringLiteral("Rai 1")).size(), size_t(whole.count("\r\n")));
    Database channels = Database::open(PercorsoPalinsesti), db = Database::open(PercorsoDb);
    int readyMade = 0;
    for (const Channel &c : TelevisioniTable(channels).activeByPosition()) {
        if (c.NOMETV == QLatin1String("La7") || c.NOMETV == QLatin1String("Rai Gulp"))
            continue; // script channels
        ++readyMade;
        for (int d = 0; d <= 20; ++d)
            EXPECT_EQ(rows(today.addDays(d), c.NOMETV).empty(), d == 20 || (c.IDTV == 102 && d == 3))
                << c.NOMETV.toStdString() << " day " << d;
    }
    EXPECT_GE(readyMade, 8);

    // Every "Tg Notte" is marked, and nothing else.
    auto marks = db.prepare(QStringLiteral("select sum(Titolo like ?), sum(Marked = '1'), "
                                           "sum(Marked = '1' and Titolo like ?) from Programmi"));
    marks.bindAll(QStringLiteral("Tg*Notte"), QStringLiteral("Tg*Notte"));
    ASSERT_TRUE(marks.next());
    EXPECT_GT(marks.integer(0), 0);
    EXPECT_EQ(marks.integer(1), marks.integer(0));
    EXPECT_EQ(marks.integer(2), marks.integer(0));
}
