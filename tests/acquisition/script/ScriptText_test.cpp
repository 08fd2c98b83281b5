#include "acquisition/script/ScriptText.h"

#include <algorithm>
#include <vector>
#include <gtest/gtest.h>

using namespace orv::script;

// Only the letters A-Z fold: neither their neighbours in the code table nor
// accented letters, which are single bytes of the page.
TEST(ScriptTextTest, SearchesFoldOnlyTheLettersAToZ)
{
    EXPECT_EQ(inStrNoCase(1, "x@x", "`") + inStrNoCase(1, "x[x", "{"), 0);
    EXPECT_EQ(inStrNoCase(1, "CAF\xC9 caf\xE9", "caf\xE9"), 6);
    EXPECT_EQ(inStrFolded(1, "Xx-WORD", "word"), 4);
    EXPECT_EQ(inStrNoCase(30, "xxxxWORD", "word") + inStrNoCase(1, "", "x"), 0);
}

// The column of the first match from a start, by the byte array's own search.
static qsizetype byIndexOf(qsizetype start1, const QByteArray &h, const QByteArray &n)
{
    start1 = std::max<qsizetype>(start1, 1);
    return h.isEmpty() || start1 > h.size() ? 0 : h.indexOf(n, start1 - 1) + 1;
}

TEST(ScriptTextTest, SearchesAgreeWithTheByteArraysOwn)
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
        EXPECT_EQ(inStrNoCase(start, h, n), byIndexOf(start, h.toLower(), n.toLower())) << round;
        EXPECT_EQ(inStr(start, h, n), byIndexOf(start, h, n)) << round;
    }
}

// A leading number ignores blanks and stops at junk; a strict one wants the
// whole text.
TEST(ScriptTextTest, Numbers)
{
    const struct {
        const char *s;
        double leading;
        std::optional<double> strict;
    } cases[] = {{"12abc", 12, {}}, {"", 0, {}},     {" 1 2 3", 123, {}}, {"\t3.5x", 3.5, {}}, {"10\n0", 100, {}},
                 {"+7", 7, 7},      {"1.2.3", 1.2, {}}, {"-", 0, {}},     {" -3.5 ", -3.5, -3.5}};
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.s), c.leading) << c.s;
        EXPECT_EQ(strictNumber(c.s), c.strict) << c.s;
    }
    EXPECT_EQ(std::vector<double>({roundHalfEven(0.5), roundHalfEven(1.5), roundHalfEven(2.5), roundHalfEven(-1.5),
                                   roundHalfEven(2.6)}), std::vector<double>({0, 2, 2, -2, 3}));
    EXPECT_EQ(numberText(-2) + " " + numberText(1.5) + trimBlanks("  a b \t "), QByteArray("-2 1.5a b \t"));
}
