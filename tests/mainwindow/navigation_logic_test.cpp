#include "mainwindow/Commands.h"
#include "mdi/DateNav.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(DayArithmetic, WeekdaysStartOnSundayAndCleaningKeepsYesterdayAcrossMonthAndYearEnds)
{
    EXPECT_EQ(datenav::weekdayNumber(QDate(2026, 12, 6)), 1); // a Sunday
    EXPECT_EQ(datenav::weekdayName(datenav::weekdayNumber(QDate(2026, 12, 12))), QStringLiteral("Sabato"));
    EXPECT_EQ(datenav::weekdayName(datenav::weekdayNumber(QDate(2026, 12, 9))), QString::fromUtf8("Mercoledì"));
    EXPECT_TRUE(datenav::weekdayName(8).isEmpty());
    EXPECT_EQ(datenav::cleaningCut(QDate(2026, 3, 1)), 20260228);
    EXPECT_EQ(datenav::cleaningCut(QDate(2024, 3, 1)), 20240229);
    EXPECT_EQ(datenav::cleaningCut(QDate(2027, 1, 1)), 20261231);
}

// The views themselves are reached through the main window's tests; here only
// what matches nothing: keys in another case or of another bar, indexes off the row.
TEST(Commands, KeysMatchExactlyAndIndexesOffTheRowGiveNothing)
{
    for (const char *key : {"Griglia", "popup", "stampa", ""})
        EXPECT_EQ(commands::toolbar2(QString::fromLatin1(key)), Command::None) << key;
    EXPECT_EQ(commands::toolbar3(QStringLiteral("Monitor")), Command::None);
    EXPECT_EQ(commands::toolbar3(QStringLiteral("lista")), Command::None);
    EXPECT_EQ(commands::toolbar1(QStringLiteral("Manager")), Command::None);
    EXPECT_EQ(commands::icon(-1), Command::None);
    EXPECT_EQ(commands::icon(9), Command::None);
}
