#include "acquisition/DurationCalculator.h"

#include "core/Store.h"

#include <algorithm>

namespace orv {

namespace {

char32_t code(QChar c) { return c.unicode(); }
char32_t code(char c) { return uchar(c); }

// Works on text and on ASCII bytes alike.
template <typename View> int leadingNumber(View s)
{
    int n = 0;
    qsizetype i = 0;
    while (i < s.size() && QChar::isSpace(code(s[i])))
        ++i;
    bool any = false;
    for (; i < s.size() && code(s[i]) >= '0' && code(s[i]) <= '9' && n < 100000; ++i) {
        n = n * 10 + int(code(s[i]) - '0');
        any = true;
    }
    return any ? n : 0;
}

template <typename View> void readTimeOf(View time, int &hours, int &minutes)
{
    qsizetype colon = 0;
    while (colon < time.size() && code(time[colon]) != ':')
        ++colon;
    if (colon == time.size()) {
        hours = leadingNumber(time);
        minutes = 0;
        return;
    }
    hours = leadingNumber(time.first(colon));
    minutes = leadingNumber(time.sliced(colon + 1));
}

qint32 dayOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

bool isAscii(QByteArrayView s)
{
    for (char c : s)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// The number whose plain decimal text s is ("35", not " 35" or "035"); -1
// for any other text.
int plainNumber(QByteArrayView s)
{
    if (s.isEmpty() || s.size() > 9 || (s.size() > 1 && s[0] == '0'))
        return -1;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

void DurationCalculator::readTime(const QString &time, int &hours, int &minutes)
{
    readTimeOf(QStringView(time), hours, minutes);
}

int DurationCalculator::minutesBetween(const QString &current, const QString &next)
{
    Start c{0, 0, 0, -1}, n{0, 0, 0, -1};
    readTime(current, c.hours, c.minutes);
    readTime(next, n.hours, n.minutes);
    return minutesBetween(c, n);
}

int DurationCalculator::minutesBetween(const Start &current, const Start &next)
{
    const int hC = current.hours, mC = current.minutes, mN = next.minutes;
    int hN = next.hours;
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
    out.reserve(48);
    while (st.next()) {
        Start s{st.integer(0), 0, 0, plainNumber(st.utf8(2))};
        // Start times are plain ASCII, read from the bytes; any other as text.
        const QByteArrayView ora = st.utf8(1);
        if (isAscii(ora))
            readTimeOf(ora, s.hours, s.minutes);
        else
            readTime(st.text(1), s.hours, s.minutes);
        out.push_back(s);
    }
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
            const int minutes = minutesBetween(today[i], *next);
            if (minutes != today[i].durata)
                changes.push_back({today[i].row, QString::number(minutes)});
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
