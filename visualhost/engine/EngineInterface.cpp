// The engine contract is declarations only; this unit checks that the header stands alone.
#include "visualhost/engine/EngineInterface.h"
