// Where each spectrum band sits and how many samples measure it.
//
// A band is a single frequency measured over a whole number of its periods; these functions
// fix that frequency and the length of the stretch for given parameters and sample rate.
#pragma once

#include <cstdint>

#include "visualhost/engine/EngineRecords.h"

// Centre frequency in whole Hz of band n of bandCount, spaced linearly or logarithmically
// from params.low towards params.high. 0 for n outside 0..bandCount-1 and for parameters
// that give no finite frequency.
float BandFrequency(const SpectrumParams& params, int32_t n, int32_t bandCount);

// Number of whole periods a band at frequency f is measured over: enough for min seconds,
// at most what fits in max seconds unless min seconds asks for more, otherwise max cycles.
float BandCycles(const SpectrumParams& params, float frequency);

// Samples that measure a band at frequency f at the given rate: the band's cycles times the
// samples per period, cut down to whole periods when more than `available` samples would be
// needed (available = 0 means no limit). 0 when the band cannot be measured: f not above 0,
// or fewer than 4 samples per period.
int32_t BandSampleCount(const SpectrumParams& params, float frequency, int32_t rate,
                        int32_t available);

// Samples the lowest band needs at the given rate; a caller asks its source for at least this
// many so that every band can be measured in full.
int32_t MinimumSamples(const SpectrumParams& params, int32_t rate);
