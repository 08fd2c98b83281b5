#include "mainwindow/FrmMain.h"

namespace orv {

FrmMain::FrmMain()
{
    setWindowTitle(QStringLiteral("Orvento 7.2 Build 1"));
    resize(1024, 740);
}

} // namespace orv
