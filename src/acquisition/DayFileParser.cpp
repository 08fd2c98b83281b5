#include "acquisition/DayFileParser.h"

#include "platform/Text.h"

namespace orv {

namespace {

constexpr QChar Separator(0x00A7); // "§"
const QString LineBreakMark = QStringLiteral(" \u00A6 ");
const QString CrLf = QStringLiteral("\r\n");

} // namespace

bool DayFileParser::parseLine(const QString &line, Programme &row)
{
    QString fields[10];
    qsizetype from = 0;
    int found = 0;
    while (found < 10) {
        const qsizetype at = line.indexOf(Separator, from);
        if (at < 0)
            break;
        fields[found++] = line.mid(from, at - from);
        from = at + 1;
    }
    // Without the terminating "§" the last field is the rest of the line;
    // the fields after it stay empty.
    if (found < 10 && from < line.size())
        fields[found] = line.mid(from);

    row.ORA = fields[0];
    row.Durata = fields[1];
    row.Type = fields[2];
    row.Genere = fields[3];
    row.Titolo = fields[4];
    row.Titolo2 = fields[5];
    row.Descrizione = fields[6].replace(LineBreakMark, CrLf);
    row.link = fields[7];
    row.Immagine.clear();
    return found == 10;
}

DayFileParser::Result DayFileParser::parse(const QByteArray &bytes, qint32 day, const QString &channel)
{
    Result result;
    const QStringList lines = text::splitLinesCr(text::decode(bytes));
    const QString name = channel.trimmed();
    result.programmes.reserve(lines.size());
    int number = 0;
    for (const QString &line : lines) {
        ++number;
        if (line.size() < 3 || line.at(2) != QLatin1Char(':')) {
            result.timeTestFailed = true;
            result.failedLine = number;
            return result;
        }
        Programme row;
        if (!parseLine(line, row))
            ++result.shortLines;
        row.Data = day;
        row.Palinsesto = name;
        row.Numerazione = number;
        result.programmes.push_back(std::move(row));
    }
    return result;
}

} // namespace orv
