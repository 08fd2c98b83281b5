#include "acquisition/FavouriteMarker.h"

#include "core/MainWindowSeam.h"

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
    // Titles repeat from day to day: each spelling is folded once.
    QHash<QString, size_t> spelling;
    auto st = db_.prepare(QStringLiteral("select rowid, Titolo, Marked from Programmi where Titolo is not null"));
    while (st.next()) {
        const QString title = st.text(1);
        auto known = spelling.constFind(title);
        if (known == spelling.cend()) {
            const QString folded = title.toCaseFolded();
            auto it = index.find(folded);
            if (it == index.end()) {
                it = index.insert(folded, titles_->size());
                titles_->push_back({folded, {}, {}});
            }
            known = spelling.insert(title, *it);
        }
        Title &t = (*titles_)[*known];
        t.rows.push_back(st.integer(0));
        t.marked.push_back(st.text(2) == QLatin1String("1"));
    }
}

FavouriteMarker::~FavouriteMarker()
{
    // Marks not written are lost: said where post-processing reports a
    // failing database.
    try {
        write();
    } catch (const DbError &) {
        mainWindow().writeStatus(1, QStringLiteral("*"));
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
    // In table order each page is read and written once; a run of
    // consecutive rows (a title's episodes, a channel's evening of
    // favourites) takes one statement.
    std::sort(pending_.begin(), pending_.end());
    pending_.erase(std::unique(pending_.begin(), pending_.end()), pending_.end());
    auto st = db_.prepare(QStringLiteral("update Programmi set Marked = '1' where rowid between ? and ?"));
    Transaction tx(db_);
    for (size_t first = 0; first < pending_.size();) {
        size_t last = first;
        while (last + 1 < pending_.size() && pending_[last + 1] == pending_[last] + 1)
            ++last;
        st.reset();
        st.bindAll(pending_[first], pending_[last]);
        st.execute();
        first = last + 1;
    }
    tx.commit();
    pending_.clear();
}

} // namespace orv
