#include "acquisition/FavouriteMarker.h"

#include "core/AppState.h"
#include "core/Store.h"
#include "support/TempApp.h"
#include "support/TestSeam.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

class FavouriteMarking : public ::testing::Test {
protected:
    void SetUp() override
    {
        Database db = Database::open(PercorsoDb);
        ProgrammiTable t(db);
        int n = 0;
        for (const QString &title : titles) {
            Programme p;
            p.Data = 20261206;
            p.Palinsesto = QStringLiteral("Rai 1");
            p.Numerazione = ++n;
            p.Titolo = title;
            t.insert(p);
        }
    }
    QStringList marked()
    {
        Database db = Database::open(PercorsoDb);
        QStringList out;
        for (const Programme &p : ProgrammiTable(db).channelDay(20261206, QStringLiteral("Rai 1")))
            if (p.Marked == QLatin1String("1"))
                out << p.Titolo;
        return out;
    }
    int mark(const QString &favourite)
    {
        Database db = Database::open(PercorsoDb);
        return FavouriteMarker(db).mark(favourite);
    }

    test::TempApp app;
    const QStringList titles{QString::fromUtf8("L'ispettore X"), QString::fromUtf8("L ispettore X"),
                             QString::fromUtf8("L'ispettore Derrick"), QString::fromUtf8("ÈLISIR D'AMORE"),
                             QString::fromUtf8("100% Musica"), QString::fromUtf8("1000 Musica"),
                             QString::fromUtf8("A_B"), QString::fromUtf8("AxB"), QString::fromUtf8("Tg1"),
                             QString::fromUtf8("Formula #1"), QString::fromUtf8("Formula 11"),
                             QString::fromUtf8("[Live] Rock"), QString::fromUtf8("L Rock")};
};

} // namespace

TEST_F(FavouriteMarking, PatternsFollowTheListingsMatchingRules)
{
    struct Case {
        QString favourite;
        int count;
        QStringList marked;
    };
    const Case cases[] = {
        {"L'ispettore_X", 2, {"L'ispettore X", "L ispettore X"}}, // apostrophe and "_" stand in for anything
        {QString::fromUtf8("èlisir d'amore"), 1, {QString::fromUtf8("ÈLISIR D'AMORE")}},
        {"100% Musica", 1, {"100% Musica"}}, // "%" is a plain character
        {"A_B", 2, {"A_B", "AxB"}},
        {"tg1", 1, {"Tg1"}},
        {"Tg", 0, {}},
        // A favourite marks its own title: "#" and "[" are plain characters.
        {"Formula_#1", 1, {"Formula #1"}},
        {"[live]_Rock", 1, {"[Live] Rock"}},
    };
    for (const Case &c : cases) {
        Database::open(PercorsoDb).exec(QStringLiteral("update Programmi set Marked = ''"));
        EXPECT_EQ(mark(c.favourite), c.count) << c.favourite.toStdString();
        EXPECT_EQ(marked(), c.marked) << c.favourite.toStdString();
    }
}

TEST_F(FavouriteMarking, SeveralFavouritesMarkOnlyTheirOwnRows)
{
    {
        Database db = Database::open(PercorsoDb);
        FavouriteMarker marker(db);
        EXPECT_EQ(marker.mark(QStringLiteral("L*X")), 2);
        EXPECT_EQ(marker.mark(QStringLiteral("*Musica")), 2);
        EXPECT_EQ(marker.mark(QStringLiteral("Tg1")), 1);
        // Rows matched twice are counted twice and written once.
        EXPECT_EQ(marker.mark(QStringLiteral("L?ispettore X")), 2);
        marker.write();
    }
    EXPECT_EQ(marked(), (QStringList{"L'ispettore X", "L ispettore X", "100% Musica", "1000 Musica", "Tg1"}));
}

// Marks left for the end that cannot be written are reported where
// post-processing reports a failing database, not dropped without a word.
TEST_F(FavouriteMarking, MarksThatCannotBeWrittenAreReported)
{
    test::RecordingSeam seam;
    {
        Database db = Database::open(PercorsoDb);
        FavouriteMarker marker(db);
        EXPECT_EQ(marker.mark(QStringLiteral("Tg1")), 1);
        db.exec(QStringLiteral("alter table Programmi rename to Altrove"));
    }
    EXPECT_EQ(seam.status(1), QStringList{"*"});
}
