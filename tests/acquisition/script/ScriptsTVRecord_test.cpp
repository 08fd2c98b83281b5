#include "ScriptFixture.h"

using namespace orv;
using namespace orv::test;

using SaveDataTest = ScriptFixture;

// The record starts empty in each run and again after each save; the three
// forms of a variable reference name the same variable; text is stored as
// UTF-8, or decoded from CP1252.
TEST_F(SaveDataTest, SavesTheRecordAndClearsIt)
{
    runScript({"#PUT#=Titolo lasciato#01", "#TAKETITLE#=#01"}, "x\r\n");
    runScript({"#SAVEDATA#", "#PUT#=21:00#01", "#PUT#=Il Film#02", "#PUT#=http://x.test/1#03", "#PUT#=Film Commedia#04",
               "#PUT#=Una storia.#05", "#TAKEHOUR#=#1", "#TAKETITLE#=#02#", "#TAKELINK#=#03", "#TAKETYPE#=#04",
               "#TAKECOMMENTS#=#05", "#SAVEDATA#", "#SAVEDATA#", "#PUT#=0#10", "#READNEXTLINE#",
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

// A picture is filed under the channel and code; neither a page that is no
// picture, nor an address off the web (not even fetched), nor a fetch that
// failed after an earlier picture gives a cover.
TEST_F(CoverTest, OnlyWebPicturesAreFiled)
{
    poster("http://img.test/a.jpg ");
    const QStringList once = {"Canale_Prova_A_12_.jpg", "none.jpg"};
    EXPECT_EQ(filed(), once);
    runScript({"#PUT#=http://img.test/a.jpg#02", "#TAKEPOSTER##02#"}, "x\r\n");
    ASSERT_TRUE(engine.record().Check1[13]);
    ASSERT_TRUE(QFile::exists(app.file("TempDir/buffercover.jpg")));
    for (const QByteArray url : {"http://img.test/err.jpg", "file:///etc/passwd", "http://img.test/missing.jpg"}) {
        poster(url);
        EXPECT_FALSE(engine.record().Check1[13]) << url.constData();
        EXPECT_EQ(filed(), once);
    }
    EXPECT_FALSE(fetched.contains(QStringLiteral("file:///etc/passwd")));
}

TEST_F(CoverTest, CoverNamesStayInsideTheFolder)
{
    EXPECT_EQ(ScriptsTV::coverName("Tv", "'/:<>*?"), QStringLiteral("Tv________"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "..\\..\\x#1%2\"|\x01"), QStringLiteral("Tv_.._.._x_1_2___"));
    EXPECT_EQ(ScriptsTV::coverName("Tv", "è-1.a"), QStringLiteral("Tv_è-1.a"));
    EXPECT_LE(ScriptsTV::coverName("Tv", QByteArray(500, 'x')).size(), 120);
}
