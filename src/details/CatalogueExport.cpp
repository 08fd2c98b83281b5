#include "details/CatalogueExport.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "core/Settings.h"
#include "platform/Database.h"
#include "platform/Prompt.h"

#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

namespace orv {

namespace {

// The fields of an exported film, in the catalogue's order.
const QStringList &movieFields()
{
    static const QStringList fields = QStringLiteral(
        "MovieID, Title, Genre, DateInsert, ReferenceNo, OriginalTitle, media, SubGenre, "
        "Edition, CatalogNo, Year, Country, language, Studio, Distributor, MPAA, "
        "URL, InternetID, ScriptUsed, WebLinkScript, Region, length, VideoDVD, AudioDVD, "
        "position, FreeTime, Mode, VideoStandard, Director, Producer, Musician, Writer, "
        "Photographer, Comments, Plot, Tagline, Notes, Cover, Rating, Loaner, "
        "DateLoan, Subtitles, Actors, Codec, Resolution, BitRate, AudioCodec, fileSize, "
        "SampleRate, AudioBitRate, Ripped, Channels, MovieFile1, MovieFile2, MovieFile3, MovieFile4, "
        "MovieFile5, MovieFile6, TrailerFile1, TrailerFile2, Player, CDLabel, OriginalLanguage, DVDID, "
        "VHSID, UPC, DvdYear, Packaging, Chapter, status, location, OWNER, "
        "DatePurchased, AquiredFrom, Price, Value, SeenWhen, SeenWhere, Modified, Awards, "
        "Disk, fps, Custom1, Custom2, Custom3, Custom4, Custom5, Custom6, "
        "Custom7, Custom8, Custom9, Custom10, Custom11, Type, LOAN, Seen, "
        "DolbyCodec, WebImported, color").split(QStringLiteral(", "));
    return fields;
}

QVariant fieldValue(const QString &field, qint64 id, const QString &title, const QString &genre,
                    const QString &today)
{
    static const QStringList flags{QStringLiteral("LOAN"), QStringLiteral("Seen"), QStringLiteral("DolbyCodec"),
                                   QStringLiteral("WebImported")};
    if (field == QLatin1String("MovieID"))
        return id;
    if (field == QLatin1String("Title"))
        return title;
    if (field == QLatin1String("Genre"))
        return genre;
    if (field == QLatin1String("DateInsert") || field == QLatin1String("Modified"))
        return today;
    if (field == QLatin1String("Cover"))
        return QStringLiteral("none.jpg");
    if (field == QLatin1String("color"))
        return QStringLiteral("0");
    if (flags.contains(field))
        return qint64(0);
    return QStringLiteral("");
}

QString insertSql()
{
    const QStringList &fields = movieFields();
    const QStringList marks(fields.size(), QStringLiteral("?"));
    return QStringLiteral("INSERT INTO Movies (") + fields.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           marks.join(QLatin1Char(',')) + QLatin1Char(')');
}

bool hasMoviesTable(Database &db)
{
    Statement s = db.prepare(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Movies' COLLATE NOCASE"));
    return s.next();
}

} // namespace

CatalogueOutcome CatalogueExport(const QString &path, const QString &title, const QString &genre,
                                 const QDate &today)
{
    CatalogueOutcome out;
    if (path.isEmpty() || path == QLatin1String("1") || !QFileInfo(path).isFile())
        return out;
    try {
        Database db = Database::openForeign(path, 1000);
        // Read before anything is written, so a foreign file stays as it is.
        if (!hasMoviesTable(db)) {
            out.kind = CatalogueOutcome::NotCatalogue;
            out.error = QStringLiteral("no such table: Movies");
            return out;
        }
        Transaction tx(db);
        // Blanks become "*": a title holding the same words in the same order counts.
        QString pattern = title;
        pattern.replace(QLatin1Char(' '), QLatin1Char('*'));
        Statement dup = db.prepare(QStringLiteral("SELECT 1 FROM Movies WHERE Title LIKE ? LIMIT 1"));
        dup.bind(1, QStringLiteral("*") + pattern + QStringLiteral("*"));
        if (dup.next()) {
            out.kind = CatalogueOutcome::AlreadyCatalogued;
            return out;
        }
        Statement top = db.prepare(QStringLiteral("SELECT max(MovieID) FROM Movies"));
        top.next();
        const qint64 id = top.isNull(0) ? 0 : top.integer(0) + 1;

        const QString day = today.toString(QStringLiteral("yyyy-MM-dd"));
        Statement insert = db.prepare(insertSql());
        int i = 0;
        for (const QString &field : movieFields())
            insert.bind(++i, fieldValue(field, id, title, genre, day));
        insert.execute();
        tx.commit();
        out.kind = CatalogueOutcome::Added;
        out.movieId = id;
    } catch (const DbError &e) {
        out.kind = e.number() == SQLITE_NOTADB ? CatalogueOutcome::NotCatalogue : CatalogueOutcome::Failed;
        out.error = e.text();
    }
    return out;
}

CatalogueOutcome exportToCatalogue(const QString &title, const QString &genre)
{
    CatalogueOutcome out = CatalogueExport(Cinedrawerdb, title, genre, QDate::currentDate());
    switch (out.kind) {
    case CatalogueOutcome::NotConfigured:
        Prompt::message(linguaOr(122, "Il database di Cinedrawer non e' configurato o non e' stato trovato!") +
                        QStringLiteral("\r\n\r\n") +
                        linguaOr(123, "Vai nelle Preferenze e seleziona il file del tuo database di Cinedrawer."));
        break;
    case CatalogueOutcome::AlreadyCatalogued:
        break;
    case CatalogueOutcome::Added:
        Prompt::message(QStringLiteral("Film correttamente inserito nella tua videoteca"));
        break;
    case CatalogueOutcome::NotCatalogue:
        mainWindow().writeStatus(1, QStringLiteral("<"));
        Prompt::message(QStringLiteral("Il file \"%1\" non e' un database di Cinedrawer: il film non e' stato "
                                       "inserito.\r\n\r\n%2")
                            .arg(Cinedrawerdb, out.error),
                        QString(), Buttons::Ok, Icon::Warning);
        break;
    case CatalogueOutcome::Failed:
        mainWindow().writeStatus(1, QStringLiteral("<"));
        Prompt::message(QStringLiteral("Il film non e' stato inserito nella videoteca.\r\n\r\n") + out.error,
                        QString(), Buttons::Ok, Icon::Warning);
        break;
    }
    return out;
}

} // namespace orv
