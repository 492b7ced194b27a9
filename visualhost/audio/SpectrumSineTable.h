// The sine table of the spectrum analysis: 256 entries, entry i = sin(2π·i/256).
//
// One table serves sine and cosine (a quarter period, 64 entries, further on). It is built on
// first use and never changes afterwards, so every thread may read it.
#pragma once

#include <cstdint>

constexpr int32_t kSpectrumSineTableSize = 256;

const float* SpectrumSineTable();

// The table entries a band reads at its k-th sample, for a phase that advances by phaseStep
// 1/65536 periods per sample. The phase is unsigned so that it may wrap: only its low 16 bits
// pick the entry.
inline uint32_t SineIndexAt(uint32_t k, uint32_t phaseStep) {
  return ((k * phaseStep) >> 8) & 0xFF;
}
inline uint32_t CosineIndexAt(uint32_t k, uint32_t phaseStep) {
  return ((k * phaseStep + 16384) >> 8) & 0xFF;
}
