#include "details/FrmPreferiti.h"

#include "core/MainWindowSeam.h"

#include <QEvent>

namespace orv {

FrmPreferiti::FrmPreferiti()
{
    setWindowTitle(QStringLiteral("Preferiti"));
    resize(360, 360);
}

void FrmPreferiti::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        mainWindow().stopMonitorAlert();
    QWidget::changeEvent(event);
}

} // namespace orv
