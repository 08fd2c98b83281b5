#include "details/FrmPopUp.h"

namespace orv {

FrmPopUp::FrmPopUp() : QWidget(nullptr, Qt::Tool)
{
    setWindowTitle(QStringLiteral("Programma"));
    resize(420, 320);
}

} // namespace orv
