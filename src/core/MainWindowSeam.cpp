#include "core/MainWindowSeam.h"

#include <QtGlobal>
#include <cstdio>
#include <utility>

namespace orv {

namespace {
MainWindowSeam *gInstalled = nullptr;

void reportOnStderr(const char *call)
{
    std::fprintf(stderr, "Orvento: nothing answers the main-window call %s\n", call);
}
UnansweredSeam::Report gReport = reportOnStderr;
} // namespace

UnansweredSeam::Report UnansweredSeam::setReport(Report report)
{
    return std::exchange(gReport, report ? report : reportOnStderr);
}

void UnansweredSeam::unanswered(const char *call)
{
    gReport(call);
    Q_ASSERT_X(false, call, "no main-window seam answers this call");
}

MainWindowSeam &mainWindow()
{
    static UnansweredSeam none;
    return gInstalled ? *gInstalled : none;
}

MainWindowSeam *installMainWindow(MainWindowSeam *seam) { return std::exchange(gInstalled, seam); }

QDate UnansweredSeam::currentDay()
{
    unanswered("currentDay");
    return QDate::currentDate();
}
void UnansweredSeam::setCurrentDay(const QDate &) { unanswered("setCurrentDay"); }
QString UnansweredSeam::currentChannel()
{
    unanswered("currentChannel");
    return QString();
}
void UnansweredSeam::LOAD_TV() { unanswered("LOAD_TV"); }
void UnansweredSeam::SEARCH_TV_TREE() { unanswered("SEARCH_TV_TREE"); }
void UnansweredSeam::SMISTAMENTO_VISUALIZZAZIONI() { unanswered("SMISTAMENTO_VISUALIZZAZIONI"); }
void UnansweredSeam::showView(QWidget &) { unanswered("showView"); }
void UnansweredSeam::showChannelTree(bool) { unanswered("showChannelTree"); }
void UnansweredSeam::refreshGrid() { unanswered("refreshGrid"); }
void UnansweredSeam::refreshGridIfCurrent() { unanswered("refreshGridIfCurrent"); }
void UnansweredSeam::showProgramme(const ProgrammeKey &) { unanswered("showProgramme"); }
void UnansweredSeam::CARICA_HIGHLIGHTS() { unanswered("CARICA_HIGHLIGHTS"); }
void UnansweredSeam::CARICA_SCHEDA_PALINSESTO() { unanswered("CARICA_SCHEDA_PALINSESTO"); }
void UnansweredSeam::setFavouriteMarkers(const std::vector<ProgrammeKey> &, bool) { unanswered("setFavouriteMarkers"); }
void UnansweredSeam::locateInGrid(const ProgrammeKey &, const QString &) { unanswered("locateInGrid"); }
void UnansweredSeam::closeHoverCard() { unanswered("closeHoverCard"); }
void UnansweredSeam::writeStatus(int, const QString &) { unanswered("writeStatus"); }
void UnansweredSeam::stopMonitorAlert() { unanswered("stopMonitorAlert"); }
void UnansweredSeam::startHoverTimer() { unanswered("startHoverTimer"); }
void UnansweredSeam::stopHoverTimer() { unanswered("stopHoverTimer"); }
void UnansweredSeam::waitShow(const QString &, const QString &) { unanswered("waitShow"); }
void UnansweredSeam::waitProgress(int, int) { unanswered("waitProgress"); }
void UnansweredSeam::waitClose() { unanswered("waitClose"); }
void UnansweredSeam::waitText(const QString &) { unanswered("waitText"); }
void UnansweredSeam::helpContext(int) { unanswered("helpContext"); }
void UnansweredSeam::helpContents() { unanswered("helpContents"); }
void UnansweredSeam::downloadCycle() { unanswered("downloadCycle"); }
void UnansweredSeam::downloadHighlights() { unanswered("downloadHighlights"); }
void UnansweredSeam::downloadChannelFiles() { unanswered("downloadChannelFiles"); }
void UnansweredSeam::postProcessing() { unanswered("postProcessing"); }
void UnansweredSeam::stopJobs() { unanswered("stopJobs"); }
bool UnansweredSeam::startJob()
{
    unanswered("startJob");
    return false;
}
void UnansweredSeam::finishJob() { unanswered("finishJob"); }
bool UnansweredSeam::jobRunning()
{
    unanswered("jobRunning");
    return false;
}
void UnansweredSeam::downloadJob() { unanswered("downloadJob"); }
void UnansweredSeam::showChannelSetup() { unanswered("showChannelSetup"); }
void UnansweredSeam::showPreferences() { unanswered("showPreferences"); }
void UnansweredSeam::saveSettings() { unanswered("saveSettings"); }
void UnansweredSeam::splashStage(const QString &) { unanswered("splashStage"); }
void UnansweredSeam::closeSplash() { unanswered("closeSplash"); }
void UnansweredSeam::openUrl(const QString &) { unanswered("openUrl"); }
void UnansweredSeam::endProgram() { unanswered("endProgram"); }

} // namespace orv
