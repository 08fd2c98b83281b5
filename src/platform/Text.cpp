#include "platform/Text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace orv::text {

namespace {

// Strict UTF-8 (no overlong forms, surrogates or values past U+10FFFF),
// checked without building a string: a code page 1252 file is then decoded
// only once.
bool validUtf8(const unsigned char *s, qsizetype n)
{
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (n - i <= extra)
            return false;
        if (s[i + 1] < lo || s[i + 1] > hi)
            return false;
        for (int k = 2; k <= extra; ++k)
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

bool isValidUtf8(const QByteArray &bytes)
{
    return validUtf8(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size());
}

QString decodeCp1252(QByteArrayView bytes)
{
    QStringDecoder dec("windows-1252");
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

QByteArray encodeCp1252(const QString &text)
{
    QStringEncoder enc("windows-1252");
    if (!enc.isValid())
        return text.toLatin1();
    return enc.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QByteArrayView b(bytes);
    if (b.startsWith("\xEF\xBB\xBF"))
        b = b.sliced(3);
    if (validUtf8(reinterpret_cast<const unsigned char *>(b.data()), b.size()))
        return QString::fromUtf8(b);
    return decodeCp1252(b);
}

template <typename S> static QList<S> splitCr(const S &text, bool lfEnds)
{
    QList<S> out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        auto c = text.at(i);
        if (c == '\r') {
            out.append(text.mid(start, i - start));
            if (i + 1 < n && text.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        } else if (lfEnds && c == '\n') {
            out.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    if (start < n)
        out.append(text.mid(start));
    return out;
}

QStringList splitLinesCr(const QString &text) { return splitCr(text, false); }
QList<QByteArray> splitLinesCr(const QByteArray &bytes) { return splitCr(bytes, false); }
QStringList splitLinesAny(const QString &text) { return splitCr(text, true); }

QString left(const QString &s, qsizetype n) { return n <= 0 ? QString() : s.left(n); }
QString right(const QString &s, qsizetype n) { return n <= 0 ? QString() : s.right(n); }

QString mid(const QString &s, qsizetype start1, qsizetype n)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > s.size())
        return QString();
    return n < 0 ? s.mid(start1 - 1) : s.mid(start1 - 1, n);
}

qsizetype inStr(qsizetype start1, const QString &haystack, const QString &needle, Qt::CaseSensitivity cs)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > haystack.size() + 1)
        return 0;
    if (needle.isEmpty())
        return start1;
    qsizetype i = haystack.indexOf(needle, start1 - 1, cs);
    return i < 0 ? 0 : i + 1;
}

size_t FoldedNumbering::number(QByteArrayView utf8)
{
    const std::string_view bytes(utf8.data(), size_t(utf8.size()));
    if (auto known = spelling_.find(bytes); known != spelling_.end())
        return known->second;
    const QString folded = QString::fromUtf8(utf8).toCaseFolded();
    auto it = byFolded_.constFind(folded);
    if (it == byFolded_.cend()) {
        it = byFolded_.insert(folded, folded_.size());
        folded_.push_back(folded);
    }
    spelling_.emplace(std::string(bytes), *it);
    return *it;
}

} // namespace orv::text
