#pragma once

namespace orv {

class ReminderCheck;

// The reminder check of the main window's TimerProg: announces the marked
// programmes that start in 15 minutes.
void VERIFICA_PROMEMORIA();
// The check that VERIFICA_PROMEMORIA runs (tests set its clock).
ReminderCheck &reminderCheck();

} // namespace orv
