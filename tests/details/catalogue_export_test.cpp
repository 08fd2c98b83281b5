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

// Runs SQL on a file with a plain connection, creating the file if needed; gives SQLite's result.
int runSql(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc;
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
    }
    CatalogueOutcome::Kind exportFilm(const QString &title)
    {
        return CatalogueExport(catalogue, title, QStringLiteral("Film"), QDate(2026, 12, 6)).kind;
    }
    qint64 count(const QString &where = QStringLiteral("1"))
    {
        Database db = Database::openForeign(catalogue, 0);
        Statement s = db.prepare(QStringLiteral("SELECT count(*) FROM Movies WHERE ") + where);
        s.next();
        return s.integer(0);
    }

    test::TempApp app;
    QString catalogue;
    QStringList boxes;
    test::RecordingSeam seam;
};

TEST_F(CatalogueExportTest, NoCatalogueOrOneThatRefusesTheRowStaysAsItIs)
{
    const QString mdb = app.file(QStringLiteral("videoteca.mdb"));
    {
        QFile f(mdb);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB\0\0 not for us\r\n", 30);
    }
    const QString other = app.file(QStringLiteral("altro.db"));
    runSql(other, QStringLiteral("CREATE TABLE Film (Titolo TEXT); INSERT INTO Film VALUES ('Heat');"));
    // A catalogue missing one of the fields: the insert fails as a whole.
    runSql(catalogue, QStringLiteral("ALTER TABLE Movies DROP COLUMN AquiredFrom; "
                                     "INSERT INTO Movies (MovieID, Title) VALUES (0, 'Heat')"));
    const QStringList before = QDir(app.path()).entryList(QDir::Files);
    using K = CatalogueOutcome;
    const std::pair<QString, K::Kind> cases[] = {
        {QString(), K::NotConfigured}, {"1", K::NotConfigured}, {app.file("nessuno.db"), K::NotConfigured},
        {app.path(), K::NotConfigured}, {mdb, K::NotCatalogue}, {other, K::NotCatalogue}, {catalogue, K::Failed}};
    for (const auto &[path, kind] : cases) {
        SCOPED_TRACE(qPrintable(path));
        const QByteArray original = bytes(path);
        boxes.clear();
        seam.calls.clear();
        Cinedrawerdb = path;
        EXPECT_EQ(exportToCatalogue(QStringLiteral("Il Gladiatore"), QStringLiteral("Film")).kind, kind);
        EXPECT_EQ(bytes(path), original);
        // Only a file that was tried earns the status mark; the box says why.
        EXPECT_EQ(seam.calls, kind == K::NotConfigured ? QStringList{} : QStringList{QStringLiteral("status 1 <")});
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(kind == K::NotConfigured || boxes[0].contains(kind == K::Failed ? "AquiredFrom" : path));
    }
    EXPECT_EQ(QDir(app.path()).entryList(QDir::Files), before);
}

TEST_F(CatalogueExportTest, OneRowWithItsDefaultsAndASecondExportAddsNothingAndSaysNothing)
{
    Cinedrawerdb = catalogue;
    EXPECT_EQ(exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Poliziesco")).kind, CatalogueOutcome::Added);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Film correttamente inserito nella tua videoteca")});
    boxes.clear();
    EXPECT_EQ(exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Poliziesco")).kind,
              CatalogueOutcome::AlreadyCatalogued);
    EXPECT_TRUE(boxes.isEmpty() && seam.calls.isEmpty());
    EXPECT_EQ(count(QStringLiteral("Title = 'Heat' AND Genre = 'Poliziesco' AND MovieID = 0")), 1);
    runSql(catalogue, QStringLiteral("UPDATE Movies SET MovieID = 41"));
    CatalogueExport(catalogue, QStringLiteral("Il Gladiatore"), {}, QDate(2026, 12, 6));
    EXPECT_EQ(count("MovieID = 42 AND Genre = '' AND DateInsert = '2026-12-06' AND Modified = DateInsert AND Cover = "
                    "'none.jpg' AND color = '0' AND LOAN = 0 AND Seen = 0 AND DolbyCodec = 0 AND WebImported = 0"), 1);
}

TEST_F(CatalogueExportTest, TitleWordsMatchInOrderWithAnythingAround)
{
    runSql(catalogue, QStringLiteral("INSERT INTO Movies (MovieID, Title) VALUES (0, 'Ritorno al futuro (1985)'), "
                                     "(1, 'Al futuro e ritorno'), (2, 'Il Padrino: parte II')"));
    EXPECT_EQ(exportFilm(QStringLiteral("ritorno al futuro")), CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(exportFilm(QStringLiteral("Padrino parte II")), CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(exportFilm(QStringLiteral("Il ritorno del re")), CatalogueOutcome::Added);
    runSql(catalogue, QStringLiteral("DELETE FROM Movies WHERE Title = 'Ritorno al futuro (1985)'"));
    // Without the first word the rest does not count.
    EXPECT_EQ(exportFilm(QStringLiteral("Ritorno al futuro")), CatalogueOutcome::Added);
    EXPECT_EQ(exportFilm(QStringLiteral("C'era una volta il West")), CatalogueOutcome::Added);
    EXPECT_EQ(exportFilm(QStringLiteral("C'era una volta il West")), CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(count(), 5);
}

// Another program writing the same film between the duplicate test and the
// insert must not leave it twice in the catalogue.
QString racingCatalogue;
int racingWrite = -1;

int traceExport(unsigned, void *, void *, void *sql)
{
    if (racingWrite == -1 && QByteArray(static_cast<const char *>(sql)).startsWith("SELECT max(MovieID)"))
        racingWrite = runSql(racingCatalogue, QStringLiteral("PRAGMA busy_timeout = 0; "
                                                             "INSERT INTO Movies (MovieID, Title) VALUES (7, 'Heat')"));
    return 0;
}

int watchExport(sqlite3 *db, const char **, const void *)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, traceExport, nullptr);
    return SQLITE_OK;
}

TEST_F(CatalogueExportTest, AWriterBetweenTheDuplicateTestAndTheInsertLeavesNoDuplicate)
{
    racingCatalogue = catalogue;
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(watchExport));
    exportFilm(QStringLiteral("Heat"));
    sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(watchExport));
    EXPECT_NE(racingWrite, -1);
    EXPECT_EQ(count(QStringLiteral("Title = 'Heat'")), 1);
}

} // namespace
