#include "MainFixture.h"

#include "core/FrmConfig.h"
#include "details/FrmMonitor.h"
#include "details/FrmPopUp.h"
#include "grid/FrmPopUpGhost.h"
#include "mainwindow/FrmWait.h"
#include "mdi/DateNav.h"
#include "views/FrmHigh.h"
#include "views/FrmMyTV.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QStatusBar>
#include <QTimer>

using namespace orv;
using namespace orv::test;

namespace {
// The channels under the tree's root, with the picture each one shows.
QStringList treeChannels(QTreeWidget *tree, bool withImage = false)
{
    QStringList names;
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
        names << root->child(i)->text(0) +
                     (withImage ? QLatin1Char(':') + root->child(i)->data(0, Qt::UserRole + 1).toString() : QString());
    return names;
}
} // namespace

class MainLoad : public MainFixture {};

// Every view fills the area that is left once the side panels have settled.
TEST_F(MainLoad, WithGridDuringStartUpTheGridIsBuiltTheTreeHiddenAndViewsFillTheAreaLeft)
{
    griglia = true;
    AvvioInCorso = true;
    FrmMain &m = loadMain();
    EXPECT_EQ(VistaCorrente, 3);
    EXPECT_FALSE(m.Picture3->isVisibleTo(&m));
    ASSERT_TRUE(Windows::loaded<FrmSchedaGiorno>());
    // The grid's build writes its own texts on the splash window.
    EXPECT_EQ(stages, (QStringList{"Caricamento TV", "Analisi Monitor", "Costruzione Griglia", Lingua[155],
                                   Lingua[156], Lingua[186]}));
    EXPECT_FALSE(AvvioInCorso);
    QTest::qWait(50);
    QMdiSubWindow *grid = m.mdiArea->activeSubWindow();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->geometry(), m.mdiArea->viewport()->rect());
    m.runCommand(Command::ChannelCard); // the tree comes back: the area narrows
    QTest::qWait(50);
    m.runCommand(Command::DayGrid);
    QTest::qWait(50);
    for (QMdiSubWindow *sub : m.mdiArea->subWindowList())
        EXPECT_EQ(sub->geometry(), m.mdiArea->viewport()->rect()) << sub->windowTitle().toStdString();
    // A view the user has placed himself keeps its place.
    grid->setGeometry(10, 10, 300, 200);
    m.runCommand(Command::ChannelCard);
    QTest::qWait(50);
    EXPECT_EQ(grid->geometry(), QRect(10, 10, 300, 200));
}

// Three days of programmes: the day before yesterday, yesterday and today.
// A start with Pulisci and the cleaning command keep yesterday; the other
// command empties the table; a cancelled one deletes nothing.
TEST_F(MainLoad, CleaningKeepsYesterdayAtStartUpAndOnCommandAfterTheQuestion)
{
    const qint32 dayBefore = datenav::dayOf(QDate::currentDate().addDays(-2));
    for (int back : {2, 1, 0})
        addProgramme(datenav::dayOf(QDate::currentDate().addDays(-back)), QStringLiteral("Rai 1"), 1, "P");
    FrmMain &m = loadMain();
    answer = Answer::Cancel;
    m.m_puliscidb_Click();
    m.m_vecchi_Click();
    EXPECT_EQ(programmeCount(), 3);
    answer = Answer::Ok;
    m.m_vecchi_Click();
    EXPECT_EQ(programmeCount(), 2);
    EXPECT_EQ(prompts.mid(2), (QStringList{Lingua[177], "Pulizia Database Completata"}));
    addProgramme(dayBefore, QStringLiteral("Rai 1"), 1, "P");
    Windows::unloadAll();
    Pulisci = true;
    loadMain();
    EXPECT_EQ(programmeCount(), 2);
    Database db = Database::open(PercorsoDb);
    EXPECT_TRUE(ProgrammiTable(db).channelDay(dayBefore, "Rai 1").empty());
    Windows::get<FrmMain>().m_puliscidb_Click();
    EXPECT_EQ(programmeCount(), 0);
}

TEST_F(MainLoad, AMonitorHitBlinksPanelTwoEvenWithoutItsPictureAndTheFirstClickOpensTheMonitor)
{
    QFile::remove(appPath(QStringLiteral("htmlcards/smile2.ico")));
    Database mon = Database::open(appPath(QStringLiteral("database/monitor.cfg")));
    MonitorTable(mon).add(QStringLiteral("derby"));
    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 1, QStringLiteral("Telegiornale"));
    loadMain().Timer2_Timer(); // without a hit nothing blinks
    EXPECT_TRUE(Windows::get<FrmMain>().panelText(2).isEmpty());
    Windows::unloadAll();
    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 2, QStringLiteral("Il grande Derby"));
    FrmMain &m = loadMain();
    ASSERT_EQ(AllarmeMonitor, 1);
    m.Timer2_Timer();
    EXPECT_EQ(m.panelText(2), QStringLiteral("Trovato Programma TV !"));
    m.Timer2_Timer();
    EXPECT_TRUE(m.panelText(2).isEmpty());
    m.Timer2_Timer();

    FrmMonitor &monitor = Windows::get<FrmMonitor>();
    EXPECT_FALSE(monitor.isVisible());
    m.StatusBar1_PanelClick();
    EXPECT_TRUE(monitor.isVisible());
    EXPECT_FALSE(m.Timer2->isActive());
    EXPECT_TRUE(m.panelText(2).isEmpty());
    monitor.hide();
    m.StatusBar1_PanelClick();
    EXPECT_FALSE(monitor.isVisible());
}

TEST_F(MainLoad, ASmallSizeOpensAtTheMinimumAPlaceOffTheScreensComesBackAndTheNextRunKeepsTheLast)
{
    Width = Heigth = 6000;
    Left = Top = 900000;
    FrmMain &first = loadMain();
    EXPECT_GE(first.width() * FrmMain::TwipsPerPixel, FrmMain::MinWidthTwips);
    EXPECT_GE(first.height() * FrmMain::TwipsPerPixel, FrmMain::MinHeightTwips);
    EXPECT_NE(QGuiApplication::screenAt(first.pos() + QPoint(40, 10)), nullptr);
    first.resize(900, 650);
    first.move(120, 90);
    const QPoint corner = first.frameGeometry().topLeft();
    first.close();
    Windows::unloadAll();
    FrmMain &second = loadMain();
    EXPECT_EQ(second.size(), QSize(900, 650));
    EXPECT_EQ(second.pos(), corner);
}

// Seven channels ticked, in groups in and out of range.
class ChannelTree : public MainFixture {
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set Attivo = 0"));
        const std::pair<const char *, QVariant> groups[] = {
            {"Rai 1", 0}, {"Rai 2", 1}, {"Rai 3", 7}, {"Rete 4", 8}, {"Canale 5", -1}, {"Italia 1", QVariant()}, {"La7", 4}};
        int position = 0;
        for (const auto &[name, antenna] : groups) {
            Statement st = db.prepare(QStringLiteral(
                "update Televisioni set Attivo = 1, Visualizzare = 1, ANTENNA = ?1, Posizione = ?2 where NOMETV = ?3"));
            st.bind(1, antenna).bind(2, ++position).bind(3, QString::fromLatin1(name));
            st.execute();
        }
    }
};

// The tree shows each group with the channel setup's picture.
TEST_F(ChannelTree, AllGroupsListOutOfRangeGroupsAsSatelliteAndAFilterOnlyItsGroup)
{
    FrmMain &m = loadMain();
    EXPECT_EQ(treeChannels(m.TreeView1, true), (QStringList{"Rai 1:parabola", "Rai 2:parabola", "Rai 3:radio",
                                                            "Rete 4:parabola", "La7:sport"}));
    Windows::get<FrmConfig>().show();
    auto picture = [](QTreeWidget *tree, const char *name) {
        const QIcon icon = tree->findItems(QLatin1String(name), Qt::MatchExactly | Qt::MatchRecursive)[0]->icon(0);
        return icon.isNull() ? QImage() : icon.pixmap(16, 16).toImage();
    };
    for (const char *name : {"Rai 2", "La7"}) { // satellite and sport
        EXPECT_FALSE(picture(m.TreeView1, name).isNull()) << name;
        EXPECT_EQ(picture(m.TreeView1, name), picture(Windows::get<FrmConfig>().TreeView1, name)) << name;
    }
    for (auto [filter, channel, title] : {std::tuple{4, "La7", 19}, std::tuple{7, "Rai 3", 22}}) { // sport, radio
        m.m_menuv[filter]->trigger();
        EXPECT_EQ(FiltroAntenna, filter);
        EXPECT_EQ(treeChannels(m.TreeView1), QStringList{channel});
        EXPECT_EQ(m.LabTitoloBar[3]->text(), Lingua[title]);
    }
}

TEST_F(ChannelTree, SearchIsExactTakesTheRootAndResetsAFilterThatHidesTheChannel)
{
    FrmMain &m = loadMain();
    const std::pair<const char *, const char *> searches[] = {
        {"Rai 2", "Rai 2"}, {"RAI 1", "Rai 2"}, {"Palinsesti Disponibili", "R"}};
    for (auto [wanted, current] : searches) {
        TvCorrente = QString::fromLatin1(wanted);
        m.SEARCH_TV_TREE();
        EXPECT_EQ(m.currentChannel(), QString::fromLatin1(current)) << wanted;
    }
    m.m_menuv_Click(4);
    TvCorrente = QStringLiteral("Rai 2");
    m.SEARCH_TV_TREE();
    EXPECT_EQ(FiltroAntenna, 0);
    EXPECT_EQ(m.currentChannel(), QStringLiteral("Rai 2"));
    // A channel that is not listed at all changes nothing.
    m.m_menuv_Click(4);
    TvCorrente = QStringLiteral("Canale 5");
    m.SEARCH_TV_TREE();
    EXPECT_EQ(FiltroAntenna, 4);
}

TEST_F(MainLoad, ARowTheTreeCannotTakeIsSkippedAlone)
{
    {
        Database db = Database::open(PercorsoPalinsesti);
        db.exec(QStringLiteral("update Televisioni set NOMETV = 'R' where NOMETV = 'Rai 2'"));
        db.exec(QStringLiteral("update Televisioni set NOMETV = '' where NOMETV = 'Rai 3'"));
    }
    FrmMain &m = loadMain();
    const QStringList names = treeChannels(m.TreeView1);
    EXPECT_FALSE(names.contains(QStringLiteral("R")));
    EXPECT_FALSE(names.contains(QString()));
    for (const char *kept : {"Rai 1", "Rete 4", "Radio 1"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(kept))) << kept;
    EXPECT_EQ(m.panelText(3), QStringLiteral("*"));
}

TEST_F(MainLoad, ViewCodesChooseTheViewRebuilt)
{
    FrmMain &m = loadMain();
    const QDate tomorrow = QDate::currentDate().addDays(1);
    m.CmdGiornoDx_Click();
    EXPECT_TRUE(page("temp.htm").contains(shown(tomorrow)));
    VistaCorrente = 2;
    m.CmdGiornoDx_Click();
    EXPECT_TRUE(page("tempreport.htm").contains(shown(tomorrow.addDays(1))));
    EXPECT_TRUE(page("temp.htm").contains(shown(tomorrow)));
    VistaCorrente = 3;
    m.CmdGiornoSx_Click();
    FrmSchedaGiorno &grid = Windows::get<FrmSchedaGiorno>();
    EXPECT_EQ(grid.MonthView1, tomorrow);
    EXPECT_TRUE(grid.Frame1->isVisibleTo(&grid));
    Windows::get<FrmMyTV>();
    EXPECT_EQ(VistaCorrente, 4);
    m.CmdGiornoSx_Click();
    EXPECT_TRUE(page("temp.htm").contains(shown(QDate::currentDate())));
}

TEST_F(MainLoad, TheSixtyFirstTickOpensTheCard)
{
    griglia = true;
    for (int i = 1; i <= 13; ++i)
        addProgramme(todayNumber(), QStringLiteral("Rai 1"), i, QStringLiteral("P%1").arg(i));
    FrmMain &m = loadMain();
    // 61 ticks of about 16 ms keep the one-second hover delay.
    EXPECT_EQ((QList<int>{m.TimerProg->interval(), m.Timer1->interval(), m.Timer2->interval(), m.Timer_POP2->interval()}),
              (QList<int>{59000, 5000, 500, 16}));
    for (QTimer *t : {m.TimerProg, m.Timer1, m.Timer2})
        EXPECT_TRUE(t->isActive());
    LabProgHover = 12;
    TickPopUp = 0;
    m.Timer_POP2->start();
    for (int i = 0; i < 60; ++i)
        m.Timer_POP2_Timer();
    EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>());
    m.Timer_POP2_Timer();
    ASSERT_TRUE(Windows::loaded<FrmPopUpGhost>());
    EXPECT_EQ(GhostNumerazione, QStringLiteral("13"));
    EXPECT_EQ(GhostPalinsesto, QStringLiteral("Rai 1"));
    EXPECT_EQ(TickPopUp, 0);
    EXPECT_FALSE(m.Timer_POP2->isActive());
}

TEST_F(MainLoad, WithPopUpOffTheButtonIsReleasedAndTicksOnlyCloseTheCard)
{
    griglia = true;
    PopUp = false;
    FrmMain &m = loadMain();
    EXPECT_FALSE(m.popUpPressed());
    Windows::get<FrmPopUpGhost>().show();
    m.Timer_POP2->start();
    for (int i = 0; i < 100; ++i)
        m.Timer_POP2_Timer();
    EXPECT_EQ(TickPopUp, 0);
    EXPECT_FALSE(Windows::loaded<FrmPopUpGhost>() && Windows::get<FrmPopUpGhost>().isVisible());
    EXPECT_TRUE(m.Timer_POP2->isActive());
    m.Toolbar3->actions()[3]->setChecked(true);
    m.Toolbar3_ButtonClick(QStringLiteral("popup"));
    EXPECT_TRUE(PopUp);
}

TEST_F(MainLoad, TheIconHighlightCloseButtonsAndTheListMenuLeaveTheViewInFront)
{
    FrmMain &m = loadMain();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    const QPoint at = m.ImgIcone[3]->pos();
    m.ImgIcone_MouseMove(3);
    m.Timer1_Timer(); // the frame comes back only once the mouse has crossed the bar
    m.ImgIcone_MouseMove(3);
    EXPECT_EQ(std::pair(m.lblHighlight->isVisibleTo(&m), m.ImgIcone[3]->pos()), std::pair(false, at - QPoint(1, 1)));
    m.Picture2_MouseMove();
    EXPECT_EQ(m.ImgIcone[3]->pos(), at);
    m.runCommand(Command::DayGrid);
    NavBar = true;
    m.CmdClose_Click(2);
    EXPECT_FALSE(m.Picture2->isVisibleTo(&m));
    m.m_menu_visu_Click(1); // the tree back beside the grid
    EXPECT_FALSE(NavBar);
    EXPECT_TRUE(m.Picture3->isVisibleTo(&m));
    EXPECT_TRUE(m.m_menu_visu[1]->isChecked());
    for (QFrame *panel : {m.Picture4, m.Picture3}) {
        QPushButton *close = panel->findChild<QPushButton *>();
        ASSERT_NE(close, nullptr);
        QTest::mouseClick(close, Qt::LeftButton);
        EXPECT_FALSE(panel->isVisibleTo(&m));
        EXPECT_NE(dynamic_cast<FrmSchedaGiorno *>(activeChild(m)), nullptr);
        EXPECT_EQ(VistaCorrente, 3);
    }
}

// Channel setup left with every channel cleared and not applied: closing the
// program asks, applies the setup on OK only and ends either way.
TEST_F(MainLoad, ClosingAsksForTheUnappliedChannelSetupAndAppliesItOnOkOnly)
{
    for (Answer a : {Answer::Cancel, Answer::Ok}) {
        FrmMain &m = loadMain();
        FrmConfig &c = Windows::get<FrmConfig>();
        c.show();
        c.Command4_Click();
        answer = a;
        prompts.clear();
        m.close();
        EXPECT_EQ(prompts, QStringList{Lingua[88]});
        EXPECT_FALSE(c.isVisible());
        Database db = Database::open(PercorsoPalinsesti);
        int active = 0;
        for (const Channel &ch : TelevisioniTable(db).allByPosition())
            active += ch.Attivo ? 1 : 0;
        EXPECT_EQ(active == 0, a == Answer::Ok);
        Windows::unloadAll();
    }
    EXPECT_EQ(ends, 2);
}

// Each way of choosing a day moves the labels and rebuilds the view once.
TEST_F(MainLoad, CalendarKeysTheDayButtonAndClicksMoveTheLabelsAndTheViewOnce)
{
    FrmMain *m = &loadMain();
    m->runCommand(Command::DayGrid);
    FrmSchedaGiorno *grid = &Windows::get<FrmSchedaGiorno>();
    int builds = gridBuilds;
    auto expectShown = [&](const QDate &day) {
        SCOPED_TRACE(day.toString().toStdString());
        EXPECT_EQ(m->LabDATA[0]->text(), datenav::shortDate(day));
        EXPECT_EQ(grid->model().firstDay, day.addDays(-1));
        EXPECT_EQ(gridBuilds, ++builds);
    };
    m->setCurrentDay(QDate(2026, 12, 31));
    EXPECT_EQ(m->LabDATA[0]->text(), QStringLiteral("31/12/2026"));
    EXPECT_EQ(m->LabDATA[2]->text(), QString::fromUtf8("Giovedì"));
    EXPECT_EQ(gridBuilds, builds); // the caller dispatches
    QTest::mouseClick(m->CmdGiornoDx, Qt::LeftButton);
    expectShown(QDate(2027, 1, 1));
    QTest::mouseClick(m->CmdGiornoSx, Qt::LeftButton);
    expectShown(QDate(2026, 12, 31));
    auto *view = m->MonthView1->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_PageUp);
    expectShown(QDate(2026, 11, 30));
    QPoint eleven; // once on the page of November
    for (int r = 0; r < view->model()->rowCount(); ++r)
        for (int c = 0; c < view->model()->columnCount(); ++c)
            if (view->model()->index(r, c).data().toString() == QLatin1String("11"))
                eleven = view->visualRect(view->model()->index(r, c)).center();
    for (int click = 0; click < 2; ++click) { // also on the day already chosen
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, eleven);
        expectShown(QDate(2026, 11, 11));
    }
}

// The calls other rooms make on the main window: without it the status goes
// to standard error and the screen calls load nothing; with it each reaches it.
TEST_F(MainLoad, SeamCallsWithoutTheMainWindowLoadNothingWithItReachIt)
{
    testing::internal::CaptureStderr();
    mainWindow().writeStatus(3, QStringLiteral("12 errore"));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("[stato 3] 12 errore"), std::string::npos) << err;
    VistaCorrente = 3;
    mainWindow().LOAD_TV();
    mainWindow().refreshGridIfCurrent();
    mainWindow().stopHoverTimer();
    mainWindow().CARICA_HIGHLIGHTS();
    mainWindow().waitShow(QStringLiteral("Orvento"), QStringLiteral("attendere"));
    EXPECT_FALSE(Windows::loaded<FrmMain>());
    EXPECT_FALSE(Windows::loaded<FrmSchedaGiorno>());
    EXPECT_FALSE(Windows::loaded<FrmHigh>());
    EXPECT_FALSE(Windows::loaded<FrmWait>());

    FrmMain &m = loadMain();
    mainWindow().writeStatus(3, QStringLiteral("12 errore"));
    const QList<QLabel *> panels = m.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(panels[2]->text(), QStringLiteral("12 errore  ") + shown(QDate::currentDate())); // before the date
    mainWindow().showProgramme(ProgrammeKey{20261206, QStringLiteral("Rai 1"), 7});
    EXPECT_TRUE(Windows::loaded<FrmPopUp>() && Windows::get<FrmPopUp>().isVisible());
    EXPECT_EQ(PopUpNumerazione, QStringLiteral("7"));
    // The grid is rebuilt only while it is the current view.
    mainWindow().showView(Windows::get<FrmSchedaGiorno>());
    FrmSchedaGiorno &grid = Windows::get<FrmSchedaGiorno>();
    addProgramme(todayNumber(), QStringLiteral("Rai 1"), 1, QStringLiteral("Nuovo"));
    VistaCorrente = 1;
    mainWindow().refreshGridIfCurrent();
    EXPECT_EQ(grid.model().ContaLabProg(), 0);
    VistaCorrente = 3;
    mainWindow().refreshGridIfCurrent();
    EXPECT_EQ(grid.model().ContaLabProg(), 1);
}
