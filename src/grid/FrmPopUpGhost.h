#pragma once

#include <QWidget>

namespace orv {

class ProgrammeDisplay;

// The hover card of the day grid: the programme under the mouse, read by the
// hover-card key (GhostData, GhostPalinsesto, GhostNumerazione). A frameless
// tool window that never takes the focus; closing it unloads it.
class FrmPopUpGhost : public QWidget {
    Q_OBJECT
public:
    FrmPopUpGhost();

    // Fills the card from the hover-card key: no message box, no yield.
    void Form_Activate();

    // Frame1 and the programme's controls (Label1 ... Image11) are its.
    ProgrammeDisplay *display = nullptr;
};

} // namespace orv
