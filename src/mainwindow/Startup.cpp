#include "mainwindow/Startup.h"

#include "acquisition/FrmDownload.h"
#include "core/AppState.h"
#include "core/FrmInizio.h"
#include "core/Language.h"
#include "core/Settings.h"
#include "core/SingleInstance.h"
#include "core/StartupSteps.h"
#include "core/UserStore.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/FrmMainSeam.h"
#include "platform/Prompt.h"
#include "platform/QtTranslations.h"
#include "platform/Windows.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>

namespace orv {

namespace {

QStringList userArguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

void recordProgram(UserStore &store)
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString real = exe.canonicalFilePath();
    store.setValue(QStringLiteral("EXEFile"), real.isEmpty() ? exe.absoluteFilePath() : real);
}

int runUnattended()
{
    AvvioDownload = true;
    Windows::unload<FrmInizio>();
    auto &d = Windows::get<FrmDownload>();
    d.show();
    d.CICLO_TELEVISIONI();
    const int rc = d.unattendedExitCode();
    // Ends here: no window's closing runs, so nothing is saved.
    Windows::unloadAll();
    return rc;
}

} // namespace

int Main(int argc, char **argv)
{
    const bool download = startup::isDownloadCommand(userArguments(argc, argv));
    if (download) {
        // Unattended from the first message on: nothing may wait for an answer.
        Prompt::setUnattended(true);
        const QByteArray platforms = startup::unattendedPlatforms();
        if (!platforms.isEmpty())
            qputenv("QT_QPA_PLATFORM", platforms);
    }
    QApplication app(argc, argv);
    QtTranslations::install();
    FrmMainSeam seam;
    ScopedMainWindow answering(seam);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvento"));
    QCoreApplication::setApplicationName(QStringLiteral("Orvento"));

    const QString home = qEnvironmentVariable("ORVENTO_HOME");
    setApplicationFolder(home.isEmpty() ? QCoreApplication::applicationDirPath() : home);
    AvvioDownload = false;
    VersioneProgramma = 72.0f;

    // Asked before any lock file goes, so a running instance keeps its own.
    SingleInstance instance(PercorsoApp);
    if (!instance.acquire()) {
        Prompt::message(QStringLiteral("Orvento gia' in esecuzione!"));
        return 1;
    }
    startup::removeStaleLockFiles(appPath(QStringLiteral("\\database")));

    UserStore store;
    startup::startCompanionOnFirstRun(store, appPath(QStringLiteral("\\OrventoMonitor")));
    recordProgram(store);

    AvvioInCorso = true;
    auto &splash = Windows::get<FrmInizio>();
    splash.show();
    FiltroAntenna = 0;
    CARICA_CONFIGURAZIONE();
    splash.Label1->setText(QStringLiteral("Loading Language..."));
    QCoreApplication::processEvents();
    CARICA_LINGUA();

    if (download)
        return runUnattended();

    Windows::get<FrmMain>().show();
    const int rc = app.exec();
    Windows::unloadAll();
    return rc;
}

} // namespace orv
