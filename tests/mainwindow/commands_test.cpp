#include "MainFixture.h"

#include "acquisition/FrmDownload.h"
#include "details/FrmMonitor.h"
#include "details/FrmPreferiti.h"
#include "mainwindow/FrmAbout.h"
#include "mainwindow/HelpViewer.h"
#include "views/FrmHigh.h"
#include "views/FrmMyTV.h"
#include "views/FrmReport.h"
#include "views/FrmRicerche.h"
#include "views/FrmSchedaHtml.h"

#include <QCheckBox>
#include <QMenuBar>

using namespace orv;
using namespace orv::test;

namespace {
QAction *menuItem(FrmMain &m, const char *name) { return m.menuBar()->findChild<QAction *>(QLatin1String(name)); }
} // namespace

class Routing : public MainFixture {};

TEST_F(Routing, KeysIconsAndClicksOpenTheirViews)
{
    FrmMain &m = loadMain();
    m.Toolbar2_ButtonClick(QStringLiteral("griglia"));
    EXPECT_FALSE(m.Picture3->isVisibleTo(&m));
    m.Toolbar2_ButtonClick(QStringLiteral("lista"));
    EXPECT_TRUE(m.Picture3->isVisibleTo(&m));
    m.Toolbar2_ButtonClick(QStringLiteral("high"));
    EXPECT_NE(dynamic_cast<FrmHigh *>(activeChild(m)), nullptr);
    m.Toolbar2_ButtonClick(QStringLiteral("mytv"));
    EXPECT_NE(dynamic_cast<FrmMyTV *>(activeChild(m)), nullptr);
    m.Toolbar3_ButtonClick(QStringLiteral("report"));
    EXPECT_NE(dynamic_cast<FrmReport *>(activeChild(m)), nullptr);
    m.Toolbar3_ButtonClick(QStringLiteral("monitor"));
    EXPECT_TRUE(Windows::get<FrmMonitor>().isVisible());
    m.Toolbar1_ButtonClick(QStringLiteral("manager"));
    EXPECT_EQ(channelSetups, 1);
    m.ImgIcone_Click(6);
    EXPECT_NE(dynamic_cast<FrmRicerche *>(activeChild(m)), nullptr);
    m.ImgIcone_Click(7);
    EXPECT_NE(dynamic_cast<FrmMyTV *>(activeChild(m)), nullptr);
    m.ImgIcone_Click(8);
    EXPECT_TRUE(Windows::get<FrmPreferiti>().isVisible());
    m.ImgIcone_Click(4);
    ASSERT_TRUE(oHtmlHelp && oHtmlHelp->viewer());
    EXPECT_EQ(oHtmlHelp->viewer()->currentPage(), QStringLiteral("index.htm"));

    QTest::mouseClick(m.LabIcone[5], Qt::LeftButton);
    EXPECT_NE(dynamic_cast<FrmSchedaGiorno *>(activeChild(m)), nullptr);
    QTest::mouseClick(m.ImgIcone[0], Qt::LeftButton);
    EXPECT_NE(dynamic_cast<FrmSchedaHtml *>(activeChild(m)), nullptr);
    QTreeWidgetItem *rai3 = m.TreeView1->findItems(QStringLiteral("Rai 3"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(rai3, nullptr);
    VistaCorrente = 3; // a tree click always shows the card
    QTest::mouseClick(m.TreeView1->viewport(), Qt::LeftButton, {}, m.TreeView1->visualItemRect(rai3).center());
    EXPECT_TRUE(page("temp.htm").contains(QStringLiteral("<h1>Rai 3</h1>")));
    m.Toolbar3->actions()[5]->trigger(); // "cerca"
    EXPECT_NE(dynamic_cast<FrmRicerche *>(activeChild(m)), nullptr);
    m.Toolbar2->actions()[12]->trigger(); // "exit"
    EXPECT_EQ(saves, 1);
}

TEST_F(Routing, ClosingAViewUnloadsItAndTheCommandLoadsItAfresh)
{
    FrmMain &m = loadMain();
    m.Toolbar2_ButtonClick(QStringLiteral("griglia"));
    m.mdiArea->activeSubWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(Windows::loaded<FrmSchedaGiorno>());
    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 1, QStringLiteral("Nuovo"));
    m.Toolbar2_ButtonClick(QStringLiteral("griglia"));
    EXPECT_EQ(Windows::get<FrmSchedaGiorno>().model().ContaLabProg(), 1);
    EXPECT_EQ(activeChild(m), &Windows::get<FrmSchedaGiorno>());
    Windows::unload<FrmSchedaGiorno>();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QMdiSubWindow *sub : m.mdiArea->subWindowList())
        EXPECT_NE(sub->widget(), nullptr);
}

TEST_F(Routing, TrayTvStartsTheCompanionStartUpKnows)
{
    // The same program the first start launches, found in the application folder.
    const QString marker = PercorsoApp + QStringLiteral("/companion-started");
    QFile script(PercorsoApp + QStringLiteral("/OrventoMonitor"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    loadMain().Toolbar3_ButtonClick(QStringLiteral("traytv"));
    for (int i = 0; i < 500 && !QFile::exists(marker); ++i)
        QTest::qWait(10);
    EXPECT_TRUE(QFile::exists(marker));
}

// The toolbar's download rebuilds the current grid, the icon's does not; the
// download window ends either way, here or by the highlights download.
TEST_F(Routing, DownloadFromTheToolbarRebuildsTheCurrentGridAndHighlightsFollowThePreference)
{
    FrmMain &m = loadMain();
    m.Toolbar2_ButtonClick(QStringLiteral("griglia"));
    FrmSchedaGiorno &grid = Windows::get<FrmSchedaGiorno>();
    int number = 0;
    duringDownload = [&] {
        addProgramme(todayNumber(), QStringLiteral("Rai 1"), ++number, QStringLiteral("Nuovo"));
        Windows::get<FrmDownload>().show();
    };
    m.ImgIcone_Click(2);
    EXPECT_EQ(grid.model().ContaLabProg(), 0);
    m.Toolbar2_ButtonClick(QStringLiteral("scarica"));
    EXPECT_EQ(downloads, 2);
    EXPECT_EQ(grid.model().ContaLabProg(), 2);
    EXPECT_TRUE(grid.Frame1->isVisibleTo(&grid));
    EXPECT_TRUE(grid.Frame2->isVisibleTo(&grid));
    EXPECT_EQ(highlights, 0);
    EXPECT_FALSE(Windows::loaded<FrmDownload>());
    HighLights = true;
    m.Toolbar2_ButtonClick(QStringLiteral("scarica"));
    EXPECT_EQ(highlights, 1);
    EXPECT_TRUE(Windows::loaded<FrmDownload>());
}

TEST_F(Routing, ASecondJobWhileOneRunsIsRefused)
{
    FrmMain &m = loadMain();
    duringDownload = [&] {
        m.Toolbar2_ButtonClick(QStringLiteral("scarica"));
        m.ImgIcone_Click(2);
        menuItem(m, "m_elaboradati")->trigger();
        menuItem(m, "m_puliscidb")->trigger();
    };
    m.Toolbar2_ButtonClick(QStringLiteral("scarica"));
    EXPECT_EQ(downloads, 1);
    EXPECT_EQ(postProcessings, 0);
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_FALSE(m.jobRunning());
    menuItem(m, "m_elaboradati")->trigger();
    EXPECT_EQ(postProcessings, 1);
}

TEST_F(Routing, ClosingDuringADownloadStopsItThenCloses)
{
    HighLights = true;
    FrmMain &m = loadMain();
    duringDownload = [&] {
        m.close();
        EXPECT_EQ(stops, 1);
        EXPECT_EQ(saves, 0);
        EXPECT_TRUE(m.isVisible());
    };
    m.Toolbar2_ButtonClick(QStringLiteral("scarica"));
    EXPECT_EQ(highlights, 0);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(ends, 1);
}

TEST_F(Routing, MenusReachTheirCommands)
{
    FrmMain &m = loadMain();
    menuItem(m, "m_menu1_1")->trigger();
    EXPECT_NE(dynamic_cast<FrmSchedaGiorno *>(activeChild(m)), nullptr);
    for (const char *item : {"m_config2_0", "m_config2_1", "m_config2_2", "m_help1_web", "m_help1_forum", "m_contact3",
                             "m_help1_about", "m_help1_faq"})
        menuItem(m, item)->trigger();
    EXPECT_EQ((QList<int>{channelSetups, preferences, channelFiles}), (QList<int>{1, 1, 1}));
    ASSERT_EQ(urls.size(), 3);
    EXPECT_EQ(urls.mid(0, 2), (QStringList{serverBase() + "/orvento/", serverBase() + "/forum/"}));
    EXPECT_TRUE(urls[2].startsWith("mailto:") && urls[2].contains("Richiesta%20Palinsesti")) << urls[2].toStdString();
    EXPECT_TRUE(Windows::get<FrmAbout>().isVisible());
    EXPECT_EQ(oHtmlHelp->viewer()->currentPage(), QStringLiteral("faq.htm"));
    EXPECT_FALSE(menuItem(m, "m_elaboradati")->isVisible());
}

// ---------------------------------------------------------------- tips

class Tips : public MainFixture {
protected:
    frmTip &fromTheHelpMenu() { menuItem(loadMain(), "m_help1_tip")->trigger(); return Windows::get<frmTip>(); }
};

TEST_F(Tips, AtStartUpOnlyWhenSwitchedOnWhichTheHelpMenuDoes)
{
    loadMain();
    EXPECT_FALSE(Windows::loaded<frmTip>() && Windows::get<frmTip>().isVisible());
    frmTip &fromMenu = fromTheHelpMenu();
    EXPECT_TRUE(fromMenu.isVisible());
    EXPECT_TRUE(frmTip::showAtStartup());
    fromMenu.chkLoadTipsAtStartup->setChecked(false);
    EXPECT_FALSE(frmTip::showAtStartup());
    Windows::unloadAll();
    frmTip::setShowAtStartup(true);
    loadMain();
    frmTip &tip = Windows::get<frmTip>();
    EXPECT_TRUE(tip.isVisible());
    EXPECT_TRUE(tip.tips().contains(tip.lblTipText->text()));
    EXPECT_TRUE(tip.chkLoadTipsAtStartup->isChecked());
}

TEST_F(Tips, AMissingFileExplainsWhatToDoAndASingleLineIsAlwaysTheTip)
{
    const QString file = appPath(QStringLiteral("TIPOFDAY.TXT"));
    QFile::remove(file);
    frmTip &tip = fromTheHelpMenu();
    EXPECT_TRUE(tip.lblTipText->text().startsWith(QStringLiteral("File TIPOFDAY.TXT non trovato.")));
    EXPECT_FALSE(tip.LoadTips(QString()));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Solo questo\r\n") > 0);
    f.close();
    ASSERT_TRUE(tip.LoadTips(file));
    EXPECT_EQ(tip.lblTipText->text(), QStringLiteral("Solo questo"));
    tip.cmdNextTip_Click();
    EXPECT_EQ(tip.lblTipText->text(), QStringLiteral("Solo questo"));
}
