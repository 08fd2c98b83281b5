#include "core/MainWindowSeam.h"
#include "support/TestSeam.h"

#include <gtest/gtest.h>

using namespace orv;

#ifdef QT_NO_DEBUG
namespace {

QStringList gReported;
void record(const char *call) { gReported << QString::fromLatin1(call); }

} // namespace

TEST(MainWindowSeam, ACallNothingAnswersIsReportedByName)
{
    gReported.clear();
    const UnansweredSeam::Report previous = UnansweredSeam::setReport(record);
    mainWindow().LOAD_TV();
    mainWindow().writeStatus(1, QStringLiteral("*"));
    const QDate day = mainWindow().currentDay();
    UnansweredSeam::setReport(previous);
    EXPECT_EQ(gReported, (QStringList{"LOAD_TV", "writeStatus", "currentDay"}));
    EXPECT_TRUE(day.isValid());
}
#else
TEST(MainWindowSeamDeathTest, ACallNothingAnswersStopsADebugBuild)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(mainWindow().LOAD_TV(), "LOAD_TV");
}
#endif


TEST(MainWindowSeam, AScopedSeamAnswersUntilTheScopeEndsThenThePreviousOneDoes)
{
    test::RecordingSeam outer;
    {
        UnansweredSeam none;
        ScopedMainWindow scope(none);
        EXPECT_EQ(&mainWindow(), &none);
    }
    EXPECT_EQ(&mainWindow(), &outer);
}
