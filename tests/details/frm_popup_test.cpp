#include "details/FrmPopUp.h"

#include "details/FilmSearch.h"
#include "details/FilmSearchMenu.h"
#include "details/ProgrammeDisplay.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "mainwindow/MainFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace orv;
using namespace orv::test;

namespace {

qint32 dayFromToday(int n) { return QDate::currentDate().addDays(n).toString(QStringLiteral("yyyyMMdd")).toInt(); }

class PopUp : public MainFixture {
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        Prompt::setInputHandler([this](const QString &, const QString &title, const QString &proposed) {
            inputTitles << title + QLatin1Char('|') + proposed;
            return inputAnswer;
        });
    }
    void TearDown() override
    {
        Prompt::setInputHandler({});
        Cinedrawerdb.clear();
        MainFixture::TearDown();
    }
    ProgrammeKey programme(int fromToday, int number, const QString &title)
    {
        addProgramme(dayFromToday(fromToday), QStringLiteral("Rai 1"), number, title);
        return {dayFromToday(fromToday), QStringLiteral("Rai 1"), number};
    }
    Programme stored(const ProgrammeKey &k)
    {
        Database db = Database::open(PercorsoDb);
        return *ProgrammiTable(db).find(k);
    }
    void activate(QWidget &w) { QEvent e(QEvent::WindowActivate); QApplication::sendEvent(&w, &e); }

    QString inputAnswer;
    QStringList inputTitles;
};

} // namespace

TEST_F(PopUp, RefillsFromTheSelectedProgrammeOnEveryActivation)
{
    const ProgrammeKey a = programme(0, 1, QStringLiteral("Tg1"));
    const ProgrammeKey b = programme(0, 2, QStringLiteral("Porta a Porta"));
    FrmPopUp &w = Windows::get<FrmPopUp>();
    w.showProgramme(a);
    EXPECT_EQ(w.display->Label2->text(), "Tg1");

    // Another view changed the selection while the pop-up was behind.
    PopUpNumerazione = QString::number(b.Numerazione);
    activate(w);
    EXPECT_EQ(w.display->Label2->text(), "Porta a Porta");

    // A toggle writes its own field, then refills: each caption follows its own field.
    auto captions = [&] { return QStringList{w.Label7->text(), w.Label8->text(), w.Label18->text()}; };
    w.Label8_Click();
    EXPECT_EQ(captions(), (QStringList{Lingua[107], Lingua[117], Lingua[114]}));
    w.Label18_Click();
    w.Label8_Click();
    EXPECT_EQ(stored(b).Promemoria + stored(b).Registra, "01");
    EXPECT_EQ(captions(), (QStringList{Lingua[107], Lingua[113], Lingua[118]}));
    EXPECT_TRUE(w.display->Image1->isHidden() && !w.display->Image11->isHidden());

    // The pop-up's fill closes a hover card; so does the mouse over its cover, logo, type, title, genre or text.
    const ProgrammeDisplay &d = *w.display;
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (QWidget *c : std::initializer_list<QWidget *>{&w, d.Image3, d.ImgTV, d.Label1, d.Label2, d.Label9, d.Text1}) {
        Windows::get<FrmPopUpGhost>().show();
        c == &w ? activate(w) : void(QApplication::sendEvent(c, &move));
        EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>());
    }

    // A key with no row: nothing shown, and the commands act on nothing.
    w.showProgramme({dayFromToday(0), QStringLiteral("Rai 1"), 9});
    w.Label8_Click();
    w.Label7_Click();
    w.Image8_Click();
    w.Label11_Click(); // unconfigured, the export would otherwise explain where to set it up
    w.Label10_Click();
    EXPECT_FALSE(w.a->isVisible());
    EXPECT_EQ(stored(a).Promemoria + stored(b).Promemoria, "0");
    EXPECT_TRUE(inputTitles.isEmpty() && prompts.isEmpty() && !Windows::loaded<FrmSchedaGiorno>());
}

TEST_F(PopUp, ExportAndFilmSearchTakeTheShownProgramme)
{
    const ProgrammeKey k = programme(0, 1, QStringLiteral("Tom & Jerry"));
    Database::open(PercorsoDb).exec(QStringLiteral("UPDATE Programmi SET Genere = 'Animazione'"));
    Cinedrawerdb = app->db(QStringLiteral("Cinedrawer.db"));
    Windows::get<FrmPopUp>().showProgramme(k);
    Windows::get<FrmPopUp>().Label11_Click();
    Database catalogue = Database::openForeign(Cinedrawerdb, 0);
    Statement s = catalogue.prepare(QStringLiteral("SELECT Title, Genre FROM Movies"));
    ASSERT_TRUE(s.next());
    EXPECT_EQ(s.text(0) + "|" + s.text(1), "Tom & Jerry|Animazione");
    // So does a film search.
    Windows::get<FrmPopUp>().Label10_Click();
    Windows::get<FrmPopUp>().a->findChild<QAction *>(QStringLiteral("m_ricercafilmup"))->trigger();
    EXPECT_EQ(urls, QStringList{filmSearchUrl(filmSites()[3], QStringLiteral("Tom & Jerry"))});
}

TEST_F(PopUp, FavouriteChangesReachTheGridCellsOfEveryMatchingProgramme)
{
    FrmMain &m = loadMain();
    const ProgrammeKey shown = programme(0, 1, QStringLiteral("L'isola dei famosi"));
    const ProgrammeKey other = programme(1, 1, QStringLiteral("L isola dei famosi"));
    programme(0, 2, QStringLiteral("Tg1"));
    FrmPopUp &w = Windows::get<FrmPopUp>();
    w.showProgramme(shown);

    // Cancelled: nothing written, nothing sent to the grid.
    m.showChild(Windows::get<FrmSchedaGiorno>());
    FrmSchedaGiorno &grid = Windows::get<FrmSchedaGiorno>();
    w.Label7_Click();
    EXPECT_EQ(inputTitles, QStringList{QStringLiteral("Inserimento di un Programma Preferito|L'isola dei famosi")});
    EXPECT_EQ(grid.model().ContaImage1(), 0);
    EXPECT_EQ(stored(shown).Marked, "");

    inputAnswer = QStringLiteral("L'isola dei famosi");
    w.Label7_Click();
    auto marked = [&](const ProgrammeKey &k) { return grid.model().visibleFavourite(grid.model().findCell(k)) >= 0; };
    EXPECT_TRUE(marked(shown) && marked(other));
    EXPECT_FALSE(w.display->Image2->isHidden());
    EXPECT_EQ(w.Label7->text(), Lingua[116]);

    w.Label7_Click();
    EXPECT_FALSE(marked(shown) || marked(other));
    EXPECT_EQ(stored(other).Marked, "0");

    // Without a grid only the database changes; the grid is not loaded for it.
    Windows::unload<FrmSchedaGiorno>();
    w.Label7_Click();
    EXPECT_EQ(stored(other).Marked, "1");
    EXPECT_FALSE(Windows::loaded<FrmSchedaGiorno>());
}

TEST_F(PopUp, LocateOnlyWithinTheGridDaysCountedFromToday)
{
    FrmMain &m = loadMain();
    GiorniGriglia = 3;
    const QString tooFar = Lingua[119] + QStringLiteral("3 ") + Lingua[120] + QStringLiteral("\r\n\r\n") + Lingua[121];
    FrmPopUp &w = Windows::get<FrmPopUp>();
    for (int n : {-1, 3}) {
        w.showProgramme(programme(n, 1, QStringLiteral("Fuori")));
        w.Image8_Click();
    }
    EXPECT_EQ(prompts, QStringList(2, tooFar));
    prompts.clear();
    EXPECT_FALSE(Windows::loaded<FrmSchedaGiorno>());

    // Today, grid not loaded: its own load builds it once.
    const ProgrammeKey today = programme(0, 2, QStringLiteral("Oggi"));
    w.showProgramme(today);
    m.Picture3->show();
    w.Image8_Click();
    ASSERT_TRUE(Windows::loaded<FrmSchedaGiorno>());
    FrmSchedaGiorno &grid = Windows::get<FrmSchedaGiorno>();
    // 20:30 on the main window's day: half an hour before the hour, one day on.
    EXPECT_EQ(grid.HScroll1->value(), 2 * 20 - 1 + 48);
    EXPECT_EQ(SegnalibroOra, "20:30");
    EXPECT_EQ(activeChild(m), &grid);
    EXPECT_TRUE(m.Picture3->isHidden());

    // The last grid day; the main window shows a day whose grid would miss it, starting after it or ending before.
    w.showProgramme(programme(2, 3, QStringLiteral("Dopodomani")));
    for (int shown : {6, -1}) {
        m.setCurrentDay(QDate::currentDate().addDays(shown));
        w.Image8_Click();
        EXPECT_GE(grid.model().findCell({dayFromToday(2), QStringLiteral("Rai 1"), 3}), 0);
        EXPECT_EQ(grid.HScroll1->value(), 2 * 20 - 1 + 48 * 3);
        EXPECT_EQ(m.currentDay(), QDate::currentDate());
    }
    EXPECT_TRUE(prompts.isEmpty());
}
