#pragma once

#include "core/MainWindowSeam.h"

#include <QStringList>
#include <functional>

namespace orv::test {

// A main window for the tests of the rooms below it: every call is written
// down as one line ("LOAD_TV", "status 3 *", "waitShow Griglia|text"), the
// questions are answered from the fields. Installed for its lifetime.
class RecordingSeam : public MainWindowSeam {
public:
    RecordingSeam() : previous_(installMainWindow(this)) {}
    ~RecordingSeam() override { installMainWindow(previous_); }
    RecordingSeam(const RecordingSeam &) = delete;
    RecordingSeam &operator=(const RecordingSeam &) = delete;

    QStringList calls;
    QDate day = QDate(2026, 3, 14);

    // How many calls were exactly `line`.
    int count(const QString &line) const { return int(calls.count(line)); }
    // The texts written into one status panel, in order.
    QStringList status(int panel) const
    {
        QStringList texts;
        const QString prefix = QStringLiteral("status %1 ").arg(panel);
        for (const QString &c : calls)
            if (c.startsWith(prefix))
                texts << c.mid(prefix.size());
        return texts;
    }

    QDate currentDay() override { return day; }
    void setCurrentDay(const QDate &d) override
    {
        day = d;
        note(QStringLiteral("setCurrentDay ") + d.toString(Qt::ISODate));
    }
    QString currentChannel() override { return QString(); }
    void LOAD_TV() override { note("LOAD_TV"); }
    void SEARCH_TV_TREE() override { note("SEARCH_TV_TREE"); }
    void SMISTAMENTO_VISUALIZZAZIONI() override { note("SMISTAMENTO_VISUALIZZAZIONI"); }
    void showView(QWidget &) override { note("showView"); }
    void showChannelTree(bool shown) override { note(shown ? "showChannelTree 1" : "showChannelTree 0"); }
    void refreshGrid() override { note("refreshGrid"); }
    void refreshGridIfCurrent() override { note("refreshGridIfCurrent"); }
    void showProgramme(const ProgrammeKey &k) override
    {
        note(QStringLiteral("showProgramme %1|%2|%3").arg(k.Data).arg(k.Palinsesto).arg(k.Numerazione));
    }
    void CARICA_HIGHLIGHTS() override { note("CARICA_HIGHLIGHTS"); }
    void CARICA_SCHEDA_PALINSESTO() override { note("CARICA_SCHEDA_PALINSESTO"); }
    void setFavouriteMarkers(const std::vector<ProgrammeKey> &, bool) override { note("setFavouriteMarkers"); }
    void locateInGrid(const ProgrammeKey &, const QString &) override { note("locateInGrid"); }
    void closeHoverCard() override { note("closeHoverCard"); }
    void writeStatus(int panel, const QString &text) override { note(QStringLiteral("status %1 ").arg(panel) + text); }
    void stopMonitorAlert() override { note("stopMonitorAlert"); }
    void startHoverTimer() override { note("startHoverTimer"); }
    void stopHoverTimer() override { note("stopHoverTimer"); }
    void waitShow(const QString &c, const QString &m) override { note(QStringLiteral("waitShow ") + c + '|' + m); }
    void waitProgress(int value, int maximum) override { note(QStringLiteral("waitProgress %1/%2").arg(value).arg(maximum)); }
    void waitClose() override { note("waitClose"); }
    void waitText(const QString &message) override { note(QStringLiteral("waitText ") + message); }
    void helpContext(int context) override { note(QStringLiteral("helpContext %1").arg(context)); }
    void helpContents() override { note("helpContents"); }
    void downloadCycle() override { note("downloadCycle"); }
    void downloadHighlights() override { note("downloadHighlights"); }
    void downloadChannelFiles() override { note("downloadChannelFiles"); }
    void postProcessing() override { note("postProcessing"); }
    void stopJobs() override { note("stopJobs"); }
    bool startJob() override { note("startJob"); return true; }
    void finishJob() override { note("finishJob"); }
    bool jobRunning() override { return false; }
    void downloadJob() override { note("downloadJob"); }
    void showChannelSetup() override { note("showChannelSetup"); }
    void showPreferences() override { note("showPreferences"); }
    void saveSettings() override { note("saveSettings"); }
    void splashStage(const QString &text) override { note(QStringLiteral("splashStage ") + text); }
    void closeSplash() override { note("closeSplash"); }
    void openUrl(const QString &address) override { note(QStringLiteral("openUrl ") + address); }
    void endProgram() override { note("endProgram"); }

    // Runs after each call is written down (a test's own reaction).
    std::function<void(const QString &line)> onCall;

private:
    void note(const QString &line)
    {
        calls << line;
        if (onCall)
            onCall(line);
    }
    void note(const char *line) { note(QString::fromLatin1(line)); }
    MainWindowSeam *previous_;
};

} // namespace orv::test
