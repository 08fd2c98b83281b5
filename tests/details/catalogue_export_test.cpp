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

const QDate today(2026, 12, 6);

// Runs SQL on a file with a plain connection, creating the file if needed.
void runSql(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char *err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
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

    CatalogueOutcome::Kind exportFilm(const QString &title, const QString &genre = QStringLiteral("Film"))
    {
        return CatalogueExport(catalogue, title, genre, today).kind;
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
        for (const QString &t : titles)
            runSql(catalogue, QStringLiteral("INSERT INTO Movies (MovieID, Title) VALUES (%1, '%2')").arg(count()).arg(t));
    }

    test::TempApp app;
    QString catalogue;
    QStringList boxes;
    test::RecordingSeam seam;
};

TEST_F(CatalogueExportTest, NoCatalogueChosenOrFoundShowsTheSetupMessage)
{
    Lingua[122] = QStringLiteral("Nessun catalogo.");
    Lingua[123] = QStringLiteral("Sceglilo nelle Preferenze.");
    for (const QString &path : {QString(), QStringLiteral("1"), app.file(QStringLiteral("nessuno.db")), app.path()}) {
        SCOPED_TRACE(qPrintable(path));
        boxes.clear();
        Cinedrawerdb = path;
        EXPECT_EQ(exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Film")).kind,
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
        EXPECT_EQ(exportToCatalogue(QStringLiteral("Heat"), QStringLiteral("Film")).kind,
                  CatalogueOutcome::NotCatalogue);
        EXPECT_EQ(bytes(path), original);
        EXPECT_EQ(seam.calls, QStringList{QStringLiteral("status 1 <")});
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].contains(path));
    }
    EXPECT_EQ(QDir(app.path()).entryList(QDir::Files), before);
}

TEST_F(CatalogueExportTest, NewFilmTakesTheNextNumberAndFillsEveryField)
{
    EXPECT_EQ(CatalogueExport(catalogue, QStringLiteral("  La vita è bella "), QString(), today).movieId, 0);
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(catalogue.toUtf8().constData(), &raw), SQLITE_OK);
    sqlite3_stmt *row = nullptr;
    sqlite3_prepare_v2(raw, "SELECT * FROM Movies", -1, &row, nullptr);
    ASSERT_EQ(sqlite3_step(row), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_count(row), 99);
    const QStringList numbers{"MovieID", "LOAN", "Seen", "DolbyCodec", "WebImported"};
    for (int c = 0; c < sqlite3_column_count(row); ++c) {
        const QString field = QString::fromUtf8(sqlite3_column_name(row, c));
        SCOPED_TRACE(qPrintable(field));
        const QString value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(row, c)));
        EXPECT_EQ(sqlite3_column_type(row, c), numbers.contains(field) ? SQLITE_INTEGER : SQLITE_TEXT);
        if (numbers.contains(field) || field == QLatin1String("color"))
            EXPECT_EQ(value, QStringLiteral("0"));
        else if (field == QLatin1String("Title"))
            EXPECT_EQ(value, QStringLiteral("  La vita è bella "));
        else if (field == QLatin1String("DateInsert") || field == QLatin1String("Modified"))
            EXPECT_EQ(value, QStringLiteral("2026-12-06"));
        else
            EXPECT_EQ(value, field == QLatin1String("Cover") ? QStringLiteral("none.jpg") : QString());
    }
    sqlite3_finalize(row);
    sqlite3_close(raw);

    runSql(catalogue, QStringLiteral("UPDATE Movies SET MovieID = 41, Title = 'Heat'"));
    const CatalogueOutcome next = CatalogueExport(catalogue, QStringLiteral("Il Gladiatore"), QString(), today);
    EXPECT_EQ(next.kind, CatalogueOutcome::Added);
    EXPECT_EQ(next.movieId, 42);
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
    EXPECT_EQ(count(QStringLiteral("Title = 'Heat' AND Genre = 'Poliziesco'")), 1);
}

TEST_F(CatalogueExportTest, TitleWordsMatchInOrderWithAnythingAround)
{
    addTitles({QStringLiteral("Ritorno al futuro (1985)"), QStringLiteral("Al futuro e ritorno"),
               QStringLiteral("Il Padrino: parte II")});
    EXPECT_EQ(exportFilm(QStringLiteral("ritorno al futuro")), CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(exportFilm(QStringLiteral("Padrino parte II")), CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(exportFilm(QStringLiteral("Il ritorno del re")), CatalogueOutcome::Added);
    runSql(catalogue, QStringLiteral("DELETE FROM Movies WHERE Title = 'Ritorno al futuro (1985)'"));
    // Without the first word the rest does not count.
    EXPECT_EQ(exportFilm(QStringLiteral("Ritorno al futuro")), CatalogueOutcome::Added);
    EXPECT_EQ(exportFilm(QStringLiteral("C'era una volta il West")), CatalogueOutcome::Added);
    EXPECT_EQ(exportFilm(QStringLiteral("C'era una volta il West")), CatalogueOutcome::AlreadyCatalogued);
    EXPECT_EQ(count(QStringLiteral("Title = 'C''era una volta il West'")), 1);
    EXPECT_EQ(count(), 5);
}

TEST_F(CatalogueExportTest, RefusedRowLeavesTheCatalogueUnchangedAndSaysWhy)
{
    // A catalogue missing one of the fields: the insert fails as a whole.
    runSql(catalogue, QStringLiteral("ALTER TABLE Movies DROP COLUMN AquiredFrom"));
    addTitles({QStringLiteral("Heat")});
    const QByteArray original = bytes(catalogue);
    Cinedrawerdb = catalogue;

    const CatalogueOutcome out = exportToCatalogue(QStringLiteral("Il Gladiatore"), QStringLiteral("Film"));
    EXPECT_EQ(out.kind, CatalogueOutcome::Failed);
    EXPECT_TRUE(out.error.contains(QStringLiteral("AquiredFrom"))) << qPrintable(out.error);
    EXPECT_EQ(bytes(catalogue), original);
    EXPECT_EQ(seam.calls, QStringList{QStringLiteral("status 1 <")});
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(out.error));
    EXPECT_FALSE(boxes[0].contains(QStringLiteral("correttamente")));
}

} // namespace
