#include "MainFixture.h"

#include "details/FrmPopUp.h"
#include "grid/FrmSchedaGiorno.h"
#include "mainwindow/FrmWait.h"
#include "views/FrmHigh.h"

#include <QLabel>
#include <QTimer>

using namespace orv;
using namespace orv::test;

namespace {

class MainSeam : public MainFixture {};

TEST_F(MainSeam, WithoutTheMainWindowStatusGoesToStandardErrorAndScreenCallsLoadNothing)
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
}

TEST_F(MainSeam, WithTheMainWindowEachCallReachesIt)
{
    FrmMain &m = loadMain();
    mainWindow().writeStatus(1, QStringLiteral("*"));
    EXPECT_EQ(m.panelText(1), QStringLiteral("*"));

    mainWindow().startHoverTimer();
    EXPECT_TRUE(m.Timer_POP2->isActive());
    mainWindow().stopHoverTimer();
    EXPECT_FALSE(m.Timer_POP2->isActive());

    mainWindow().showChannelTree(false);
    EXPECT_FALSE(m.Picture3->isVisibleTo(&m));
    mainWindow().showChannelTree(true);
    EXPECT_TRUE(m.Picture3->isVisibleTo(&m));

    mainWindow().showProgramme(ProgrammeKey{20261206, QStringLiteral("Rai 1"), 7});
    ASSERT_TRUE(Windows::loaded<FrmPopUp>());
    EXPECT_TRUE(Windows::get<FrmPopUp>().isVisible());
    EXPECT_EQ(PopUpPalinsesto, QStringLiteral("Rai 1"));
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

} // namespace
