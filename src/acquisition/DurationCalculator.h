#pragma once

#include "platform/Database.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <array>
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

    // Reads the programmes of every channel for the days from `first` to
    // `first + days` (the day after the last one included) in one pass over
    // the table; channel() then takes a channel's days from them instead of
    // seeking them in the key day by day. A channel asked for a second time,
    // or for other days, is read on its own. Rows written after this call
    // are not seen: post-processing runs as the only job on the listings.
    void readDays(QDate first, int days);

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
        qint64 number; // Numerazione, where the rows need ordering
    };
    using Days = std::vector<std::vector<Start>>;
    // The channel's programmes of `days` days from `first`, a list per day.
    Days starts(const QDate &first, int days, const QString &name);
    // What readDays read: the days' numbers, and each channel's days by the
    // case-blind form of its name.
    struct Read {
        QDate first;
        std::vector<qint64> numbers;
        QHash<QString, Days> channels;
    };
    static int minutesBetween(const Start &current, const Start &next);
    // A programme read from a row: rowid, ORA and Durata at these columns.
    static Start startOf(const Statement &st, int row, int ora, int durata);

    static constexpr size_t UpdateChunk = 64;

    Database &db_;
    std::optional<Statement> select_;
    int selectDays_ = 0;
    std::optional<Read> read_;
    QSet<QString> taken_;
    std::array<std::optional<Statement>, UpdateChunk> updates_;
};

} // namespace orv
