#include "players/winamp/AudioData.h"

#include <cmath>
#include <cstring>

namespace winamp_standin {
namespace {

constexpr double kRate = 44100.0;
constexpr double kBinHz = kRate / 2 / winamp::kBinCount;
constexpr double kPi = 3.14159265358979323846;

struct Tone {
  double hz;
  double amplitude;
  uint8_t peak;
};
constexpr Tone kTones[2] = {{2000.0, 100.0, 200}, {5000.0, 50.0, 120}};

void FillTones(uint64_t elapsedSamples, winamp::VisModule* module) {
  std::memset(module->spectrum, 0, sizeof module->spectrum);
  for (int channel = 0; channel < 2; ++channel) {
    const Tone& tone = kTones[channel];
    for (int i = 0; i < winamp::kBinCount; ++i) {
      const double t = double(elapsedSamples + uint64_t(i)) / kRate;
      module->waveform[channel][i] =
          int8_t(std::lround(tone.amplitude * std::sin(2 * kPi * tone.hz * t)));
    }
    const int bin = int(tone.hz / kBinHz);
    module->spectrum[channel][bin] = tone.peak;
    module->spectrum[channel][bin - 1] = uint8_t(tone.peak / 2);
    module->spectrum[channel][bin + 1] = uint8_t(tone.peak / 2);
  }
}

void FillPattern(winamp::VisModule* module) {
  for (int channel = 0; channel < 2; ++channel) {
    for (int i = 0; i < winamp::kBinCount; ++i) {
      module->waveform[channel][i] = int8_t((i + 64 * channel) % 256 - 128);
      module->spectrum[channel][i] = uint8_t((i + 100 * channel) % 256);
    }
  }
}

}  // namespace

void FillAudio(AudioKind kind, uint64_t elapsedSamples, winamp::VisModule* module) {
  switch (kind) {
    case AudioKind::kTones:
      FillTones(elapsedSamples, module);
      break;
    case AudioKind::kPattern:
      FillPattern(module);
      break;
    default:
      std::memset(module->spectrum, 0, sizeof module->spectrum);
      std::memset(module->waveform, 0, sizeof module->waveform);
      break;
  }
}

}  // namespace winamp_standin
