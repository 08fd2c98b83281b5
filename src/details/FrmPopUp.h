#pragma once

#include <QWidget>

namespace orv {

// The programme pop-up: the record of the selected programme (PopUpData,
// PopUpPalinsesto, PopUpNumerazione) with its marks.
class FrmPopUp : public QWidget {
    Q_OBJECT
public:
    FrmPopUp();
};

} // namespace orv
