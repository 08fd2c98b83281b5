#pragma once

#include "views/ListPage.h"

#include <QString>
#include <optional>

namespace orv {

// One list page built from the listings database: the filled page, whether
// its template was found, and the engine's number and text when the query
// failed (the page then holds no programme).
struct PageBuild {
    ListPageResult page;
    bool templateFound = false;
    QString dbError;
};

inline constexpr int CardLimit = 200;
inline constexpr int ReportLimit = 500;

struct CardRequest {
    QString templatePath;
    QString dbPath;
    qint32 day = 0;
    QString channel;
    QString logo; // "<code>.gif" of this channel, or empty
};
// The channel card: one channel's programmes of a day, by Numerazione.
PageBuild buildCardPage(const CardRequest &r);

struct ReportRequest {
    QString templatePath;
    QString dbPath;
    qint32 day = 0;
    QString type; // prefix of Type
    QString from; // "hh:mm"
    QString to;
};
// The daily report: every channel's programmes of a type within two times.
PageBuild buildReportPage(const ReportRequest &r, PageProgress *progress);

struct SearchRequest {
    QString templatePath;
    QString dbPath;
    QString words;
    bool exact = false;        // Check3: the words as one text
    bool marked = false;       // Check4
    bool promemoria = false;   // Check5
    bool registra = false;     // Check6
    qint32 fromDay = 0;        // today, or 0 with Check2 (old programmes too)
    qint32 shownDay = 0;       // the main window's day, for the head
};
// The like-pattern of the search words: blanks become "*" unless exact.
QString searchPattern(const QString &words, bool exact);
// The search page: programmes whose texts hold the words.
PageBuild buildSearchPage(const SearchRequest &r, PageProgress *progress);

// A time as the user types it: "9", "9:00", "9.00", "09:00" are "09:00";
// nothing when it is no time of day.
std::optional<QString> normaliseTime(const QString &typed);

// _LOGO_TV_ of a channel: its code and ".gif", empty when it has no code.
QString channelLogo(const QString &palinsestiPath, const QString &channel);

// "number text" of a database failure, as shown in the status bar.
QString dbErrorText(const std::exception &e);

} // namespace orv
