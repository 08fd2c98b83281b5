#include "GridFixture.h"

#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "grid/GridColumn.h"
#include "grid/GridState.h"
#include "grid/GridView.h"
#include "platform/Prompt.h"
#include "platform/Windows.h"
#include "support/TestSeam.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

using namespace orv;
using namespace orv::test;

namespace {

class GridWindow : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        seam.day = main;
        setClock(QTime(14, 20));
        addChannel(QStringLiteral("Rete A"), 1, 1);
        addChannel(QStringLiteral("Rete B"), 2, 2);
    }
    void TearDown() override
    {
        Windows::unloadAll();
        FrmSchedaGiorno::clock = {};
    }
    void setClock(const QTime &t)
    {
        FrmSchedaGiorno::clock = [this, t] { return QDateTime(main, t); };
    }
    FrmSchedaGiorno &open()
    {
        FrmSchedaGiorno &g = Windows::get<FrmSchedaGiorno>();
        g.resize(1600, 900);
        g.show();
        return g;
    }
    QImage canvas(FrmSchedaGiorno &g) { return g.Frame2->grab().toImage(); }
    RecordingSeam seam;
};

// Pixel of the time canvas at a twips place.
QColor at(const QImage &img, int xTw, int yTw) { return img.pixelColor(xTw / 15, yTw / 15); }

} // namespace

TEST_F(GridWindow, LoadScrollsToNowTheLineAndTheDayTextFollowTheScroll)
{
    FrmSchedaGiorno &g = open();
    EXPECT_EQ(g.MonthView1, main);
    EXPECT_EQ(g.MonthView2, first);
    EXPECT_EQ(g.HScroll1->value(), 75);
    EXPECT_EQ(g.HScroll1->maximum(), 3 * 48 - 1);
    EXPECT_EQ(g.VScroll1->maximum(), 2);
    EXPECT_TRUE(g.Frame2->nowLineVisible());
    EXPECT_EQ(g.Frame2->nowLineX(), 3420);
    // Another call lands on the same value, not 75 further on.
    g.METTI_SEGNALIBRO();
    EXPECT_EQ(g.HScroll1->value(), 75);
    g.HScroll1->setValue(47);
    EXPECT_EQ(g.Text1->text(), QStringLiteral("Sabato - 05/12/2026"));
    g.HScroll1->setValue(48);
    EXPECT_EQ(g.Text1->text(), QStringLiteral("Domenica - 06/12/2026"));
    EXPECT_EQ(g.Frame2->nowLineX(), 3420 + 27 * 2040);
    // Every build takes the main window's day; the line stays on today.
    setClock(QTime(23, 40));
    GiorniGriglia = 0;
    seam.day = main.addDays(1);
    g.CARICA_TV();
    g.METTI_SEGNALIBRO();
    EXPECT_EQ(g.MonthView2, main);
    EXPECT_EQ(g.HScroll1->value(), 47);
    EXPECT_EQ(g.Frame2->nowLineX(), 23 * 4080 + 40 * 68 + 20 - 47 * 2040);
    seam.day = main.addDays(4);
    g.CARICA_TV();
    EXPECT_EQ(g.MonthView2, main.addDays(3));
    EXPECT_FALSE(g.Frame2->nowLineVisible());
}

TEST_F(GridWindow, LocateStepsToTheTargetHalfHourAndDayAndBringsTheRowIntoView)
{
    for (int i = 0; i < 40; ++i)
        addChannel(QStringLiteral("Canale %1").arg(i), 100 + i, 10 + i);
    FrmSchedaGiorno &g = open();
    struct Case {
        int days;
        const char *ora;
        int value;
    } cases[] = {{1, "00:15", 96}, {-3, "10:00", 19}, {9, "10:00", 143}};
    for (const Case &c : cases) {
        g.CARICA_TV();
        SegnalibroData = dayText(dayOf(main.addDays(c.days)));
        SegnalibroOra = QString::fromLatin1(c.ora);
        g.METTI_SEGNALIBRO_POPUP();
        EXPECT_EQ(g.HScroll1->value(), c.value) << c.ora << " " << c.days;
    }
    EXPECT_EQ(SegnalibroData, main.addDays(9).toString(QStringLiteral("dd/MM/yyyy")));

    g.locateProgramme({dayOf(main), QStringLiteral("canale 35"), 4}, QStringLiteral("21:30"));
    EXPECT_EQ(g.HScroll1->value(), 89);
    EXPECT_EQ(g.VScroll1->value(), 37);
    // A row in view stays where it is.
    g.locateProgramme({dayOf(main), QStringLiteral("Canale 38"), 1}, QStringLiteral("10:00"));
    EXPECT_EQ(g.VScroll1->value(), 37);
}

TEST_F(GridWindow, FavouriteMarkersShowAndHideByKeyWithoutRebuild)
{
    addProgramme(main, QStringLiteral("Rete B"), 1, {QStringLiteral("15:00")});
    FrmSchedaGiorno &g = open();
    const ProgrammeKey k{dayOf(main), QStringLiteral("Rete B"), 1};
    g.setFavouriteMarkers({k}, true);
    // The middle of the marker, on a white cell.
    const int c = g.model().findCell(k);
    const int x = g.model().cellLeftAt(c, 75) + 20 + 75;
    const int y = g.model().cellTopAt(c, 0) + 230 + 75;
    EXPECT_NE(at(canvas(g), x, y), QColor(Qt::white));
    g.setFavouriteMarkers({k}, false);
    EXPECT_EQ(at(canvas(g), x, y), QColor(Qt::white));
}

TEST_F(GridWindow, PaintShowsTheBuiltCellsOfTheRowsInViewInTheirColours)
{
    addProgramme(main, QStringLiteral("Rete A"), 1, {"14:00", "60", "Il film", "Film"});
    FrmSchedaGiorno &g = open();
    const QColor film(0xFF, 0x80, 0x80);
    const int x = 97920 + 14 * 4080 + 100 - 75 * 2040 + 30;
    EXPECT_EQ(at(canvas(g), x, 310 + 240), film);
    EXPECT_EQ(g.Frame2->paintedCells(), 1);
    // One row down: row 0's cell lies above the canvas and is not painted,
    // not even over the header.
    g.VScroll1->setValue(1);
    const QImage down = canvas(g);
    EXPECT_NE(at(down, x, 150), film);
    EXPECT_NE(at(down, x, 310 + 240), film);
    // A rebuild shows only what it built.
    listings.exec(QStringLiteral("delete from Programmi"));
    channels.exec(QStringLiteral("delete from Televisioni"));
    g.CARICA_TV();
    EXPECT_EQ(g.VScroll1->maximum(), 0);
    EXPECT_EQ(at(canvas(g), x, 310 + 240), QColor(Qt::white));
    EXPECT_EQ(g.Frame2->paintedCells(), 0);
}

TEST_F(GridWindow, HeaderOnEveryHalfHourOfTheEighthDay)
{
    GiorniGriglia = 7;
    FrmSchedaGiorno &g = open();
    g.HScroll1->setValue(7 * 48 + 20);
    const QImage img = canvas(g);
    int dark = 0;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 2; y < 15; ++y)
            dark += img.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 50);
}

TEST_F(GridWindow, WheelStepsRowsAndWithShiftHalfHours)
{
    FrmSchedaGiorno &g = open();
    auto wheel = [](QWidget *w, QPoint delta, Qt::KeyboardModifiers mods) {
        const QPointF p(100, 100);
        QWheelEvent e(p, p, {}, delta, Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    };
    wheel(g.Frame2, {0, -120}, Qt::NoModifier);
    EXPECT_EQ(g.VScroll1->value(), 1);
    wheel(g.Frame2, {0, -120}, Qt::ShiftModifier);
    EXPECT_EQ(g.HScroll1->value(), 76);
    wheel(g.Frame1, {120, 0}, Qt::NoModifier);
    EXPECT_EQ(g.HScroll1->value(), 75);
    EXPECT_EQ(g.VScroll1->value(), 1);
}

// ------------------------------------------------------------ window commands

TEST_F(GridWindow, LoadActivateResizeAndClose)
{
    FrmSchedaGiorno &g = open();
    EXPECT_TRUE(GrigliaAperta);
    Lingua[154] = QStringLiteral("Rifai");
    VistaCorrente = 1;
    g.Form_Activate();
    EXPECT_EQ(VistaCorrente, 3);
    EXPECT_EQ(g.Toolbar1->actions()[6]->text(), QStringLiteral("Rifai"));
    Lingua[154].clear();

    // The canvas takes what the window gains; the bar stays under it.
    g.resize(1000, 700);
    EXPECT_EQ(g.Frame2->geometry(), QRect(1930 / 15, 750 / 15, (15000 - 2280) / 15, (10500 - 1310) / 15));
    EXPECT_EQ(g.HScroll1->geometry().top(), g.Frame2->geometry().bottom() + 1);

    // A card open or pending goes with the grid.
    Windows::get<FrmPopUpGhost>();
    seam.calls.clear();
    g.CmdClose_Click();
    EXPECT_FALSE(GrigliaAperta);
    EXPECT_EQ(seam.count(QStringLiteral("stopHoverTimer")), 1);
    EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>());
}

TEST_F(GridWindow, ACellClickShowsTheProgrammeANameClickTheChannelForTheDayAtTheLeftEdge)
{
    addProgramme(main, QStringLiteral("Rete B"), 7, {QStringLiteral("9:30")});
    FrmSchedaGiorno &g = open();
    g.HScroll1->setValue(48 + 18);
    seam.calls.clear();
    // 9:30 reads as 9:00 on the canvas; the cell starts at the view's left edge.
    QTest::mouseClick(g.Frame2, Qt::LeftButton, {}, QPoint(300 / 15, (910 + 200) / 15));
    EXPECT_EQ(IndiceLabProg, 0);
    EXPECT_EQ(seam.calls, QStringList{QStringLiteral("showProgramme 20261206|Rete B|7")});

    g.HScroll1->setValue(100);
    seam.calls.clear();
    QTest::mouseClick(g.Frame1, Qt::LeftButton, {}, QPoint(600 / 15, (600 + 300) / 15));
    EXPECT_EQ(VistaCorrente, 1);
    EXPECT_EQ(TvCorrente, QStringLiteral("Rete B"));
    EXPECT_EQ(seam.calls, (QStringList{QStringLiteral("setCurrentDay 2026-12-07"), "SEARCH_TV_TREE",
                                       "SMISTAMENTO_VISUALIZZAZIONI"}));
    // The code box is no name.
    seam.calls.clear();
    QTest::mouseClick(g.Frame1, Qt::LeftButton, {}, QPoint(1400 / 15, 300 / 15));
    EXPECT_TRUE(seam.calls.isEmpty());
    // A rebuild forgets the cell's index: it would name another programme.
    g.CARICA_TV();
    EXPECT_EQ(IndiceLabProg, -1);
}

TEST_F(GridWindow, CodeBoxesShowEveryCodeWhole)
{
    addChannel(QStringLiteral("Radio"), 3, 3, 3, 7, QStringLiteral("701"));
    addChannel(QStringLiteral("Lontana"), 4, 4, 1, 2, QStringLiteral("7010"));
    FrmSchedaGiorno &g = open();
    const QFontMetrics m(g.Frame1->codeFont());
    for (const char *code : {"1", "21", "701", "7010"})
        EXPECT_LE(m.horizontalAdvance(QString::fromLatin1(code)), grid::CodeWidthTw / grid::TwipsPerPixel) << code;
}

TEST_F(GridWindow, RebuildTakesTheMainDayHelpAndPrintSaySo)
{
    FrmSchedaGiorno &g = open();
    seam.day = main.addDays(2);
    g.Toolbar1_ButtonClick(QStringLiteral("ricostruisci"));
    EXPECT_EQ(g.MonthView2, main.addDays(1));
    seam.calls.clear();
    g.Toolbar1_ButtonClick(QStringLiteral("help"));
    EXPECT_EQ(seam.calls, QStringList{QStringLiteral("helpContext 1003")});

    QStringList prompts;
    Prompt::setHandler([&](const PromptRequest &r) {
        prompts << r.text;
        return Answer::Ok;
    });
    g.Toolbar1_ButtonClick(QStringLiteral("print"));
    Prompt::setHandler({});
    if (QPrinterInfo::defaultPrinter().isNull())
        EXPECT_EQ(prompts.size(), 1);
}

// ----------------------------------------------------------------- the card

TEST(HoverCardPlace, BesideThePointerAndAlwaysOnTheArea)
{
    const QRect screen(0, 0, 1920, 1040);
    const QSize card(400, 300);
    struct Case {
        QPoint pointer;
        QRect area;
        QPoint place;
    } cases[] = {
        {{500, 400}, screen, {510, 410}},               // middle
        {{500, 900}, screen, {510, 900 - 13 - 300}},    // bottom: above the pointer
        {{1800, 400}, screen, {1920 - 400, 410}},       // right: ends at the edge
        {{2500, 400}, {1920, 0, 1280, 1024}, {2510, 410}}, // second screen
        {{100, 100}, {0, 0, 300, 200}, {0, 0}},         // area smaller than the card
    };
    for (const Case &c : cases)
        EXPECT_EQ(grid::hoverCardPlace(c.pointer, card, c.area), c.place) << c.pointer.x() << "," << c.pointer.y();
}
