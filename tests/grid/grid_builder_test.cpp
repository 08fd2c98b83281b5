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
    EXPECT_EQ(cellWidth(QStringLiteral(" 30 min")), 1955);
    EXPECT_EQ(cellWidth(QStringLiteral("abc")), -85);
    // Exact halves go to the even neighbour: 42.5 -> 42, 59.5 -> 60.
    EXPECT_EQ(cellWidth(QStringLiteral("1.875")), 42);
    EXPECT_EQ(cellWidth(QStringLiteral("2.125")), 60);
}

TEST(GridGeometry, TypeColoursFirstSeriesThenLaterMatchesWin)
{
    struct Case {
        const char *type;
        quint32 back, fore;
    } cases[] = {
        {"Telefilm comico", 0xC0FFC0, 0x000000}, {"Serie tv", 0xC0FFC0, 0x000000},
        {"Film", 0x8080FF, 0xFFFFFF},            {"Film per ragazzi", 0xFF8080, 0xFFFFFF},
        {"Cartoni", 0xFF8080, 0xFFFFFF},         {"Informazione sportiva", 0xC0FFFF, 0x000000},
        {"Film notiziario", 0xC0FFFF, 0x000000}, {"Documentario", 0xFFFFFF, 0x000000},
    };
    for (const Case &c : cases) {
        const CellColours got = typeColours(QString::fromUtf8(c.type), true);
        EXPECT_EQ(got.back, c.back) << c.type;
        EXPECT_EQ(got.fore, c.fore) << c.type;
        EXPECT_EQ(typeColours(QString::fromUtf8(c.type), false).back, 0xFFFFFFu) << c.type;
    }
}

TEST(GridGeometry, ChannelCodeColoursAndHalfHourTexts)
{
    EXPECT_EQ(prendiColore(1), QStringLiteral("16763904"));
    EXPECT_EQ(prendiColore(10), QStringLiteral("4210752"));
    EXPECT_EQ(prendiFont(7), QStringLiteral("0"));
    EXPECT_EQ(prendiFont(8), QStringLiteral("16777215"));
    for (int code : {0, 11}) {
        EXPECT_TRUE(prendiColore(code).isEmpty());
        EXPECT_TRUE(prendiFont(code).isEmpty());
    }
    // 128 is 0x000080: red 80 in the lowest byte.
    EXPECT_EQ(bgrColor(128), QColor(0x80, 0, 0));
    EXPECT_EQ(halfHourText(47), QStringLiteral("23:30"));
    EXPECT_EQ(halfHourText(337), QStringLiteral("00:30"));
}

// ------------------------------------------------------------------ builder

class GridBuild : public GridFixture {};

TEST_F(GridBuild, CellsInRowOrderWithKeyTagPlaceAndWidth)
{
    addChannel(QStringLiteral("Rete A"), 11, 2);
    addChannel(QStringLiteral("Rete B"), 12, 1);
    addChannel(QStringLiteral("Spenta"), 13, 3, 1, 1, QStringLiteral("3"), false);
    // Listings may name their channel in another case.
    addProgramme(first, QStringLiteral("RETE A"), 12, {QStringLiteral("21:30"), QStringLiteral("30"), "Tg"});
    addProgramme(first, QStringLiteral("Rete B"), 1, {QStringLiteral("06:00"), QStringLiteral("90"), "Alba"});
    addProgramme(main, QStringLiteral("Rete B"), 1, {QStringLiteral("07:00"), QString(), "Senza durata"});
    addProgramme(main, QStringLiteral("Spenta"), 1, {});
    // Outside the grid's three days.
    addProgramme(first.addDays(-1), QStringLiteral("Rete A"), 1, {});
    addProgramme(main.addDays(2), QStringLiteral("Rete A"), 1, {});

    const GridModel m = build(main);
    EXPECT_EQ(m.firstDay, first);
    ASSERT_EQ(m.rows.size(), 2u);
    EXPECT_EQ(m.rows[0].NOMETV, QStringLiteral("Rete B"));
    ASSERT_EQ(m.ContaLabProg(), 3);
    // Row 0 (Rete B) first, day by day.
    EXPECT_EQ(m.cells[0].width, 6035);
    EXPECT_EQ(m.cells[1].left, 7 * 4080 + 100 + 97920);
    EXPECT_EQ(m.cells[1].width, TemplateCellWidthTw);
    EXPECT_EQ(m.cells[2].row, 1);
    EXPECT_EQ(m.cells[2].tag(), QStringLiteral("D20261205[12]RETE A21:30"));
    EXPECT_EQ(m.cellTopAt(2, 1), 310);
    EXPECT_EQ(m.findCell({20261205, QStringLiteral("rete a"), 12}), 2);
    EXPECT_EQ(m.findCell({20261206, QStringLiteral("Rete A"), 12}), -1);
}

TEST_F(GridBuild, ListingsPastMidnightContinueOnTheNextDayStretch)
{
    addChannel(QStringLiteral("Notte"), 1, 1);
    addChannel(QStringLiteral("Presto"), 2, 2);
    addDay(first, QStringLiteral("Notte"), {"21:00", "23:30", "00:30", "01:30", "04:30"});
    addDay(first, QStringLiteral("Presto"), {"00:15", "06:00", "23:00"});
    const GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 8);
    // After a 3-hour pause (04:30) the listing is still past midnight; one
    // that starts just after midnight is not.
    const struct {
        int cell;
        const char *ora;
        int day;
    } want[] = {{1, "23:30", 0}, {2, "00:30", 1}, {4, "04:30", 1}, {5, "00:15", 0}, {7, "23:00", 0}};
    for (const auto &w : want)
        EXPECT_EQ(m.cells[size_t(w.cell)].left, cellLeft(QString::fromLatin1(w.ora), w.day)) << w.cell;
}

TEST_F(GridBuild, MarkersFollowMarkedOneAndLink2ColoursFollowColore)
{
    addChannel(QStringLiteral("Rete"), 1, 1);
    const QVariant null;
    const QVariant marks[] = {QStringLiteral("1"), QStringLiteral("0"), QString(""), null};
    const QVariant links[] = {QStringLiteral("http://x"), QString(""), null, QStringLiteral("l")};
    for (int i = 0; i < 4; ++i)
        addProgramme(main, QStringLiteral("Rete"), i + 1,
                     {QStringLiteral("1%1:00").arg(i), "30", "T", "Film", marks[i], links[i]});
    const GridModel m = build(main);
    ASSERT_EQ(m.ContaImage1(), 1);
    EXPECT_EQ(m.CellaImage1(0), 0);
    ASSERT_EQ(m.ContaImage2(), 2);
    EXPECT_EQ(m.CellaImage2(0), 0);
    EXPECT_EQ(m.CellaImage2(1), 3);
    EXPECT_EQ(m.cells[0].colours.back, 0x8080FFu);
    Colore = false;
    EXPECT_EQ(build(main).cells[0].colours.back, 0xFFFFFFu);
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
    // Reading the titles of Guasta's first day fails (integer overflow), as a
    // damaged page of the file would; every other row reads.
    listings.exec(QStringLiteral(
        "alter table Programmi rename to Righe; "
        "create view Programmi as select Data, Palinsesto, Numerazione, ORA, "
        "case when Palinsesto = 'Guasta' and Data = %1 then abs(-9223372036854775808) else Titolo end as Titolo, "
        "Titolo2, Type, Genere, Descrizione, Durata, link, Link1, Link2, Immagine, Marked, Promemoria, Registra "
        "from Righe")
                      .arg(dayOf(first)));

    const GridModel m = build(main);
    ASSERT_EQ(m.rows.size(), 3u);
    ASSERT_EQ(m.ContaLabProg(), 4);
    EXPECT_EQ(m.rowCells(0), std::make_pair(0, 1));
    EXPECT_EQ(m.cells[1].key, (ProgrammeKey{dayOf(main), QStringLiteral("Guasta"), 1}));
    EXPECT_EQ(m.rowCells(2), std::make_pair(2, 4));
    EXPECT_EQ(marks, std::vector<QString>{QStringLiteral("\u00A7")});

    // Without the listings every channel-day fails; the rows still show.
    marks.clear();
    listings.close();
    const GridModel none = build(main);
    EXPECT_EQ(none.rows.size(), 3u);
    EXPECT_EQ(none.ContaLabProg(), 0);
    EXPECT_EQ(marks.size(), 3u * 3u);
}

TEST_F(GridBuild, RowsCarryBadgeCodeColoursAndLogo)
{
    addChannel(QStringLiteral("Uno"), 7, 1, 1, 9, QStringLiteral("101"));
    addChannel(QStringLiteral("Due"), 8, 2, 5, 0);
    QFile logo(app->file(QStringLiteral("loghitv/7.GIF")));
    ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
    logo.close();
    const GridModel m = build(main);
    ASSERT_EQ(m.rows.size(), 2u);
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
}

TEST_F(GridBuild, FortyThousandCellsKeepTheirIndexAndMarkers)
{
    addChannel(QStringLiteral("Rete"), 1, 1);
    GiorniGriglia = 1;
    Transaction tx(listings);
    for (int i = 0; i < 40001; ++i)
        addProgramme(main, QStringLiteral("Rete"), i + 1,
                     {"10:00", "1", "T", "", i == 40000 || i == 4 ? QStringLiteral("1") : QString()});
    tx.commit();
    GridModel m = build(main);
    ASSERT_EQ(m.ContaLabProg(), 40001);
    EXPECT_EQ(m.findCell({dayOf(main), QStringLiteral("Rete"), 40001}), 40000);
    ASSERT_EQ(m.ContaImage1(), 2);
    EXPECT_EQ(m.CellaImage1(1), 40000);
    // Shown again, a hidden marker comes back; no second one is added.
    m.hideFavourite(40000);
    EXPECT_EQ(m.visibleFavourite(40000), -1);
    EXPECT_EQ(m.visibleFavourite(4), 0);
    m.showFavourite(40000);
    EXPECT_EQ(m.visibleFavourite(40000), 1);
    EXPECT_EQ(m.ContaImage1(), 2);
}
