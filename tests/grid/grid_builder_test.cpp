#include "GridFixture.h"

#include "grid/GridGeometry.h"

#include <QFile>

using namespace orv;
using namespace orv::grid;
using namespace orv::test;

// ----------------------------------------------------------------- geometry

TEST(GridGeometry, LeftWidthTypeColoursHalfHourTextsAndHoverCardPlace)
{
    EXPECT_EQ(cellLeft(QStringLiteral("21:30"), 0), 87820);
    EXPECT_EQ(cellLeft(QStringLiteral("00:15"), 2), 15 * 68 + 100 + 2 * 97920);
    EXPECT_EQ(cellWidth(QStringLiteral(" 30 min")), 1955);
    EXPECT_EQ(cellWidth(QStringLiteral("abc")), -85);
    // Exact halves go to the even neighbour: 42.5 -> 42, 59.5 -> 60.
    EXPECT_EQ(cellWidth(QStringLiteral("1.875")), 42);
    EXPECT_EQ(cellWidth(QStringLiteral("2.125")), 60);
    // The eighth day's header wraps to the clock.
    EXPECT_EQ(halfHourText(337), QStringLiteral("00:30"));
    // A series wins at once; among the rest the later match wins.
    const struct {
        const char *type;
        quint32 back;
    } cases[] = {{"Telefilm comico", 0xC0FFC0}, {"Film", 0x8080FF}, {"Film per ragazzi", 0xFF8080},
                 {"Film notiziario", 0xC0FFFF}, {"Documentario", 0xFFFFFF}};
    for (const auto &c : cases) {
        EXPECT_EQ(typeColours(QString::fromUtf8(c.type), true).back, c.back) << c.type;
        EXPECT_EQ(typeColours(QString::fromUtf8(c.type), false).back, 0xFFFFFFu) << c.type;
    }
    // The hover card: middle; bottom (above the pointer); right (ends at the
    // edge); second screen; an area smaller than the card.
    const QRect screen(0, 0, 1920, 1040);
    const struct {
        QPoint pointer;
        QRect area;
        QPoint place;
    } places[] = {{{500, 400}, screen, {510, 410}},         {{500, 900}, screen, {510, 900 - 13 - 300}},
                  {{1800, 400}, screen, {1920 - 400, 410}}, {{2500, 400}, {1920, 0, 1280, 1024}, {2510, 410}},
                  {{100, 100}, {0, 0, 300, 200}, {0, 0}}};
    for (const auto &c : places)
        EXPECT_EQ(hoverCardPlace(c.pointer, {400, 300}, c.area), c.place) << c.pointer.x() << "," << c.pointer.y();
}

// ------------------------------------------------------------------ builder

class GridBuild : public GridFixture {};

TEST_F(GridBuild, CellsInRowOrderWithKeyTagPlaceAndWidthRowsWithBadgeCodeColoursAndLogo)
{
    addChannel(QStringLiteral("Rete A"), 11, 2, 5, 0);
    addChannel(QStringLiteral("Rete B"), 12, 1, 1, 9, QStringLiteral("101"));
    addChannel(QStringLiteral("Spenta"), 13, 3, 1, 1, QStringLiteral("3"), false);
    QFile logo(app->file(QStringLiteral("loghitv/12.GIF")));
    ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
    logo.close();
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
    // Row 0 (Rete B) first, day by day.
    EXPECT_EQ(m.rows[0].NOMETV, QStringLiteral("Rete B"));
    EXPECT_EQ(m.cells[0].width, 6035);
    EXPECT_EQ((std::pair{m.cells[1].left, m.cells[1].width}), (std::pair{7 * 4080 + 100 + 97920, TemplateCellWidthTw}));
    EXPECT_EQ(m.cells[2].row, 1);
    EXPECT_EQ(m.cells[2].tag(), QStringLiteral("D20261205[12]RETE A21:30"));
    EXPECT_EQ(m.findCell({20261205, QStringLiteral("rete a"), 12}), 2);
    EXPECT_EQ(m.findCell({20261206, QStringLiteral("Rete A"), 12}), -1);

    quint32 back = 0, fore = 0;
    EXPECT_EQ((std::pair{m.rows[0].badge(), m.rows[0].Canale}), (std::pair{QStringLiteral("DTT"), QStringLiteral("101")}));
    EXPECT_TRUE(m.rows[0].codeColours(back, fore));
    EXPECT_EQ((std::pair{back, fore}), (std::pair{128u, 0xFFFFFFu}));
    EXPECT_FALSE(m.rows[0].logo.isEmpty());
    EXPECT_TRUE(m.rows[1].badge().isEmpty());
    EXPECT_FALSE(m.rows[1].codeColours(back, fore));
    EXPECT_TRUE(m.rows[1].logo.isEmpty());
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
    EXPECT_EQ((std::pair{m.rowCells(0), m.rowCells(2)}), (std::pair{std::pair{0, 1}, std::pair{2, 4}}));
    EXPECT_EQ(m.cells[1].key, (ProgrammeKey{dayOf(main), QStringLiteral("Guasta"), 1}));
    EXPECT_EQ(marks, std::vector<QString>{QStringLiteral("\u00A7")});

    // Without the listings every channel-day fails; the rows still show.
    marks.clear();
    listings.close();
    const GridModel none = build(main);
    EXPECT_EQ((std::tuple{none.rows.size(), none.ContaLabProg(), marks.size()}), (std::tuple{3u, 0, 3u * 3u}));
}

TEST_F(GridBuild, MarkersFollowMarkedOneAndLink2FortyThousandCellsKeepThemAndColoursFollowColore)
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
    EXPECT_EQ(m.cells[0].colours.back, 0x8080FFu);
    Colore = false;
    EXPECT_EQ(build(main).cells[0].colours.back, 0xFFFFFFu);
}
