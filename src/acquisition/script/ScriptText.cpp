#include "acquisition/script/ScriptText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace orv::script {

QByteArray mid(const QByteArray &s, qsizetype start1, qsizetype n)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > s.size() || n == 0)
        return QByteArray();
    return n < 0 ? s.mid(start1 - 1) : s.mid(start1 - 1, n);
}

QByteArray left(const QByteArray &s, qsizetype n) { return n <= 0 ? QByteArray() : s.left(n); }

static inline char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

static void foldInto(QByteArrayView s, char *out)
{
    const char *p = s.data();
    for (qsizetype i = 0, n = s.size(); i < n; ++i)
        out[i] = foldAscii(p[i]);
}

QByteArray foldCase(QByteArrayView s)
{
    QByteArray out(s.size(), Qt::Uninitialized);
    foldInto(s, out.data());
    return out;
}

qsizetype find(QByteArrayView haystack, QByteArrayView needle, qsizetype from)
{
    if (from < 0)
        from = 0;
    if (from > haystack.size())
        return -1;
    if (needle.isEmpty())
        return from;
    if (needle.size() > haystack.size() - from)
        return -1;
    // glibc's memmem is linear: the two-way algorithm for long needles,
    // a bounded shift table for short ones.
    const void *at = memmem(haystack.data() + from, size_t(haystack.size() - from), needle.data(),
                            size_t(needle.size()));
    return at ? static_cast<const char *>(at) - haystack.data() : -1;
}

qsizetype inStr(qsizetype start1, QByteArrayView h, QByteArrayView n)
{
    return inStrWith(start1, h, n, [&](qsizetype from) { return find(h, n, from); });
}

qsizetype inStrFolded(qsizetype start1, QByteArrayView h, QByteArrayView foldedNeedle)
{
    return inStrWith(start1, h, foldedNeedle, [&](qsizetype from) {
        // Only the part searched is folded; a short one on the stack.
        const QByteArrayView rest = h.sliced(from);
        char small[256];
        QByteArray large;
        char *folded = small;
        if (rest.size() > qsizetype(sizeof small)) {
            large.resize(rest.size());
            folded = large.data();
        }
        foldInto(rest, folded);
        const qsizetype at = find(QByteArrayView(folded, rest.size()), foldedNeedle);
        return at < 0 ? at : at + from;
    });
}

qsizetype inStrNoCase(qsizetype start1, QByteArrayView h, QByteArrayView n)
{
    char small[64];
    if (n.size() <= qsizetype(sizeof small)) {
        foldInto(n, small);
        return inStrFolded(start1, h, QByteArrayView(small, n.size()));
    }
    return inStrFolded(start1, h, foldCase(n));
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads [sign] digits [. digits] from i onwards, skipping the characters skip
// accepts; gives the value and whether any digit was seen.
template <typename Skip> double readNumber(const QByteArray &s, qsizetype &i, bool &digits, Skip skip)
{
    const qsizetype n = s.size();
    auto next = [&] {
        while (i < n && skip(s[i]))
            ++i;
    };
    next();
    double sign = 1;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        sign = s[i] == '-' ? -1 : 1;
        ++i;
        next();
    }
    double value = 0;
    digits = false;
    while (i < n && isDigit(s[i])) {
        value = value * 10 + (s[i] - '0');
        digits = true;
        ++i;
        next();
    }
    if (i < n && s[i] == '.') {
        ++i;
        next();
        double scale = 0.1;
        while (i < n && isDigit(s[i])) {
            value += (s[i] - '0') * scale;
            scale /= 10;
            digits = true;
            ++i;
            next();
        }
    }
    return sign * value;
}

} // namespace

double leadingNumber(const QByteArray &s)
{
    qsizetype i = 0;
    bool digits = false;
    const double v = readNumber(s, i, digits, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
    return digits ? v : 0.0;
}

std::optional<double> strictNumber(const QByteArray &s)
{
    const QByteArray t = trimBlanks(s);
    qsizetype i = 0;
    bool digits = false;
    double v = readNumber(t, i, digits, [](char) { return false; });
    if (!digits)
        return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        qsizetype j = i + 1;
        bool expDigits = false;
        const double e = readNumber(t, j, expDigits, [](char) { return false; });
        if (!expDigits || (j < t.size() && t[j] == '.'))
            return std::nullopt;
        v *= std::pow(10.0, e);
        i = j;
    }
    if (i != t.size())
        return std::nullopt;
    return v;
}

double roundHalfEven(double x) { return std::nearbyint(x); }

QByteArray numberText(double x)
{
    if (x == std::floor(x) && std::fabs(x) < 1e15)
        return QByteArray::number(qint64(x));
    return QByteArray::number(x, 'g', 15);
}

QByteArray trimBlanks(const QByteArray &s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == ' ')
        ++a;
    while (b > a && s[b - 1] == ' ')
        --b;
    return s.mid(a, b - a);
}

} // namespace orv::script
