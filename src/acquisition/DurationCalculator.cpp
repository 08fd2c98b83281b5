#include "acquisition/DurationCalculator.h"

#include "core/Store.h"
#include "platform/Text.h"

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

// The numbers of `count` days from `first`, in order.
std::vector<qint64> dayNumbers(const QDate &first, int count)
{
    std::vector<qint64> out;
    for (int i = 0; i < count; ++i)
        out.push_back(dayOf(first.addDays(i)));
    return out;
}

// `item` `count` times, with commas between: the parameters of a statement.
QString listOf(const QString &item, size_t count)
{
    QStringList items;
    for (size_t i = 0; i < count; ++i)
        items << item;
    return items.join(QLatin1Char(','));
}

} // namespace

void DurationCalculator::readTime(const QString &time, int &hours, int &minutes)
{
    readTimeOf(QStringView(time), hours, minutes);
}

int DurationCalculator::minutesBetween(const QString &current, const QString &next)
{
    Start c{0, 0, 0, -1, 0}, n{0, 0, 0, -1, 0};
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

DurationCalculator::Start DurationCalculator::startOf(const Statement &st, int row, int ora, int durata)
{
    Start s{st.integer(row), 0, 0, plainNumber(st.utf8(durata)), 0};
    // Start times are plain ASCII, read from the bytes; any other as text.
    const QByteArrayView time = st.utf8(ora);
    if (isAscii(time))
        readTimeOf(time, s.hours, s.minutes);
    else
        readTime(st.text(ora), s.hours, s.minutes);
    return s;
}

void DurationCalculator::readDays(QDate first, int days)
{
    read_.reset();
    taken_.clear();
    if (days <= 0)
        return;
    Read r;
    r.first = first;
    r.numbers = dayNumbers(first, days + 1);
    // "+Data" keeps the key out of it: the table is read in its own order,
    // each row once, without a seek per row.
    auto st = db_.prepare(QStringLiteral("select rowid, Data, Palinsesto, Numerazione, ORA, Durata from Programmi "
                                         "where +Data between ? and ?"));
    st.bindAll(r.numbers.front(), r.numbers.back());
    std::vector<Days> channels;
    text::FoldedNumbering names;
    while (st.next()) {
        const qint64 data = st.integer(1);
        const auto day = std::lower_bound(r.numbers.begin(), r.numbers.end(), data);
        if (day == r.numbers.end() || *day != data)
            continue;
        const size_t channel = names.number(st.utf8(2));
        if (channel == channels.size())
            channels.emplace_back(r.numbers.size());
        Start s = startOf(st, 0, 4, 5);
        s.number = st.integer(3);
        channels[channel][size_t(day - r.numbers.begin())].push_back(s);
    }
    const auto byNumber = [](const Start &x, const Start &y) { return x.number < y.number; };
    for (size_t c = 0; c < channels.size(); ++c) {
        // The table's order is usually the programmes' own already.
        for (std::vector<Start> &day : channels[c])
            if (!std::is_sorted(day.begin(), day.end(), byNumber))
                std::sort(day.begin(), day.end(), byNumber);
        r.channels.insert(names.folded(c), std::move(channels[c]));
    }
    read_ = std::move(r);
}

DurationCalculator::Days DurationCalculator::starts(const QDate &first, int days, const QString &name)
{
    // One statement for the channel's days: the key is sought once per day
    // inside it, without a statement run per day.
    if (!select_ || selectDays_ != days) {
        select_ = db_.prepare(QStringLiteral("select rowid, Data, ORA, Durata from Programmi "
                                             "where Palinsesto = ? and Data in (%1) order by Data, Numerazione")
                                  .arg(listOf(QStringLiteral("?"), size_t(days))));
        selectDays_ = days;
    }
    Statement &st = *select_;
    st.reset();
    st.bind(1, name);
    const std::vector<qint64> numbers = dayNumbers(first, days);
    for (int i = 0; i < days; ++i)
        st.bind(i + 2, numbers[size_t(i)]);
    Days out(static_cast<size_t>(days));
    size_t index = 0;
    while (st.next()) {
        // The rows come day by day, in the order of the days' numbers.
        const qint64 day = st.integer(1);
        while (index < numbers.size() && numbers[index] < day)
            ++index;
        if (index == numbers.size() || numbers[index] != day)
            continue;
        out[index].push_back(startOf(st, 0, 2, 3));
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
    if (days <= 0)
        return;
    // The day after the last one gives the last programme its end.
    Days all;
    const QString key = name.toCaseFolded();
    if (read_ && read_->first == first && qsizetype(read_->numbers.size()) >= days + 1 &&
        !taken_.contains(key)) {
        taken_.insert(key);
        all = read_->channels.take(key);
        all.resize(size_t(days + 1));
    } else {
        all = starts(first, days + 1, name);
    }
    for (int index = 1; index <= days; ++index) {
        if (step && !step(index))
            break;
        const std::vector<Start> &today = all[size_t(index - 1)];
        const std::vector<Start> &tomorrow = all[size_t(index)];
        for (size_t i = 0; i < today.size(); ++i) {
            const Start *next = i + 1 < today.size() ? &today[i + 1] : tomorrow.empty() ? nullptr : &tomorrow.front();
            if (!next)
                break;
            const int minutes = minutesBetween(today[i], *next);
            if (minutes != today[i].durata)
                changes.push_back({today[i].row, QString::number(minutes)});
        }
    }
    if (changes.empty())
        return;
    // A statement per row costs more than the row itself: the rows go in
    // chunks, each one statement joining the new values on rowid. A chunk's
    // statement is prepared once per size and kept for the pass.
    Transaction tx(db_);
    for (size_t first = 0; first < changes.size(); first += UpdateChunk) {
        const size_t rows = std::min(UpdateChunk, changes.size() - first);
        std::optional<Statement> &slot = updates_[rows - 1];
        if (!slot)
            slot = db_.prepare(QStringLiteral("update Programmi set Durata = v.column2 from (values %1) as v "
                                              "where Programmi.rowid = v.column1")
                                   .arg(listOf(QStringLiteral("(?,?)"), rows)));
        Statement &st = *slot;
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
