#include "views/ProgrammeId.h"

#include "views/Placeholders.h"

namespace orv {

namespace {

bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

QString programmeIdText(const Programme &p)
{
    return dayText(p.Data) + u'#' + p.Palinsesto + u'#' + QString::number(p.Numerazione);
}

QString programmeIdValue(const Programme &p) { return u'\'' + htmlEscape(programmeIdText(p)) + u'\''; }

std::optional<ProgrammeKey> parseProgrammeId(const QString &id)
{
    const qsizetype first = id.indexOf(u'#');
    const qsizetype last = id.lastIndexOf(u'#');
    if (first < 0 || last == first)
        return std::nullopt;
    const QStringView day = QStringView(id).left(first);
    const QStringView number = QStringView(id).mid(last + 1);
    if (day.size() != 8 || !allDigits(day) || !allDigits(number) || number.size() > 9)
        return std::nullopt;
    ProgrammeKey key;
    key.Data = day.toInt();
    key.Palinsesto = id.mid(first + 1, last - first - 1);
    key.Numerazione = number.toInt();
    return key;
}

QString programmeIdPattern() { return QStringLiteral("^[0-9]{8}#[\\s\\S]*#[0-9]{1,9}$"); }

} // namespace orv
