#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

using SaveDataTest = ScriptFixture;

// Each field takes its variable, trimmed but for the code and "#TITLE#", and
// ticks its box; the information text accumulates. The record starts empty in
// each run and after each save; saves are numbered from 1 in each run, the
// channel trimmed; the three forms of a variable reference are one; a keyword
// earlier in the table wins; text is stored as UTF-8, or decoded from CP1252.
TEST_F(SaveDataTest, SavesTheRecordAndClearsIt)
{
    writeScript(scriptOf({"#SAVEDATA#", "#PUT#= x #01", "#TAKECODE#=#01", "#TAKEHOUR#=#01", "#TAKELINK#=#01",
                          "#TAKETYPE#=#01", "#TAKECOMMENTS#=#01", "#TAKECOMMENTS#=#01", "#TAKETITLE#=#01",
                          "#TITLE#=#01"}));
    engine.ESEGUI_SCRIPT_TV(QStringLiteral("script.txt"), QStringLiteral(" Canale Prova "), QStringLiteral("20260308"));
    const ProgrammeRecord &r = engine.record();
    EXPECT_EQ(QByteArrayList({r.TxtCode, r.TxtHour, r.TxtTitle, r.TxtLink, r.TxtType, r.TxtUserComments}).join('|'),
              " x |x| x |x|x|xx");
    EXPECT_EQ(r.Check1, (std::array<bool, 14>{true, true, true, true, true, true}));
    EXPECT_EQ(rows(QStringLiteral("20260308")).size(), 1u);
    runScript({"#SAVEDATA#", "#PUT#=21:00#01", "#PUT#=Il Film#02", "#PUT#=http://x.test/1#03", "#PUT#=Film Commedia#04",
               "#PUT#=Una storia.#05", "#TAKEHOUR#=#1", "#TAKETITLE#=#02#", "#TAKELINK#=#03", "#TAKETYPE#=#04",
               "#TAKECOMMENTS#=#05", "#SAVEDATA#", "#put#=#savedata##09", "#PUT#=0#10", "#READNEXTLINE#",
               "#TAKEWORD#=#01##10##10#", "#TAKETITLE#=#01", "#READNEXTLINE#", "#READNEXTLINE#",
               "#TAKEWORD#=#02##10##10#", "#TAKECOMMENTS#=#02", "#SAVEDATA#"},
              "Citt\xC3\xA0 aperta\r\nCitt\xE0 chiusa \x80\r\n");
    QStringList got;
    for (const Programme &p : rows())
        got << QStringList{QString::number(p.Data), p.Palinsesto, QString::number(p.Numerazione), p.ORA, p.Titolo,
                           p.link, p.Type, p.Descrizione, p.Immagine, p.Marked}
                   .join('|');
    EXPECT_EQ(got, QStringList({"20260309|Canale Prova|1|||||||",
                                "20260309|Canale Prova|2|21:00|Il Film|http://x.test/1|Film Commedia|Una storia.||",
                                "20260309|Canale Prova|3|||||||",
                                "20260309|Canale Prova|4||Città aperta|||Città chiusa €||"}));
}

class CoverTest : public ScriptFixture {
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        Locandine = true;
        QFile picture(app.file("covers/none.jpg"));
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
        web["http://img.test/a.jpg"] = picture.readAll();
        web["http://img.test/err.jpg"] = "<html>404</html>";
    }
    void poster(const QByteArray &url)
    {
        runScript({"#PUT#=A(12)#01", "#PUT#=" + url + "#02", "#TAKECODE#=#01", "#TAKEPOSTER##02#"}, "x\r\n");
    }
    QStringList filed() const { return QDir(app.file("covers")).entryList(QDir::Files); }
};

// A picture is filed under the channel and code, the next one under a
// numbered name; neither a page that is no picture, nor an address off the
// web (not even fetched), nor a fetch that failed after an earlier picture,
// nor a picture while covers are off gives a cover.
TEST_F(CoverTest, OnlyWebPicturesAreFiled)
{
    poster("http://img.test/a.jpg ");
    poster("http://img.test/a.jpg");
    const QStringList covers = {"Canale_Prova_A_12_.jpg", "Canale_Prova_A_12__1.jpg", "none.jpg"};
    EXPECT_EQ(filed(), covers);
    runScript({"#PUT#=http://img.test/a.jpg#02", "#TAKEPOSTER##02#"}, "x\r\n");
    ASSERT_TRUE(engine.record().Check1[13]);
    ASSERT_TRUE(QFile::exists(app.file("TempDir/buffercover.jpg")));
    for (const QByteArray url : {"http://img.test/err.jpg", "file:///etc/passwd", "http://img.test/missing.jpg"}) {
        poster(url);
        EXPECT_FALSE(engine.record().Check1[13]) << url.constData();
        EXPECT_EQ(filed(), covers);
    }
    Locandine = false;
    poster("http://img.test/a.jpg");
    EXPECT_EQ(filed(), covers);
    EXPECT_FALSE(fetched.contains(QStringLiteral("file:///etc/passwd")));
}

TEST_F(CoverTest, CoverNamesStayInsideTheFolder)
{
    EXPECT_EQ(ScriptsTV::coverName("Tv", "'/:<>*?"), QStringLiteral("Tv________"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "..\\..\\x#1%2\"|\x01"), QStringLiteral("Tv_.._.._x_1_2___"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "è-1.a"), QStringLiteral("Tv_è-1.a"));
    EXPECT_LE(ScriptsTV::coverName("Tv", QByteArray(500, 'x')).size(), 120);
}
