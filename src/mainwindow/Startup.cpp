#include "mainwindow/Startup.h"
#include "mainwindow/FrmMain.h"
#include "platform/Windows.h"

#include "core/AppState.h"

#include <QApplication>

namespace orv {

int Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QString home = qEnvironmentVariable("ORVENTO_HOME");
    setApplicationFolder(home.isEmpty() ? QCoreApplication::applicationDirPath() : home);
    Windows::get<FrmMain>().show();
    return app.exec();
}

} // namespace orv
