#pragma once

#include "platform/Database.h"

#include <QString>
#include <vector>

namespace orv {

// One line of the channel setup list.
struct ChannelEntry {
    QString name;   // NOMETV, also the line's key
    int group = 0;  // ANTENNA, 1 to 7
    bool ticked = false;
    bool operator==(const ChannelEntry &) const = default;
};

// The channel setup list apart from its window: which channels are offered,
// their order and ticks, and how they are written back to Televisioni.
class ChannelOrder {
public:
    // The image key of a channel group; empty outside 1 to 7.
    static QString groupImageKey(int antenna);

    // Every visible channel of groups 1 to 7, by Posizione.
    void load(Database &palinsesti);

    const std::vector<ChannelEntry> &entries() const { return entries_; }
    int count() const { return int(entries_.size()); }
    void setTicked(int index, bool on);
    void setAllTicked(bool on);
    // Swap the channel at index (0-based) with its neighbour; false, and
    // nothing moves, when it is already first or last.
    bool moveUp(int index);
    bool moveDown(int index);

    // Listed channels take Attivo from their tick and Posizione 1..n in list
    // order; every other channel follows from n+1 in its previous order, so
    // no two channels share a position. One transaction: all or nothing.
    void apply(Database &palinsesti) const;

private:
    std::vector<ChannelEntry> entries_;
};

} // namespace orv
