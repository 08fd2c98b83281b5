#include "acquisition/script/ScriptText.h"

#include <algorithm>
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
    // Only the letters A-Z fold: neither their neighbours in the code table
    // nor accented letters, which are single bytes of the page.
    EXPECT_EQ(inStrNoCase(1, "x@x", "`"), 0);
    EXPECT_EQ(inStrNoCase(1, "x[x", "{"), 0);
    EXPECT_EQ(inStrNoCase(1, "CAF\xC9 caf\xE9", "caf\xE9"), 6);
    EXPECT_EQ(inStrFolded(1, "Xx-WORD", "word"), 4);
}

// The column of the first match from a start, compared character by
// character: the searches must give the same on every text.
static qsizetype columnByComparing(qsizetype start1, const QByteArray &h, const QByteArray &n, bool fold)
{
    auto same = [fold](char a, char b) {
        auto f = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
        return fold ? f(a) == f(b) : a == b;
    };
    start1 = std::max<qsizetype>(start1, 1);
    if (h.isEmpty() || start1 > h.size())
        return 0;
    if (n.isEmpty())
        return start1;
    for (qsizetype i = start1 - 1; i + n.size() <= h.size(); ++i) {
        qsizetype j = 0;
        while (j < n.size() && same(h[i + j], n[j]))
            ++j;
        if (j == n.size())
            return i + 1;
    }
    return 0;
}

TEST(ScriptTextTest, SearchesAgreeWithComparingCharacterByCharacter)
{
    // Repetitive texts over a few letters in both cases, short and long
    // words (the matcher changes its way past 256 characters).
    quint32 seed = 12345;
    auto next = [&seed](quint32 below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    const char letters[] = "aAbB";
    for (int round = 0; round < 400; ++round) {
        const qsizetype period = 1 + next(4);
        QByteArray unit;
        for (qsizetype i = 0; i < period; ++i)
            unit += letters[next(round % 2 ? 2 : 4)];
        QByteArray h;
        while (h.size() < qsizetype(50 + next(1500)))
            h += unit;
        QByteArray n = h.mid(next(quint32(h.size())), 1 + next(round % 3 ? 12 : 600));
        if (next(2))
            n[next(quint32(n.size()))] = letters[next(4)];
        const qsizetype start = next(quint32(h.size() + 2));
        EXPECT_EQ(inStrNoCase(start, h, n), columnByComparing(start, h, n, true)) << round;
        EXPECT_EQ(inStr(start, h, n), columnByComparing(start, h, n, false)) << round;
    }
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
