#include "acquisition/FavouriteMarker.h"

#include <algorithm>

namespace orv {

QString FavouriteMarker::pattern(const QString &favouriteTitle)
{
    QString p = favouriteTitle;
    p.replace(QLatin1Char('\''), QLatin1Char('*'));
    p.replace(QLatin1Char('_'), QLatin1Char('*'));
    return p;
}

void FavouriteMarker::load()
{
    titles_.emplace();
    QHash<QString, size_t> index;
    auto st = db_.prepare(QStringLiteral("select rowid, Titolo, Marked from Programmi where Titolo is not null"));
    while (st.next()) {
        const QString folded = st.text(1).toCaseFolded();
        auto it = index.find(folded);
        if (it == index.end()) {
            it = index.insert(folded, titles_->size());
            titles_->push_back({folded, {}, {}});
        }
        Title &t = (*titles_)[*it];
        t.rows.push_back(st.integer(0));
        t.marked.push_back(st.text(2) == QLatin1String("1"));
    }
}

FavouriteMarker::~FavouriteMarker()
{
    try {
        write();
    } catch (const DbError &) {
    }
}

int FavouriteMarker::mark(const QString &favouriteTitle)
{
    if (!titles_)
        load();
    const QString p = pattern(favouriteTitle).toCaseFolded();
    int matching = 0;
    for (Title &t : *titles_) {
        if (!jetLike(t.folded, p))
            continue;
        matching += int(t.rows.size());
        for (size_t i = 0; i < t.rows.size(); ++i)
            if (!t.marked[i]) {
                pending_.push_back(t.rows[i]);
                t.marked[i] = true;
            }
    }
    return matching;
}

void FavouriteMarker::write()
{
    if (pending_.empty())
        return;
    // In table order each page is read and written once.
    std::sort(pending_.begin(), pending_.end());
    auto st = db_.prepare(QStringLiteral("update Programmi set Marked = '1' where rowid = ?"));
    Transaction tx(db_);
    for (qint64 row : pending_) {
        st.reset();
        st.bind(1, row);
        st.execute();
    }
    tx.commit();
    pending_.clear();
}

} // namespace orv
