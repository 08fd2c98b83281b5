#include "MainFixture.h"

#include "acquisition/FrmDownload.h"
#include "mainwindow/FrmWait.h"
#include "mainwindow/HelpViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>

using namespace orv;
using namespace orv::test;

namespace {
QAction *menuItem(FrmMain &m, const char *name) { return m.menuBar()->findChild<QAction *>(QLatin1String(name)); }

// Runs a command source: a navigation icon by its index (clicked on its picture
// when odd, on its caption when even), else the menu item of that name or the
// toolbar button of that key.
void runSource(FrmMain &m, const QString &source)
{
    if (source.size() == 1)
        return QTest::mouseClick((source.toInt() % 2 ? m.ImgIcone : m.LabIcone)[source.toInt()], Qt::LeftButton);
    for (QAction *a : m.findChildren<QAction *>())
        if (a->objectName() == source || a->data().toString() == source)
            a->trigger();
}

// What a command brought up: the help page, a window of its own, else the view in front.
QString broughtUp(FrmMain &m)
{
    if (oHtmlHelp && oHtmlHelp->viewer() && oHtmlHelp->viewer()->isVisible())
        return oHtmlHelp->viewer()->currentPage();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != &m && w->isVisible())
            return QString::fromLatin1(w->metaObject()->className());
    return QString::fromLatin1(activeChild(m) ? activeChild(m)->metaObject()->className() : "");
}
} // namespace

class Routing : public MainFixture {};

// Neighbours differ, so a source that does nothing shows; the card and the grid show and hide the tree.
TEST_F(Routing, EachSourceBringsUpItsViewWindowOrHelpPage)
{
    FrmMain &m = loadMain();
    const std::pair<const char *, const char *> routes[] = {
        {"griglia", "orv::FrmSchedaGiorno"}, {"lista", "orv::FrmSchedaHtml"}, {"high", "orv::FrmHigh"},
        {"mytv", "orv::FrmMyTV"}, {"help", "index.htm"}, {"cerca", "orv::FrmRicerche"}, {"monitor", "orv::FrmMonitor"},
        {"report", "orv::FrmReport"}, {"0", "orv::FrmSchedaHtml"}, {"1", "QMenu"}, {"3", "orv::FrmMonitor"},
        {"4", "index.htm"}, {"5", "orv::FrmSchedaGiorno"}, {"6", "orv::FrmRicerche"}, {"7", "orv::FrmMyTV"},
        {"8", "orv::FrmPreferiti"},
        {"m_menu1_0", "orv::FrmSchedaHtml"}, {"m_menu1_1", "orv::FrmSchedaGiorno"}, {"m_menu1_2", "orv::FrmRicerche"},
        {"m_schedahighlights", "orv::FrmHigh"}, {"m_report", "orv::FrmReport"}, {"m_mytv", "orv::FrmMyTV"},
        {"m_help1_help", "index.htm"}, {"m_help1_faq", "faq.htm"}, {"m_help1_tip", "orv::frmTip"},
        {"m_help1_about", "orv::FrmAbout"}};
    for (auto [source, view] : routes) {
        const QString shown = QString::fromLatin1(view);
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != &m)
                w->hide();
        runSource(m, QString::fromLatin1(source));
        EXPECT_EQ(broughtUp(m), shown) << source;
        EXPECT_TRUE(!shown.contains("FrmScheda") || m.Picture3->isVisibleTo(&m) == shown.endsWith("Html")) << source;
    }
    QTreeWidgetItem *rai3 = m.TreeView1->findItems(QStringLiteral("Rai 3"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
    ASSERT_NE(rai3, nullptr);
    VistaCorrente = 3; // a tree click always shows the card
    QTest::mouseClick(m.TreeView1->viewport(), Qt::LeftButton, {}, m.TreeView1->visualItemRect(rai3).center());
    EXPECT_TRUE(page("temp.htm").contains(QStringLiteral("<h1>Rai 3</h1>")));
    runSource(m, QStringLiteral("exit"));
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
    VistaCorrente = 2; // the grid is no longer the current view
    m.Toolbar2_ButtonClick(QStringLiteral("scarica"));
    EXPECT_EQ(grid.model().ContaLabProg(), 2);
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

// The other windows' help buttons reach their page through the main window;
// every caption and tool tip comes from its own entry of the language table.
TEST_F(Routing, MenusReachTheirCommandsHideOnlyTheirHiddenItemsAndTakeTheirCaptions)
{
    FrmMain &m = loadMain();
    for (const char *item : {"manager", "m_config2_0", "m_config2_1", "m_config2_2", "m_help1_web", "m_help1_forum",
                             "m_contact3"})
        runSource(m, QString::fromLatin1(item));
    EXPECT_EQ((QList<int>{channelSetups, preferences, channelFiles}), (QList<int>{2, 1, 1}));
    ASSERT_EQ(urls.size(), 3);
    EXPECT_EQ(urls.mid(0, 2), (QStringList{serverBase() + "/orvento/", serverBase() + "/forum/"}));
    EXPECT_TRUE(urls[2].startsWith("mailto:") && urls[2].contains("Richiesta%20Palinsesti")) << urls[2].toStdString();
    mainWindow().helpContext(1009);
    EXPECT_EQ(oHtmlHelp->viewer()->currentPage(), QStringLiteral("preferenze.htm"));
    for (const char *item : {"m_config2_2", "m_contact2", "m_contact3", "m_elaboradati", "m_help1_update", "m_menu_visu0",
                             "m_menu_visu2"})
        EXPECT_FALSE(menuItem(m, item)->isVisible()) << item;
    for (int i = 0; i < int(Lingua.size()); ++i)
        Lingua[i] = QString::number(i);
    m.APPLICA_LINGUA();
    EXPECT_EQ((QStringList{m.Toolbar2->actions()[10]->text(), m.Toolbar3->actions()[8]->toolTip(), menuItem(m, "m_exit")->text(),
                           m.m_menuv[7]->text(), m.LabIcone[1]->toolTip(), Windows::get<FrmWait>().Label7->text()}),
              (QStringList{"27", "40", "49", "22", "8", "168"}));
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
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fromMenu));
    EXPECT_EQ(fromMenu.chkLoadTipsAtStartup->text(), Lingua[165]); // its captions on activation
    EXPECT_TRUE(frmTip::showAtStartup());
    fromMenu.chkLoadTipsAtStartup->setChecked(false);
    EXPECT_FALSE(frmTip::showAtStartup());
    Windows::unloadAll();
    QFile::remove(frmTip::storeFile); // no setting yet: tips show
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
