#include "acquisition/DayFileParser.h"

#include <gtest/gtest.h>

using orv::DayFileParser;

namespace {

const qint32 Day = 20261206;

// The text columns a line fills, in the order of the line's fields.
QStringList columns(const orv::Programme &p)
{
    return {p.ORA, p.Durata, p.Type, p.Genere, p.Titolo, p.Titolo2, p.Descrizione, p.link, p.Immagine};
}

} // namespace

// Code page 1252: "§" is A7, "¦" is A6. Fields keep their blanks; a lone LF stays in its line.
TEST(DayFileParser, FieldsGoToTheirColumns)
{
    auto r = DayFileParser::parse("20:30\xA7 105\xA7" "FILM\xA7" "G\xA7 Caff\xE9 da 5 \x80 \xA7" "T \xA6 2\xA7"
                                  "Prima. \xA6 Seconda.\xA7" "L\xA7" "nine\xA7" "ten\xA7" "after\r\n"
                                  "08:00\xA7" "45\xA7" "NEWS\r"
                                  "09:00\xA7\xA7\xA7\xA7T\xA7\xA7" "a\xA6\nb\xA7\xA7\xA7", // nine "§": short
                                  Day, QStringLiteral("  Rai 1 "));
    ASSERT_FALSE(r.timeTestFailed);
    ASSERT_EQ(r.programmes.size(), 3u);
    EXPECT_EQ(r.shortLines, 2);
    const QStringList expected[] = {
        {"20:30", " 105", "FILM", "G", QString::fromUtf8(" Caffé da 5 € "), QString::fromUtf8("T \u00A6 2"),
         "Prima.\r\nSeconda.", "L", ""},
        {"08:00", "45", "NEWS", "", "", "", "", "", ""},
        {"09:00", "", "", "", "T", "", QString::fromUtf8("a\u00A6\nb"), "", ""}};
    for (int i = 0; i < 3; ++i) {
        const auto &p = r.programmes[size_t(i)];
        EXPECT_EQ(columns(p), expected[i]) << i;
        EXPECT_EQ(p.Numerazione, i + 1);
        EXPECT_EQ(p.Data, Day);
        EXPECT_EQ(p.Palinsesto, "Rai 1");
    }
}

TEST(DayFileParser, TimeTestStopsAtTheFirstBadLine)
{
    for (const char *bad : {"7:30\xA7", "20.30\xA7", "", "x"}) {
        QByteArray file("06:00\xA7\xA7\xA7\xA7" "A\xA7\xA7\xA7\xA7\xA7\xA7\r\n");
        file += bad;
        file += "\r\n08:00\xA7\xA7\xA7\xA7" "C\xA7\xA7\xA7\xA7\xA7\xA7\r\n";
        auto r = DayFileParser::parse(file, Day, QStringLiteral("X"));
        EXPECT_TRUE(r.timeTestFailed) << bad;
        EXPECT_EQ(r.failedLine, 2) << bad;
        EXPECT_EQ(r.programmes.size(), 1u) << bad;
    }
}
