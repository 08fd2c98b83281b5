#pragma once

#include "mainwindow/MdiChild.h"

namespace orv {

// The highlights viewer: the downloaded highlight pages.
class FrmHigh : public MdiChild {
    Q_OBJECT
public:
    FrmHigh();
    // Re-reads the highlights folder into the file list.
    void CARICA_HIGHLIGHTS();
};

} // namespace orv
