#include "acquisition/DurationCalculator.h"

#include "core/Store.h"

#include <algorithm>

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

std::vector<DurationCalculator::Start> DurationCalculator::starts(const QDate &day, const QString &name)
{
    if (!select_)
        select_ = db_.prepare(QStringLiteral("select rowid, ORA, Durata from Programmi "
                                             "where Data = ? and Palinsesto = ? order by Numerazione"));
    Statement &st = *select_;
    st.reset();
    st.bindAll(qint64(dayOf(day)), name);
    std::vector<Start> out;
    while (st.next())
        out.push_back({st.integer(0), st.text(1), st.text(2)});
    st.reset();
    return out;
}

void DurationCalculator::channel(const QString &name, QDate first, int days, const DayStep &step)
{
    struct Change {
        qint64 row;
        QString minutes;
    };
    std::vector<Change> changes;
    std::vector<Start> today;
    bool haveToday = false;
    for (int index = 1; index <= days; ++index) {
        if (step && !step(index))
            break;
        const QDate date = first.addDays(index - 1);
        if (!haveToday)
            today = starts(date, name);
        haveToday = false;
        if (today.empty())
            continue;
        std::vector<Start> tomorrow = starts(date.addDays(1), name);
        for (size_t i = 0; i < today.size(); ++i) {
            const Start *next = i + 1 < today.size() ? &today[i + 1] : tomorrow.empty() ? nullptr : &tomorrow.front();
            if (!next)
                break;
            const QString minutes = QString::number(minutesBetween(today[i].ora, next->ora));
            if (minutes != today[i].durata)
                changes.push_back({today[i].row, minutes});
        }
        today = std::move(tomorrow);
        haveToday = true;
    }
    if (changes.empty())
        return;
    // A statement per row costs more than the row itself: the rows go in
    // chunks, each one statement joining the new values on rowid.
    auto updateOf = [this](size_t rows) {
        QString values = QStringLiteral("(?,?)");
        for (size_t i = 1; i < rows; ++i)
            values += QStringLiteral(",(?,?)");
        return db_.prepare(QStringLiteral("update Programmi set Durata = v.column2 from (values %1) as v "
                                          "where Programmi.rowid = v.column1")
                               .arg(values));
    };
    Transaction tx(db_);
    for (size_t first = 0; first < changes.size(); first += UpdateChunk) {
        const size_t rows = std::min(UpdateChunk, changes.size() - first);
        std::optional<Statement> partial;
        if (rows == UpdateChunk && !update_)
            update_ = updateOf(rows);
        else if (rows < UpdateChunk)
            partial = updateOf(rows);
        Statement &st = rows == UpdateChunk ? *update_ : *partial;
        st.reset();
        for (size_t i = 0; i < rows; ++i) {
            st.bind(int(2 * i + 1), changes[first + i].row);
            st.bind(int(2 * i + 2), changes[first + i].minutes);
        }
        st.execute();
        st.reset();
    }
    tx.commit();
}

} // namespace orv
