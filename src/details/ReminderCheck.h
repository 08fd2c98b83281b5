#pragma once

#include "core/Store.h"

#include <QDate>
#include <QDateTime>
#include <functional>
#include <vector>

namespace orv {

// One programme to announce: which mark and the row.
struct Announcement {
    enum class Kind { Reminder, Record, Favourite };
    Kind kind = Kind::Reminder;
    Programme programme;
    // The box text: the kind's prefix and the title.
    QString message() const;
};

// A wall-clock minute: a date and an "hh:mm" start, as the listings store them.
struct TargetMinute {
    QDate day;
    int minutes = 0; // after midnight
    QString time() const;
    qint64 ordinal() const { return day.toJulianDay() * 1440 + minutes; }
    static TargetMinute fromOrdinal(qint64 ordinal);
    bool operator==(const TargetMinute &) const = default;
};

// The reminder check behind the main window's minute timer: which marked
// programmes start 15 minutes from now. Each target minute is looked at
// once; minutes skipped since the last look (a long box, a late tick) are
// caught up as long as their programmes have not started.
class ReminderCheck {
public:
    using Clock = std::function<QDateTime()>;
    static constexpr int LeadMinutes = 15;

    explicit ReminderCheck(Clock clock = &QDateTime::currentDateTime) : clock_(std::move(clock)) {}
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // now + 15 minutes, to the minute, on its own date.
    static TargetMinute targetOf(const QDateTime &now);
    // What starts at that minute: rows whose listing puts them on that day,
    // in the order reminder, record, favourite, each by Numerazione.
    static std::vector<Announcement> dueAt(Database &db, const TargetMinute &target);

    // The announcements of the minutes not looked at yet, up to now + 15.
    // A database failure throws and leaves those minutes for the next call.
    std::vector<Announcement> due(Database &db);

    // One tick: opens the listings, announces what is due and, once the
    // announcements are done, what fell due meanwhile. A tick that arrives
    // while an announcement is open does nothing. Failures throw.
    void run(const std::function<Database()> &open, const std::function<void(const Announcement &)> &announce);

private:
    Clock clock_;
    qint64 last_ = -1; // ordinal of the last minute looked at
    bool running_ = false;
};

} // namespace orv
