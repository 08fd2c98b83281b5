#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::text {

// Numbers the case-blind forms of texts read as UTF-8 bytes (a column's),
// 0, 1, 2... in the order they first appear. A name or title repeats on many
// rows: each spelling is decoded and folded once, then found by its bytes.
class FoldedNumbering {
public:
    size_t number(QByteArrayView utf8);
    const QString &folded(size_t number) const { return folded_[number]; }
    size_t size() const { return folded_.size(); }

private:
    struct BytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, size_t, BytesHash, std::equal_to<>> spelling_;
    QHash<QString, size_t> byFolded_;
    std::vector<QString> folded_;
};

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
