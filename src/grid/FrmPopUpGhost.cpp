#include "grid/FrmPopUpGhost.h"

namespace orv {

FrmPopUpGhost::FrmPopUpGhost() : QWidget(nullptr, Qt::ToolTip)
{
    resize(240, 120);
}

} // namespace orv
