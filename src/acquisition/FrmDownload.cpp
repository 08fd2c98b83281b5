#include "acquisition/FrmDownload.h"

namespace orv {

FrmDownload::FrmDownload() { setWindowTitle(QStringLiteral("Download")); }

void FrmDownload::CICLO_TELEVISIONI() {}

} // namespace orv
