#pragma once

namespace orv {
// The reminder check of the main window's TimerProg.
void VERIFICA_PROMEMORIA();
} // namespace orv
