#include "visualhost/audio/SpectrumSineTable.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

std::array<float, kSpectrumSineTableSize> BuildSineTable() {
  std::array<float, kSpectrumSineTableSize> table{};
  for (int32_t i = 0; i < kSpectrumSineTableSize; ++i) {
    table[size_t(i)] = float(std::sin(2.0 * std::numbers::pi * i / kSpectrumSineTableSize));
  }
  return table;
}

}  // namespace

const float* SpectrumSineTable() {
  // A function-local static is built once, safely, even when threads race to first use.
  static const std::array<float, kSpectrumSineTableSize> table = BuildSineTable();
  return table.data();
}
