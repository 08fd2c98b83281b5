#include "GridFixture.h"

#include "grid/GridGeometry.h"

#include <QColor>
#include <QFile>

using namespace orv;
using namespace orv::grid;
using namespace orv::test;

// ----------------------------------------------------------------- geometry

TEST(GridGeometry, LeftAndWidthFollowTheTimeScale)
{
    EXPECT_EQ(cellLeft(QStringLiteral("21:30"), 0), 87820);
    EXPECT_EQ(cellLeft(QStringLiteral("00:15"), 2), 15 * 68 + 100 + 2 * 97920);
    EXPECT_EQ(cellWidth(QStringLiteral("30")), 1955);
    EXPECT_EQ(cellWidth(QStringLiteral("90")), 6035);
    EXPECT_EQ(cellWidth(QString()), -85);
    EXPECT_EQ(cellWidth(QStringLiteral("abc")), -85);
    // Exact halves go to the even neighbour: 42.5 -> 42, 59.5 -> 60.
    EXPECT_EQ(cellWidth(QStringLiteral("1.875")), 42);
    EXPECT_EQ(cellWidth(QStringLiteral("2.125")), 60);
    EXPECT_EQ(leadingValue(QStringLiteral(" 45 min")), 45);
}

TEST(GridGeometry, TypeColoursFirstSeriesThenLaterMatchesWin)
{
    struct Case {
        const char *type;
        quint32 back, fore;
    } cases[] = {
        {"Telefilm comico", 0xC0FFC0, 0x000000},   {"Serie tv", 0xC0FFC0, 0x000000},
        {"Film", 0x8080FF, 0xFFFFFF},              {"Film per ragazzi", 0xFF8080, 0xFFFFFF},
        {"Cartoni", 0xFF8080, 0xFFFFFF},           {"Informazione sportiva", 0xC0FFFF, 0x000000},
        {"Film notiziario", 0xC0FFFF, 0x000000},   {"Documentario", 0xFFFFFF, 0x000000},
        {"", 0xFFFFFF, 0x000000},
    };
    for (const Case &c : cases) {
        const CellColours got = typeColours(QString::fromUtf8(c.type), true);
        EXPECT_EQ(got.back, c.back) << c.type;
        EXPECT_EQ(got.fore, c.fore) << c.type;
        EXPECT_EQ(typeColours(QString::fromUtf8(c.type), false).back, 0xFFFFFFu) << c.type;
    }
}

TEST(GridGeometry, ChannelCodeColoursAndHeader)
{
    EXPECT_EQ(prendiColore(1), QStringLiteral("16763904"));
    EXPECT_EQ(prendiColore(5), QStringLiteral("52479"));
    EXPECT_EQ(prendiColore(9), QStringLiteral("128"));
    EXPECT_EQ(prendiColore(10), QStringLiteral("4210752"));
    EXPECT_EQ(prendiFont(7), QStringLiteral("0"));
    EXPECT_EQ(prendiFont(8), QStringLiteral("16777215"));
    for (int code : {0, 11, -1}) {
        EXPECT_TRUE(prendiColore(code).isEmpty());
        EXPECT_TRUE(prendiFont(code).isEmpty());
    }
    // 128 is 0x000080: red 80 in the lowest byte.
    EXPECT_EQ(bgrColor(128), QColor(0x80, 0, 0));
    EXPECT_EQ(halfHourText(0), QStringLiteral("00:00"));
    EXPECT_EQ(halfHourText(47), QStringLiteral("23:30"));
    EXPECT_EQ(halfHourText(336), QStringLiteral("00:00"));
    EXPECT_EQ(halfHourText(337), QStringLiteral("00:30"));
}

TEST(GridGeometry, PastMidnightStaysPastIt)
{
    PastMidnight m;
    const int w = cellWidth(QStringLiteral("60"));
    EXPECT_EQ(m.place(cellLeft(QStringLiteral("23:30"), 0), w), cellLeft(QStringLiteral("23:30"), 0));
    EXPECT_EQ(m.place(cellLeft(QStringLiteral("00:30"), 0), w), cellLeft(QStringLiteral("00:30"), 1));
    // After a 3-hour pause the listing is still past midnight.
    EXPECT_EQ(m.place(cellLeft(QStringLiteral("04:30"), 0), w), cellLeft(QStringLiteral("04:30"), 1));

    PastMidnight early;
    EXPECT_EQ(early.place(cellLeft(QStringLiteral("00:15"), 0), w), cellLeft(QStringLiteral("00:15"), 0));
    EXPECT_EQ(early.place(cellLeft(QStringLiteral("06:00"), 0), w), cellLeft(QStringLiteral("06:00"), 0));
}

// ------------------------------------------------------------------ builder

class GridBuild : public GridFixture {};

TEST_F(GridBuild, CellsInRowOrderWithKeyTagPlaceAndWidth)
{
    addChannel(QStringLiteral("Rete A"), 11, 2);
    addChannel(QStringLiteral("Rete B"), 12, 1);
    addChannel(QStringLiteral("Spenta"), 13, 3, 1, 1, QStringLiteral("3"), false);
    addProgramme(first, QStringLiteral("Rete A"), 12, {QStringLiteral("21:30"), QStringLiteral("30"), "Tg"});
    addProgramme(first, QStringLiteral("Rete B"), 1, {QStringLiteral("06:00"), QStringLiteral("90"), "Alba"});
    addProgramme(main, QStringLiteral("Rete B"), 1, {QStringLiteral("07:00"), QString(), "Senza durata"});
    addProgramme(main, QStringLiteral("Spenta"), 1, {});
    // Outside the grid's three days.
    addProgramme(first.addDays(-1), QStringLiteral("Rete A"), 1, {});
    addProgramme(main.addDays(2), QStringLiteral("Rete A"), 1, {});

    const GridModel m = build(main);
    EXPECT_EQ(m.firstDay, first);
    EXPECT_EQ(m.days, 3);
    ASSERT_EQ(m.rows.size(), 2u);
    EXPECT_EQ(m.rows[0].NOMETV, QStringLiteral("Rete B"));
    ASSERT_EQ(m.ContaLabProg(), 3);
    // Row 0 (Rete B) first, day by day.
    EXPECT_EQ(m.cells[0].Titolo, QStringLiteral("Alba"));
    EXPECT_EQ(m.cells[0].width, 6035);
    EXPECT_EQ(m.cells[1].left, 7 * 4080 + 100 + 97920);
    EXPECT_EQ(m.cells[1].width, TemplateCellWidthTw);
    const GridCell &tg = m.cells[2];
    EXPECT_EQ(tg.row, 1);
    EXPECT_EQ(tg.left, 87820);
    EXPECT_EQ(tg.width, 1955);
    EXPECT_EQ(tg.tag(), QStringLiteral("D20261205[12]Rete A21:30"));
    EXPECT_EQ(m.cellTopAt(2, 0), 910);
    EXPECT_EQ(m.cellTopAt(2, 1), 310);
    EXPECT_EQ(m.cellLeftAt(2, 3), 87820 - 3 * 2040);
    EXPECT_EQ(m.findCell({20261205, QStringLiteral("rete a"), 12}), 2);
    EXPECT_EQ(m.findCell({20261206, QStringLiteral("Rete A"), 12}), -1);
    EXPECT_EQ(m.halfHours(), 144);
}

TEST_F(GridBuild, ListingsPastMidnightContinueOnTheNextDayStretch)
{
    addChannel(QStringLiteral("Notte"), 1, 1);
    addChannel(QStringLiteral("Presto"), 2, 2);
    addDay(first, QStringLiteral("Notte"), {"21:00", "23:30", "00:30", "01:30", "04:30"});
    addDay(first, QStringLiteral("Presto"), {"00:15", "06:00", "23:00"});
    const GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 8);
    EXPECT_EQ(m.cells[1].left, cellLeft(QStringLiteral("23:30"), 0));
    EXPECT_EQ(m.cells[2].left, cellLeft(QStringLiteral("00:30"), 1));
    EXPECT_EQ(m.cells[3].left, cellLeft(QStringLiteral("01:30"), 1));
    EXPECT_EQ(m.cells[4].left, cellLeft(QStringLiteral("04:30"), 1));
    EXPECT_EQ(m.cells[5].left, cellLeft(QStringLiteral("00:15"), 0));
    EXPECT_EQ(m.cells[7].left, cellLeft(QStringLiteral("23:00"), 0));
}

TEST_F(GridBuild, MarkersFollowMarkedOneAndLink2)
{
    addChannel(QStringLiteral("Rete"), 1, 1);
    const QVariant null;
    const QVariant marks[] = {QStringLiteral("1"), QStringLiteral("0"), QString(""), null};
    const QVariant links[] = {QStringLiteral("http://x"), QString(""), null, QStringLiteral("l")};
    for (int i = 0; i < 4; ++i)
        addProgramme(main, QStringLiteral("Rete"), i + 1,
                     {QStringLiteral("1%1:00").arg(i), "30", "T", "", marks[i], links[i]});
    const GridModel m = build(main);
    ASSERT_EQ(m.ContaImage1(), 1);
    EXPECT_EQ(m.CellaImage1(0), 0);
    ASSERT_EQ(m.ContaImage2(), 2);
    EXPECT_EQ(m.CellaImage2(0), 0);
    EXPECT_EQ(m.CellaImage2(1), 3);
}

TEST_F(GridBuild, TypeColoursOnlyWithColoreOn)
{
    addChannel(QStringLiteral("Rete"), 1, 1);
    addProgramme(main, QStringLiteral("Rete"), 1, {"20:00", "30", "T", "Film"});
    EXPECT_EQ(build(main).cells[0].colours.back, 0x8080FFu);
    Colore = false;
    EXPECT_EQ(build(main).cells[0].colours.back, 0xFFFFFFu);
}

TEST_F(GridBuild, NamesMatchWithApostrophesAndAnyCase)
{
    addChannel(QStringLiteral("L'Aria Tv"), 1, 1);
    addChannel(QStringLiteral("Città Uno"), 2, 2);
    addProgramme(main, QStringLiteral("l'aria tv"), 1, {});
    addProgramme(main, QStringLiteral("CITTÀ UNO"), 1, {});
    const GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 2);
    EXPECT_EQ(m.cells[0].row, 0);
    EXPECT_EQ(m.cells[1].row, 1);
    EXPECT_EQ(m.findRow(QStringLiteral("città uno")), 1);
}

TEST_F(GridBuild, RowsCarryBadgeCodeColoursAndLogo)
{
    addChannel(QStringLiteral("Uno"), 7, 1, 1, 9, QStringLiteral("101"));
    addChannel(QStringLiteral("Due"), 8, 2, 5, 0);
    addChannel(QStringLiteral("Tre"), 9, 3, 3, 11);
    QFile logo(app->file(QStringLiteral("loghitv/7.GIF")));
    ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
    logo.close();
    const GridModel m = build(main);
    ASSERT_EQ(m.rows.size(), 3u);
    quint32 back = 0, fore = 0;
    EXPECT_EQ(m.rows[0].badge(), QStringLiteral("DTT"));
    EXPECT_TRUE(m.rows[0].codeColours(back, fore));
    EXPECT_EQ(back, 128u);
    EXPECT_EQ(fore, 0xFFFFFFu);
    EXPECT_EQ(m.rows[0].Canale, QStringLiteral("101"));
    EXPECT_FALSE(m.rows[0].logo.isEmpty());
    EXPECT_TRUE(m.rows[1].badge().isEmpty());
    EXPECT_FALSE(m.rows[1].codeColours(back, fore));
    EXPECT_TRUE(m.rows[1].logo.isEmpty());
    EXPECT_EQ(m.rows[2].badge(), QStringLiteral("RAD"));
    EXPECT_FALSE(m.rows[2].codeColours(back, fore));
}

TEST_F(GridBuild, FortyThousandCellsKeepTheirIndexAndMarkers)
{
    addChannel(QStringLiteral("Rete"), 1, 1);
    GiorniGriglia = 1;
    {
        Transaction tx(listings);
        ProgrammiTable t(listings);
        for (int i = 0; i < 40001; ++i) {
            Programme p;
            p.Data = dayOf(main);
            p.Palinsesto = QStringLiteral("Rete");
            p.Numerazione = i + 1;
            p.ORA = QStringLiteral("10:00");
            p.Titolo = QStringLiteral("P%1").arg(i);
            p.Durata = QStringLiteral("1");
            p.Marked = i == 40000 || i == 4 ? QStringLiteral("1") : QString();
            t.insert(p);
        }
        tx.commit();
    }
    GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 40001);
    EXPECT_EQ(m.cells[40000].Titolo, QStringLiteral("P40000"));
    EXPECT_EQ(m.findCell({dayOf(main), QStringLiteral("Rete"), 40001}), 40000);
    ASSERT_EQ(m.ContaImage1(), 2);
    EXPECT_EQ(m.CellaImage1(1), 40000);
    m.hideFavourite(40000);
    EXPECT_EQ(m.visibleFavourite(40000), -1);
    EXPECT_EQ(m.visibleFavourite(4), 0);
    m.showFavourite(40000);
    EXPECT_EQ(m.visibleFavourite(40000), 1);
    EXPECT_EQ(m.ContaImage1(), 2);
    m.showFavourite(7);
    EXPECT_EQ(m.ContaImage1(), 3);
    EXPECT_EQ(m.CellaImage1(2), 7);
}

TEST_F(GridBuild, NoChannelsGiveAnEmptyGridOverTheDays)
{
    addProgramme(main, QStringLiteral("Orfano"), 1, {});
    const GridModel m = build(main);
    EXPECT_TRUE(m.rows.empty());
    EXPECT_EQ(m.ContaLabProg(), 0);
    EXPECT_EQ(m.rowCells(0), std::make_pair(0, 0));
    EXPECT_EQ(m.days, 3);
}
