#include "details/Promemoria.h"

namespace orv {
void VERIFICA_PROMEMORIA() {}
} // namespace orv
