#include "views/TitleBand.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

namespace orv {

void unloadView(QWidget *view)
{
    // The frame goes with the view; a view not framed is unloaded itself.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(view->parentWidget()))
        frame->close();
    else if (view->close())
        view->deleteLater();
}

void TitleBand::addTitleBand(QWidget *view)
{
    view->setStyleSheet(QStringLiteral("#LabInizio { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                                       "stop:0 #1d3557, stop:1 #457b9d); }"
                                       "#LabTitoloBar { color: white; font-weight: bold; font-size: 12pt; }"));
    LabInizio = new QLabel(view);
    LabInizio->setObjectName(QStringLiteral("LabInizio"));
    LabTitoloBar = new QLabel(view);
    LabTitoloBar->setObjectName(QStringLiteral("LabTitoloBar"));
    CmdClose = new QPushButton(QStringLiteral("X"), view);
    QObject::connect(CmdClose, &QPushButton::clicked, view, [view] { unloadView(view); });
}

void TitleBand::placeTitleBand(int W) const
{
    LabInizio->setGeometry(twips(0, 0, W, 480));
    LabTitoloBar->setGeometry(twips(240, 60, 7000, 360));
    CmdClose->setGeometry(twips(W - 350, 60, 300, 330));
}

} // namespace orv
