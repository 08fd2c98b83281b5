#include "acquisition/DurationCalculator.h"

#include "core/Store.h"

namespace orv {

namespace {

int leadingNumber(QStringView s)
{
    int n = 0;
    qsizetype i = 0;
    while (i < s.size() && s[i].isSpace())
        ++i;
    bool any = false;
    for (; i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9') && n < 100000; ++i) {
        n = n * 10 + (s[i].unicode() - '0');
        any = true;
    }
    return any ? n : 0;
}

qint32 dayOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

} // namespace

void DurationCalculator::readTime(const QString &time, int &hours, int &minutes)
{
    const qsizetype colon = time.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        hours = leadingNumber(time);
        minutes = 0;
        return;
    }
    hours = leadingNumber(QStringView(time).left(colon));
    minutes = leadingNumber(QStringView(time).mid(colon + 1));
}

int DurationCalculator::minutesBetween(const QString &current, const QString &next)
{
    int hC, mC, hN, mN;
    readTime(current, hC, mC);
    readTime(next, hN, mN);
    if (hC > hN)
        hN += 24;
    const int minutes = (hN - hC) * 60 + (mN - mC);
    return minutes > 0 ? minutes : 30;
}

void DurationCalculator::channel(const QString &name, const QDate &first, int days, const DayStep &step)
{
    ProgrammiTable table(db_);
    std::vector<Programme> today;
    bool haveToday = false;
    for (int index = 1; index <= days; ++index) {
        if (step && !step(index))
            return;
        const QDate date = first.addDays(index - 1);
        if (!haveToday)
            today = table.channelDay(dayOf(date), name);
        haveToday = false;
        if (today.empty())
            continue;
        std::vector<Programme> tomorrow = table.channelDay(dayOf(date.addDays(1)), name);
        Transaction tx(db_);
        for (size_t i = 0; i < today.size(); ++i) {
            const Programme *next = i + 1 < today.size() ? &today[i + 1]
                                    : tomorrow.empty()   ? nullptr
                                                         : &tomorrow.front();
            if (!next)
                break;
            table.setDurata(today[i].key(), QString::number(minutesBetween(today[i].ORA, next->ORA)));
        }
        tx.commit();
        today = std::move(tomorrow);
        haveToday = true;
    }
}

} // namespace orv
