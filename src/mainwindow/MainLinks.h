#pragma once

#include <QString>
#include <functional>

class QWidget;

// The jobs and windows of the other rooms that the main window starts, in
// one place. Each is a replaceable function so that tests can watch the
// main window's sequences without running a real download.
namespace orv::links {

struct Jobs {
    // FrmDownload shown, CICLO_TELEVISIONI to its end.
    std::function<void()> downloadCycle;
    // The highlights download after a cycle (only when HighLights is on).
    std::function<void()> highlights;
    // FrmDownload shown, SCARICA_PALINSESTI.
    std::function<void()> channelFiles;
    // FrmElaboraD shown, ELABORA_DURATA.
    std::function<void()> postProcessing;
    // Asks a running job to stop at its next test.
    std::function<void()> stopJobs;
    std::function<void()> showChannelSetup;
    std::function<void()> showPreferences;
    std::function<void()> saveSettings;
    // The splash window's label while AvvioInCorso; closing it.
    std::function<void(const QString &)> splashStage;
    std::function<void()> closeSplash;
    // Opens an address in the user's browser or mail program.
    std::function<void(const QString &)> openUrl;
};

// The installed functions (real ones unless a test replaced them).
Jobs &jobs();
// Puts back the real functions.
void resetJobs();

// Shows a top-level window in front and gives it the focus.
void toFront(QWidget &w);

} // namespace orv::links
