#include "ScriptFixture.h"

#include "platform/Files.h"
#include "support/ListingsServer.h"

#include <QCryptographicHash>
#include <QImage>
#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

using namespace orv;
using namespace orv::test;

namespace {

// The sample server's script channels, downloaded by the program itself.
class ServerScriptTest : public ScriptFixture {
protected:
    ListingsServer server;

    void SetUp() override
    {
        ScriptFixture::SetUp();
        ASSERT_TRUE(server.running());
    }

    // Runs (or only starts) "orvento Download" on the test's folder against a
    // server; false when the program is not built.
    bool download(const ListingsServer &from, QProcess &run) { return start(from, run) && run.waitForFinished(240000); }
    bool start(const ListingsServer &from, QProcess &run)
    {
        const QString program = qEnvironmentVariable("ORVENTO_PROGRAM", QStringLiteral(ORVENTO_PROGRAM));
        if (!QFileInfo(program).isExecutable())
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVENTO_HOME"), app.path());
        env.insert(QStringLiteral("ORVENTO_SERVER"), from.baseUrl());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        run.setProcessEnvironment(env);
        run.start(program, {QStringLiteral("Download")});
        return run.waitForStarted(10000);
    }

    // Every row of the listings as one text, in key order; a cover by the
    // checksum of its picture, a link without the server's address (the runs use several).
    QStringList listings()
    {
        Database db = Database::open(PercorsoDb);
        Statement q = db.prepare(QStringLiteral("select Palinsesto, Data, Numerazione, ORA, Titolo, link, Type, "
                                                "Descrizione, Durata, Marked, Immagine from Programmi "
                                                "order by Palinsesto, Data, Numerazione"));
        QStringList out;
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < 11; ++i)
                fields << q.text(i);
            QFile picture(app.file(QStringLiteral("covers/") + fields[10]));
            if (!fields[10].isEmpty() && picture.open(QIODevice::ReadOnly))
                fields[10] = QCryptographicHash::hash(picture.readAll(), QCryptographicHash::Sha1).toHex();
            static const QRegularExpression server(QStringLiteral("http://127\\.0\\.0\\.1:\\d+"));
            out << fields.join(QLatin1Char('|')).remove(server);
        }
        return out;
    }
    void activate(std::initializer_list<int> codes)
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        for (const int code : codes)
            db.prepare(QStringLiteral("update Televisioni set Attivo = 1 where IDTV = ?")).bindAll(code).execute();
    }
    static QString dayOf(int d) { return QDate::currentDate().addDays(d).toString(QStringLiteral("yyyyMMdd")); }
};

} // namespace

// A script run that fails is a day not received: one that ends in the general
// failure box after a save (as a run beyond the engine's limits does) and one
// without its query line (the (S1) box) store nothing of their day, the run
// says so and ends with status 1; the other channel is stored in full.
TEST_F(ServerScriptTest, UnattendedDownloadCountsAFailedScriptDayAsNotReceived)
{
    const QByteArray query = "#SCRIPTGENERATION#=2\r\n#WEBQUERY#" + server.baseUrl().toLatin1() +
                             "/web/gulp/#LONGYEAR##MONTH##DAY#.html\r\n",
                     saved = "#DOWNLOADINFO#\r\n#PUT#=Primo#01\r\n#TAKETITLE#=#01\r\n#SAVEDATA#\r\n",
                     end = "#ENDDOWNLOADINFO#\r\n";
    const struct {
        const char *name;
        QByteArray script;
        const char *box;
    } cases[] = {
        {"failure", "Sbaglia\r\n" + query + saved + "#PUT#=#05\r\n#TAKEWORD#=#06##05##05#\r\n#SAVEDATA#\r\n" + end,
         "General Script Failure"},
        {"S1", "Senza indirizzo\r\n" + saved + end, "Codice (S1)"},
    };
    activate({107, 503});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Database::open(PercorsoDb).exec(QStringLiteral("delete from Programmi"));
        const QString scriptFile = app.file(QStringLiteral("script-di-prova.txt"));
        ASSERT_TRUE(files::writeAtomically(scriptFile, c.script));
        ListingsServer failing({QStringLiteral("--script"), scriptFile});
        ASSERT_TRUE(failing.running());
        QProcess run;
        if (!download(failing, run))
            GTEST_SKIP() << "the program is not built";
        const QString errors = QString::fromLocal8Bit(run.readAllStandardError());
        EXPECT_TRUE(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 1) << errors.toStdString();
        EXPECT_EQ(errors.count(QLatin1String(c.box)), 7) << errors.toStdString();
        EXPECT_TRUE(errors.contains(QStringLiteral("Download incompleto: 7 giorni non ricevuti.")))
            << errors.toStdString();
        for (int d = 0; d < 20; ++d) {
            EXPECT_TRUE(d >= 7 || rows(dayOf(d), QStringLiteral("La7")).empty()) << d;
            EXPECT_GT(rows(dayOf(d), QStringLiteral("Boing")).size(), 5u) << d;
        }
    }
}

// "orvento Download" against the sample server fills the script channels'
// seven days through the download cycle and the engine. Killed while a script
// day waits on its 2nd or 4th detail page, it leaves nothing of that day; one
// normal run afterwards gives every channel-day of a clean run (a cover
// compared by its picture, as the dead run's covers keep their names).
TEST_F(ServerScriptTest, AScriptDayCutShortByADeadRunIsFetchedWholeNextTime)
{
    activate({101, 107, 502});
    QProcess run;
    if (!download(server, run))
        GTEST_SKIP() << "the program is not built";
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QStringList clean = listings();
    ASSERT_GT(clean.size(), 500);
    for (int d = 0; d < 7; ++d) {
        EXPECT_GT(rows(dayOf(d), QStringLiteral("La7")).size(), 5u) << d;
        EXPECT_GT(rows(dayOf(d), QStringLiteral("Rai Gulp")).size(), 5u) << d;
    }

    // Only the types listed in Importa open their detail page, which names a
    // cover; La7's first day with at least four of them is cut short below.
    const QStringList detailed = {"Film", "Telefilm", "Documentario", "Miniserie", "Cartoni Animati"};
    QString day;
    for (int d = 0; d < 7; ++d) {
        int covers = 0;
        for (const Programme &p : rows(dayOf(d), QStringLiteral("La7"))) {
            EXPECT_EQ(p.Immagine.isEmpty(), !detailed.contains(p.Type)) << p.Titolo.toStdString();
            EXPECT_TRUE(p.Immagine.isEmpty() || !QImage(app.file(QStringLiteral("covers/") + p.Immagine)).isNull());
            covers += !p.Immagine.isEmpty();
        }
        if (covers >= 4 && day.isEmpty())
            day = dayOf(d);
    }
    ASSERT_FALSE(day.isEmpty());
    Database::open(PercorsoDb).exec(QStringLiteral("delete from Programmi"));
    for (int pages : {1, 3}) {
        ListingsServer holding({QStringLiteral("--hold"), QStringLiteral("^/web/scheda/107/") + day,
                                QStringLiteral("--hold-at"), QString::number(pages + 1)});
        ASSERT_TRUE(holding.running());
        QProcess killed;
        ASSERT_TRUE(start(holding, killed));
        const QString held = holding.waitForHeld();
        killed.kill();
        killed.waitForFinished();
        ASSERT_FALSE(held.isEmpty()) << pages << " " << killed.readAllStandardError().toStdString();
        EXPECT_TRUE(rows(day, QStringLiteral("La7")).empty()) << pages;
    }
    QProcess again;
    ASSERT_TRUE(download(server, again));
    EXPECT_EQ(again.exitCode(), 0) << again.readAllStandardError().toStdString();
    const QStringList after = listings();
    EXPECT_EQ(after.size(), clean.size());
    for (qsizetype i = 0; i < std::min(after.size(), clean.size()); ++i)
        ASSERT_EQ(after[i].toStdString(), clean[i].toStdString()) << i;
}
