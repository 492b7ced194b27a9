// The one engine library that all hosts of the multi-host plug-in share.
#pragma once

#include "visualhost/engine/EngineLibrary.h"

// The product name sits between two eight-character markers, so that it can be found in the
// built library and changed there; the name proper is what lies between them.
constexpr char kMarkedProductName[] = "__----__Glimmora__----__";
constexpr int kProductNameMarkerLength = 8;

// The product name inside kMarkedProductName.
UtilStr SharedProductName();

// The process-wide engine library, made and named on the first call; later calls return the
// same object. It is released by the exit callback list; callers take their own references.
EngineLibrary* SharedEngineLibrary();
