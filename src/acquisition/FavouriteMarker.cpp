#include "acquisition/FavouriteMarker.h"

#include "core/MainWindowSeam.h"
#include "platform/Text.h"

#include <algorithm>

namespace orv {

QString FavouriteMarker::pattern(const QString &favouriteTitle)
{
    // A favourite marks its own title: "#" and "[" are the characters
    // themselves, as a list of one.
    QString p;
    p.reserve(favouriteTitle.size());
    for (const QChar c : favouriteTitle) {
        if (c == u'\'' || c == u'_')
            p += u'*';
        else if (c == u'#' || c == u'[')
            p += u'[' + QString(c) + u']';
        else
            p += c;
    }
    return p;
}

void FavouriteMarker::load()
{
    titles_.emplace();
    text::FoldedNumbering numbering;
    auto st = db_.prepare(QStringLiteral("select rowid, Titolo, Marked from Programmi where Titolo is not null"));
    while (st.next()) {
        const size_t n = numbering.number(st.utf8(1));
        if (n == titles_->size())
            titles_->push_back({numbering.folded(n), {}, {}});
        Title &t = (*titles_)[n];
        t.rows.push_back(st.integer(0));
        t.marked.push_back(st.utf8(2) == "1");
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
        if (!jetLikeFolded(t.folded, p))
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
