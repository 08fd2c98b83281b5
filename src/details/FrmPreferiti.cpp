#include "details/FrmPreferiti.h"

#include "mainwindow/FrmMain.h"
#include "platform/Windows.h"

#include <QEvent>

namespace orv {

FrmPreferiti::FrmPreferiti()
{
    setWindowTitle(QStringLiteral("Preferiti"));
    resize(360, 360);
}

void FrmPreferiti::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && Windows::loaded<FrmMain>())
        Windows::get<FrmMain>().stopMonitorAlert();
    QWidget::changeEvent(event);
}

} // namespace orv
