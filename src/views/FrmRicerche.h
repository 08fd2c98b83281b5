#pragma once

#include "mainwindow/MdiChild.h"

class QLineEdit;

namespace orv {

// The search page: programmes whose texts hold the words searched.
class FrmRicerche : public MdiChild {
    Q_OBJECT
public:
    FrmRicerche();
    QLineEdit *TxtRicerca = nullptr;
};

} // namespace orv
