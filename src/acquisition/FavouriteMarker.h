#pragma once

#include "platform/Database.h"

#include <QString>

namespace orv {

// Marks the programmes whose title matches a favourite title.
class FavouriteMarker {
public:
    // The like-pattern of a favourite title: apostrophes and "_" (which the
    // pop-up stores for apostrophes and blanks) match any run of characters.
    static QString pattern(const QString &favouriteTitle);

    explicit FavouriteMarker(Database &listings) : db_(listings) {}
    // Sets Marked = "1" on every programme matching the favourite; gives the
    // number of rows marked. Marks are only ever set here.
    int mark(const QString &favouriteTitle);

private:
    Database &db_;
};

} // namespace orv
