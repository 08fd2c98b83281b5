#pragma once

#include "mainwindow/MdiChild.h"

namespace orv {

// The MyTV page: the marked programmes of 31 days.
class FrmMyTV : public MdiChild {
    Q_OBJECT
public:
    FrmMyTV();
    void Form_Activate() override;
};

} // namespace orv
