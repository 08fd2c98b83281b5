#include "details/FilmSearch.h"
#include "details/FilmSearchMenu.h"
#include "details/FrmPopUp.h"
#include "details/ProgrammeDisplay.h"
#include "mainwindow/MainFixture.h"

#include <QAction>

using namespace orv;
using namespace orv::test;

namespace {

class FilmCommands : public MainFixture {
protected:
    void TearDown() override
    {
        Cinedrawerdb.clear();
        MainFixture::TearDown();
    }
    qint64 catalogued(const QString &where)
    {
        Database db = Database::openForeign(app->db(QStringLiteral("Cinedrawer.db")), 0);
        Statement s = db.prepare(QStringLiteral("SELECT count(*) FROM Movies WHERE ") + where);
        s.next();
        return s.integer(0);
    }
    const qint32 day = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toInt();
};

} // namespace

TEST_F(FilmCommands, ActOnTheShownProgramme)
{
    addProgramme(day, QStringLiteral("Rai 1"), 1, QStringLiteral("Tom & Jerry"));
    {
        Database db = Database::open(PercorsoDb);
        db.exec(QStringLiteral("UPDATE Programmi SET Genere = 'Animazione'"));
    }
    Cinedrawerdb = app->db(QStringLiteral("Cinedrawer.db"));
    FrmPopUp &w = Windows::get<FrmPopUp>();
    w.showProgramme({day, QStringLiteral("Rai 1"), 1});

    w.Label11_Click();
    EXPECT_EQ(prompts, QStringList{QStringLiteral("Film correttamente inserito nella tua videoteca")});
    EXPECT_EQ(catalogued(QStringLiteral("Title = 'Tom & Jerry' AND Genre = 'Animazione'")), 1);

    w.Label10_Click();
    ASSERT_TRUE(w.a->isVisible());
    EXPECT_EQ(w.a->searchTitle(), QStringLiteral("Tom & Jerry"));
    w.a->findChild<QAction *>(QStringLiteral("m_ricercafilmup"))->trigger();
    w.a->close();
    EXPECT_EQ(urls, QStringList{filmSearchUrl(filmSites()[3], QStringLiteral("Tom & Jerry"))});
}

TEST_F(FilmCommands, DoNothingWithoutAProgramme)
{
    FrmPopUp &w = Windows::get<FrmPopUp>();
    w.showProgramme({day, QStringLiteral("Rai 1"), 99});
    ASSERT_FALSE(w.display->programme());
    // Unconfigured, the export would otherwise explain where to set it up.
    w.Label11_Click();
    w.Label10_Click();
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_FALSE(w.a->isVisible());
}
