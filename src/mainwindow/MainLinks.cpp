#include "mainwindow/MainLinks.h"

#include "acquisition/FrmDownload.h"
#include "acquisition/FrmElaboraD.h"
#include "acquisition/Highlights.h"
#include "core/AppState.h"
#include "core/FrmConfig.h"
#include "core/FrmInizio.h"
#include "core/FrmPreferenze.h"
#include "core/Settings.h"
#include "platform/Shell.h"
#include "platform/Windows.h"

#include <QLabel>

namespace orv::links {

void toFront(QWidget &w)
{
    w.show();
    w.raise();
    w.activateWindow();
}

namespace {
Jobs realJobs()
{
    Jobs j;
    j.downloadCycle = [] {
        FrmDownload &d = Windows::get<FrmDownload>();
        toFront(d);
        d.CICLO_TELEVISIONI();
    };
    j.highlights = [] {
        toFront(Windows::get<FrmDownload>());
        SCARICA_HIGH();
    };
    j.channelFiles = [] {
        toFront(Windows::get<FrmDownload>());
        SCARICA_PALINSESTI();
    };
    j.postProcessing = [] {
        FrmElaboraD &e = Windows::get<FrmElaboraD>();
        toFront(e);
        e.ELABORA_DURATA();
    };
    j.stopJobs = [] {
        Annulla = true;
        InterrompiLettura = true;
        if (Windows::loaded<FrmDownload>())
            Windows::get<FrmDownload>().Command1_Click();
    };
    j.showChannelSetup = [] { toFront(Windows::get<FrmConfig>()); };
    j.showPreferences = [] { toFront(Windows::get<FrmPreferenze>()); };
    j.saveSettings = [] { SALVA_CONFIGURAZIONE(); };
    j.splashStage = [](const QString &text) {
        if (Windows::loaded<FrmInizio>())
            Windows::get<FrmInizio>().Label1->setText(text);
    };
    j.closeSplash = [] { Windows::unload<FrmInizio>(); };
    j.openUrl = [](const QString &address) { shell::open(address); };
    return j;
}
} // namespace

Jobs &jobs()
{
    static Jobs j = realJobs();
    return j;
}

void resetJobs() { jobs() = realJobs(); }

} // namespace orv::links
