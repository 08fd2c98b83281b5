#include "platform/Database.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace orv;

namespace {

// A scratch database made with the raw API, since the layer never creates files.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        registerJetTextRules(raw);
        const char *schema = "create table T (Name text collate NOCASE, N integer); create unique index TName on T (Name);";
        ASSERT_EQ(sqlite3_exec(raw, schema, nullptr, nullptr, nullptr), SQLITE_OK);
        db = Database::open(path);
    }
    void TearDown() override { sqlite3_close(raw); }

    void add(const QString &name) { db.prepare(QStringLiteral("insert into T (Name) values (?)")).bindAll(name).execute(); }
    int countWhere(const char *test, const QString &value)
    {
        auto st = db.prepare(QStringLiteral("select count(*) as Quanti from T where Name %1 ?").arg(QLatin1String(test)));
        st.bind(1, value);
        st.next();
        return int(st.integer(QStringLiteral("QUANTI")));
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("t.cfg"));
    sqlite3 *raw = nullptr;
    Database db;
};

TEST_F(DatabaseTest, EqualityIgnoresCaseOfAccentedLettersAndLikeTakesTheListingsPatternCharacters)
{
    for (const char *name :
         {"Èlite Città", "100% Musica", "Tom_e_Jerry", "L'Ora #1 [speciale]", "Perché no", "Formula 1", "Zormula 2", ""})
        add(QString::fromUtf8(name));
    EXPECT_THROW(add(QStringLiteral("ÈLITE città")), DbError); // the unique index folds case too
    // "*" any run, "?" one character, "#" one digit, "[...]" one of a list
    // ("!" negates, "-" ranges); "%" and "_" are plain characters.
    const std::tuple<const char *, const char *, int> cases[] = {
        {"=", "èlite CITTÀ", 1},    {"=", "Elite Citta", 0},     {"like", "100%*", 1},       {"like", "1%", 0},
        {"like", "tom_e_jerry", 1}, {"like", "tom e jerry", 0},  {"like", "PERCH? NO", 1},   {"like", "*PERCHÉ*", 1},
        {"like", "*", 8},           {"like", "*#1*", 0},         {"like", "* #", 2},         {"like", "*[[]speciale]", 1},
        {"like", "*[#]1 *", 1},     {"like", "[fz]ormula*", 2},  {"like", "[FZ]ORMULA #", 2}, {"like", "[!f]ormula 2", 1},
        {"like", "*ula [1-1]", 1},  {"like", "[a-g]*", 1},       {"like", "[!]*", 0},        {"like", "*[*", 1},
        {"like", "[]Formula 1", 1}, {"=", "", 1}};
    for (const auto &[test, value, count] : cases)
        EXPECT_EQ(countWhere(test, QString::fromUtf8(value)), count) << test << " " << value;
    EXPECT_TRUE(jetLike(QStringLiteral("ÈLITE 7"), QStringLiteral("[à-è]lite #")));
}

// A deferred foreign key makes the COMMIT itself fail: the work is rolled
// back and the connection takes the next transaction.
TEST_F(DatabaseTest, TransactionRollsBackWhenNotCommittedOrWhenItsCommitFails)
{
    db.exec(QStringLiteral("PRAGMA foreign_keys=ON; create table C (P text references T (Name) deferrable initially deferred)"));
    ASSERT_EQ(sqlite3_exec(raw, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_THROW(Transaction{db}, DbError); // another writer holds the lock
    sqlite3_exec(raw, "rollback", nullptr, nullptr, nullptr);
    for (const QString name : {"gone", "refused", "kept"}) {
        Transaction t(db);
        add(name);
        if (name == "refused") {
            db.exec(QStringLiteral("insert into C values ('nobody')"));
            EXPECT_THROW(t.commit(), DbError);
        } else if (name == "kept") {
            t.commit();
        }
    }
    for (const QString name : {"gone", "refused", "kept"})
        EXPECT_EQ(countWhere("=", name), int(name == "kept")) << name.toStdString();
}

// Refusals are errors, not silence: a missing file (never created), rules
// that cannot be registered (a statement runs; a writer still may); a reset
// after a failed step only repeats its error and the statement runs again.
TEST_F(DatabaseTest, AMissingFileAndRefusedRegistrationFailAndAResetAfterAFailedStepDoesNot)
{
    const QString missing = dir.filePath(QStringLiteral("missing.cfg"));
    EXPECT_THROW(Database::open(missing), DbError);
    EXPECT_FALSE(QFile::exists(missing));
    ASSERT_EQ(sqlite3_exec(raw, "insert into T (Name, N) values ('x', 1)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt *running = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "select Name from T", -1, &running, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(running), SQLITE_ROW);
    EXPECT_THROW(registerJetTextRules(raw), DbError);
    EXPECT_NO_THROW(add(QStringLiteral("written while read")));
    sqlite3_finalize(running);

    Statement insert = db.prepare(QStringLiteral("insert into T (Name, N) values (?, ?)"));
    insert.bindAll(QStringLiteral("X"), qint64(2));
    EXPECT_THROW(insert.execute(), DbError);
    EXPECT_NO_THROW(insert.reset());
    insert.bindAll(QStringLiteral("y"), qint64(3));
    EXPECT_EQ(insert.execute(), 1);
}

TEST(JetLike, MatchesInMemoryLikeTheEngine)
{
    const std::tuple<const char *, const char *, bool> cases[] = {
        {"Il Commissario Montalbano", "*montalbano", true}, {"abc", "a*c*", true}, {"abc", "a*d", false},
        {"aXbXc", "*x*x*", true}, {"ab", "a?b", false}, {"", "*", true}, {"Tg 09", "tg ##", true},
        {"Tg 9:", "tg ##", false}, {"Formula 1", "[!e-g]*", false}};
    for (const auto &[text, pattern, matches] : cases)
        EXPECT_EQ(jetLike(QString::fromUtf8(text), QString::fromUtf8(pattern)), matches) << text << " / " << pattern;
}

} // namespace
