#include "NV_VLC/GroupKernels.h"

#include <cstring>

namespace {

// Sum of count consecutive values, four at a time.
inline float SumRun(const float* values, int32_t count) {
  float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f;
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    a += values[i];
    b += values[i + 1];
    c += values[i + 2];
    d += values[i + 3];
  }
  for (; i < count; ++i) a += values[i];
  return (a + b) + (c + d);
}

// Four floats at a time, with the LFE lanes masked off bitwise (so that even a NaN there
// stays out of the sum).
using Float4 = float __attribute__((vector_size(16)));
using Bits4 = int32_t __attribute__((vector_size(16)));

template <int kChannels, int kLfe, int kDecimation>
void VectorGroups(const FeedFormat& format, const float* in, int64_t groups, float* out) {
  constexpr int kValues = kChannels * kDecimation;
  constexpr int kVectors = kValues / 4;
  Bits4 keep[kVectors];
  for (int i = 0; i < kValues; ++i) keep[i / 4][i % 4] = (i % kChannels == kLfe) ? 0 : -1;
  const float scale = format.scale;
  for (int64_t g = 0; g < groups; ++g) {
    const float* group = in + g * kValues;
    Float4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int v = 0; v < kVectors; ++v) {
      Bits4 bits;
      std::memcpy(&bits, group + 4 * v, sizeof(bits));
      sum += reinterpret_cast<Float4>(bits & keep[v]);
    }
    out[g] = ((sum[0] + sum[1]) + (sum[2] + sum[3])) * scale;
  }
}

template <int kChannels, int kLfe, int kDecimation>
void FixedGroups(const FeedFormat& format, const float* in, int64_t groups, float* out) {
  if constexpr ((kChannels * kDecimation) % 4 == 0) {
    return VectorGroups<kChannels, kLfe, kDecimation>(format, in, groups, out);
  }
  const float scale = format.scale;
  for (int64_t g = 0; g < groups; ++g) {
    const float* group = in + g * kChannels * kDecimation;
    float sum = 0.0f;
    for (int f = 0; f < kDecimation; ++f) {
      float frame = 0.0f;
      for (int c = 0; c < kChannels; ++c) {
        if (c != kLfe) frame += group[f * kChannels + c];
      }
      sum += frame;
    }
    out[g] = sum * scale;
  }
}

void GeneralGroups(const FeedFormat& format, const float* in, int64_t groups, float* out) {
  const int64_t width = format.channels;
  for (int64_t g = 0; g < groups; ++g) {
    const float* group = in + g * width * format.decimation;
    float sum = 0.0f;
    for (int32_t f = 0; f < format.decimation; ++f) sum += FrameSum(format, group + f * width);
    out[g] = sum * format.scale;
  }
}

struct KernelEntry {
  int32_t channels, lfeSlot, decimation;
  GroupKernel kernel;
};

#define NV_GROUP_KERNELS(channels, lfe)                          \
  {channels, lfe, 1, &FixedGroups<channels, lfe, 1>},            \
      {channels, lfe, 2, &FixedGroups<channels, lfe, 2>}, {      \
    channels, lfe, 4, &FixedGroups<channels, lfe, 4>             \
  }

constexpr KernelEntry kKernels[] = {
    NV_GROUP_KERNELS(1, -1), NV_GROUP_KERNELS(2, -1), NV_GROUP_KERNELS(3, 2),
    NV_GROUP_KERNELS(6, 5),  NV_GROUP_KERNELS(6, -1), NV_GROUP_KERNELS(8, 7),
};

#undef NV_GROUP_KERNELS

}  // namespace

float FrameSum(const FeedFormat& format, const float* frame) {
  const int32_t lfe = format.lfeSlot;
  if (lfe < 0) return SumRun(frame, format.channels);
  return SumRun(frame, lfe) + SumRun(frame + lfe + 1, format.channels - lfe - 1);
}

GroupKernel GroupKernelFor(const FeedFormat& format) {
  for (const KernelEntry& entry : kKernels) {
    if (entry.channels == format.channels && entry.lfeSlot == format.lfeSlot &&
        entry.decimation == format.decimation) {
      return entry.kernel;
    }
  }
  return &GeneralGroups;
}
