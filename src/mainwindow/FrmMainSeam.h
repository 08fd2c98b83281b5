#pragma once

#include "core/MainWindowSeam.h"

namespace orv {

// The program's answer to what the other rooms ask of the main window: the
// main window when it is loaded, and the other rooms' windows for the jobs.
// Before the main window exists (and in the unattended run) status texts go
// to standard error and the calls that only matter on screen (tree, hover
// timer, please-wait window, alert, highlights list) do nothing.
// Tests derive from it to replace single calls, the jobs above all.
class FrmMainSeam : public MainWindowSeam {
public:
    QDate currentDay() override;
    void setCurrentDay(const QDate &day) override;
    QString currentChannel() override;
    void LOAD_TV() override;
    void SEARCH_TV_TREE() override;
    void SMISTAMENTO_VISUALIZZAZIONI() override;
    void showView(QWidget &view) override;
    void showChannelTree(bool shown) override;
    void refreshGrid() override;
    void refreshGridIfCurrent() override;
    void showProgramme(const ProgrammeKey &key) override;
    void CARICA_HIGHLIGHTS() override;
    void CARICA_SCHEDA_PALINSESTO() override;
    void setFavouriteMarkers(const std::vector<ProgrammeKey> &keys, bool shown) override;
    void locateInGrid(const ProgrammeKey &key, const QString &ora) override;
    void closeHoverCard() override;
    void writeStatus(int panel, const QString &text) override;
    void stopMonitorAlert() override;
    void startHoverTimer() override;
    void stopHoverTimer() override;
    void waitShow(const QString &caption, const QString &message) override;
    void waitProgress(int value, int maximum) override;
    void waitClose() override;
    void waitText(const QString &message) override;
    void helpContext(int context) override;
    void helpContents() override;
    void downloadCycle() override;
    void downloadHighlights() override;
    void downloadChannelFiles() override;
    void postProcessing() override;
    void stopJobs() override;
    bool startJob() override;
    void finishJob() override;
    bool jobRunning() override;
    void downloadJob() override;
    void showChannelSetup() override;
    void showPreferences() override;
    void saveSettings() override;
    void splashStage(const QString &text) override;
    void closeSplash() override;
    void openUrl(const QString &address) override;
    void endProgram() override;
};

} // namespace orv
