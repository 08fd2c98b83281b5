#include "details/FrmPopUp.h"

#include "core/AppState.h"

namespace orv {

FrmPopUp::FrmPopUp() : QWidget(nullptr, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Programma"));
    resize(420, 320);
}

void FrmPopUp::showProgramme(const ProgrammeKey &key)
{
    PopUpData = dayText(key.Data);
    PopUpPalinsesto = key.Palinsesto;
    PopUpNumerazione = QString::number(key.Numerazione);
    show();
    raise();
    activateWindow();
}

} // namespace orv
