#pragma once

#include <QtGlobal>

// State the main window shares with the views and the small windows.
namespace orv {

// Set by the keyword monitor's search when a programme matches.
inline bool MonitorTrovato = false;
// 1 while the monitor alert blinks in status panel 2 (set once per run).
inline qint16 AllarmeMonitor = 0;
// The tip window is being opened by the start-up.
inline bool TipAllAvvio = false;
// The raised navigation icon; 99 = none.
inline qint16 IconaEvidenziata = 99;
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
