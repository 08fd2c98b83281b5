#include "core/PastMidnight.h"

#include <gtest/gtest.h>

using namespace orv::listing;

// A record starting at least 90,000 twips (about 22 hours) before the end of
// the one before it has crossed midnight; one twip later it has not.
TEST(PastMidnightRule, TheThresholdIsExactAndAPassedListingStaysPassed)
{
    PastMidnight atThreshold;
    EXPECT_EQ(atThreshold.place(95000, 1000), 95000);
    EXPECT_EQ(atThreshold.place(6000, 500), 6000 + DayTw);
    EXPECT_EQ(atThreshold.place(90000, 500), 90000 + DayTw) << "later records stay past midnight";

    PastMidnight justInside;
    justInside.place(95000, 1000);
    EXPECT_EQ(justInside.place(6001, 500), 6001);
    EXPECT_EQ(widthTw(" -5"), -5 * MinuteTw - 85) << "a negative stored duration keeps its sign";
}
