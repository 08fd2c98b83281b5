#include "acquisition/Updates.h"

namespace orv {

void CERCA_AGGIORNAMENTI() {}

} // namespace orv
