#pragma once

#include <QString>
#include <vector>

namespace listings {

// What a channel mostly shows; it decides the mix of its schedule.
enum class Kind { General, NewsTalk, Movies, Series, Docs, Culture, Lifestyle, Sport, Kids, Local, Radio };

struct Channel {
    int code;
    QString name;        // as in the program's channel table (NomeTV)
    QString description;
    int group;           // ANTENNA
    QString number;      // Canale
    Kind kind;
    bool scripted;       // listings come from a scraping script, not day files
};

// The shipped channel list, in code order.
const std::vector<Channel> &channels();
const Channel *channelByCode(int code);
const Channel *channelByName(const QString &name);

} // namespace listings
