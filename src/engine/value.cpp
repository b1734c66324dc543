// The value type is header-only; this unit gives the engine library its first
// object so the library exists before the rest of the engine.
#include "engine/value.h"
