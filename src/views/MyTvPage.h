#pragma once

#include "core/Store.h"
#include "views/ListPage.h"

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace orv {

// The MyTV page: one template text with numbered placeholders, one group
// per day (1-31) and per line within the day.
class MyTvPage {
public:
    static constexpr int Days = 31;
    static constexpr int DayLimit = 500;

    // The template as one text: every line (ended by CR, CR LF or LF) with
    // CR LF, at most 30000 lines. Empty when the file cannot be read.
    static QString readTemplate(const QString &path, bool *found = nullptr);
    // Lines a day offers: the number the text after "<!--LINES:" starts with,
    // up to the next "-" ("<!--LINES:12 righe-->" offers 12); without the
    // marker, the highest line number among day 1's placeholders.
    static int capacity(const QString &text);

    struct Result {
        QString html;
        int capacity = 0;
        bool overCapacity = false; // a day had more programmes than lines
        bool overDayLimit = false; // a day had more than 500
        bool cancelled = false;
    };
    // dayRows gives a day's marked programmes in start order (at most one
    // above DayLimit). Values are escaped; unfilled hour, title and channel
    // placeholders of any line become empty, _TV_ID_ ones stay.
    static Result build(const QString &text, const QDate &start,
                        const std::function<std::vector<Programme>(qint32 day)> &dayRows,
                        PageProgress *progress = nullptr);
};

} // namespace orv
