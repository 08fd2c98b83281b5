#include "ScriptFixture.h"

#include "platform/Net.h"
#include "platform/Text.h"
#include "support/ListingsServer.h"

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
    bool download(const ListingsServer &from, QProcess &run)
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
        return run.waitForFinished(240000);
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

// A script that doubles a variable for ever no longer takes the program down:
// each day's run ends through the general failure box, keeps what it saved,
// and the cycle goes on with the next channel.
TEST_F(ServerScriptTest, UnattendedDownloadSurvivesAScriptThatWorksTooHard)
{
    const QString scriptFile = app.file(QStringLiteral("lavora-troppo.txt"));
    {
        QFile f(scriptFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Lavora troppo\r\n#SCRIPTGENERATION#=2\r\n#WEBQUERY#" + server.baseUrl().toLatin1() +
                "/web/gulp/#LONGYEAR##MONTH##DAY#.html\r\n#DOWNLOADINFO#\r\n#PUT#=Primo#01\r\n#TAKETITLE#=#01\r\n"
                "#SAVEDATA#\r\n#PUT#=ab#05\r\n#REPEAT#\r\n#STRING#=#05#=#05##05#\r\n#WHILE#=#05##06#\r\n"
                "#ENDDOWNLOADINFO#\r\n") > 0);
    }
    ListingsServer hard({QStringLiteral("--script"), scriptFile});
    ASSERT_TRUE(hard.running());
    activate(QStringLiteral("107, 503"));
    QProcess run;
    if (!download(hard, run))
        GTEST_SKIP() << "the program is not built";
    const QString errors = QString::fromLocal8Bit(run.readAllStandardError());
    EXPECT_TRUE(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0) << errors.toStdString();
    EXPECT_EQ(errors.count(QStringLiteral("General Script Failure")), 7) << errors.toStdString();
    const QDate today = QDate::currentDate();
    for (int d = 0; d < 7; ++d) {
        const auto saved = rows(today.addDays(d).toString(QStringLiteral("yyyyMMdd")), QStringLiteral("La7"));
        ASSERT_EQ(saved.size(), 1u) << d;
        EXPECT_EQ(saved[0].Titolo, QStringLiteral("Primo"));
    }
    EXPECT_GT(rows(today.toString(QStringLiteral("yyyyMMdd")), QStringLiteral("Boing")).size(), 5u);
}
