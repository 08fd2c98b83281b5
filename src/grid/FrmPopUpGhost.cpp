#include "grid/FrmPopUpGhost.h"

#include "core/AppState.h"
#include "core/MainWindowSeam.h"
#include "details/ProgrammeDisplay.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orv {

FrmPopUpGhost::FrmPopUpGhost() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    display = new ProgrammeDisplay(this);
    layout->addWidget(display);
    display->setHeadings(QStringLiteral("Genere :"), QStringLiteral("Inizio :"), QStringLiteral("Data :"),
                         QStringLiteral("Durata :"));
    display->setIconTips(QStringLiteral("Il Programma e' \"Marcato\""),
                         QStringLiteral("Ricordami quando verra' trasmesso"),
                         QStringLiteral("Ricordami di registrarlo!"));
    setStyleSheet(QStringLiteral("FrmPopUpGhost { border: 1px solid #404040; }"));
    // The card's cancel controls: the hover delay stops and the card closes.
    connect(display, &ProgrammeDisplay::controlMouseMove, this, [this](QWidget *w) {
        const ProgrammeDisplay &d = *display;
        const QWidget *cancels[] = {&d,        d.ImgTV,  d.Label1,  d.Label2,  d.Label4,
                                    d.Label6,  d.Label9, d.Label13, d.Label15, d.Text1};
        for (const QWidget *c : cancels)
            if (w == c) {
                mainWindow().stopHoverTimer();
                close();
                return;
            }
    });
}

void FrmPopUpGhost::Form_Activate()
{
    display->fill({GhostData.toInt(), GhostPalinsesto, GhostNumerazione.toInt()});
    adjustSize();
}

} // namespace orv
