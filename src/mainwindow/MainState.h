#pragma once

#include <QtGlobal>

// State the main window shares with its small windows.
namespace orv {

// 1 while the monitor alert blinks in status panel 2 (set once per run).
inline qint16 AllarmeMonitor = 0;
// The tip window is being opened by the start-up.
inline bool TipAllAvvio = false;
// The raised navigation icon; 99 = none.
inline qint16 IconaEvidenziata = 99;

} // namespace orv
