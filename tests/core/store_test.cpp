#include "core/AppState.h"
#include "core/Language.h"
#include "core/Store.h"
#include "support/TempApp.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        listings = Database::open(PercorsoDb);
        channels = Database::open(PercorsoPalinsesti);
        favourites = Database::open(PercorsoPreferiti);
    }

    Programme prog(qint32 day, const QString &channel, int n, const QString &time, const QString &title)
    {
        Programme p;
        std::tie(p.Data, p.Palinsesto, p.Numerazione, p.ORA, p.Titolo) = std::tie(day, channel, n, time, title);
        return p;
    }

    QStringList titles(const std::vector<Programme> &rows)
    {
        QStringList out;
        for (const auto &p : rows)
            out << p.Titolo;
        return out;
    }

    test::TempApp app;
    Database listings, channels, favourites;
};

TEST_F(StoreTest, DayWrittenAsTextIsANumber)
{
    // Writers hand the day over as its eight-character text.
    listings.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) "
                                    "values (?, 'Rai 1', 1, '20:00', 'Tg1')"))
        .bind(1, QStringLiteral("20261206"))
        .execute();
    ProgrammiTable t(listings);
    EXPECT_TRUE(t.hasChannelDay(20261206, QStringLiteral("Rai 1")));
    EXPECT_EQ(t.channelDay(20261206, QStringLiteral("rai 1")).size(), 1u);
    EXPECT_EQ(t.deleteBefore(20261206), 0);
    EXPECT_EQ(t.deleteBefore(20261207), 1);
    EXPECT_EQ(t.count(), 0);
}

TEST_F(StoreTest, OnlyTheTextOneIsAMark)
{
    ProgrammiTable t(listings);
    listings.exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Promemoria) "
                                 "values (20261206, 'Rai 1', 1, '21:00', 'null', NULL), (20261206, 'Rai 1', 2, "
                                 "'21:00', 'zero', '0'), (20261206, 'Rai 1', 3, '21:00', 'uno', '1'), "
                                 "(20261206, 'Rai 1', 4, '21:00', 'vuoto', '')"));
    auto rows = t.withStateAt(20261206, QStringLiteral("21:00"), StateField::Promemoria);
    EXPECT_EQ(titles(rows), QStringList{"uno"});

    EXPECT_TRUE(t.setState({20261206, QStringLiteral("Rai 1"), 1}, StateField::Marked, true));
    EXPECT_EQ(titles(t.markedOnDay(20261206)), (QStringList{"null", "uno"}));
    EXPECT_TRUE(t.setState({20261206, QStringLiteral("Rai 1"), 1}, StateField::Marked, false));
    EXPECT_EQ(t.find({20261206, QStringLiteral("Rai 1"), 1})->Marked, QStringLiteral("0"));
    EXPECT_FALSE(t.setState({20261206, QStringLiteral("Rai 1"), 99}, StateField::Marked, true));
}

TEST_F(StoreTest, PercentAndUnderscoreInTitlesAreLiteral)
{
    ProgrammiTable t(listings);
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 1, QStringLiteral("20:00"), QStringLiteral("100% Calcio")));
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 2, QStringLiteral("21:00"), QStringLiteral("1000 Calcio")));
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 3, QStringLiteral("22:00"), QStringLiteral("Tom_Jerry")));
    t.insert(prog(20261206, QStringLiteral("Rai 1"), 4, QStringLiteral("23:00"), QStringLiteral("TomXJerry")));
    EXPECT_EQ(titles(t.byTitleLike(QStringLiteral("100% calcio"))), QStringList{"100% Calcio"});
    EXPECT_EQ(titles(t.byTitleLike(QStringLiteral("tom_jerry"))), QStringList{"Tom_Jerry"});
    EXPECT_EQ(t.setMarkedByTitleLike(QStringLiteral("tom*"), true), 2);
}

} // namespace
