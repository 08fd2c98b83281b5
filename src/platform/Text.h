#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace orv::text {

// A map keyed by a text's UTF-8 bytes and looked up by a view of them (a
// column's bytes) without a copy: a name or title that repeats on many rows
// is decoded and folded once per spelling.
struct BytesHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template <typename T> using BytesMap = std::unordered_map<std::string, T, BytesHash, std::equal_to<>>;

// Files from the server and user files are code page 1252 unless they are
// valid UTF-8 (a UTF-8 byte-order mark is dropped).
QString decode(const QByteArray &bytes);
QString decodeCp1252(QByteArrayView bytes);
QByteArray encodeCp1252(const QString &text);
bool isValidUtf8(const QByteArray &bytes);

// Splits text into lines: a line ends at CR LF or at a lone CR; a lone LF
// stays inside the line. A final line without its end is kept; an empty
// final piece after the last end is not.
QStringList splitLinesCr(const QString &text);
QList<QByteArray> splitLinesCr(const QByteArray &bytes);
// As above, but a lone LF also ends a line.
QStringList splitLinesAny(const QString &text);

// String helpers that count positions from 1.
QString left(const QString &s, qsizetype n);
QString right(const QString &s, qsizetype n);
QString mid(const QString &s, qsizetype start1, qsizetype n = -1);
// Position (1-based) of needle in haystack from start1, 0 when absent; with
// Qt::CaseInsensitive, without regard to case.
qsizetype inStr(qsizetype start1, const QString &haystack, const QString &needle,
                Qt::CaseSensitivity cs = Qt::CaseSensitive);

} // namespace orv::text
