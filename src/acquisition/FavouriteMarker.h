#pragma once

#include "platform/Database.h"

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace orv {

// Marks the programmes whose title matches a favourite title, with the
// store's like rules ("*" any run, "?" one character, no regard to case).
class FavouriteMarker {
public:
    // The like-pattern of a favourite title: apostrophes and "_" (which the
    // pop-up stores for apostrophes and blanks) match any run of characters;
    // "#" and "[" match only themselves.
    static QString pattern(const QString &favouriteTitle);

    explicit FavouriteMarker(Database &listings) : db_(listings) {}
    // Writes what is still pending.
    ~FavouriteMarker();
    // Marks every programme matching the favourite; gives the number of
    // matching programmes. Marks are only ever set here.
    int mark(const QString &favouriteTitle);
    // Writes the marks found so far (Marked = "1"), in one transaction: the
    // favourites of one pass touch the table once, not once each.
    void write();

private:
    // The titles are read once and matched in memory: each distinct title is
    // compared once per favourite, not once per programme.
    struct Title {
        QString folded;
        std::vector<qint64> rows;
        std::vector<bool> marked;
    };
    void load();

    Database &db_;
    std::optional<std::vector<Title>> titles_;
    std::vector<qint64> pending_;
};

} // namespace orv
