#include "core/AppState.h"
#include "mainwindow/FrmWait.h"
#include "mainwindow/HelpViewer.h"
#include "mainwindow/cHtmlHelp.h"
#include "support/TempApp.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace orv;

class Help : public ::testing::Test {
protected:
    void SetUp() override { help.setHelpFile(PercorsoApp + QStringLiteral("/help/OrventoHelp.chm")); }
    test::TempApp app;
    cHtmlHelp help;
};

TEST_F(Help, EveryContextTheWindowsUseHasItsOwnPage)
{
    QStringList pages;
    for (int context : {1000, 1001, 1002, 1003, 1004, 1009}) {
        const QString page = help.pageForContext(context);
        EXPECT_NE(page, QStringLiteral("index.htm")) << context;
        EXPECT_TRUE(QFile::exists(appPath(QStringLiteral("help/") + page))) << context;
        pages << page;
    }
    pages.removeDuplicates();
    EXPECT_EQ(pages.size(), 6);
}

TEST_F(Help, UnknownContextsAndMissingPagesFallBackToTheContents)
{
    EXPECT_EQ(help.pageForContext(4242), QStringLiteral("index.htm"));
    QFile::remove(appPath(QStringLiteral("help/griglia.htm")));
    EXPECT_EQ(help.pageForContext(1003), QStringLiteral("index.htm"));
    EXPECT_EQ(help.HelpContext(1003, QStringLiteral("main")), 1);
    EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("index.htm"));
}

TEST_F(Help, AContextOpensItsPageInTheViewer)
{
    EXPECT_EQ(help.HelpContext(1009), 1);
    ASSERT_NE(help.viewer(), nullptr);
    EXPECT_TRUE(help.viewer()->isVisible());
    EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("preferenze.htm"));
    EXPECT_TRUE(help.viewer()->browser()->toPlainText().contains(QStringLiteral("Preferenze")));
}

TEST_F(Help, TopicsStayInsideTheHelpFolder)
{
    QFile outside(PercorsoApp + QStringLiteral("/secret.htm"));
    outside.open(QIODevice::WriteOnly);
    outside.write("<p>segreto</p>");
    outside.close();
    EXPECT_EQ(help.DisplayTopic(QStringLiteral("../secret.htm")), 1);
    EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("index.htm"));
    EXPECT_EQ(help.DisplayTopic(QString()), 1);
    EXPECT_EQ(help.viewer()->currentPage(), QStringLiteral("index.htm"));
}

TEST_F(Help, WithoutPagesNothingIsShown)
{
    help.setHelpFile(PercorsoApp + QStringLiteral("/nowhere/OrventoHelp.chm"));
    EXPECT_EQ(help.HelpContext(1000), 0);
    EXPECT_EQ(help.DisplayTOC(), 0);
}

TEST(SmallWindows, PleaseWaitTakesItsFixedTextAndStaysHiddenForQuickJobs)
{
    Lingua[168] = QStringLiteral("Attendere prego...");
    FrmWait wait;
    EXPECT_EQ(wait.Label7->text(), QStringLiteral("Attendere prego..."));
    wait.begin(QStringLiteral("Griglia"), QStringLiteral("Costruzione"), 10);
    wait.step(1);
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Griglia"));
    EXPECT_EQ(wait.Label1->text(), QStringLiteral("Costruzione"));
    EXPECT_EQ(wait.ProgressBar1->value(), 1);
    EXPECT_FALSE(wait.isVisible());
}
