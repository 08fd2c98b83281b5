#pragma once

#include "core/Store.h"
#include "views/ListTemplate.h"
#include "views/Placeholders.h"

#include <QString>
#include <vector>

namespace orv {

// Where a long build reports its counts; false asks it to stop (its window
// is closing). The card is built without one.
class PageProgress {
public:
    virtual ~PageProgress() = default;
    virtual bool step(const QString &text) = 0;
};

// The three list pages differ in their description table: the report's
// carries _PR_TV_, the card's and the search page's do not.
enum class ListKind { Card, Report, Search };

struct ListPageResult {
    QString html;
    int rows = 0;           // programmes in the page
    bool overLimit = false; // more rows were given than the page takes
    bool cancelled = false; // the progress sink asked to stop; no page
};

// Fills a list-page template with programmes: HEAD once, ROW per programme
// (pass 1), DESCRIPTION per programme with a description (pass 2).
class ListPageBuilder {
public:
    ListPageBuilder(const ListTemplate &t, ListKind kind) : t_(t), kind_(kind) {}

    // HEAD: _TV_TITLE_, _TV_TODAY_ and, for the card, _LOGO_TV_.
    void setHead(const QString &title, const QString &today, const QString &logo = QString());
    // rowsLabel heads pass 1's count ("Programmi nel report : ").
    ListPageResult build(const std::vector<Programme> &rows, int limit, PageProgress *progress = nullptr,
                         const QString &rowsLabel = QString());

    // "dd/mm/yyyy" of a day number.
    static QString dayText(qint32 day);
    // The picture paths the pages use, relative to the application folder.
    static QString icon(const QString &state, const char *picture);
    static QString cover(const QString &immagine);

private:
    void fillRow(const Programme &p, int position, QString &out);
    void fillDescription(const Programme &p, int position, QString &out);

    void prepareSlots();

    const ListTemplate &t_;
    ListKind kind_;
    std::vector<int> rowSlots_, descriptionSlots_;
    Placeholders head_;
    Placeholders row_;
    Placeholders description_;
};

// The generated page on disk: UTF-8 with a byte-order mark, written aside and
// renamed into place. False (and the reason) when it could not be written.
bool writeListPage(const QString &path, const QString &html, QString *error = nullptr);

// The template chooser's list: the folder's "*.htm" files (any case), by name.
QStringList templateChoices(const QString &folder);

} // namespace orv
