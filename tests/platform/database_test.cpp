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
        path = dir.filePath(QStringLiteral("t.cfg"));
        sqlite3 *raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        registerJetTextRules(raw);
        ASSERT_EQ(sqlite3_exec(raw,
                               "create table T (Name text collate NOCASE, N integer);"
                               "create unique index TName on T (Name);",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
        db = Database::open(path);
    }

    void add(const QString &name, qint64 n)
    {
        db.prepare(QStringLiteral("insert into T (Name, N) values (?, ?)")).bindAll(name, n).execute();
    }

    int countWhere(const QString &where, const QString &value)
    {
        auto st = db.prepare(QStringLiteral("select count(*) from T where ") + where);
        st.bind(1, value);
        st.next();
        return int(st.integer(0));
    }

    QTemporaryDir dir;
    QString path;
    Database db;
};

TEST_F(DatabaseTest, OpeningNeverCreatesAFile)
{
    const QString missing = dir.filePath(QStringLiteral("missing.cfg"));
    EXPECT_THROW(Database::open(missing), DbError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(DatabaseTest, EqualityIgnoresCaseOfAccentedLetters)
{
    add(QStringLiteral("Èlite Città"), 1);
    EXPECT_EQ(countWhere(QStringLiteral("Name = ?"), QStringLiteral("èlite CITTÀ")), 1);
    EXPECT_EQ(countWhere(QStringLiteral("Name = ?"), QStringLiteral("Elite Citta")), 0);
    EXPECT_THROW(add(QStringLiteral("ÈLITE città"), 2), DbError); // the unique index folds case too
}

TEST_F(DatabaseTest, LikeUsesStarAndQuestionMarkOnly)
{
    for (const char *name : {"100% Musica", "Tom_e_Jerry", "L'Ora #1 [speciale]", "Perché no"})
        add(QString::fromUtf8(name), 1);
    const std::pair<const char *, int> cases[] = {{"100%*", 1},       {"1%", 0},          {"tom_e_jerry", 1},
                                                  {"tom e jerry", 0}, {"*#1 [speciale]", 1}, {"PERCH? NO", 1},
                                                  {"*PERCHÉ*", 1},    {"*", 4}};
    for (const auto &[pattern, count] : cases)
        EXPECT_EQ(countWhere(QStringLiteral("Name like ?"), QString::fromUtf8(pattern)), count) << pattern;
}

TEST_F(DatabaseTest, TransactionRollsBackWhenNotCommitted)
{
    {
        Transaction t(db);
        add(QStringLiteral("gone"), 1);
    }
    EXPECT_EQ(countWhere(QStringLiteral("Name = ?"), QStringLiteral("gone")), 0);
    {
        Transaction t(db);
        add(QStringLiteral("kept"), 1);
        t.commit();
    }
    EXPECT_EQ(countWhere(QStringLiteral("Name = ?"), QStringLiteral("kept")), 1);
}

// The engine's refusals are errors, not silence: text rules that cannot be
// registered (a statement is running), and a reset after a failed step
// (which only repeats the step's error) lets the statement run again.
TEST_F(DatabaseTest, RefusedRegistrationFailsAndAResetAfterAFailedStepDoesNot)
{
    sqlite3 *raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
    registerJetTextRules(raw);
    ASSERT_EQ(sqlite3_exec(raw, "insert into T (Name, N) values ('x', 1)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt *running = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "select Name from T", -1, &running, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(running), SQLITE_ROW);
    EXPECT_THROW(registerJetTextRules(raw), DbError);
    sqlite3_finalize(running);
    sqlite3_close(raw);

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
        {"aXbXc", "*x*x*", true}, {"ab", "a?b", false}, {"", "*", true}};
    for (const auto &[text, pattern, matches] : cases)
        EXPECT_EQ(jetLike(QString::fromUtf8(text), QString::fromUtf8(pattern)), matches) << text << " / " << pattern;
}

} // namespace
