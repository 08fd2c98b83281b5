#include "platform/Text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace orv::text {

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = dec.decode(bytes);
    return !dec.hasError();
}

QString decodeCp1252(const QByteArray &bytes)
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
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = dec.decode(b);
    if (!dec.hasError())
        return s;
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

qsizetype inStrNoCase(qsizetype start1, const QString &haystack, const QString &needle)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > haystack.size() + 1)
        return 0;
    if (needle.isEmpty())
        return start1;
    qsizetype i = haystack.indexOf(needle, start1 - 1, Qt::CaseInsensitive);
    return i < 0 ? 0 : i + 1;
}

qsizetype inStr(qsizetype start1, const QString &haystack, const QString &needle)
{
    if (start1 < 1)
        start1 = 1;
    if (start1 > haystack.size() + 1)
        return 0;
    if (needle.isEmpty())
        return start1;
    qsizetype i = haystack.indexOf(needle, start1 - 1, Qt::CaseSensitive);
    return i < 0 ? 0 : i + 1;
}

} // namespace orv::text
