#pragma once

#include <QWidget>

namespace orv {

// The hover card of the day grid: the programme under the mouse.
class FrmPopUpGhost : public QWidget {
    Q_OBJECT
public:
    FrmPopUpGhost();
};

} // namespace orv
