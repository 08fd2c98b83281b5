#include "core/AppState.h"
#include "mainwindow/FrmWait.h"
#include "mainwindow/HelpViewer.h"
#include "mainwindow/cHtmlHelp.h"
#include "support/TempApp.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace orv;

class Help : public ::testing::Test {
protected:
    // The file may name a topic after "::/"; blanks around the file go.
    void SetUp() override { help.setHelpFile(QStringLiteral(" ") + PercorsoApp + QStringLiteral("/help/OrventoHelp.chm ::/faq.htm")); }
    test::TempApp app;
    cHtmlHelp help;
};

TEST_F(Help, AContextOpensItsPageUnknownContextsMissingPagesAndTopicsOutsideTheFolderTheContents)
{
    EXPECT_EQ(help.HelpContext(1009), 1);
    EXPECT_TRUE(help.viewer()->isVisible());
    EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("preferenze.htm"));
    QFile outside(PercorsoApp + QStringLiteral("/secret.htm"));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write("<p>segreto</p>");
    outside.close();
    QFile::remove(appPath(QStringLiteral("help/griglia.htm")));
    EXPECT_EQ(help.pageForContext(4242), QStringLiteral("index.htm"));
    EXPECT_EQ(help.HelpContext(1003, QStringLiteral("main")), 1);
    EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("index.htm"));
    for (const QString &topic : {QStringLiteral("../secret.htm"), QString()}) {
        help.DisplayTopic(QStringLiteral("preferenze.htm"));
        EXPECT_EQ(help.DisplayTopic(topic), 1);
        EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("index.htm"));
    }
}

TEST_F(Help, WithoutPagesNothingIsShown)
{
    help.setHelpFile(PercorsoApp + QStringLiteral("/nowhere/OrventoHelp.chm"));
    EXPECT_EQ(help.HelpContext(1000), 0);
    EXPECT_EQ(help.DisplayTOC(), 0);
}

TEST(SmallWindows, PleaseWaitStaysHiddenForQuickJobs)
{
    FrmWait wait;
    wait.begin(QStringLiteral("Griglia"), QStringLiteral("Costruzione"), 10);
    wait.step(1);
    EXPECT_FALSE(wait.isVisible());
}
