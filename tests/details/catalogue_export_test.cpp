#include "details/CatalogueExport.h"

#include "core/AppState.h"
#include "core/Settings.h"
#include "platform/Database.h"
#include "platform/Prompt.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace orv;

namespace {

// The catalogue's fields as the catalogue product lays them out.
const QStringList catalogueFields = QStringLiteral(
    "MovieID Title Genre DateInsert ReferenceNo OriginalTitle media SubGenre Edition CatalogNo Year Country "
    "language Studio Distributor MPAA URL InternetID ScriptUsed WebLinkScript Region length VideoDVD AudioDVD "
    "position FreeTime Mode VideoStandard Director Producer Musician Writer Photographer Comments Plot Tagline "
    "Notes Cover Rating Loaner DateLoan Subtitles Actors Codec Resolution BitRate AudioCodec fileSize SampleRate "
    "AudioBitRate Ripped Channels MovieFile1 MovieFile2 MovieFile3 MovieFile4 MovieFile5 MovieFile6 TrailerFile1 "
    "TrailerFile2 Player CDLabel OriginalLanguage DVDID VHSID UPC DvdYear Packaging Chapter status location OWNER "
    "DatePurchased AquiredFrom Price Value SeenWhen SeenWhere Modified Awards Disk fps Custom1 Custom2 Custom3 "
    "Custom4 Custom5 Custom6 Custom7 Custom8 Custom9 Custom10 Custom11 Type LOAN Seen DolbyCodec WebImported "
    "color").split(QLatin1Char(' '));

const QDate today(2026, 12, 6);

// Runs SQL on a file with a plain connection, creating the file if needed.
void runSql(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char *err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class CatalogueExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        catalogue = app.db(QStringLiteral("Cinedrawer.db"));
        Prompt::setHandler([this](const PromptRequest &r) {
            boxes << r.text;
            return Answer::Ok;
        });
    }
    void TearDown() override
    {
        Prompt::setHandler({});
        Cinedrawerdb.clear();
        Lingua[122].clear();
        Lingua[123].clear();
    }

    CatalogueOutcome exportFilm(const QString &title, const QString &genre = QStringLiteral("Film"))
    {
        return CatalogueExport(catalogue, title, genre, today);
    }
    qint64 count(const QString &where = QStringLiteral("1"))
    {
        Database db = Database::openForeign(catalogue, 0);
        Statement s = db.prepare(QStringLiteral("SELECT count(*) FROM Movies WHERE ") + where);
        s.next();
        return s.integer(0);
    }
    void addTitles(const QStringList &titles)
    {
        qint64 id = 1;
        QString sql;
        for (const QString &t : titles)
            sql += QStringLiteral("INSERT INTO Movies (MovieID, Title) VALUES (%1, '%2');")
                       .arg(id++)
                       .arg(QString(t).replace(QLatin1Char('\''), QStringLiteral("''")));
        runSql(catalogue, sql);
    }

    test::TempApp app;
    QString catalogue;
    QStringList boxes;
    test::RecordingSeam seam;
};

TEST_F(CatalogueExportTest, ShippedCatalogueHasTheFieldsInOrder)
{
    Database db = Database::openForeign(catalogue, 0);
    Statement s = db.prepare(QStringLiteral("SELECT name FROM pragma_table_info('Movies') ORDER BY cid"));
    QStringList names;
    while (s.next())
        names << s.text(0);
    EXPECT_EQ(names, catalogueFields);
    EXPECT_EQ(count(), 0);
}

TEST_F(CatalogueExportTest, NoCatalogueChosenOrFoundShowsTheSetupMessage)
{
    Lingua[122] = QStringLiteral("Nessun catalogo.");
    Lingua[123] = QStringLiteral("Sceglilo nelle Preferenze.");
    for (const QString &path : {QString(), QStringLiteral("1"), app.file(QStringLiteral("nessuno.db")), app.path()}) {
        SCOPED_TRACE(qPrintable(path));
        boxes.clear();
        Cinedrawerdb = path;
        EXPECT_EQ(exportToCatalogue(QStringLiteral("Il Gladiatore"), QStringLiteral("Film")).kind,
                  CatalogueOutcome::NotConfigured);
        EXPECT_EQ(boxes, QStringList{QStringLiteral("Nessun catalogo.\r\n\r\nSceglilo nelle Preferenze.")});
    }
    EXPECT_TRUE(seam.calls.isEmpty());
    EXPECT_FALSE(QFile::exists(app.file(QStringLiteral("nessuno.db"))));
    EXPECT_FALSE(QFile::exists(app.file(QStringLiteral("1"))));
}

TEST_F(CatalogueExportTest, FilesThatAreNotACatalogueStayAsTheyAre)
{
    const QString mdb = app.file(QStringLiteral("videoteca.mdb"));
    {
        QFile f(mdb);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB\0\0 not for us\r\n", 30);
    }
    const QString other = app.file(QStringLiteral("altro.db"));
    runSql(other, QStringLiteral("CREATE TABLE Film (Titolo TEXT); INSERT INTO Film VALUES ('Heat');"));
    const QStringList before = QDir(app.path()).entryList(QDir::Files);

    for (const QString &path : {mdb, other}) {
        SCOPED_TRACE(qPrintable(path));
        const QByteArray original = bytes(path);
        boxes.clear();
        seam.calls.clear();
        Cinedrawerdb = path;
        const CatalogueOutcome out = exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Film"));
        EXPECT_EQ(out.kind, CatalogueOutcome::NotCatalogue);
        EXPECT_EQ(bytes(path), original);
        EXPECT_EQ(seam.calls, QStringList{QStringLiteral("status 1 <")});
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].contains(path));
    }
    EXPECT_EQ(QDir(app.path()).entryList(QDir::Files), before);
}

TEST_F(CatalogueExportTest, NewFilmTakesTheNextNumber)
{
    CatalogueOutcome first = exportFilm(QStringLiteral("Il Gladiatore"));
    EXPECT_EQ(first.kind, CatalogueOutcome::Added);
    EXPECT_EQ(first.movieId, 0);

    runSql(catalogue, QStringLiteral("DELETE FROM Movies; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                     "FROM n WHERE i < 41) INSERT INTO Movies (MovieID, Title) SELECT i, 'Film ' || "
                                     "i FROM n;"));
    CatalogueOutcome next = exportFilm(QStringLiteral("Il Gladiatore"));
    EXPECT_EQ(next.kind, CatalogueOutcome::Added);
    EXPECT_EQ(next.movieId, 42);
    EXPECT_EQ(count(QStringLiteral("MovieID = 42 AND Title = 'Il Gladiatore'")), 1);
}

TEST_F(CatalogueExportTest, EveryFieldOfTheNewRowHasItsValueAndType)
{
    ASSERT_EQ(exportFilm(QStringLiteral("  La vita è bella "), QString()).kind, CatalogueOutcome::Added);

    Database db = Database::openForeign(catalogue, 0);
    Statement s = db.prepare(QStringLiteral("SELECT * FROM Movies"));
    ASSERT_TRUE(s.next());
    ASSERT_EQ(s.columnCount(), catalogueFields.size());
    sqlite3_stmt *raw = nullptr;
    sqlite3_prepare_v2(db.handle(), "SELECT * FROM Movies", -1, &raw, nullptr);
    ASSERT_EQ(sqlite3_step(raw), SQLITE_ROW);
    for (int c = 0; c < catalogueFields.size(); ++c) {
        const QString field = catalogueFields[c];
        SCOPED_TRACE(qPrintable(field));
        const int type = sqlite3_column_type(raw, c);
        const QString value = s.text(field);
        if (QStringList{"MovieID", "LOAN", "Seen", "DolbyCodec", "WebImported"}.contains(field)) {
            EXPECT_EQ(type, SQLITE_INTEGER);
            EXPECT_EQ(value, QStringLiteral("0"));
            continue;
        }
        EXPECT_EQ(type, SQLITE_TEXT) << "no NULLs: every text field is written";
        if (field == QLatin1String("Title"))
            EXPECT_EQ(value, QStringLiteral("  La vita è bella "));
        else if (field == QLatin1String("DateInsert") || field == QLatin1String("Modified"))
            EXPECT_EQ(value, QStringLiteral("2026-12-06"));
        else if (field == QLatin1String("Cover"))
            EXPECT_EQ(value, QStringLiteral("none.jpg"));
        else if (field == QLatin1String("color"))
            EXPECT_EQ(value, QStringLiteral("0"));
        else
            EXPECT_EQ(value, QString()) << "Genre and every other field are empty";
    }
    sqlite3_finalize(raw);
    EXPECT_FALSE(s.next());
}

TEST_F(CatalogueExportTest, SecondExportAddsNothingAndSaysNothing)
{
    Cinedrawerdb = catalogue;
    EXPECT_EQ(exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Poliziesco")).kind, CatalogueOutcome::Added);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Film correttamente inserito nella tua videoteca")});
    boxes.clear();
    EXPECT_EQ(exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Poliziesco")).kind,
              CatalogueOutcome::AlreadyCatalogued);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(seam.calls.isEmpty());
    EXPECT_EQ(count(), 1);
}

TEST_F(CatalogueExportTest, TitleWordsMatchInOrderWithAnythingAround)
{
    addTitles({QStringLiteral("Ritorno al futuro (1985)"), QStringLiteral("Al futuro e ritorno"),
               QStringLiteral("Il Padrino: parte II")});
    EXPECT_EQ(exportFilm(QStringLiteral("ritorno al futuro")).kind, CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(exportFilm(QStringLiteral("Padrino parte II")).kind, CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(exportFilm(QStringLiteral("Il ritorno del re")).kind, CatalogueOutcome::Added);
    runSql(catalogue, QStringLiteral("DELETE FROM Movies WHERE Title = 'Ritorno al futuro (1985)'"));
    // Without the first word the rest does not count.
    EXPECT_EQ(exportFilm(QStringLiteral("Ritorno al futuro")).kind, CatalogueOutcome::Added);
    EXPECT_EQ(count(), 4);
}

TEST_F(CatalogueExportTest, ApostropheTitleIsAddedOnce)
{
    addTitles({QStringLiteral("Il buono, il brutto, il cattivo")});
    EXPECT_EQ(exportFilm(QStringLiteral("C'era una volta il West")).kind, CatalogueOutcome::Added);
    EXPECT_EQ(exportFilm(QStringLiteral("C'era una volta il West")).kind, CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(count(QStringLiteral("Title = 'C''era una volta il West'")), 1);
}

TEST_F(CatalogueExportTest, LockedCatalogueReportsAndAddsNothing)
{
    Cinedrawerdb = catalogue;
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(catalogue.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const CatalogueOutcome out = exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Film"));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    EXPECT_EQ(out.kind, CatalogueOutcome::Failed);
    EXPECT_FALSE(out.error.isEmpty());
    EXPECT_EQ(seam.calls, QStringList{QStringLiteral("status 1 <")});
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(out.error));
    EXPECT_FALSE(boxes[0].contains(QStringLiteral("correttamente")));
    EXPECT_EQ(count(), 0);
}

TEST_F(CatalogueExportTest, RefusedRowLeavesTheCatalogueUnchanged)
{
    // A catalogue missing one of the fields: the insert fails as a whole.
    QString fields = catalogueFields.join(QStringLiteral(" TEXT, ")) + QStringLiteral(" TEXT");
    fields.replace(QStringLiteral("AquiredFrom TEXT, "), QString());
    runSql(catalogue, QStringLiteral("DROP TABLE Movies; CREATE TABLE Movies (%1);").arg(fields));
    addTitles({QStringLiteral("Heat")});
    const QByteArray original = bytes(catalogue);

    const CatalogueOutcome out = exportFilm(QStringLiteral("Il Gladiatore"));
    EXPECT_EQ(out.kind, CatalogueOutcome::Failed);
    EXPECT_TRUE(out.error.contains(QStringLiteral("AquiredFrom"))) << qPrintable(out.error);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(bytes(catalogue), original);
}

} // namespace
