#include "acquisition/DayFileParser.h"

#include "platform/Text.h"

namespace orv {

namespace {

constexpr QChar Separator(0x00A7); // "§"
const QString LineBreakMark = QStringLiteral(" \u00A6 ");
const QString CrLf = QStringLiteral("\r\n");

} // namespace

namespace {

// One line's fields into a row (views into the decoded file: each field is
// copied once, into its column); false when it has fewer than ten fields.
bool readFields(QStringView line, Programme &row)
{
    QStringView fields[10];
    qsizetype from = 0;
    int found = 0;
    while (found < 10) {
        const qsizetype at = line.indexOf(Separator, from);
        if (at < 0)
            break;
        fields[found++] = line.sliced(from, at - from);
        from = at + 1;
    }
    // Without the terminating "§" the last field is the rest of the line;
    // the fields after it stay empty.
    if (found < 10 && from < line.size())
        fields[found] = line.sliced(from);

    row.ORA = fields[0].toString();
    row.Durata = fields[1].toString();
    row.Type = fields[2].toString();
    row.Genere = fields[3].toString();
    row.Titolo = fields[4].toString();
    row.Titolo2 = fields[5].toString();
    row.Descrizione = fields[6].toString();
    if (row.Descrizione.contains(LineBreakMark))
        row.Descrizione.replace(LineBreakMark, CrLf);
    row.link = fields[7].toString();
    row.Immagine.clear();
    return found == 10;
}

} // namespace

bool DayFileParser::parseLine(const QString &line, Programme &row) { return readFields(line, row); }

DayFileParser::Result DayFileParser::parse(const QByteArray &bytes, qint32 day, const QString &channel)
{
    Result result;
    const QString text = text::decode(bytes);
    const QString name = channel.trimmed();
    const QStringView all(text);
    const qsizetype n = all.size();
    int number = 0;
    qsizetype start = 0;
    // A line ends at CR LF or a lone CR; a lone LF stays inside the line, and
    // an unended last line still counts.
    while (start < n) {
        qsizetype end = all.indexOf(QLatin1Char('\r'), start);
        if (end < 0)
            end = n;
        const QStringView line = all.sliced(start, end - start);
        start = end + 1;
        if (start < n && all[start] == QLatin1Char('\n'))
            ++start;
        ++number;
        if (line.size() < 3 || line[2] != QLatin1Char(':')) {
            result.timeTestFailed = true;
            result.failedLine = number;
            return result;
        }
        Programme row;
        if (!readFields(line, row))
            ++result.shortLines;
        row.Data = day;
        row.Palinsesto = name;
        row.Numerazione = number;
        result.programmes.push_back(std::move(row));
    }
    return result;
}

} // namespace orv
