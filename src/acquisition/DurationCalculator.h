#pragma once

#include "platform/Database.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace orv {

// Derives each programme's duration from the start of the programme that
// follows it on the same channel (the next day's first one for the last).
class DurationCalculator {
public:
    // Minutes from one start time "hh:mm" to the next; a next start with a
    // smaller hour lies after midnight. A difference of zero or less gives 30.
    static int minutesBetween(const QString &current, const QString &next);
    // Hours and minutes of a start time, read around the ":"; what does not
    // begin with digits counts as 0.
    static void readTime(const QString &time, int &hours, int &minutes);

    explicit DurationCalculator(Database &listings) : db_(listings) {}

    // Called before each day (1-based index); returning false stops the pass.
    using DayStep = std::function<bool(int dayIndex)>;
    // Writes Durata on every programme of the channel from the first day on,
    // for the given number of days. A day without programmes is skipped; the
    // last programme of a day keeps its duration when the next day is empty.
    // The step runs with no transaction open; what was worked out before a
    // stop is still written, in one transaction.
    void channel(const QString &name, QDate first, int days, const DayStep &step = {});

private:
    // A programme as the pass needs it: its start read once, and its
    // duration as a number when it is a number's plain text (else -1, which
    // no worked-out duration equals).
    struct Start {
        qint64 row;
        int hours, minutes;
        int durata;
    };
    std::vector<Start> starts(const QDate &day, const QString &name);
    static int minutesBetween(const Start &current, const Start &next);

    static constexpr size_t UpdateChunk = 64;

    Database &db_;
    std::optional<Statement> select_;
    std::optional<Statement> update_;
};

} // namespace orv
