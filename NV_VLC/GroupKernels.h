// The inner loop of a feed's conversion: whole groups of interleaved frames to mono samples.
//
// A group is `decimation` frames; its sample is the sum of every value in it except the
// low-frequency channel, times the feed's scale. Common layouts (mono, stereo, 2.1, 5.1, 7.1
// with VLC's LFE slot) at decimations 1, 2 and 4 get loops compiled for their exact shape,
// which the compiler unrolls; any other shape takes the general loop.
#pragma once

#include <cstdint>

#include "NV_VLC/FeedFormat.h"

// Writes `groups` samples to out from groups × decimation frames at in.
using GroupKernel = void (*)(const FeedFormat& format, const float* in, int64_t groups,
                             float* out);

GroupKernel GroupKernelFor(const FeedFormat& format);

// One frame's sum without the LFE channel, for frames that do not make a whole group.
float FrameSum(const FeedFormat& format, const float* frame);
