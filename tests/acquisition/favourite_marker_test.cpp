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
        int n = 0;
        for (const char *title : {"L'ispettore X", "L ispettore X", "L'ispettore Derrick", "ÈLISIR D'AMORE",
                                  "100% Musica", "1000 Musica", "A_B", "AxB", "Tg1", "Formula #1", "Formula 11",
                                  "[Live] Rock", "L Rock"}) {
            Programme p;
            p.Data = 20261206;
            p.Palinsesto = QStringLiteral("Rai 1");
            p.Numerazione = ++n;
            p.Titolo = QString::fromUtf8(title);
            ProgrammiTable(db).insert(p);
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

    test::TempApp app;
};

} // namespace

// Apostrophe and "_" stand for anything, as "*" does, "?" for one character;
// "%", "#" and "[" are plain characters, so a favourite marks its own title.
TEST_F(FavouriteMarking, PatternsFollowTheListingsMatchingRules)
{
    const struct {
        const char *favourite;
        int count;
        QStringList marked;
    } cases[] = {
        {"L'ispettore_X", 2, {"L'ispettore X", "L ispettore X"}}, {"èlisir d'amore", 1, {"ÈLISIR D'AMORE"}},
        {"100% Musica", 1, {"100% Musica"}}, {"A_B", 2, {"A_B", "AxB"}}, {"tg1", 1, {"Tg1"}}, {"Tg", 0, {}},
        {"Formula_#1", 1, {"Formula #1"}}, {"[live]_Rock", 1, {"[Live] Rock"}}, {"Formula ?", 0, {}},
    };
    for (const auto &c : cases) {
        Database::open(PercorsoDb).exec(QStringLiteral("update Programmi set Marked = '0'")); // unmarked
        Database db = Database::open(PercorsoDb);
        EXPECT_EQ(FavouriteMarker(db).mark(QString::fromUtf8(c.favourite)), c.count) << c.favourite;
        EXPECT_EQ(marked(), c.marked) << c.favourite;
    }
    // Several favourites mark only their own rows; rows matched twice are
    // counted twice and written once.
    Database::open(PercorsoDb).exec(QStringLiteral("update Programmi set Marked = ''"));
    {
        Database db = Database::open(PercorsoDb);
        FavouriteMarker marker(db);
        for (const char *f : {"L*X", "*Musica", "Tg1", "L?ispettore X"})
            EXPECT_EQ(marker.mark(QString::fromLatin1(f)), f[0] == 'T' ? 1 : 2) << f;
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
