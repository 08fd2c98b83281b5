#include "details/ReminderCheck.h"

#include "core/PastMidnight.h"

#include <algorithm>
#include <map>

namespace orv {

namespace {

const QString &fieldOf(const Programme &p, Announcement::Kind kind)
{
    switch (kind) {
    case Announcement::Kind::Reminder: return p.Promemoria;
    case Announcement::Kind::Record: return p.Registra;
    case Announcement::Kind::Favourite: return p.Marked;
    }
    return p.Marked;
}

qint32 dayNumberOf(const QDate &d) { return dayNumber(d.year(), d.month(), d.day()); }

} // namespace

QString Announcement::message() const
{
    switch (kind) {
    case Kind::Reminder: return QStringLiteral("Fra 15 Minuti iniziera' il programma : ") + programme.Titolo;
    case Kind::Record: return QStringLiteral("Fra 15 Minuti Devi registrare il programma : ") + programme.Titolo;
    case Kind::Favourite: return QStringLiteral("Fra 15 Minuti c'e' il programma Preferito : ") + programme.Titolo;
    }
    return programme.Titolo;
}

QString TargetMinute::time() const
{
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

TargetMinute TargetMinute::fromOrdinal(qint64 ordinal)
{
    return {QDate::fromJulianDay(ordinal / 1440), int(ordinal % 1440)};
}

TargetMinute ReminderCheck::targetOf(const QDateTime &now)
{
    // Wall-clock arithmetic, as the listings are written: no time zone shifts.
    const TargetMinute here{now.date(), now.time().hour() * 60 + now.time().minute()};
    return TargetMinute::fromOrdinal(here.ordinal() + LeadMinutes);
}

std::vector<Announcement> ReminderCheck::dueAt(Database &db, const TargetMinute &target)
{
    const qint32 day = dayNumberOf(target.day);
    const qint32 dayBefore = dayNumberOf(target.day.addDays(-1));
    ProgrammiTable table(db);
    std::vector<Programme> rows = table.markedStartingAt(dayBefore, day, target.time());

    // A row is on the target day when its own day's listing has not passed
    // midnight yet, or when the day before's listing has: the grid's rule,
    // so a programme is announced for the day the grid shows it on.
    std::map<std::pair<qint32, QString>, std::map<int, bool>> listings;
    auto pastMidnight = [&](const Programme &p) {
        auto [it, fresh] = listings.try_emplace({p.Data, p.Palinsesto});
        if (fresh) {
            listing::PastMidnight rule;
            for (const Programme &r : table.channelDay(p.Data, p.Palinsesto)) {
                const int left = listing::startTw(r.ORA);
                it->second[r.Numerazione] = rule.place(left, listing::widthTw(r.Durata)) != left;
            }
        }
        const auto f = it->second.find(p.Numerazione);
        return f != it->second.end() && f->second;
    };
    std::erase_if(rows, [&](const Programme &p) { return pastMidnight(p) != (p.Data == dayBefore); });

    std::vector<Announcement> out;
    for (auto kind : {Announcement::Kind::Reminder, Announcement::Kind::Record, Announcement::Kind::Favourite})
        for (const Programme &p : rows)
            if (fieldOf(p, kind) == QLatin1String("1"))
                out.push_back({kind, p});
    return out;
}

std::vector<Announcement> ReminderCheck::due(Database &db)
{
    const qint64 target = targetOf(clock_()).ordinal();
    // A clock set back further than the lead starts afresh.
    if (last_ >= 0 && target <= last_ && last_ - target <= LeadMinutes)
        return {};
    // Minutes skipped meanwhile, only while their programmes are still to come.
    qint64 first = target;
    if (last_ >= 0 && last_ < target)
        first = std::max(last_ + 1, target - LeadMinutes + 1);
    std::vector<Announcement> out;
    for (qint64 m = first; m <= target; ++m) {
        std::vector<Announcement> at = dueAt(db, TargetMinute::fromOrdinal(m));
        out.insert(out.end(), at.begin(), at.end());
    }
    last_ = target;
    return out;
}

void ReminderCheck::run(const std::function<Database()> &open,
                        const std::function<void(const Announcement &)> &announce)
{
    if (running_)
        return;
    running_ = true;
    struct Done {
        bool &flag;
        ~Done() { flag = false; }
    } done{running_};
    for (;;) {
        std::vector<Announcement> list;
        {
            Database db = open();
            list = due(db);
        }
        if (list.empty())
            return;
        for (const Announcement &a : list)
            announce(a);
    }
}

} // namespace orv
