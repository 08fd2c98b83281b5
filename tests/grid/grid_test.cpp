#include "mainwindow/MainFixture.h"

#include "details/ProgrammeDisplay.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "grid/GridBuilder.h"
#include "grid/GridColumn.h"
#include "grid/GridGeometry.h"
#include "grid/GridView.h"
#include "support/TestSeam.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace orv;
using namespace orv::grid;
using namespace orv::test;

namespace {

qint32 dayOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

// An application folder whose channel table holds only the channels a test adds.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<TempApp>();
        channels = Database::open(PercorsoPalinsesti);
        listings = Database::open(PercorsoDb);
        channels.exec(QStringLiteral("delete from Televisioni"));
        GiorniGriglia = 2;
        Colore = true;
    }
    void addChannel(const QString &name, int idtv, int position, int digitale = 1, int colore = 1,
                    const QString &canale = QStringLiteral("1"), bool shown = true)
    {
        channels.prepare("insert into Televisioni (IDTV, NOMETV, Attivo, Visualizzare, Posizione, Canale, Digitale, Colore) "
                         "values (?,?,?,?,?,?,?,?)")
            .bindAll(idtv, name, true, shown, position, canale, digitale, colore).execute();
    }
    struct Row {
        QString ora = QStringLiteral("20:00"), durata = QStringLiteral("30"), titolo = QStringLiteral("Titolo"), type{};
        QVariant marked{}, link2{};
    };
    void addProgramme(const QDate &day, const QString &channel, int number, const Row &r)
    {
        listings.prepare("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Durata, Type, Marked, Link2) "
                         "values (?,?,?,?,?,?,?,?,?)")
            .bindAll(qint64(dayOf(day)), channel, number, r.ora, r.titolo, r.durata, r.type, r.marked, r.link2).execute();
    }
    // Programmes at the given times, numbered from 1, 60 minutes each.
    void addDay(const QDate &day, const QString &channel, const QStringList &times)
    {
        for (int i = 0; i < times.size(); ++i)
            addProgramme(day, channel, i + 1, {times[i], QStringLiteral("60"), times[i]});
    }
    GridModel build(const QDate &mainDay)
    {
        const auto mark = [this](const QString &m) { marks.push_back(m); };
        return GridBuilder(channels, listings).build({mainDay, GiorniGriglia, Colore, app->file("loghitv"), {}, mark});
    }

    std::unique_ptr<TempApp> app;
    Database channels, listings;
    std::vector<QString> marks; // the build's status-bar marks
    const QDate main{2026, 12, 6}, first{2026, 12, 5};
};

class GridWindow : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        seam.day = main;
        FrmSchedaGiorno::clock = [this] { return QDateTime(main, QTime(14, 20)); };
        addChannel(QStringLiteral("Rete A"), 1, 1);
        addChannel(QStringLiteral("Rete B"), 2, 2);
    }
    void TearDown() override { Windows::unloadAll(); FrmSchedaGiorno::clock = {}; }
    static FrmSchedaGiorno &open()
    {
        FrmSchedaGiorno &g = Windows::get<FrmSchedaGiorno>();
        g.resize(1600, 900);
        g.show();
        return g;
    }
    static QColor at(FrmSchedaGiorno &g, int xTw, int yTw) { return g.Frame2->grab().toImage().pixelColor(xTw / 15, yTw / 15); }
    RecordingSeam seam;
};

// The hover delay with the real main window; its ticks are called directly.
class Hover : public MainFixture {
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        griglia = true;
        addProgramme(todayNumber(), QStringLiteral("Rai 2"), 1, QStringLiteral("Programma 1"));
        addProgramme(todayNumber(), QStringLiteral("Rai 2"), 2, QStringLiteral("Programma 2"));
        Database::open(PercorsoDb).exec(
            QStringLiteral("update Programmi set Durata = '60', ORA = printf('%d:00', 19 + Numerazione)"));
        // An index left from before the build must not count.
        LabProgHover = 0;
        m = &loadMain();
        g = &Windows::get<FrmSchedaGiorno>();
        g->HScroll1->setValue(48 + 40); // 20:00 of today at the left edge, the second row at the top
        g->VScroll1->setValue(1);
    }
    // A point inside cell i, pixels of the canvas.
    QPoint inCell(int i, int dxTw = 300) const
    {
        return {(g->model().cellLeftAt(i, g->HScroll1->value()) + dxTw) / 15,
                (g->model().cellTopAt(i, g->VScroll1->value()) + 210) / 15};
    }
    void move(QWidget *w, const QPoint &pos)
    {
        QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void ticks(int n) { for (int i = 0; i < n; ++i) m->Timer_POP2_Timer(); }
    bool cardShown() const { return Windows::loaded<FrmPopUpGhost>() && Windows::get<FrmPopUpGhost>().isVisible(); }
    bool armed() const { return m->Timer_POP2->isActive(); }
    FrmMain *m = nullptr;
    FrmSchedaGiorno *g = nullptr;
};

} // namespace

TEST(GridGeometry, LeftWidthTypeColoursHalfHourTextsAndHoverCardPlace)
{
    EXPECT_EQ((std::pair{cellLeft("21:30", 0), cellLeft("00:15", 2)}), (std::pair{87820, 15 * 68 + 100 + 2 * 97920}));
    // Exact halves go to the even neighbour: 42.5 -> 42, 59.5 -> 60.
    EXPECT_EQ((std::tuple{cellWidth(" 30 min"), cellWidth("abc"), cellWidth("1.875"), cellWidth("2.125")}),
              (std::tuple{1955, -85, 42, 60}));
    // The eighth day's header wraps to the clock; code 8 is the first with white text, 10 the last coloured.
    EXPECT_EQ(halfHourText(337), QStringLiteral("00:30"));
    EXPECT_EQ((std::tuple{prendiFont(7), prendiFont(8), prendiColore(10), prendiColore(11)}),
              (std::tuple{QStringLiteral("0"), QStringLiteral("16777215"), QStringLiteral("4210752"), QString()}));
    // A series wins at once; among the rest the later match wins.
    const std::tuple<const char *, quint32, quint32> types[] = {{"Telefilm comico", 0xC0FFC0, 0},
        {"Film", 0x8080FF, 0xFFFFFF}, {"Film per ragazzi", 0xFF8080, 0xFFFFFF}, {"Film notiziario", 0xC0FFFF, 0},
        {"Documentario", 0xFFFFFF, 0}};
    for (const auto &[type, back, fore] : types) {
        const CellColours c = typeColours(QString::fromUtf8(type), true);
        EXPECT_EQ((std::pair{c.back, c.fore}), (std::pair{back, fore})) << type;
    }
    // Hover card: ending on the bottom, past it, right, second screen, area smaller than the card.
    const QRect screen(0, 0, 1920, 1040);
    const std::tuple<QPoint, QRect, QPoint> places[] = {{{500, 730}, screen, {510, 740}},
        {{500, 900}, screen, {510, 900 - 13 - 300}}, {{1800, 400}, screen, {1920 - 400, 410}},
        {{2500, 400}, {1920, 0, 1280, 1024}, {2510, 410}}, {{100, 100}, {0, 0, 300, 200}, {0, 0}}};
    for (const auto &[pointer, area, place] : places)
        EXPECT_EQ(hoverCardPlace(pointer, {400, 300}, area), place) << pointer.x() << "," << pointer.y();
}

class GridBuild : public GridFixture {};

TEST_F(GridBuild, CellsInRowOrderWithKeyTagPlaceAndWidthRowsWithBadgeCodeColoursAndLogo)
{
    addChannel(QStringLiteral("Rete A"), 11, 2, 5, 0);
    addChannel(QStringLiteral("Rete B"), 12, 1, 1, 9, QStringLiteral("101"));
    addChannel(QStringLiteral("Spenta"), 13, 3, 1, 1, QStringLiteral("3"), false);
    ASSERT_TRUE(QFile(app->file(QStringLiteral("loghitv/12.GIF"))).open(QIODevice::WriteOnly));
    // Listings may name their channel in another case.
    addProgramme(first, QStringLiteral("RETE A"), 12, {QStringLiteral("21:30"), QStringLiteral("30"), "Tg"});
    addProgramme(first, QStringLiteral("Rete B"), 1, {QStringLiteral("06:00"), QStringLiteral("90"), "Alba"});
    addProgramme(main, QStringLiteral("Rete B"), 1, {QStringLiteral("07:00"), QString(), "Senza durata"});
    addProgramme(main, QStringLiteral("Spenta"), 1, {});
    // Outside the grid's three days.
    addProgramme(first.addDays(-1), QStringLiteral("Rete A"), 1, {});
    addProgramme(main.addDays(2), QStringLiteral("Rete A"), 1, {});

    const GridModel m = build(main);
    ASSERT_EQ(m.rows.size(), 2u);
    ASSERT_EQ(m.ContaLabProg(), 3);
    EXPECT_EQ(m.rows[0].NOMETV, QStringLiteral("Rete B"));
    EXPECT_EQ(m.cells[0].width, 6035);
    EXPECT_EQ((std::pair{m.cells[1].left, m.cells[1].width}), (std::pair{7 * 4080 + 100 + 97920, TemplateCellWidthTw}));
    EXPECT_EQ(m.cells[2].tag(), QStringLiteral("D20261205[12]RETE A21:30"));
    EXPECT_EQ(m.findCell({20261205, QStringLiteral("rete a"), 12}), 2);
    EXPECT_EQ(m.findCell({20261206, QStringLiteral("Rete A"), 12}), -1);

    quint32 back = 0, fore = 0;
    EXPECT_EQ((std::pair{m.rows[0].badge(), m.rows[0].Canale}), (std::pair{QStringLiteral("DTT"), QStringLiteral("101")}));
    EXPECT_TRUE(m.rows[0].codeColours(back, fore));
    EXPECT_EQ((std::pair{back, fore}), (std::pair{128u, 0xFFFFFFu}));
    EXPECT_FALSE(m.rows[0].logo.isEmpty());
    EXPECT_EQ((std::tuple{m.rows[1].badge(), m.rows[1].codeColours(back, fore), m.rows[1].logo.isEmpty()}),
              (std::tuple{QString(), false, true}));
}

TEST_F(GridBuild, ListingsPastMidnightContinueOnTheNextDayStretch)
{
    addChannel(QStringLiteral("Notte"), 1, 1);
    addChannel(QStringLiteral("Presto"), 2, 2);
    addDay(first, QStringLiteral("Notte"), {"21:00", "23:30", "00:30", "01:30", "04:30"});
    addDay(main, QStringLiteral("Notte"), {"22:00", "00:45"});
    addDay(first, QStringLiteral("Presto"), {"00:15", "06:00", "23:00"});
    addProgramme(main, QStringLiteral("Presto"), 1, {QStringLiteral("23:00"), QString()});
    addProgramme(main, QStringLiteral("Presto"), 2, {QStringLiteral("01:00")});
    const GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 12);
    // Still past midnight after a 3-hour pause; each day starts afresh; a listing starting at 00:15 is not;
    // without a duration 23:00 ends just before it starts, so 01:00 after it stays on its day.
    const std::tuple<size_t, const char *, int> want[] = {{1, "23:30", 0}, {2, "00:30", 1}, {4, "04:30", 1},
        {5, "22:00", 1}, {6, "00:45", 2}, {7, "00:15", 0}, {9, "23:00", 0}, {11, "01:00", 1}};
    for (const auto &[cell, ora, day] : want)
        EXPECT_EQ(m.cells[cell].left, cellLeft(QString::fromLatin1(ora), day)) << cell;
}

TEST_F(GridBuild, AFailedChannelDayGetsItsMarkAndNoCellsWhileTheOthersShow)
{
    addChannel(QStringLiteral("Rete A"), 1, 1);
    addChannel(QStringLiteral("Guasta"), 2, 2);
    addChannel(QStringLiteral("Rete C"), 3, 3);
    addDay(first, QStringLiteral("Rete A"), {"20:00"});
    addDay(first, QStringLiteral("Guasta"), {"20:00"});
    addDay(main, QStringLiteral("Guasta"), {"21:00"});
    addDay(main, QStringLiteral("Rete C"), {"21:00", "22:00"});
    listings.exec(QStringLiteral("update Programmi set Marked = Numerazione - 1, Link2 = 'l' where Palinsesto = 'Rete C'"));
    // Guasta's first day fails to read (integer overflow) as a damaged page would.
    listings.exec(QStringLiteral(
        "alter table Programmi rename to Righe; "
        "create view Programmi as select Data, Palinsesto, Numerazione, ORA, "
        "case when Palinsesto = 'Guasta' and Data = %1 then abs(-9223372036854775808) else Titolo end as Titolo, "
        "Titolo2, Type, Genere, Descrizione, Durata, link, Link1, Link2, Immagine, Marked, Promemoria, Registra "
        "from Righe").arg(dayOf(first)));

    const GridModel m = build(main);
    ASSERT_EQ((std::tuple{m.rows.size(), m.ContaLabProg()}), (std::tuple{3u, 4}));
    EXPECT_EQ((std::pair{m.rowCells(0), m.rowCells(2)}), (std::pair{std::pair{0, 1}, std::pair{2, 4}}));
    EXPECT_EQ(m.cells[1].key, (ProgrammeKey{dayOf(main), QStringLiteral("Guasta"), 1}));
    // Read day by day, Marked "0" is no favourite and each link has its marker.
    EXPECT_EQ((std::tuple{m.ContaImage1(), m.CellaImage1(0), m.ContaImage2()}), (std::tuple{1, 3, 2}));
    EXPECT_EQ(marks, std::vector<QString>{QStringLiteral("\u00A7")});

    // Without the listings every channel-day fails; the rows still show.
    marks.clear();
    listings.close();
    const GridModel none = build(main);
    EXPECT_EQ((std::tuple{none.rows.size(), none.ContaLabProg(), marks.size()}), (std::tuple{3u, 0, 3u * 3u}));
}

TEST_F(GridBuild, MarkersFollowMarkedOneAndLink2AndFortyThousandCellsKeepThem)
{
    addChannel(QStringLiteral("Rete"), 1, 1);
    GiorniGriglia = 1;
    const QVariant null, marks[] = {QStringLiteral("0"), QString(""), null, QStringLiteral("0"), QStringLiteral("1")},
                         links[] = {QStringLiteral("http://x"), QString(""), null, QStringLiteral("l"), null};
    Transaction tx(listings);
    for (int i = 0; i < 40001; ++i)
        addProgramme(main, QStringLiteral("Rete"), i + 1,
                     {"10:00", "1", "T", "Film", i < 5 ? marks[i] : QVariant(i == 40000 ? "1" : ""), i < 5 ? links[i] : null});
    tx.commit();
    GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 40001);
    EXPECT_EQ(m.findCell({dayOf(main), QStringLiteral("Rete"), 40001}), 40000);
    ASSERT_EQ((std::pair{m.ContaImage1(), m.ContaImage2()}), (std::pair{2, 2}));
    EXPECT_EQ((std::tuple{m.CellaImage1(0), m.CellaImage1(1), m.CellaImage2(0), m.CellaImage2(1)}),
              (std::tuple{4, 40000, 0, 3}));
    // Shown again, a hidden marker comes back; no second one is added.
    m.hideFavourite(40000);
    EXPECT_EQ((std::pair{m.visibleFavourite(40000), m.visibleFavourite(4)}), (std::pair{-1, 0}));
    m.showFavourite(40000);
    EXPECT_EQ((std::pair{m.visibleFavourite(40000), m.ContaImage1()}), (std::pair{1, 2}));
}

TEST_F(GridWindow, LoadScrollsToNowTheWheelStepsAndTheLineAndTheDayTextFollowTheScroll)
{
    FrmSchedaGiorno &g = open();
    EXPECT_EQ((std::tuple{g.MonthView1, g.MonthView2, g.HScroll1->maximum(), g.VScroll1->maximum()}),
              (std::tuple{main, first, 143, 2}));
    EXPECT_EQ((std::pair{g.Frame2->nowLineVisible(), g.Frame2->nowLineX()}), (std::pair{true, 3420}));
    // Another call lands on the same value, not 75 further on.
    g.METTI_SEGNALIBRO();
    EXPECT_EQ(g.HScroll1->value(), 75);
    // The wheel steps rows, with Shift half hours, sideways half hours; the keys rows and 4 hours.
    auto wheel = [](QWidget *w, QPoint delta, Qt::KeyboardModifiers mods) {
        QWheelEvent e({100, 100}, {100, 100}, {}, delta, Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &e);
    };
    wheel(g.Frame2, {0, -120}, Qt::NoModifier);
    wheel(g.Frame2, {0, -120}, Qt::ShiftModifier);
    EXPECT_EQ((std::pair{g.HScroll1->value(), g.VScroll1->value()}), (std::pair{76, 1}));
    wheel(g.Frame1, {120, 0}, Qt::NoModifier);
    EXPECT_EQ((std::pair{g.HScroll1->value(), g.VScroll1->value()}), (std::pair{75, 1}));
    QTest::keyClick(&g, Qt::Key_Up);
    QTest::keyClick(&g, Qt::Key_PageDown);
    EXPECT_EQ((std::pair{g.HScroll1->value(), g.VScroll1->value()}), (std::pair{83, 0}));
    g.HScroll1->setValue(47);
    EXPECT_EQ(g.Text1->text(), QStringLiteral("Sabato - 05/12/2026"));
    g.HScroll1->setValue(48);
    EXPECT_EQ((std::pair{g.Text1->text(), g.Frame2->nowLineX()}),
              (std::pair{QStringLiteral("Domenica - 06/12/2026"), 3420 + 27 * 2040}));
    // Every build takes the main window's day; the line stays on today.
    FrmSchedaGiorno::clock = [this] { return QDateTime(main, QTime(23, 40)); };
    GiorniGriglia = 0;
    seam.day = main.addDays(1);
    g.CARICA_TV();
    g.METTI_SEGNALIBRO();
    EXPECT_EQ((std::tuple{g.MonthView2, g.HScroll1->value(), g.Frame2->nowLineX()}),
              (std::tuple{main, 47, 23 * 4080 + 40 * 68 + 20 - 47 * 2040}));
    seam.day = main;
    g.Toolbar1_ButtonClick(QStringLiteral("ricostruisci"));
    EXPECT_EQ((std::pair{g.MonthView2, g.Frame2->nowLineVisible()}), (std::pair{first, false}));
}

TEST_F(GridWindow, LocateStepsToTheTargetHalfHourAndDayAndBringsTheRowIntoView)
{
    for (int i = 0; i < 40; ++i)
        addChannel(QStringLiteral("Canale %1").arg(i), 100 + i, 10 + i);
    FrmSchedaGiorno &g = open();
    const std::tuple<int, const char *, int> cases[] = {{1, "00:15", 96}, {-3, "01:00", 1}, {9, "10:00", 143}};
    for (const auto &[days, ora, value] : cases) {
        g.locateProgramme({dayOf(main.addDays(days)), QStringLiteral("Rete A"), 1}, QString::fromLatin1(ora));
        EXPECT_EQ(g.HScroll1->value(), value) << ora << " " << days;
    }
    EXPECT_EQ(SegnalibroData, main.addDays(9).toString(QStringLiteral("dd/MM/yyyy")));
    // Row 19 is the first below the 19 rows in view.
    g.locateProgramme({dayOf(main), QStringLiteral("canale 17"), 4}, QStringLiteral("21:30"));
    EXPECT_EQ((std::pair{g.HScroll1->value(), g.VScroll1->value()}), (std::pair{89, 19}));
    // A row in view stays where it is.
    g.locateProgramme({dayOf(main), QStringLiteral("Canale 35"), 1}, QStringLiteral("10:00"));
    EXPECT_EQ(g.VScroll1->value(), 19);
}

TEST_F(GridWindow, PaintShowsBuiltCellsInViewTheirColoursMarkersAndTheHeaderOfTheEighthDay)
{
    addProgramme(main, QStringLiteral("Rete A"), 1, {"14:00", "60", "Il film", "Film"});
    addProgramme(main, QStringLiteral("Rete B"), 1, {QStringLiteral("15:00"), "30", "Titolo", {}, {}, QStringLiteral("l")});
    FrmSchedaGiorno &g = open();
    const QColor film(0xFF, 0x80, 0x80);
    const int x = 97920 + 14 * 4080 + 100 - 75 * 2040 + 30;
    EXPECT_EQ(at(g, x, 310 + 240), film);
    EXPECT_EQ(g.Frame2->paintedCells(), 2);
    // Favourite markers show and hide by key without a rebuild (marker middle, white cell); the link's shows.
    const ProgrammeKey k{dayOf(main), QStringLiteral("Rete B"), 1};
    const int c = g.model().findCell(k);
    const int mx = g.model().cellLeftAt(c, 75) + 20 + 75, my = g.model().cellTopAt(c, 0) + 230 + 75;
    EXPECT_NE(at(g, mx + 180, my - 150), QColor(Qt::white));
    g.setFavouriteMarkers({k}, true);
    EXPECT_NE(at(g, mx, my), QColor(Qt::white));
    g.setFavouriteMarkers({k}, false);
    EXPECT_EQ(at(g, mx, my), QColor(Qt::white));
    // At 14:30 the film begun before shows its rest; one row down it is not painted, not even over the header.
    g.HScroll1->setValue(77);
    EXPECT_EQ(at(g, 15, 310 + 240), film);
    g.VScroll1->setValue(1);
    EXPECT_NE(at(g, 15, 150), film);
    EXPECT_NE(at(g, 15, 310 + 240), film);
    // Without colours by type the film is white; an empty rebuild paints no cell; the eighth day has a header.
    Colore = false;
    g.RICARICA_GRIGLIA();
    EXPECT_EQ(at(g, x, 310 + 240), QColor(Qt::white));
    listings.exec(QStringLiteral("delete from Programmi"));
    channels.exec(QStringLiteral("delete from Televisioni"));
    GiorniGriglia = 7;
    g.CARICA_TV();
    g.HScroll1->setValue(7 * 48 + 20);
    const QImage img = g.Frame2->grab().toImage();
    int dark = 0;
    for (int i = 0; i < img.width() * 13; ++i)
        dark += img.pixelColor(i % img.width(), 2 + i / img.width()).lightness() < 128;
    EXPECT_GT(dark, 50);
    EXPECT_EQ((std::tuple{g.VScroll1->maximum(), g.Frame2->paintedCells()}), (std::tuple{0, 0}));
}

TEST_F(GridWindow, ResizePrintWithoutAPrinterHelpAndCodeBoxes)
{
    addChannel(QStringLiteral("Radio"), 3, 3, 3, 7, QStringLiteral("701"));
    addChannel(QStringLiteral("Lontana"), 4, 4, 1, 2, QStringLiteral("7010"));
    FrmSchedaGiorno &g = open();
    // The canvas takes what the window gains; the bar stays under it.
    g.resize(1000, 700);
    EXPECT_EQ(g.Frame2->geometry(), QRect(1930 / 15, 750 / 15, (15000 - 2280) / 15, (10500 - 1310) / 15));
    EXPECT_EQ(g.HScroll1->geometry().top(), g.Frame2->geometry().bottom() + 1);
    int prompts = 0;
    Prompt::setHandler([&](const PromptRequest &) { ++prompts; return Answer::Ok; });
    g.Toolbar1_ButtonClick(QStringLiteral("print"));
    Prompt::setHandler({});
    EXPECT_TRUE(prompts == 1 || !QPrinterInfo::defaultPrinter().isNull());
    seam.calls.clear();
    g.Toolbar1_ButtonClick(QStringLiteral("help"));
    EXPECT_EQ(seam.calls, QStringList{QStringLiteral("helpContext 1003")});
    // Every code shows whole in its box, on its channel's colour.
    EXPECT_EQ(g.Frame1->grab().toImage().pixelColor(90, 2), bgrColor(16763904));
    const QFontMetrics fm(g.Frame1->codeFont());
    for (const char *code : {"1", "21", "701", "7010"})
        EXPECT_LE(fm.horizontalAdvance(QString::fromLatin1(code)), CodeWidthTw / TwipsPerPixel) << code;
}

TEST_F(GridWindow, ACellClickShowsTheProgrammeANameClickTheChannelForTheDayAtTheLeftEdgeAndActivationTheGrid)
{
    addProgramme(main, QStringLiteral("Rete B"), 6, {QStringLiteral("8:00"), QStringLiteral("120")});
    addProgramme(main, QStringLiteral("Rete B"), 7, {QStringLiteral("9:30")});
    FrmSchedaGiorno &g = open();
    g.HScroll1->setValue(48 + 18);
    g.VScroll1->setValue(1);
    seam.calls.clear();
    // One row down; 9:30 reads as 9:00 on the canvas: at the view's left edge, in front of the cell before it.
    QTest::mouseClick(g.Frame2, Qt::LeftButton, {}, QPoint(300 / 15, (310 + 200) / 15));
    EXPECT_EQ(IndiceLabProg, 1);
    EXPECT_EQ(seam.calls, QStringList{QStringLiteral("showProgramme 20261206|Rete B|7")});
    g.HScroll1->setValue(100);
    seam.calls.clear();
    QTest::mouseClick(g.Frame1, Qt::LeftButton, {}, QPoint(600 / 15, 300 / 15));
    EXPECT_EQ((std::pair{VistaCorrente, TvCorrente}), (std::pair{1, QStringLiteral("Rete B")}));
    EXPECT_EQ(seam.calls, (QStringList{QStringLiteral("setCurrentDay 2026-12-07"), "SEARCH_TV_TREE",
                                       "SMISTAMENTO_VISUALIZZAZIONI"}));
    // The code box is no name.
    seam.calls.clear();
    QTest::mouseClick(g.Frame1, Qt::LeftButton, {}, QPoint(1400 / 15, 300 / 15));
    EXPECT_TRUE(seam.calls.isEmpty());
    // Activation makes the grid the current view; a rebuild forgets the cell's index.
    g.Form_Activate();
    g.CARICA_TV();
    EXPECT_EQ((std::pair{VistaCorrente, IndiceLabProg}), (std::pair{3, -1}));
}

TEST_F(Hover, ANewCellArmsTheSixtyFirstTickOpensItsCardAtTheLatestPlaceAndClosingTheGridEndsIt)
{
    ASSERT_EQ(g->model().ContaLabProg(), 2);
    // Cell 0 arms at once: no cell was hovered since the build.
    move(g->Frame2, inCell(0));
    EXPECT_TRUE(armed());
    ticks(30);
    // Moving inside the cell keeps the count.
    QPoint last = inCell(0, 900);
    move(g->Frame2, last);
    EXPECT_EQ(TickPopUp, 30);
    ticks(31);
    ASSERT_TRUE(cardShown());
    EXPECT_FALSE(armed());
    FrmPopUpGhost &card = Windows::get<FrmPopUpGhost>();
    const QPoint pointer = g->Frame2->mapToGlobal(last);
    EXPECT_EQ(card.pos(), hoverCardPlace(pointer, card.size(), g->screen()->availableGeometry()));
    EXPECT_EQ(card.display->Label2->text(), QStringLiteral("Programma 1"));
    // Any move in the same cell, across or down, closes it, and it stays closed for that cell.
    for (const QPoint step : {QPoint(1, 0), QPoint(0, 1)}) {
        g->LabPROG_Click_2(0);
        move(g->Frame2, last += step);
        EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>() || armed());
    }
    move(g->Frame2, inCell(1));
    EXPECT_TRUE(armed());
    // Another cell counts afresh; closing the grid during the delay ends it, and a card open goes with it.
    ticks(20);
    move(g->Frame2, inCell(0));
    EXPECT_EQ(TickPopUp, 0);
    Windows::get<FrmPopUpGhost>();
    g->CmdClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(armed() || Windows::loaded<FrmPopUpGhost>() || GrigliaAperta);
    ticks(100);
    EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>() || Windows::loaded<FrmSchedaGiorno>());
}

TEST_F(Hover, CancelRowsAndCardFieldsStopTheDelayAndSomeCloseTheCard)
{
    auto arm = [&](int cell) {
        move(g->Frame2, inCell(cell));
        g->LabPROG_Click_2(cell);
        m->Timer_POP2->start();
        ASSERT_TRUE(cardShown());
    };
    // Channel name, day text, toolbar: timer off, the card stays.
    for (QWidget *w : std::initializer_list<QWidget *>{g->Frame1, g->Text1, g->Toolbar1}) {
        arm(0);
        move(w, w == g->Frame1 ? QPoint(600 / 15, 300 / 15) : QPoint(2, 2));
        EXPECT_TRUE(!armed() && cardShown());
    }
    // The code box, the badge, the header, the title strip and a step down do nothing.
    m->Timer_POP2->start();
    move(g->Frame1, QPoint(1400 / 15, 300 / 15));
    move(g->Frame1, QPoint(5, 300 / 15));
    move(g->Frame2, QPoint(50, 5));
    move(g->LabInizio, QPoint(5, 5));
    g->VScroll1->setValue(2);
    EXPECT_TRUE(armed() && cardShown());
    g->VScroll1->setValue(1);
    // Outside the frames, between cells, a horizontal step: timer off, card closed.
    const std::function<void()> closers[] = {
        [&] { move(g, QPoint(g->Frame2->geometry().left() - 3, g->height() - 3)); },
        [&] { move(g->Frame2, QPoint(g->Frame2->width() - 2, g->Frame2->height() - 2)); },
        [&] { g->HScroll1->setValue(g->HScroll1->value() + 1); },
    };
    for (const auto &close : closers) {
        arm(1);
        close();
        EXPECT_FALSE(armed() || Windows::loaded<FrmPopUpGhost>());
    }
    // On the card a heading does nothing; a field, the title or the description, stops the delay and closes it.
    for (int field = 0; field < 2; ++field) {
        arm(0);
        const ProgrammeDisplay &d = *Windows::get<FrmPopUpGhost>().display;
        move(d.Label5, QPoint(1, 1));
        EXPECT_TRUE(cardShown() && armed());
        move(field ? d.Text1->viewport() : d.Label2, QPoint(1, 1));
        EXPECT_FALSE(cardShown() || armed());
    }
}
