#pragma once

#include "core/Store.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace orv {

// The pop-up's three marks on the listings and the favourites table. Every
// operation gives the keys whose Marked changed, so the grid can follow them.
class ProgrammeMarks {
public:
    ProgrammeMarks(Database &listings, Database &favourites) : listings_(listings), favourites_(favourites) {}

    // A favourite title as the favourites table keeps it: apostrophes and
    // blanks become "_".
    static QString storedForm(const QString &title);

    // Reminder or record toggle: "1" becomes "0", anything else "1". Gives
    // the new state; none when the programme is no longer stored.
    std::optional<bool> toggle(const ProgrammeKey &key, StateField field);

    // What the favourite toggle does on a programme: remove when it is
    // marked, add otherwise, nothing when it is no longer stored.
    enum class FavouriteStep { None, Add, Remove };
    FavouriteStep favouriteStep(const ProgrammeKey &key);

    // Adds the favourite `answer` (the title the user confirmed) and marks
    // the programme and every programme the favourite matches. A blank
    // answer changes nothing; a title already stored adds no row.
    std::vector<ProgrammeKey> addFavourite(const ProgrammeKey &key, const QString &answer);
    // Deletes every favourite that matches the programme's title, unmarks the
    // programme and what those favourites (or, when there are none, the
    // shown title) match and no remaining favourite matches.
    std::vector<ProgrammeKey> removeFavourite(const ProgrammeKey &key);

    // Marks every programme the stored favourite title matches.
    std::vector<ProgrammeKey> METTI_UN_PREFERITO(const QString &titoloPreferito);
    // Unmarks the programmes the removed favourites matched and no remaining
    // favourite matches.
    std::vector<ProgrammeKey> TOGLI_UN_PREFERITO(const QStringList &removed);

private:
    Database &listings_;
    Database &favourites_;
};

} // namespace orv
