#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

namespace {
// Counts the cover pictures shown.
struct RecordingView : RecordView {
    int covers = 0;
    void recordChanged(const ProgrammeRecord &) override {}
    void captionChanged(const QString &) override {}
    void coverChanged(const QImage &) override { ++covers; }
};
} // namespace

using RecordInstructionTest = ScriptFixture;

TEST_F(RecordInstructionTest, VariableReferenceForms)
{
    runScript({"#PUT#= 20:30 #03", "#TAKEHOUR#=#3", "#TAKECODE#=#03#", "#TITLE#=#03#ONERROR#=*STOP*"}, "x\r\n");
    const ProgrammeRecord &r = engine.record();
    EXPECT_EQ(r.TxtHour, QByteArray("20:30"));
    EXPECT_EQ(r.TxtCode, QByteArray(" 20:30 "));
    EXPECT_EQ(r.TxtTitle, QByteArray(" 20:30 "));
    EXPECT_TRUE(r.Check1[0] && r.Check1[1] && r.Check1[2]);
    EXPECT_FALSE(r.Check1[3] || r.Check1[4] || r.Check1[5] || r.Check1[13]);
}

TEST_F(RecordInstructionTest, MissingHashShowsTheBoxOrStopsSilentlyWithScriptError)
{
    answers = {Answer::Retry};
    runScript({"#PUT#=t#01", "#TAKEHOUR#=03", "#TAKETITLE#=#01"}, "x\r\n");
    EXPECT_EQ(boxTexts(),
              QStringList{"Error on Script Expression : The #TAKEHOUR# Instruction is not complete !Line : 4"});
    EXPECT_EQ(boxes[0].title, QStringLiteral("Script Engine Information"));
    EXPECT_TRUE(engine.record().TxtTitle.isEmpty());
    EXPECT_FALSE(engine.ScriptEsciCiclo);

    // Comments alone end loops and blocks without a box when ScriptError is on.
    boxes.clear();
    ScriptError = true;
    runScript({"#TAKECOMMENTS#=01", "#PUT#=x#02"}, "x\r\n");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(var(2), QByteArray());
    EXPECT_TRUE(engine.ScriptEsciCiclo && engine.ScriptFineBlocco);
}

TEST_F(RecordInstructionTest, RecordIsClearedAtTheStartOfARun)
{
    runScript({"#PUT#=Titolo lasciato#01", "#TAKETITLE#=#01"}, "x\r\n");
    ASSERT_EQ(engine.record().TxtTitle, QByteArray("Titolo lasciato"));
    runScript({"#SAVEDATA#"}, "x\r\n");
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(rows()[0].Titolo, QString());
}

using SaveDataTest = ScriptFixture;

TEST_F(SaveDataTest, SavesTheRecordAndClearsIt)
{
    runScript({"#PUT#=21:00#01", "#PUT#=Il Film#02", "#PUT#=http://x.test/1#03", "#PUT#=Film Commedia#04",
               "#PUT#=Una storia.#05", "#TAKEHOUR#=#01", "#TAKETITLE#=#02", "#TAKELINK#=#03", "#TAKETYPE#=#04",
               "#TAKECOMMENTS#=#05", "#SAVEDATA#", "#SAVEDATA#"},
              "x\r\n");
    const auto r = rows();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Data, 20260309);
    EXPECT_EQ(r[0].Palinsesto, QStringLiteral("Canale Prova"));
    EXPECT_EQ(r[0].Numerazione, 1);
    EXPECT_EQ(r[0].ORA, QStringLiteral("21:00"));
    EXPECT_EQ(r[0].Titolo, QStringLiteral("Il Film"));
    EXPECT_EQ(r[0].link, QStringLiteral("http://x.test/1"));
    EXPECT_EQ(r[0].Type, QStringLiteral("Film Commedia"));
    EXPECT_EQ(r[0].Descrizione, QStringLiteral("Una storia."));
    EXPECT_EQ(r[0].Immagine, QString());
    EXPECT_EQ(r[0].Marked, QString());
    EXPECT_EQ(r[1].Numerazione, 2);
    EXPECT_EQ(r[1].Titolo, QString());
    EXPECT_EQ(r[1].ORA, QString());
    EXPECT_FALSE(engine.record().Check1[1]);
}

TEST_F(SaveDataTest, TextIsStoredAsUtf8OrDecodedFromCp1252)
{
    runScript({"#READNEXTLINE#", "#PUT#=0#10", "#TAKEWORD#=#01##10##10#", "#TAKETITLE#=#01", "#SAVEDATA#",
               "#READNEXTLINE#", "#READNEXTLINE#", "#TAKEWORD#=#01##10##10#", "#TAKETITLE#=#01", "#SAVEDATA#"},
              "Citt\xC3\xA0 aperta\r\nCitt\xE0 chiusa \x80\r\n");
    const auto r = rows();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Titolo, QStringLiteral("Città aperta"));
    EXPECT_EQ(r[1].Titolo, QStringLiteral("Città chiusa €"));
}

using CoverTest = ScriptFixture;

TEST_F(CoverTest, CoversAreFiledWithNumberedSuffixes)
{
    Locandine = true;
    web["http://img.test/a.jpg"] = jpeg();
    const QList<QByteArray> s = {"#PUT#=A(12)#01", "#PUT#=http://img.test/a.jpg #02", "#TAKECODE#=#01",
                                 "#TAKEPOSTER##02#", "#SAVEDATA#"};
    runScript(s, "x\r\n");
    run("20260310");
    run("20260311");
    EXPECT_EQ(rows("20260309")[0].Immagine, QStringLiteral("Canale_Prova_A_12_.jpg"));
    EXPECT_EQ(rows("20260310")[0].Immagine, QStringLiteral("Canale_Prova_A_12__1.jpg"));
    EXPECT_EQ(rows("20260311")[0].Immagine, QStringLiteral("Canale_Prova_A_12__2.jpg"));
    for (const char *f : {"Canale_Prova_A_12_.jpg", "Canale_Prova_A_12__1.jpg", "Canale_Prova_A_12__2.jpg"})
        EXPECT_TRUE(QFile::exists(app.file(QStringLiteral("covers/") + QLatin1String(f)))) << f;
    EXPECT_FALSE(QFile::exists(app.file(QStringLiteral("TempDir/buffercover.jpg"))));
}

// Neither a page that is no picture nor an address that is not on the web
// gives a cover; the latter is not even fetched.
TEST_F(CoverTest, OnlyWebPicturesAreShownAndFiled)
{
    Locandine = true;
    RecordingView view;
    engine.setRecordView(&view);
    web["http://img.test/err.jpg"] = "<html>404</html>";
    for (const QByteArray url : {"http://img.test/err.jpg", "file:///etc/passwd"}) {
        runScript({"#PUT#=C1#01", "#PUT#=" + url + "#02", "#TAKECODE#=#01", "#TAKEPOSTER##02#"}, "x\r\n");
        EXPECT_EQ(view.covers, 0);
        EXPECT_TRUE(engine.record().TxtCover.isEmpty());
        EXPECT_FALSE(engine.record().Check1[13]);
        // Only the installed placeholder picture.
        EXPECT_EQ(QDir(app.file("covers")).entryList(QDir::Files), QStringList{QStringLiteral("none.jpg")});
    }
    EXPECT_FALSE(fetched.contains(QStringLiteral("file:///etc/passwd")));
    engine.setRecordView(nullptr);
}

TEST_F(CoverTest, FailedFetchDoesNotFileAnEarlierPicture)
{
    Locandine = true;
    web["http://img.test/a.jpg"] = jpeg();
    runScript({"#PUT#=http://img.test/a.jpg#02", "#TAKEPOSTER##02#"}, "x\r\n");
    ASSERT_TRUE(engine.record().Check1[13]);
    ASSERT_TRUE(QFile::exists(app.file("TempDir/buffercover.jpg")));
    runScript({"#PUT#=C1#01", "#PUT#=http://img.test/missing.jpg#02", "#TAKECODE#=#01", "#TAKEPOSTER##02#"},
              "x\r\n");
    EXPECT_FALSE(engine.record().Check1[13]);
    // Only the installed placeholder picture.
    EXPECT_EQ(QDir(app.file("covers")).entryList(QDir::Files), QStringList{QStringLiteral("none.jpg")});
}

TEST_F(CoverTest, CoverNamesStayInsideTheFolder)
{
    EXPECT_EQ(ScriptsTV::coverName("My TV", "A(12)"), QStringLiteral("My_TV_A_12_"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "'/:<>*?"), QStringLiteral("Tv________"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "..\\..\\x#1%2\"|\x01"), QStringLiteral("Tv_.._.._x_1_2___"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "è-1.a"), QStringLiteral("Tv_è-1.a"));
    EXPECT_LE(ScriptsTV::coverName("Tv", QByteArray(500, 'x')).size(), 120);
}
