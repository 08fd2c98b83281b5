#pragma once

#include "core/Store.h"

#include <QDate>
#include <QString>
#include <vector>

class QWidget;

// Everything the lower rooms (core, acquisition) and the views (grid,
// details, views) may ask of the main window, in one interface. The main
// window's room implements it (mainwindow/FrmMainSeam); tests install their
// own. With nothing installed every call is refused loudly: it asserts in
// debug builds and, in the test programs, fails the running test, so a
// forgotten implementation never passes unnoticed.
//
// Calls are made through orv::mainWindow(), e.g. mainWindow().writeStatus(1, "*").
namespace orv {

class MainWindowSeam {
public:
    virtual ~MainWindowSeam() = default;

    // ---- current day and channel
    // The calendar's day (MonthView1) and setting it; a set moves the date
    // labels too but rebuilds no view: the caller dispatches when it is done.
    virtual QDate currentDay() = 0;
    virtual void setCurrentDay(const QDate &day) = 0;
    // The key of the tree's selected node: a channel name, "R" for the root,
    // empty when nothing is selected.
    virtual QString currentChannel() = 0;
    // Rebuilds the channel tree from the channels table.
    virtual void LOAD_TV() = 0;
    // Selects the tree node whose text is TvCorrente.
    virtual void SEARCH_TV_TREE() = 0;

    // ---- views
    // Refreshes the current view by VistaCorrente (report, grid, else card).
    virtual void SMISTAMENTO_VISUALIZZAZIONI() = 0;
    // Shows a view (an MdiChild) as a child window, in front.
    virtual void showView(QWidget &view) = 0;
    // Shows or hides the panel that holds the channel tree (Picture3).
    virtual void showChannelTree(bool shown) = 0;
    // Rebuilds the day grid; the second form only when the grid is the
    // current view.
    virtual void refreshGrid() = 0;
    virtual void refreshGridIfCurrent() = 0;
    // Opens the programme pop-up on a programme (every opener's one road).
    virtual void showProgramme(const ProgrammeKey &key) = 0;
    // Re-reads the highlights folder into the highlights viewer's list.
    virtual void CARICA_HIGHLIGHTS() = 0;
    // Builds the chosen channel card for the current channel and day, shown.
    virtual void CARICA_SCHEDA_PALINSESTO() = 0;

    // ---- day grid and hover card
    // Shows or hides the favourite markers of those programmes' cells when
    // the grid is loaded (a grid built later reads the marks itself).
    virtual void setFavouriteMarkers(const std::vector<ProgrammeKey> &keys, bool shown) = 0;
    // Shows the day grid at a programme starting at `ora`: a loaded grid is
    // rebuilt for the current day first, a new one builds itself; the
    // channel tree is hidden.
    virtual void locateInGrid(const ProgrammeKey &key, const QString &ora) = 0;
    // Closes the hover card (FrmPopUpGhost) when it is open.
    virtual void closeHoverCard() = 0;

    // ---- status bar
    // Panel 1 takes the error marks, 2 the monitor alert, 3 and 4 texts shown
    // before the date and the time. Without a main window: standard error.
    virtual void writeStatus(int panel, const QString &text) = 0;
    // The monitor alert stops blinking (its window was looked at).
    virtual void stopMonitorAlert() = 0;

    // ---- hover card timer (Timer_POP2)
    virtual void startHoverTimer() = 0;
    virtual void stopHoverTimer() = 0;

    // ---- please-wait window (FrmWait): show or retitle, progress, close.
    virtual void waitShow(const QString &caption, const QString &message) = 0;
    virtual void waitProgress(int value, int maximum) = 0;
    virtual void waitClose() = 0;
    // The message of the please-wait window, when it is open.
    virtual void waitText(const QString &message) = 0;

    // ---- help
    virtual void helpContext(int context) = 0;
    virtual void helpContents() = 0;

    // ---- jobs and windows of the other rooms that the main window starts
    // Download window shown, the whole download cycle run.
    virtual void downloadCycle() = 0;
    // Download window shown, the highlights downloaded.
    virtual void downloadHighlights() = 0;
    // Download window shown, the channel files downloaded.
    virtual void downloadChannelFiles() = 0;
    // Post-processing window shown, durations and favourites worked out.
    virtual void postProcessing() = 0;
    // Asks a running job to stop at its next test.
    virtual void stopJobs() = 0;
    // One job at a time: startJob refuses (false, the running job's window in
    // front) while one runs; finishJob ends the job it started.
    virtual bool startJob() = 0;
    virtual void finishJob() = 0;
    virtual bool jobRunning() = 0;
    // The download command: the whole cycle and, when wanted, the
    // highlights, as one job.
    virtual void downloadJob() = 0;
    virtual void showChannelSetup() = 0;
    virtual void showPreferences() = 0;
    virtual void saveSettings() = 0;
    // The splash window's stage text while starting; closing it.
    virtual void splashStage(const QString &text) = 0;
    virtual void closeSplash() = 0;
    // Opens an address in the user's browser or mail program.
    virtual void openUrl(const QString &address) = 0;
    // The program's end, after the main window's closing sequence.
    virtual void endProgram() = 0;
};

// A seam that answers nothing: each call reports itself as unanswered. It is
// what mainWindow() gives while nothing is installed, and the base of test
// doubles that implement only the calls a test expects.
class UnansweredSeam : public MainWindowSeam {
public:
    QDate currentDay() override;
    void setCurrentDay(const QDate &) override;
    QString currentChannel() override;
    void LOAD_TV() override;
    void SEARCH_TV_TREE() override;
    void SMISTAMENTO_VISUALIZZAZIONI() override;
    void showView(QWidget &) override;
    void showChannelTree(bool) override;
    void refreshGrid() override;
    void refreshGridIfCurrent() override;
    void showProgramme(const ProgrammeKey &) override;
    void CARICA_HIGHLIGHTS() override;
    void CARICA_SCHEDA_PALINSESTO() override;
    void setFavouriteMarkers(const std::vector<ProgrammeKey> &, bool) override;
    void locateInGrid(const ProgrammeKey &, const QString &) override;
    void closeHoverCard() override;
    void writeStatus(int, const QString &) override;
    void stopMonitorAlert() override;
    void startHoverTimer() override;
    void stopHoverTimer() override;
    void waitShow(const QString &, const QString &) override;
    void waitProgress(int, int) override;
    void waitClose() override;
    void waitText(const QString &) override;
    void helpContext(int) override;
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
    void splashStage(const QString &) override;
    void closeSplash() override;
    void openUrl(const QString &) override;
    void endProgram() override;

    // What an unanswered call does besides asserting in debug builds: by
    // default a line on standard error; the test programs fail the test.
    using Report = void (*)(const char *call);
    // Gives back the report it replaces.
    static Report setReport(Report report);
    static void unanswered(const char *call);
};

// The installed seam, or an UnansweredSeam while none is.
MainWindowSeam &mainWindow();
// Installs a seam (nullptr: none); gives back the one it replaces.
MainWindowSeam *installMainWindow(MainWindowSeam *seam);

// Installs a seam for a scope and puts the previous one back at its end.
class ScopedMainWindow {
public:
    explicit ScopedMainWindow(MainWindowSeam &seam) : previous_(installMainWindow(&seam)) {}
    ~ScopedMainWindow() { installMainWindow(previous_); }
    ScopedMainWindow(const ScopedMainWindow &) = delete;
    ScopedMainWindow &operator=(const ScopedMainWindow &) = delete;

private:
    MainWindowSeam *previous_;
};

} // namespace orv
