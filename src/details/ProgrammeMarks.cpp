#include "details/ProgrammeMarks.h"

#include "acquisition/FavouriteMarker.h"

#include <QHash>
#include <algorithm>

namespace orv {

QString ProgrammeMarks::storedForm(const QString &title)
{
    QString s = title;
    s.replace(QLatin1Char('\''), QLatin1Char('_'));
    s.replace(QLatin1Char(' '), QLatin1Char('_'));
    return s;
}

std::optional<bool> ProgrammeMarks::toggle(const ProgrammeKey &key, StateField field)
{
    ProgrammiTable programmes(listings_);
    const auto p = programmes.find(key);
    if (!p)
        return std::nullopt;
    const QString &now = field == StateField::Promemoria ? p->Promemoria
                         : field == StateField::Registra ? p->Registra
                                                         : p->Marked;
    const bool on = now != QLatin1String("1");
    programmes.setState(key, field, on);
    return on;
}

ProgrammeMarks::FavouriteStep ProgrammeMarks::favouriteStep(const ProgrammeKey &key)
{
    const auto p = ProgrammiTable(listings_).find(key);
    if (!p)
        return FavouriteStep::None;
    return p->Marked == QLatin1String("1") ? FavouriteStep::Remove : FavouriteStep::Add;
}

std::vector<ProgrammeKey> ProgrammeMarks::addFavourite(const ProgrammeKey &key, const QString &answer)
{
    // A blank title would match every untitled programme, or with its "_"
    // every programme at all.
    if (answer.trimmed().isEmpty() || favouriteStep(key) != FavouriteStep::Add)
        return {};
    const QString stored = storedForm(answer);
    PreferitiTable favourites(favourites_);
    if (!favourites.contains(stored))
        favourites.addWithNextId(stored);

    Transaction tx(listings_);
    std::vector<ProgrammeKey> changed;
    // The shown programme is marked even when the user shortened the title
    // so far that it no longer matches.
    if (ProgrammiTable(listings_).setState(key, StateField::Marked, true))
        changed.push_back(key);
    for (ProgrammeKey &k : METTI_UN_PREFERITO(stored))
        changed.push_back(std::move(k));
    tx.commit();
    return changed;
}

std::vector<ProgrammeKey> ProgrammeMarks::removeFavourite(const ProgrammeKey &key)
{
    const auto p = ProgrammiTable(listings_).find(key);
    if (!p || p->Marked != QLatin1String("1"))
        return {};
    PreferitiTable favourites(favourites_);
    QStringList removed;
    for (const QString &f : favourites.titles())
        if (!removed.contains(f) && jetLike(p->Titolo, FavouriteMarker::pattern(f))) {
            favourites.removeAll(f);
            removed << f;
        }
    // No favourite left for the title (the editor deleted it): the shown
    // title is still the one the user takes off.
    if (removed.isEmpty())
        removed << storedForm(p->Titolo);

    Transaction tx(listings_);
    std::vector<ProgrammeKey> changed{key};
    ProgrammiTable(listings_).setState(key, StateField::Marked, false);
    for (ProgrammeKey &k : TOGLI_UN_PREFERITO(removed))
        changed.push_back(std::move(k));
    tx.commit();
    return changed;
}

std::vector<ProgrammeKey> ProgrammeMarks::METTI_UN_PREFERITO(const QString &titoloPreferito)
{
    return ProgrammiTable(listings_).markTitleLike(FavouriteMarker::pattern(titoloPreferito));
}

std::vector<ProgrammeKey> ProgrammeMarks::TOGLI_UN_PREFERITO(const QStringList &removed)
{
    if (removed.isEmpty())
        return {};
    auto patterns = [](const QStringList &titles) {
        QStringList out;
        for (const QString &t : titles)
            out << FavouriteMarker::pattern(t);
        return out;
    };
    const QStringList gone = patterns(removed);
    const QStringList kept = patterns(PreferitiTable(favourites_).titles());
    auto matchesAny = [](const QString &title, const QStringList &list) {
        return std::any_of(list.begin(), list.end(), [&](const QString &p) { return jetLike(title, p); });
    };
    ProgrammiTable programmes(listings_);
    std::vector<ProgrammeKey> changed;
    std::vector<qint64> rows;
    // A series repeats its title: each spelling is matched once.
    QHash<QString, bool> unmark;
    for (ProgrammiTable::MarkedRow &r : programmes.markedRows()) {
        auto it = unmark.constFind(r.Titolo);
        if (it == unmark.cend())
            it = unmark.insert(r.Titolo, matchesAny(r.Titolo, gone) && !matchesAny(r.Titolo, kept));
        if (*it) {
            changed.push_back(std::move(r.key));
            rows.push_back(r.rowid);
        }
    }
    programmes.unmarkRows(rows);
    return changed;
}

} // namespace orv
