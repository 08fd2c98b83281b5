#include "acquisition/script/ScriptText.h"

#include <gtest/gtest.h>

using namespace orv::script;

TEST(ScriptTextTest, MidCountsFromColumnOne)
{
    struct Case {
        const char *s;
        qsizetype start, n;
        const char *expected;
    } cases[] = {
        {"abcdefgh", 3, 3, "cde"}, {"abcdefgh", 1, -1, "abcdefgh"}, {"abcdefgh", 8, 5, "h"},
        {"abcdefgh", 9, 2, ""},    {"abcdefgh", 20, -1, ""},        {"abc", 2, 0, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(mid(c.s, c.start, c.n), QByteArray(c.expected)) << c.s << " " << c.start << " " << c.n;
}

TEST(ScriptTextTest, SearchesGiveColumnsFromLineStart)
{
    EXPECT_EQ(inStrNoCase(1, "xxxxWORD", "word"), 5);
    EXPECT_EQ(inStrNoCase(5, "xxxxWORD", "word"), 5);
    EXPECT_EQ(inStrNoCase(6, "xxxxWORD", "word"), 0);
    EXPECT_EQ(inStrNoCase(30, "xxxxWORD", "word"), 0);
    EXPECT_EQ(inStr(1, "xxxxWORD", "word"), 0);
    EXPECT_EQ(inStr(1, "a#b#", "#"), 2);
    EXPECT_EQ(inStrNoCase(1, "", "x"), 0);
    EXPECT_EQ(inStrNoCase(3, "abcd", ""), 3);
}

TEST(ScriptTextTest, LeadingNumberIgnoresBlanksAndStopsAtJunk)
{
    struct Case {
        const char *s;
        double expected;
    } cases[] = {
        {"12abc", 12}, {"", 0},        {"abc", 0},      {" 1 2 3", 123}, {"-2", -2},
        {"\t3.5x", 3.5}, {"10\n0", 100}, {"+7", 7},     {"1.2.3", 1.2},  {"-", 0},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(c.s), c.expected) << c.s;
}

TEST(ScriptTextTest, StrictNumberWantsTheWholeText)
{
    EXPECT_EQ(strictNumber(" 12 "), 12.0);
    EXPECT_EQ(strictNumber("-3.5"), -3.5);
    EXPECT_EQ(strictNumber("5"), 5.0);
    EXPECT_EQ(strictNumber("5 "), 5.0);
    EXPECT_EQ(strictNumber(""), std::nullopt);
    EXPECT_EQ(strictNumber("12abc"), std::nullopt);
    EXPECT_EQ(strictNumber("ab"), std::nullopt);
    EXPECT_EQ(strictNumber("1 2"), std::nullopt);
    EXPECT_EQ(strictNumber("."), std::nullopt);
}

TEST(ScriptTextTest, RoundsHalvesToEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(numberText(10), QByteArray("10"));
    EXPECT_EQ(numberText(-2), QByteArray("-2"));
    EXPECT_EQ(numberText(1.5), QByteArray("1.5"));
    EXPECT_EQ(trimBlanks("  a b \t "), QByteArray("a b \t"));
}
