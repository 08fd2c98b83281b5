#pragma once

#include "core/AppState.h"
#include "core/Language.h"
#include "core/Settings.h"
#include "core/Store.h"
#include "details/FrmMonitor.h"
#include "grid/FrmSchedaGiorno.h"
#include "grid/GridColumn.h"
#include "grid/GridState.h"
#include "grid/GridView.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FrmMainSeam.h"
#include "mainwindow/MainState.h"
#include "mainwindow/cHtmlHelp.h"
#include "mainwindow/frmTip.h"
#include "platform/Database.h"
#include "platform/Windows.h"
#include "support/Prompts.h"
#include "support/TempApp.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace orv::test {

// The widget of the child view in front, if any.
inline QWidget *activeChild(FrmMain &m)
{
    QMdiSubWindow *sub = m.mdiArea->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

// The program's own answers to the main-window calls, with the jobs of the
// other rooms replaced by counters.
struct CountingJobs : FrmMainSeam {
    QStringList stages, urls;
    int downloads = 0, highlights = 0, channelFiles = 0, postProcessings = 0, stops = 0;
    int channelSetups = 0, preferences = 0, saves = 0, ends = 0;
    int gridBuilds = 0; // counted by the please-wait text each build starts with
    std::function<void()> duringDownload;

    void downloadCycle() override { ++downloads; if (duringDownload) duringDownload(); }
    void downloadHighlights() override { ++highlights; }
    void downloadChannelFiles() override { ++channelFiles; }
    void postProcessing() override { ++postProcessings; }
    void stopJobs() override { ++stops; }
    void showChannelSetup() override { ++channelSetups; }
    void showPreferences() override { ++preferences; }
    void saveSettings() override { ++saves; }
    void splashStage(const QString &s) override { stages << s; }
    void closeSplash() override {}
    void openUrl(const QString &u) override { urls << u; }
    void endProgram() override { ++ends; }
    void waitShow(const QString &caption, const QString &message) override
    {
        if (message == Lingua[155])
            ++gridBuilds;
        FrmMainSeam::waitShow(caption, message);
    }
};

// A main window on a throw-away application folder, with the jobs of the
// other rooms replaced by counters and every message box answered.
class MainFixture : public ::testing::Test, protected CountingJobs {
protected:
    void SetUp() override
    {
        app = std::make_unique<TempApp>();
        frmTip::storeFile = store.filePath(QStringLiteral("user.ini"));
        frmTip::setShowAtStartup(false);
        const LanguageFile italian = readLanguageFile(sourceData(QStringLiteral("languages/Italiano.ini")));
        std::copy(italian.entries.begin(), italian.entries.end(), Lingua.begin());
        griglia = Pulisci = HighLights = MonitorTrovato = AvvioInCorso = false;
        PopUp = true;
        Top = Left = 600;
        Width = 15000;
        Heigth = 10950;
        VistaCorrente = FiltroAntenna = AllarmeMonitor = TickPopUp = 0;
        CARD = HTMLReport = QStringLiteral("classica.htm");
        GiorniGriglia = 2;
        previousSeam = installMainWindow(this);
    }

    void TearDown() override
    {
        Windows::unloadAll();
        oHtmlHelp.reset();
        installMainWindow(previousSeam);
        frmTip::storeFile.clear();
    }

    FrmMain &loadMain() { Windows::get<FrmMain>().show(); return Windows::get<FrmMain>(); }

    void addProgramme(qint32 day, const QString &channel, int number, const QString &title)
    {
        Database db = Database::open(PercorsoDb);
        Programme p;
        p.Data = day, p.Palinsesto = channel, p.Numerazione = number, p.ORA = QStringLiteral("20:30"), p.Titolo = title;
        ProgrammiTable(db).insert(p);
    }

    // A generated page of the application folder ("" when none).
    static QString page(const QString &name)
    {
        QFile f(QDir(PercorsoApp).filePath(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static QString shown(const QDate &day) { return day.toString(QStringLiteral("dd/MM/yyyy")); }

    static qint32 todayNumber() { const QDate d = QDate::currentDate(); return dayNumber(d.year(), d.month(), d.day()); }

    qint64 programmeCount()
    {
        Database db = Database::open(PercorsoDb);
        return ProgrammiTable(db).count();
    }

    std::unique_ptr<TempApp> app;
    QTemporaryDir store;
    Prompts boxes;
    Answer &answer = boxes.answer;
    QStringList &prompts = boxes.texts;
    MainWindowSeam *previousSeam = nullptr;
};

} // namespace orv::test
