#pragma once

#include <QDate>
#include <QString>

namespace orv {

// What became of one film export.
struct CatalogueOutcome {
    enum Kind {
        NotConfigured,     // Cinedrawerdb "", "1" or no such file: nothing opened
        NotCatalogue,      // not an SQLite file with a table Movies: left untouched
        AlreadyCatalogued, // a title matched: nothing added, nothing to say
        Added,
        Failed, // the engine's error; the catalogue is as it was
    };
    Kind kind = NotConfigured;
    qint64 movieId = -1; // the new row's MovieID when Added
    QString error;       // the engine's text when NotCatalogue or Failed
};

// Adds the film to the movie catalogue at path unless a title there already
// holds the title's words in the same order. One transaction: the duplicate
// test, the next MovieID and the row stand or fall together.
CatalogueOutcome CatalogueExport(const QString &path, const QString &title, const QString &genre,
                                 const QDate &today);

// The pop-up's export command: CatalogueExport on Cinedrawerdb for today,
// then the messages; a failure also writes "<" in the status bar.
CatalogueOutcome exportToCatalogue(const QString &title, const QString &genre);

} // namespace orv
