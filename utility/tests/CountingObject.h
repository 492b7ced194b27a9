// A test object that records how often it is released instead of destroying itself, so a test
// can check that a container lets go of what it owns exactly once.
#pragma once

#include "utility/NVObject.h"

class CountingObject : public NVObject {
 public:
  int Release() override {
    ++releases;
    return 0;
  }

  int releases = 0;
};
