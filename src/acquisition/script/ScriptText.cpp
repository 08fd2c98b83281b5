#include "acquisition/script/ScriptText.h"

#include <cmath>
#include <cstdlib>

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

template <bool Fold> static qsizetype search(qsizetype start1, const QByteArray &h, const QByteArray &n)
{
    if (start1 < 1)
        start1 = 1;
    if (h.isEmpty() || start1 > h.size())
        return 0;
    if (n.isEmpty())
        return start1;
    if constexpr (!Fold) {
        const qsizetype at = h.indexOf(n, start1 - 1);
        return at < 0 ? 0 : at + 1;
    } else {
        const qsizetype hn = h.size(), nn = n.size();
        const char *hp = h.constData(), *np = n.constData();
        const char first = foldAscii(np[0]);
        for (qsizetype i = start1 - 1; i + nn <= hn; ++i) {
            if (foldAscii(hp[i]) != first)
                continue;
            qsizetype j = 1;
            while (j < nn && foldAscii(hp[i + j]) == foldAscii(np[j]))
                ++j;
            if (j == nn)
                return i + 1;
        }
        return 0;
    }
}

qsizetype inStr(qsizetype start1, const QByteArray &h, const QByteArray &n) { return search<false>(start1, h, n); }
qsizetype inStrNoCase(qsizetype start1, const QByteArray &h, const QByteArray &n)
{
    return search<true>(start1, h, n);
}

double leadingNumber(const QByteArray &s)
{
    QByteArray t;
    t.reserve(s.size());
    for (char c : s)
        if (c != ' ' && c != '\t' && c != '\n')
            t.append(c);
    qsizetype i = 0;
    QByteArray num;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        num.append(t[i++]);
    bool point = false, digits = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            num.append(c);
        } else if (c == '.' && !point) {
            point = true;
            num.append(c);
        } else {
            break;
        }
    }
    return digits ? std::strtod(num.constData(), nullptr) : 0.0;
}

std::optional<double> strictNumber(const QByteArray &s)
{
    const QByteArray t = trimBlanks(s);
    if (t.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (t[i] == '+' || t[i] == '-')
        ++i;
    bool digits = false;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i, digits = true;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, digits = true;
    }
    if (!digits)
        return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        const qsizetype expStart = j;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9')
            ++j;
        if (j == expStart)
            return std::nullopt;
        i = j;
    }
    if (i != t.size())
        return std::nullopt;
    return std::strtod(t.constData(), nullptr);
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
