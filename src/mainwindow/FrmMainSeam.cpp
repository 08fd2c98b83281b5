#include "mainwindow/FrmMainSeam.h"

#include "acquisition/FrmDownload.h"
#include "acquisition/FrmElaboraD.h"
#include "acquisition/Highlights.h"
#include "core/AppState.h"
#include "core/FrmConfig.h"
#include "core/FrmInizio.h"
#include "core/FrmPreferenze.h"
#include "core/Settings.h"
#include "details/FrmPopUp.h"
#include "grid/FrmPopUpGhost.h"
#include "grid/FrmSchedaGiorno.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FrmWait.h"
#include "mainwindow/cHtmlHelp.h"
#include "mdi/MdiChild.h"
#include "platform/Shell.h"
#include "platform/Windows.h"
#include "views/FrmHigh.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>

namespace orv {

namespace {
// The main window when it is loaded; the calls that only matter on screen
// are skipped without it.
FrmMain *shown() { return Windows::loaded<FrmMain>() ? &Windows::get<FrmMain>() : nullptr; }
} // namespace

QDate FrmMainSeam::currentDay() { return Windows::get<FrmMain>().currentDay(); }
void FrmMainSeam::setCurrentDay(const QDate &day) { Windows::get<FrmMain>().setCurrentDay(day); }
QString FrmMainSeam::currentChannel() { return Windows::get<FrmMain>().currentChannel(); }

void FrmMainSeam::LOAD_TV()
{
    if (FrmMain *m = shown())
        m->LOAD_TV();
}

void FrmMainSeam::SEARCH_TV_TREE() { Windows::get<FrmMain>().SEARCH_TV_TREE(); }
void FrmMainSeam::SMISTAMENTO_VISUALIZZAZIONI() { Windows::get<FrmMain>().SMISTAMENTO_VISUALIZZAZIONI(); }

void FrmMainSeam::showView(QWidget &view)
{
    auto *child = qobject_cast<MdiChild *>(&view);
    Q_ASSERT_X(child, "showView", "a view is an MdiChild");
    if (child)
        Windows::get<FrmMain>().showChild(*child);
}

void FrmMainSeam::showChannelTree(bool shown) { Windows::get<FrmMain>().Picture3->setVisible(shown); }
void FrmMainSeam::refreshGrid() { Windows::get<FrmMain>().refreshGrid(); }

void FrmMainSeam::refreshGridIfCurrent()
{
    if (FrmMain *m = shown(); m && VistaCorrente == 3)
        m->refreshGrid();
}

void FrmMainSeam::showProgramme(const ProgrammeKey &key) { Windows::get<FrmPopUp>().showProgramme(key); }

void FrmMainSeam::CARICA_HIGHLIGHTS()
{
    if (shown())
        Windows::get<FrmHigh>().CARICA_HIGHLIGHTS();
}

void FrmMainSeam::CARICA_SCHEDA_PALINSESTO() { Windows::get<FrmMain>().CARICA_SCHEDA_PALINSESTO(); }

void FrmMainSeam::setFavouriteMarkers(const std::vector<ProgrammeKey> &keys, bool shown)
{
    if (Windows::loaded<FrmSchedaGiorno>())
        Windows::get<FrmSchedaGiorno>().setFavouriteMarkers(keys, shown);
}

void FrmMainSeam::locateInGrid(const ProgrammeKey &key, const QString &ora)
{
    if (Windows::loaded<FrmSchedaGiorno>())
        Windows::get<FrmSchedaGiorno>().CARICA_TV();
    FrmSchedaGiorno &grid = Windows::get<FrmSchedaGiorno>(); // a new grid builds itself once
    showView(grid);
    grid.locateProgramme(key, ora);
    showChannelTree(false);
}

void FrmMainSeam::closeHoverCard()
{
    if (Windows::loaded<FrmPopUpGhost>())
        Windows::unload<FrmPopUpGhost>();
}

void FrmMainSeam::writeStatus(int panel, const QString &text)
{
    if (FrmMain *m = shown())
        m->writeStatus(panel, text);
    else
        std::fprintf(stderr, "[stato %d] %s\n", panel, text.toLocal8Bit().constData());
}

void FrmMainSeam::stopMonitorAlert()
{
    if (FrmMain *m = shown())
        m->stopMonitorAlert();
}

void FrmMainSeam::startHoverTimer()
{
    if (FrmMain *m = shown())
        m->Timer_POP2->start();
}

void FrmMainSeam::stopHoverTimer()
{
    if (FrmMain *m = shown())
        m->stopHoverTimer();
}

void FrmMainSeam::waitShow(const QString &caption, const QString &message)
{
    if (shown())
        Windows::get<FrmWait>().begin(caption, message);
}

void FrmMainSeam::waitProgress(int value, int maximum)
{
    if (Windows::loaded<FrmWait>())
        Windows::get<FrmWait>().step(value, maximum);
}

void FrmMainSeam::waitClose() { Windows::unload<FrmWait>(); }

void FrmMainSeam::waitText(const QString &message)
{
    if (Windows::loaded<FrmWait>())
        Windows::get<FrmWait>().Label1->setText(message);
}

void FrmMainSeam::helpContext(int context)
{
    if (oHtmlHelp)
        oHtmlHelp->HelpContext(context, QString());
}

void FrmMainSeam::helpContents()
{
    if (oHtmlHelp)
        oHtmlHelp->DisplayTOC();
}

void FrmMainSeam::downloadCycle()
{
    FrmDownload &d = Windows::get<FrmDownload>();
    Windows::toFront(d);
    d.CICLO_TELEVISIONI();
}

void FrmMainSeam::downloadHighlights()
{
    Windows::toFront(Windows::get<FrmDownload>());
    SCARICA_HIGH();
}

void FrmMainSeam::downloadChannelFiles()
{
    Windows::toFront(Windows::get<FrmDownload>());
    SCARICA_PALINSESTI();
}

void FrmMainSeam::postProcessing()
{
    FrmElaboraD &e = Windows::get<FrmElaboraD>();
    Windows::toFront(e);
    e.ELABORA_DURATA();
}

void FrmMainSeam::stopJobs()
{
    Annulla = true;
    InterrompiLettura = true;
    if (Windows::loaded<FrmDownload>())
        Windows::get<FrmDownload>().Command1_Click();
}

bool FrmMainSeam::startJob() { return Windows::get<FrmMain>().startJob(); }
void FrmMainSeam::finishJob() { Windows::get<FrmMain>().finishJob(); }
bool FrmMainSeam::jobRunning() { return Windows::get<FrmMain>().jobRunning(); }
void FrmMainSeam::downloadJob() { Windows::get<FrmMain>().runCommand(Command::Download); }

void FrmMainSeam::showChannelSetup() { Windows::toFront(Windows::get<FrmConfig>()); }
void FrmMainSeam::showPreferences() { Windows::toFront(Windows::get<FrmPreferenze>()); }
void FrmMainSeam::saveSettings() { SALVA_CONFIGURAZIONE(); }

void FrmMainSeam::splashStage(const QString &text)
{
    if (Windows::loaded<FrmInizio>())
        Windows::get<FrmInizio>().Label1->setText(text);
}

void FrmMainSeam::closeSplash() { Windows::unload<FrmInizio>(); }
void FrmMainSeam::openUrl(const QString &address) { shell::open(address); }
void FrmMainSeam::endProgram() { QCoreApplication::quit(); }

} // namespace orv
