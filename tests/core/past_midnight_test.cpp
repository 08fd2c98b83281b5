#include "core/PastMidnight.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(PastMidnight, ReadsStartTimes)
{
    EXPECT_EQ(startMinutes("00:00"), 0);
    EXPECT_EQ(startMinutes("23:59"), 23 * 60 + 59);
    EXPECT_EQ(startMinutes("7:05"), 7 * 60 + 5);
    EXPECT_EQ(startMinutes(" 20:30 "), 20 * 60 + 30);
    for (const char *bad : {"", "24:00", "12:60", "1230", "12:3", "ab:cd", "12:-1", "123:00"})
        EXPECT_EQ(startMinutes(bad), -1) << bad;
}

TEST(PastMidnight, AnEarlierStartAndEverythingAfterItIsOnTheNextDay)
{
    const QStringList day{"06:00", "20:30", "23:40", "00:05", "01:30", "01:30", "05:55"};
    EXPECT_EQ(pastMidnightFlags(day), (std::vector<bool>{false, false, false, true, true, true, true}));
}

TEST(PastMidnight, OnceOverMidnightALaterRecordStaysThere)
{
    // A second drop, or a start later than the evening's, cannot bring a
    // record back to the listing's own day.
    const QStringList day{"22:00", "01:00", "00:30", "23:00"};
    EXPECT_EQ(pastMidnightFlags(day), (std::vector<bool>{false, true, true, true}));
}

TEST(PastMidnight, EqualStartsAndUnreadableOnesDoNotCross)
{
    EXPECT_EQ(pastMidnightFlags({"00:10", "00:10", "", "06:00"}), (std::vector<bool>{false, false, false, false}));
    // An unreadable start is not compared: the next one compares with the last readable.
    EXPECT_EQ(pastMidnightFlags({"23:00", "xx", "23:30", "00:15"}), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(pastMidnightFlags({"23:00", "00:15", ""}), (std::vector<bool>{false, true, true}));
    EXPECT_TRUE(pastMidnightFlags({}).empty());
}
