// Test main for the GoogleTest programs: windows and Qt services need an
// application object, which runs offscreen; the environment the tests read is
// set here because ctest passes discovered tests only part of it.
#include "core/MainWindowSeam.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <unistd.h>

static void setDefault(const char *name, const char *value)
{
    if (qEnvironmentVariableIsEmpty(name))
        qputenv(name, value);
}

int main(int argc, char **argv)
{
    setDefault("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        setDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    setDefault("ORVENTO_SOURCE_DIR", ORVENTO_SOURCE_DIR);
    setDefault("ORVENTO_LISTINGS_SERVER", ORVENTO_LISTINGS_SERVER);
#ifdef ORVENTO_PROGRAM
    setDefault("ORVENTO_PROGRAM", ORVENTO_PROGRAM);
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A call to the main window that no test double answers fails the test.
    orv::UnansweredSeam::setReport(
        [](const char *call) { ADD_FAILURE() << "nothing answers the main-window call " << call; });
    return RUN_ALL_TESTS();
}
