#pragma once

#include "core/Store.h"

#include <QWidget>

namespace orv {

// The programme pop-up: the record of the selected programme (PopUpData,
// PopUpPalinsesto, PopUpNumerazione) with its marks.
class FrmPopUp : public QWidget {
    Q_OBJECT
public:
    FrmPopUp();
    // The one entry of every opener: stores the key, shows and raises the window.
    void showProgramme(const ProgrammeKey &key);
};

} // namespace orv
