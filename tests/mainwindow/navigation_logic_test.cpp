#include "mainwindow/Commands.h"
#include "mdi/DateNav.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

using namespace orv;

TEST(DayArithmetic, WeekdayNumbersStartOnSunday)
{
    EXPECT_EQ(datenav::weekdayNumber(QDate(2026, 12, 6)), 1); // a Sunday
    EXPECT_EQ(datenav::weekdayNumber(QDate(2026, 12, 12)), 7);
    EXPECT_EQ(datenav::weekdayName(datenav::weekdayNumber(QDate(2026, 12, 9))), QString::fromUtf8("Mercoledì"));
    EXPECT_EQ(datenav::weekdayName(7), QStringLiteral("Sabato"));
    EXPECT_TRUE(datenav::weekdayName(8).isEmpty());
}

TEST(DayArithmetic, CleaningKeepsYesterdayAcrossMonthAndYearEnds)
{
    EXPECT_EQ(datenav::cleaningCut(QDate(2026, 3, 15)), 20260314);
    EXPECT_EQ(datenav::cleaningCut(QDate(2026, 3, 1)), 20260228);
    EXPECT_EQ(datenav::cleaningCut(QDate(2024, 3, 1)), 20240229);
    EXPECT_EQ(datenav::cleaningCut(QDate(2027, 1, 1)), 20261231);
}

struct KeyCase {
    Command (*source)(const QString &);
    const char *key;
    Command expected;
};

class ToolbarKeys : public ::testing::TestWithParam<KeyCase> {};

void PrintTo(const KeyCase &c, std::ostream *os)
{
    const char *bar = c.source == commands::toolbar1 ? "Toolbar1" : c.source == commands::toolbar2 ? "Toolbar2" : "Toolbar3";
    *os << bar << " \"" << c.key << '"';
}

TEST_P(ToolbarKeys, EachKeyReachesItsCommand)
{
    const KeyCase &c = GetParam();
    EXPECT_EQ(c.source(QString::fromLatin1(c.key)), c.expected) << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    AllToolbars, ToolbarKeys,
    ::testing::Values(KeyCase{commands::toolbar2, "lista", Command::ChannelCard},
                      KeyCase{commands::toolbar2, "griglia", Command::DayGrid},
                      KeyCase{commands::toolbar2, "high", Command::Highlights},
                      KeyCase{commands::toolbar2, "scarica", Command::DownloadAndRefresh},
                      KeyCase{commands::toolbar2, "mytv", Command::MyTV},
                      KeyCase{commands::toolbar2, "help", Command::HelpContents},
                      KeyCase{commands::toolbar2, "exit", Command::Exit},
                      KeyCase{commands::toolbar2, "stampa", Command::None},
                      KeyCase{commands::toolbar2, "Griglia", Command::None},
                      KeyCase{commands::toolbar2, "popup", Command::None},
                      KeyCase{commands::toolbar3, "popup", Command::HoverToggle},
                      KeyCase{commands::toolbar3, "cerca", Command::SearchPage},
                      KeyCase{commands::toolbar3, "monitor", Command::MonitorThenEvents},
                      KeyCase{commands::toolbar3, "report", Command::DailyReport},
                      KeyCase{commands::toolbar3, "traytv", Command::MonitorProgram},
                      KeyCase{commands::toolbar3, "Monitor", Command::None},
                      KeyCase{commands::toolbar3, "lista", Command::None},
                      KeyCase{commands::toolbar1, "manager", Command::ChannelSetup},
                      KeyCase{commands::toolbar1, "Manager", Command::None}));

TEST(NavigationIcons, EachIndexReachesItsCommand)
{
    const Command expected[] = {Command::ChannelCard,  Command::ConfiguraMenu, Command::Download,
                                Command::Monitor,      Command::HelpContents,  Command::DayGrid,
                                Command::SearchPage,   Command::MyTV,          Command::Favourites};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(commands::icon(i), expected[i]) << i;
    EXPECT_EQ(commands::icon(-1), Command::None);
    EXPECT_EQ(commands::icon(9), Command::None);
}
