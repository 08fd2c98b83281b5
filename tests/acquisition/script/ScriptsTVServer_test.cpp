#include "ScriptFixture.h"

#include "platform/Net.h"
#include "platform/Text.h"
#include "support/ListingsServer.h"

#include <QCryptographicHash>
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

    // Runs "orvento Download" on the test's folder against a server; false
    // when the program is not built.
    bool download(const ListingsServer &from, QProcess &run) { return start(from, run) && run.waitForFinished(240000); }
    // Starts it without waiting; false when the program is not built.
    bool start(const ListingsServer &from, QProcess &run)
    {
        const QFileInfo serverProgram(
            qEnvironmentVariable("ORVENTO_LISTINGS_SERVER", QStringLiteral(ORVENTO_LISTINGS_SERVER)));
        const QString program = serverProgram.dir().filePath(QStringLiteral("../app/orvento"));
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
    // checksum of its picture, a link without the server's address.
    QStringList listings()
    {
        Database db = Database::open(PercorsoDb);
        Statement q = db.prepare(QStringLiteral("select Palinsesto, Data, Numerazione, ORA, Titolo, link, Type, "
                                                "Descrizione, Durata, Marked, Immagine from Programmi "
                                                "order by Palinsesto, Data, Numerazione"));
        QStringList out;
        while (q.next()) {
            QStringList fields;
            for (int i = 0; i < 10; ++i)
                fields << q.text(i);
            const QString cover = q.text(10);
            QFile picture(app.file(QStringLiteral("covers/") + cover));
            fields << (cover.isEmpty() || !picture.open(QIODevice::ReadOnly)
                           ? cover
                           : QString::fromLatin1(
                                 QCryptographicHash::hash(picture.readAll(), QCryptographicHash::Sha1).toHex()));
            // Links name the server that served them; the runs use several.
            static const QRegularExpression server(QStringLiteral("http://127\\.0\\.0\\.1:\\d+"));
            out << fields.join(QLatin1Char('|')).remove(server);
        }
        return out;
    }

    void activate(const QString &codes)
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = (IDTV in (%1))").arg(codes));
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

// The whole road: "orvento Download" against the sample server fills the
// script channels' seven days through the download cycle and the engine.
TEST_F(ServerScriptTest, UnattendedDownloadFillsTheScriptChannels)
{
    activate(QStringLiteral("107, 502"));
    QProcess run;
    if (!download(server, run))
        GTEST_SKIP() << "the program is not built";
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    const QDate today = QDate::currentDate();
    for (int d = 0; d < 7; ++d) {
        const QString day = today.addDays(d).toString(QStringLiteral("yyyyMMdd"));
        EXPECT_GT(rows(day, QStringLiteral("La7")).size(), 5u) << day.toStdString();
        EXPECT_GT(rows(day, QStringLiteral("Rai Gulp")).size(), 5u) << day.toStdString();
    }

    // A day whose list holds types that open a detail page with a cover.
    QString day, html;
    for (int d = 0; d < 7 && day.isEmpty(); ++d) {
        const QDate date = today.addDays(d);
        QByteArray body;
        const QString path = date.toString(QStringLiteral("'/web/la7/guida.htm?giorno='dd'&mese='MM'&anno='yyyy"));
        ASSERT_TRUE(net::readUrl(server.url(path), body).ok()) << path.toStdString();
        html = text::decode(body);
        if (html.contains(QRegularExpression(QStringLiteral("<i>(Film|Telefilm|Documentario)</i>"))))
            day = date.toString(QStringLiteral("yyyyMMdd"));
    }
    ASSERT_FALSE(day.isEmpty());
    const QStringList times = all(html, QStringLiteral("<li class=\"prog\"><b>([^<]*)</b>"));
    const QStringList types = all(html, QStringLiteral("<i>([^<]*)</i>"));
    const QStringList titles = all(html, QStringLiteral("<a href=\"[^\"]*\">([^<]*)</a>"));
    const QStringList links = all(html, QStringLiteral("<a href=\"([^\"]*)\">"));
    const QStringList plots = all(html, QStringLiteral("<p>([^<]*)</p>"));
    const auto got = rows(day, QStringLiteral("La7"));
    ASSERT_EQ(got.size(), size_t(times.size()));
    for (size_t i = 0; i < got.size(); ++i) {
        const qsizetype k = qsizetype(i);
        EXPECT_EQ(got[i].ORA, times[k]);
        EXPECT_EQ(got[i].Type, types[k]);
        EXPECT_EQ(got[i].Titolo, titles[k]);
        EXPECT_EQ(got[i].link, links[k]);
        EXPECT_EQ(got[i].Descrizione, plots[k]);
        // Only the types listed in Importa open their detail page, which names the cover.
        const bool detailed = QStringList({"Film", "Telefilm", "Documentario", "Miniserie", "Cartoni Animati"})
                                  .contains(got[i].Type);
        const QString cover = QStringLiteral("La7_107-%1-%2.jpg").arg(day).arg(i + 1);
        EXPECT_EQ(got[i].Immagine, detailed ? cover : QString()) << got[i].Type.toStdString();
        if (detailed) {
            EXPECT_FALSE(QImage(app.file(QStringLiteral("covers/") + cover)).isNull());
        }
        // The post-processing ran after the download: durations are filled.
        EXPECT_TRUE(i + 1 == got.size() || !got[i].Durata.isEmpty());
    }
}

// A script run that fails is a day not received: a run that works too hard
// (the engine's limits), one that ends in the general failure box after a
// save, and one without its query line (the (S1) box) store nothing of their
// day, the run says so and ends with status 1; the other channel is stored in full.
TEST_F(ServerScriptTest, UnattendedDownloadCountsAFailedScriptDayAsNotReceived)
{
    const QByteArray query = "#WEBQUERY#" + server.baseUrl().toLatin1() + "/web/gulp/#LONGYEAR##MONTH##DAY#.html\r\n";
    const QByteArray saved = "#DOWNLOADINFO#\r\n#PUT#=Primo#01\r\n#TAKETITLE#=#01\r\n#SAVEDATA#\r\n";
    const struct {
        const char *name;
        QByteArray script;
        const char *box;
    } cases[] = {
        {"too hard", "Lavora troppo\r\n#SCRIPTGENERATION#=2\r\n" + query + saved +
                         "#PUT#=ab#05\r\n#REPEAT#\r\n#STRING#=#05#=#05##05#\r\n#WHILE#=#05##06#\r\n"
                         "#ENDDOWNLOADINFO#\r\n",
         "General Script Failure"},
        {"failure", "Sbaglia\r\n#SCRIPTGENERATION#=2\r\n" + query + saved +
                        "#PUT#=#05\r\n#TAKEWORD#=#06##05##05#\r\n#SAVEDATA#\r\n#ENDDOWNLOADINFO#\r\n",
         "General Script Failure"},
        {"S1", "Senza indirizzo\r\n" + saved + "#ENDDOWNLOADINFO#\r\n", "Codice (S1)"},
    };
    activate(QStringLiteral("107, 503"));
    const QDate today = QDate::currentDate();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Database::open(PercorsoDb).exec(QStringLiteral("delete from Programmi"));
        const QString scriptFile = app.file(QStringLiteral("script-di-prova.txt"));
        {
            QFile f(scriptFile);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(c.script) > 0);
        }
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
        auto day = [&](int d) { return today.addDays(d).toString(QStringLiteral("yyyyMMdd")); };
        for (int d = 0; d < 7; ++d)
            EXPECT_TRUE(rows(day(d), QStringLiteral("La7")).empty()) << d;
        for (int d = 0; d < 20; ++d)
            EXPECT_GT(rows(day(d), QStringLiteral("Boing")).size(), 5u) << d;
    }
}

// "orvento Download" killed while a script day waits on its 2nd or 4th
// detail page leaves nothing of that day; one normal run afterwards gives
// every channel-day of a clean run (a cover compared by its picture, as the
// dead run's covers keep their names).
TEST_F(ServerScriptTest, AScriptDayCutShortByADeadRunIsFetchedWholeNextTime)
{
    activate(QStringLiteral("101, 107, 502"));
    QProcess run;
    if (!download(server, run))
        GTEST_SKIP() << "the program is not built";
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    const QStringList clean = listings();
    ASSERT_GT(clean.size(), 500);
    Database::open(PercorsoDb).exec(QStringLiteral("delete from Programmi"));

    // La7's first day with at least four detail pages.
    QString day;
    for (int d = 0; d < 7 && day.isEmpty(); ++d) {
        const QDate date = QDate::currentDate().addDays(d);
        QByteArray body;
        const QString path = date.toString(QStringLiteral("'/web/la7/guida.htm?giorno='dd'&mese='MM'&anno='yyyy"));
        ASSERT_TRUE(net::readUrl(server.url(path), body).ok()) << path.toStdString();
        const QString detailed = QStringLiteral("<i>(Film|Telefilm|Documentario|Miniserie|Cartoni Animati)</i>");
        if (all(text::decode(body), detailed).size() >= 4)
            day = date.toString(QStringLiteral("yyyyMMdd"));
    }
    ASSERT_FALSE(day.isEmpty());
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
