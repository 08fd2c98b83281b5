#pragma once

#include "Channels.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace listings {

struct Programme {
    int number = 0;     // 1-based position within the channel's day
    int start = 0;      // minutes from the day's midnight; 1440 and more is after midnight
    int duration = 0;   // minutes
    QString type;
    QString genre;
    QString title;
    QString title2;
    QStringList description; // one entry per line
    QString origin;     // country and year, e.g. "ITA 2019"
    bool hasPage = false; // a detail page exists on the channel's web site

    QString startText() const; // "hh:mm", wrapped past midnight
};

// The whole schedule of one channel for one day: from 06:00 until the first
// programme that starts at 02:00 of the next morning or later. The same
// channel and day always give the same schedule.
std::vector<Programme> daySchedule(const Channel &channel, const QDate &day);

} // namespace listings
