#pragma once

#include <QString>

// The listings' past-midnight rule, shared by the day grid's layout and the
// reminder check, with the time measures it works in: the grid's twips.
namespace orv::listing {

inline constexpr int MinuteTw = 68;
inline constexpr int HourTw = 4080;
inline constexpr int DayTw = 97920;

// A leading decimal number: blanks skipped, an optional sign, digits and one
// decimal point; 0 when there is none.
double leadingValue(const QString &text);

// Start of a programme at `ora` ("hh:mm") from its day's midnight.
int startTw(const QString &ora);
// Width for a duration in minutes (half-even rounding); may be negative.
int widthTw(const QString &durata);

// One channel-day listing in running order: a start earlier than the
// previous end by more than about 22 hours belongs to the next calendar day,
// and once the listing has passed midnight every later record stays past it.
class PastMidnight {
public:
    // The left for this record (shifted by a day when past midnight).
    int place(int left, int width);

private:
    bool first_ = true;
    bool passed_ = false;
    int end_ = 0;
};

} // namespace orv::listing
