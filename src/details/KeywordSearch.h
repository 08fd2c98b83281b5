#pragma once

#include "core/Store.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

// The keyword monitor's result tree: keyword > day > channel > programme,
// each node with the key and text the window shows.
struct MonitorTree {
    struct Node {
        QString key;
        QString text;
    };
    struct Programme : Node {
        ProgrammeKey programme;
    };
    struct Channel : Node {
        std::vector<Programme> programmes;
    };
    struct Day : Node {
        qint32 programmeDay = 0; // yyyymmdd
        std::vector<Channel> channels;
    };
    struct Keyword : Node {
        std::vector<Day> days;
    };
    std::vector<Keyword> keywords;
    // True when some programme is listed.
    bool found = false;
};

// The keyword search: every listed keyword against the titles of the
// programmes from a first day on. A title passes when it contains the
// keyword as typed (blanks included) without regard to case, read as a
// like-pattern: a "*" (the stored form of an apostrophe) stands for any run
// of characters, "?", "#" and "[...]" as the store's like has them.
class KeywordSearch {
public:
    // One pass over the listings; keywords in list order (a repeated one
    // adds nothing). Programmes by day and start time, under every keyword
    // they match.
    static MonitorTree run(Database &listings, const QStringList &keywords, qint32 firstDay);
};

} // namespace orv
