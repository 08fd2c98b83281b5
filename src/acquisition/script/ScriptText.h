#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Byte-level string helpers of the script engine. Scripts and pages are
// handled as single-byte text so that columns count bytes, 1-based, and
// searches fold ASCII letters only.
namespace orv::script {

// Characters from 1-based column start1; n < 0 means to the end. Columns
// beyond the end give the empty text. Callers check start1 >= 1 themselves.
QByteArray mid(const QByteArray &s, qsizetype start1, qsizetype n = -1);
QByteArray left(const QByteArray &s, qsizetype n);

// The text with its letters A-Z made lower case: what a search without
// regard to case compares. Every other byte stays, so lengths and columns
// are those of the text.
QByteArray foldCase(QByteArrayView s);

// 0-based index of needle in haystack at or after from, -1 when absent; an
// empty needle is found at from. Takes time linear in both texts, whatever
// they hold.
qsizetype find(QByteArrayView haystack, QByteArrayView needle, qsizetype from = 0);

// 1-based position of needle in haystack from start1, 0 when absent. An
// empty haystack gives 0, an empty needle gives start1 (when inside).
qsizetype inStr(qsizetype start1, QByteArrayView haystack, QByteArrayView needle);
// The 1-based conventions of the searches around a 0-based search(from),
// called only when the needle fits in h from there; -1 is not found.
template <typename Search> qsizetype inStrWith(qsizetype start1, QByteArrayView h, QByteArrayView n, Search search)
{
    if (start1 < 1)
        start1 = 1;
    if (h.isEmpty() || start1 > h.size())
        return 0;
    if (n.isEmpty())
        return start1;
    if (n.size() > h.size() - (start1 - 1))
        return 0;
    const qsizetype at = search(start1 - 1);
    return at < 0 ? 0 : at + 1;
}
qsizetype inStrNoCase(qsizetype start1, QByteArrayView haystack, QByteArrayView needle);
// As inStrNoCase, for a needle already folded (one word looked for in many texts).
qsizetype inStrFolded(qsizetype start1, QByteArrayView haystack, QByteArrayView foldedNeedle);
inline bool containsNoCase(QByteArrayView haystack, QByteArrayView needle)
{
    return inStrNoCase(1, haystack, needle) > 0;
}

// Leading-number reading: blanks, tabs and line feeds are ignored wherever
// they stand, then the longest leading number (sign, digits, ".") counts;
// no number at all reads 0.
double leadingNumber(const QByteArray &s);

// Strict reading: the whole text must be a number, blanks around it allowed.
std::optional<double> strictNumber(const QByteArray &s);

// Rounds to the nearest whole number, a half to the even neighbour.
double roundHalfEven(double x);

// The decimal text of a number: whole numbers without a fraction.
QByteArray numberText(double x);

// Removes blanks (only blanks) at both ends.
QByteArray trimBlanks(const QByteArray &s);

} // namespace orv::script
