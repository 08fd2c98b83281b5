#include "acquisition/FavouriteMarker.h"

#include "core/Store.h"

namespace orv {

QString FavouriteMarker::pattern(const QString &favouriteTitle)
{
    QString p = favouriteTitle;
    p.replace(QLatin1Char('\''), QLatin1Char('*'));
    p.replace(QLatin1Char('_'), QLatin1Char('*'));
    return p;
}

int FavouriteMarker::mark(const QString &favouriteTitle)
{
    return ProgrammiTable(db_).setMarkedByTitleLike(pattern(favouriteTitle), true);
}

} // namespace orv
