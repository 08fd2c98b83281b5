#pragma once

namespace orv {

// Looks for a newer release on the listings server and tells the user.
void CERCA_AGGIORNAMENTI();

} // namespace orv
