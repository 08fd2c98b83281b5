#pragma once

#include <QtGlobal>

// State the day grid shares with the main window's hover timer (Timer_POP2).
namespace orv {

// Hover-card delay: ticks counted by Timer_POP2 and the hovered grid cell.
inline qint16 TickPopUp = 0;
// -1: no cell yet (and again after every build of the grid).
inline qint32 LabProgHover = -1;
// The pointer's place in the hovered cell, twips, from its latest move.
inline float HoverX = 0;
inline float HoverY = 0;
// True while the day grid is loaded; the cell whose pop-up opened last (-1
// after every build: an old index names another programme).
inline bool GrigliaAperta = false;
inline qint32 IndiceLabProg = -1;

} // namespace orv
