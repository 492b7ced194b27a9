// The engine records are declarations only; this unit checks their layout in every tree.
#include "visualhost/engine/EngineRecords.h"
