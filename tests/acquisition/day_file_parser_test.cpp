#include "acquisition/DayFileParser.h"

#include <gtest/gtest.h>

using orv::DayFileParser;

namespace {

// Day files are code page 1252: "§" is A7, "¦" is A6.
QByteArray cp(const char *s) { return QByteArray(s); }
const qint32 Day = 20261206;

} // namespace

TEST(DayFileParser, TenFieldsGoToTheirColumns)
{
    auto r = DayFileParser::parse(cp("20:30\xA7" "105\xA7" "FILM\xA7" "Commedia\xA7" "Un titolo\xA7" "A title\xA7"
                                     "Descr\xA7" "http://x/1\xA7" "nine\xA7" "ten\xA7" "after\r\n"),
                                  Day, QStringLiteral("  Rai 1 "));
    ASSERT_FALSE(r.timeTestFailed);
    ASSERT_EQ(r.programmes.size(), 1u);
    const auto &p = r.programmes[0];
    EXPECT_EQ(p.ORA, "20:30");
    EXPECT_EQ(p.Durata, "105");
    EXPECT_EQ(p.Type, "FILM");
    EXPECT_EQ(p.Genere, "Commedia");
    EXPECT_EQ(p.Titolo, "Un titolo");
    EXPECT_EQ(p.Titolo2, "A title");
    EXPECT_EQ(p.Descrizione, "Descr");
    EXPECT_EQ(p.link, "http://x/1");
    EXPECT_EQ(p.Immagine, "");
    EXPECT_EQ(p.Data, Day);
    EXPECT_EQ(p.Palinsesto, "Rai 1");
    EXPECT_EQ(p.Numerazione, 1);
    EXPECT_EQ(r.shortLines, 0);
}

TEST(DayFileParser, LineNumbersCountFromOne)
{
    QByteArray file;
    for (int i = 0; i < 25; ++i)
        file += "10:00\xA7\xA7\xA7\xA7T\xA7\xA7\xA7\xA7\xA7\xA7\r\n";
    auto r = DayFileParser::parse(file, Day, QStringLiteral("X"));
    ASSERT_EQ(r.programmes.size(), 25u);
    EXPECT_EQ(r.programmes.front().Numerazione, 1);
    EXPECT_EQ(r.programmes.back().Numerazione, 25);
}

TEST(DayFileParser, BrokenBarWithBlanksIsALineBreak)
{
    auto r = DayFileParser::parse(cp("07:00\xA7\xA7\xA7\xA7T\xA7\xA7Prima parte. \xA6 Seconda parte.\xA7\xA7\xA7\xA7\r\n"
                                     "08:00\xA7\xA7\xA7\xA7T\xA7\xA7" "a\xA6" "b\xA7\xA7\xA7\xA7\r\n"),
                                  Day, QStringLiteral("X"));
    ASSERT_EQ(r.programmes.size(), 2u);
    EXPECT_EQ(r.programmes[0].Descrizione, "Prima parte.\r\nSeconda parte.");
    EXPECT_EQ(r.programmes[1].Descrizione, QString::fromUtf8("a\u00A6b"));
}

TEST(DayFileParser, FieldsKeepTheirBlanks)
{
    auto r = DayFileParser::parse(cp("07:00\xA7\xA7\xA7\xA7 Titolo \xA7\xA7\xA7\xA7\xA7\xA7\r\n"), Day,
                                  QStringLiteral("X"));
    ASSERT_EQ(r.programmes.size(), 1u);
    EXPECT_EQ(r.programmes[0].Titolo, " Titolo ");
}

TEST(DayFileParser, Cp1252BytesAreDecoded)
{
    auto r = DayFileParser::parse(cp("07:00\xA7\xA7\xA7\xA7" "Caff\xE9 da 5 \x80\xA7\xA7\xA7\xA7\xA7\xA7\r\n"), Day,
                                  QStringLiteral("X"));
    ASSERT_EQ(r.programmes.size(), 1u);
    EXPECT_EQ(r.programmes[0].Titolo, QString::fromUtf8("Caffé da 5 €"));
}

TEST(DayFileParser, ValidUtf8IsReadAsUtf8)
{
    auto r = DayFileParser::parse(QString::fromUtf8("07:00§§§§Città è € §§§§§§\r\n").toUtf8(), Day,
                                  QStringLiteral("X"));
    ASSERT_EQ(r.programmes.size(), 1u);
    EXPECT_EQ(r.programmes[0].Titolo, QString::fromUtf8("Città è € "));
    EXPECT_EQ(r.shortLines, 0);
}

TEST(DayFileParser, ShortLineKeepsOnlyItsOwnFields)
{
    auto r = DayFileParser::parse(cp("07:00\xA7" "30\xA7" "FILM\xA7" "G\xA7" "Primo\xA7" "T2\xA7" "D\xA7" "L\xA7\xA7\xA7\r\n"
                                     "08:00\xA7" "45\xA7" "NEWS\r\n"),
                                  Day, QStringLiteral("X"));
    ASSERT_EQ(r.programmes.size(), 2u);
    EXPECT_EQ(r.shortLines, 1);
    const auto &p = r.programmes[1];
    EXPECT_EQ(p.ORA, "08:00");
    EXPECT_EQ(p.Durata, "45");
    EXPECT_EQ(p.Type, "NEWS");
    EXPECT_EQ(p.Titolo, "");
    EXPECT_EQ(p.Genere, "");
    EXPECT_EQ(p.Descrizione, "");
    EXPECT_EQ(p.link, "");
    EXPECT_EQ(p.Numerazione, 2);
}

TEST(DayFileParser, TimeTestStopsAtTheFirstBadLine)
{
    for (const char *bad : {"7:30\xA7", "20.30\xA7", "", "x"}) {
        QByteArray file = cp("06:00\xA7\xA7\xA7\xA7" "A\xA7\xA7\xA7\xA7\xA7\xA7\r\n");
        file += bad;
        file += "\r\n08:00\xA7\xA7\xA7\xA7" "C\xA7\xA7\xA7\xA7\xA7\xA7\r\n";
        auto r = DayFileParser::parse(file, Day, QStringLiteral("X"));
        EXPECT_TRUE(r.timeTestFailed) << bad;
        EXPECT_EQ(r.failedLine, 2) << bad;
        EXPECT_EQ(r.programmes.size(), 1u) << bad;
    }
}

TEST(DayFileParser, NonsenseTimeWithColonPasses)
{
    auto r = DayFileParser::parse(cp("ab:cd\xA7\xA7\xA7\xA7T\xA7\xA7\xA7\xA7\xA7\xA7\r\n"), Day, QStringLiteral("X"));
    EXPECT_FALSE(r.timeTestFailed);
    ASSERT_EQ(r.programmes.size(), 1u);
    EXPECT_EQ(r.programmes[0].ORA, "ab:cd");
}

TEST(DayFileParser, TrailingBlankLineFailsTheTimeTest)
{
    auto r = DayFileParser::parse(cp("06:00\xA7\xA7\xA7\xA7" "A\xA7\xA7\xA7\xA7\xA7\xA7\r\n\r\n"), Day,
                                  QStringLiteral("X"));
    EXPECT_TRUE(r.timeTestFailed);
    EXPECT_EQ(r.failedLine, 2);
}

TEST(DayFileParser, EmptyFileHasNoProgrammesAndNoFailure)
{
    auto r = DayFileParser::parse(QByteArray(), Day, QStringLiteral("X"));
    EXPECT_FALSE(r.timeTestFailed);
    EXPECT_TRUE(r.programmes.empty());
}

TEST(DayFileParser, LoneCrEndsALineButLoneLfDoesNot)
{
    auto cr = DayFileParser::parse(cp("06:00\xA7\xA7\xA7\xA7" "A\xA7\xA7\xA7\xA7\xA7\xA7\r07:00\xA7\xA7\xA7\xA7"
                                      "B\xA7\xA7\xA7\xA7\xA7\xA7\r"),
                                   Day, QStringLiteral("X"));
    EXPECT_EQ(cr.programmes.size(), 2u);
    auto lf = DayFileParser::parse(cp("06:00\xA7\xA7\xA7\xA7" "A\xA7\xA7\xA7\xA7\xA7\xA7\n07:00\xA7\xA7\xA7\xA7"
                                      "B\xA7\xA7\xA7\xA7\xA7\xA7\n"),
                                   Day, QStringLiteral("X"));
    ASSERT_EQ(lf.programmes.size(), 1u);
    EXPECT_EQ(lf.programmes[0].Titolo, "A");
}
