#include "core/PastMidnight.h"

namespace orv {

int startMinutes(const QString &ora)
{
    const QString t = ora.trimmed();
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    if (colon < 1 || colon > 2 || t.size() != colon + 3)
        return -1;
    bool okH = false, okM = false;
    const int h = t.left(colon).toInt(&okH);
    const int m = t.mid(colon + 1).toInt(&okM);
    if (!okH || !okM || h < 0 || h > 23 || m < 0 || m > 59 || !t.at(colon + 1).isDigit())
        return -1;
    return h * 60 + m;
}

bool PastMidnight::next(int minutes)
{
    if (minutes < 0)
        return past_;
    if (previous_ >= 0 && minutes < previous_)
        past_ = true;
    previous_ = minutes;
    return past_;
}

std::vector<bool> pastMidnightFlags(const QStringList &starts)
{
    PastMidnight rule;
    std::vector<bool> out;
    out.reserve(size_t(starts.size()));
    for (const QString &s : starts)
        out.push_back(rule.next(s));
    return out;
}

} // namespace orv
