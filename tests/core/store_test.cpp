#include "details/ListingsFixture.h"

using namespace orv;

namespace {

using StoreTest = test::ListingsTest;
using test::titlesOf;

TEST_F(StoreTest, DayWrittenAsTextIsANumber)
{
    // Writers hand the day over as its eight-character text.
    db.prepare(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo) "
                              "values (?, 'Rai 1', 1, '20:00', 'Tg1')"))
        .bind(1, QStringLiteral("20261206"))
        .execute();
    ProgrammiTable t(db);
    EXPECT_TRUE(t.hasChannelDay(20261206, QStringLiteral("Rai 1")));
    EXPECT_FALSE(t.hasChannelDay(20261205, "Rai 1") || t.hasChannelDay(20261207, "Rai 1")); // the day itself only
    EXPECT_EQ(t.channelDay(20261206, QStringLiteral("rai 1")).size(), 1u);
    EXPECT_EQ(t.deleteBefore(20261206), 0);
    EXPECT_EQ(t.deleteBefore(20261207), 1);
    EXPECT_EQ(t.count(), 0);
}

TEST_F(StoreTest, OnlyTheTextOneIsAMark)
{
    ProgrammiTable t(db);
    db.exec(QStringLiteral("insert into Programmi (Data, Palinsesto, Numerazione, ORA, Titolo, Promemoria) "
                           "values (20261206, 'Rai 1', 1, '21:00', 'null', NULL), (20261206, 'Rai 1', 2, "
                           "'21:00', 'zero', '0'), (20261206, 'Rai 1', 3, '21:00', 'uno', '1'), "
                           "(20261206, 'Rai 1', 4, '21:00', 'vuoto', '')"));
    EXPECT_TRUE(t.setState({20261206, QStringLiteral("Rai 1"), 1}, StateField::Marked, true));
    EXPECT_EQ(titlesOf(t.markedOnDay(20261206)), (QStringList{"null", "uno"}));
    EXPECT_TRUE(t.setState({20261206, QStringLiteral("Rai 1"), 1}, StateField::Marked, false));
    EXPECT_EQ(t.find({20261206, QStringLiteral("Rai 1"), 1})->Marked, QStringLiteral("0"));
    EXPECT_FALSE(t.setState({20261206, QStringLiteral("Rai 1"), 99}, StateField::Marked, true));
}

} // namespace
