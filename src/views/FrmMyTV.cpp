#include "views/FrmMyTV.h"

#include "core/AppState.h"

namespace orv {

FrmMyTV::FrmMyTV()
{
    setWindowTitle(QStringLiteral("MyTV"));
    VistaCorrente = 4;
}

void FrmMyTV::Form_Activate() { VistaCorrente = 4; }

} // namespace orv
