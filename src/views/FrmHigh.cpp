#include "views/FrmHigh.h"

namespace orv {

FrmHigh::FrmHigh() { setWindowTitle(QStringLiteral("HighLights")); }

void FrmHigh::CARICA_HIGHLIGHTS() {}

} // namespace orv
