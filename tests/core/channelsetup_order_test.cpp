#include "core/AppState.h"
#include "core/ChannelOrder.h"
#include "core/Store.h"
#include "support/TempApp.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>

using namespace orv;

namespace {

class ChannelOrderTest : public ::testing::Test {
protected:
    void SetUp() override { db = Database::open(PercorsoPalinsesti); }

    void exec(const QString &sql) { db.exec(sql); }
    Channel channel(const QString &name) { return *TelevisioniTable(db).byName(name); }
    int indexOf(const ChannelOrder &o, const QString &name)
    {
        const auto &e = o.entries();
        auto it = std::find_if(e.begin(), e.end(), [&](const ChannelEntry &c) { return c.name == name; });
        return it == e.end() ? -1 : int(it - e.begin());
    }

    test::TempApp app;
    Database db;
};

TEST_F(ChannelOrderTest, OffersOnlyVisibleChannelsOfGroupsOneToSeven)
{
    ChannelOrder all;
    all.load(db);
    exec("update Televisioni set ANTENNA = 0 where NOMETV = 'Rai 2'");
    exec("update Televisioni set ANTENNA = 8 where NOMETV = 'Rai 3'");
    exec("update Televisioni set ANTENNA = -1 where NOMETV = 'Rete 4'");
    exec("update Televisioni set Visualizzare = 0 where NOMETV = 'La7'");
    ChannelOrder o;
    o.load(db);
    EXPECT_EQ(indexOf(o, "Rai 2"), -1);
    EXPECT_EQ(indexOf(o, "Rai 3"), -1);
    EXPECT_EQ(indexOf(o, "Rete 4"), -1);
    EXPECT_EQ(indexOf(o, "La7"), -1);
    EXPECT_EQ(o.count(), all.count() - 4);
    EXPECT_EQ(o.entries()[0].name, "Rai 1");
    EXPECT_TRUE(o.entries()[0].ticked);
    EXPECT_EQ(o.entries()[indexOf(o, "TV8")].ticked, false);
}

TEST_F(ChannelOrderTest, FollowsPosizioneOrder)
{
    exec("update Televisioni set Posizione = 0 where NOMETV = 'Nove'");
    ChannelOrder o;
    o.load(db);
    EXPECT_EQ(o.entries()[0].name, "Nove");
    EXPECT_EQ(o.entries()[1].name, "Rai 1");
}

TEST_F(ChannelOrderTest, TwoMovesUpCarryTickAndGroupThenApplyWritesOneTwoThree)
{
    exec("update Televisioni set Attivo = 0, ANTENNA = 7 where NOMETV = 'Rai 3'");
    ChannelOrder o;
    o.load(db);
    ASSERT_EQ(o.entries()[2].name, "Rai 3");
    EXPECT_TRUE(o.moveUp(2));
    EXPECT_TRUE(o.moveUp(1));
    EXPECT_EQ(o.entries()[0], (ChannelEntry{"Rai 3", 7, false}));
    EXPECT_EQ(o.entries()[1], (ChannelEntry{"Rai 1", 2, true}));
    EXPECT_EQ(o.entries()[2], (ChannelEntry{"Rai 2", 2, true}));
    o.apply(db);
    EXPECT_EQ(channel("Rai 3").Posizione, 1);
    EXPECT_FALSE(channel("Rai 3").Attivo);
    EXPECT_EQ(channel("Rai 1").Posizione, 2);
    EXPECT_EQ(channel("Rai 2").Posizione, 3);
    EXPECT_EQ(TelevisioniTable(db).activeByPosition().front().NOMETV, "Rai 1");
}

TEST_F(ChannelOrderTest, MovesPastTheEndsAreRefused)
{
    ChannelOrder o;
    o.load(db);
    const auto before = o.entries();
    EXPECT_FALSE(o.moveUp(0));
    EXPECT_FALSE(o.moveDown(o.count() - 1));
    EXPECT_EQ(o.entries(), before);
    EXPECT_TRUE(o.moveDown(o.count() - 2));
    EXPECT_EQ(o.entries().back().name, before[before.size() - 2].name);
}

TEST_F(ChannelOrderTest, UnlistedChannelsFollowInTheirOrderWithoutSharedPositions)
{
    // Two channels the window does not offer, one at the head of the order.
    exec("update Televisioni set ANTENNA = 0, Posizione = 1, Attivo = 1 where NOMETV = 'Nove'");
    exec("update Televisioni set Visualizzare = 0, Posizione = 2 where NOMETV = 'TV8'");
    ChannelOrder o;
    o.load(db);
    o.moveDown(0);
    o.apply(db);
    const auto all = TelevisioniTable(db).allByPosition();
    std::set<qint32> positions;
    for (const Channel &c : all)
        positions.insert(c.Posizione);
    EXPECT_EQ(positions.size(), all.size());
    EXPECT_EQ(*positions.begin(), 1);
    EXPECT_EQ(*positions.rbegin(), qint32(all.size()));
    EXPECT_EQ(channel("Nove").Posizione, o.count() + 1);
    EXPECT_EQ(channel("TV8").Posizione, o.count() + 2);
    EXPECT_TRUE(channel("Nove").Attivo);
}

TEST_F(ChannelOrderTest, NamesWithApostrophesAreAppliedLikeAnyOther)
{
    exec("update Televisioni set NOMETV = 'Canale dell''Arte', Attivo = 0 where NOMETV = 'Rai 5'");
    exec("update Televisioni set NOMETV = 'Rai*' where NOMETV = 'Rai 4'");
    ChannelOrder o;
    o.load(db);
    const int i = indexOf(o, "Canale dell'Arte");
    ASSERT_GE(i, 0);
    o.setTicked(i, true);
    for (int k = i; k > 0; --k)
        o.moveUp(k);
    o.apply(db);
    EXPECT_EQ(channel("Canale dell'Arte").Posizione, 1);
    EXPECT_TRUE(channel("Canale dell'Arte").Attivo);
    // A name with a wildcard touches its own row only.
    EXPECT_EQ(channel("Rai*").Posizione, indexOf(o, "Rai*") + 1);
    EXPECT_EQ(channel("Rai 1").Posizione, 2);
}

TEST_F(ChannelOrderTest, AFailedApplyWritesNothing)
{
    exec("create trigger rifiuta before update on Televisioni when new.NOMETV = 'Rai 2' "
         "begin select raise(abort, 'bloccato'); end");
    ChannelOrder o;
    o.load(db);
    o.setAllTicked(false);
    o.moveDown(0);
    EXPECT_THROW(o.apply(db), DbError);
    EXPECT_EQ(channel("Rai 1").Posizione, 1);
    EXPECT_TRUE(channel("Rai 1").Attivo);
}

} // namespace
