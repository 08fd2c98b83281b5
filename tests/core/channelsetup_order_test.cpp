#include "core/AppState.h"
#include "core/ChannelOrder.h"
#include "core/GroupIcons.h"
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

    Channel channel(const QString &name) { return *TelevisioniTable(db).byName(name); }
    ChannelOrder loaded() { ChannelOrder o; o.load(db); return o; }
    int indexOf(const ChannelOrder &o, const QString &name)
    {
        const auto &e = o.entries();
        auto it = std::find_if(e.begin(), e.end(), [&](const ChannelEntry &c) { return c.name == name; });
        return it == e.end() ? -1 : int(it - e.begin());
    }

    test::TempApp app;
    Database db;
};

TEST_F(ChannelOrderTest, OffersOnlyVisibleChannelsOfGroupsOneToSevenByPosizione)
{
    const int all = loaded().count();
    db.exec("update Televisioni set ANTENNA = 0 where NOMETV = 'Rai 2'");
    db.exec("update Televisioni set ANTENNA = 8 where NOMETV = 'Rai 3'");
    db.exec("update Televisioni set Visualizzare = 0 where NOMETV = 'La7'");
    db.exec("update Televisioni set Posizione = 0 where NOMETV = 'Nove'");
    const ChannelOrder o = loaded();
    for (const char *hidden : {"Rai 2", "Rai 3", "La7"})
        EXPECT_EQ(indexOf(o, hidden), -1) << hidden;
    EXPECT_EQ(o.count(), all - 3);
    EXPECT_EQ(o.entries()[0].name, "Nove");
    EXPECT_EQ(o.entries()[1], (ChannelEntry{"Rai 1", 2, true}));
    EXPECT_FALSE(o.entries()[indexOf(o, "TV8")].ticked);
}

TEST_F(ChannelOrderTest, UnlistedChannelsFollowInTheirOrderWithoutSharedPositions)
{
    // Two channels the window does not offer, one at the head of the order.
    db.exec("update Televisioni set ANTENNA = 0, Posizione = 1, Attivo = 1 where NOMETV = 'Nove'");
    db.exec("update Televisioni set Visualizzare = 0, Posizione = 2 where NOMETV = 'TV8'");
    ChannelOrder o = loaded();
    o.moveDown(0);
    o.apply(db);
    const auto all = TelevisioniTable(db).allByPosition();
    std::set<qint32> positions;
    for (const Channel &c : all)
        positions.insert(c.Posizione);
    EXPECT_EQ(positions.size(), all.size());
    EXPECT_EQ(*positions.begin(), 1);
    EXPECT_EQ(*positions.rbegin(), qint32(all.size()));
    EXPECT_EQ(channel("Rai 1").Posizione, 2); // one place down
    EXPECT_EQ(channel("Nove").Posizione, o.count() + 1);
    EXPECT_EQ(channel("TV8").Posizione, o.count() + 2);
    EXPECT_TRUE(channel("Nove").Attivo);
}

TEST_F(ChannelOrderTest, NamesWithApostrophesAreAppliedLikeAnyOther)
{
    db.exec("update Televisioni set NOMETV = 'Canale dell''Arte', Attivo = 0 where NOMETV = 'Rai 5'");
    db.exec("update Televisioni set NOMETV = 'Rai*' where NOMETV = 'Rai 4'");
    ChannelOrder o = loaded();
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

TEST(GroupImages, EachGroupHasItsKeyAndAPictureOfItsOwn)
{
    QStringList keys;
    std::set<QByteArray> pictures;
    for (int group = 0; group <= 8; ++group) {
        const QImage i = GroupIcons::icon(keys.emplaceBack(ChannelOrder::groupImageKey(group))).pixmap(16).toImage();
        pictures.insert(QByteArray(reinterpret_cast<const char *>(i.constBits()), i.sizeInBytes()));
    }
    EXPECT_EQ(keys.join(u','), QStringLiteral(",parabola,televisione2,televisione,sport,ragazzi,locali,radio,"));
    EXPECT_EQ(pictures.size(), 8u); // seven, and none outside 1 to 7
}

} // namespace
