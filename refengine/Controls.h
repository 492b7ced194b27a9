// What a test has asked of the engine through RefEngineControl: failures to give, the frame
// period, and fixed answers to requests in place of the engine's own.
#pragma once

#include <cstdint>
#include <optional>

#include "visualhost/engine/EngineRecords.h"

namespace refengine {

constexpr int32_t kDefaultFramePeriodMs = 33;

struct GetApiFailure {
  int32_t status = 0;
  bool nullTable = false;
};

GetApiFailure GetApiFailureControl();
void SetGetApiFailure(const GetApiFailure& failure);

int32_t CreateFailureControl();
void SetCreateFailure(int32_t status);

// Milliseconds CreateInstance pauses before it creates an instance (0: none).
int32_t CreateDelayControl();
void SetCreateDelay(int32_t milliseconds);

// Milliseconds the next RunFrame pauses before it draws (0: none); taking it clears it, so only
// one frame pauses.
int32_t TakeRunFrameDelay();
void SetRunFrameDelay(int32_t milliseconds);

int32_t FramePeriodControl();
void SetFramePeriod(int32_t milliseconds);

// 0: frames as usual; kIdle: RunFrame only answers its period; kIdleWithAudio: it also asks
// the host for audio, quietly (for measuring a host's audio path).
constexpr int32_t kIdle = 1;
constexpr int32_t kIdleWithAudio = 2;
int32_t IdleControl();
void SetIdle(int32_t idle);

std::optional<EngineRect> WindowAnswerControl();
void SetWindowAnswer(const std::optional<EngineRect>& answer);

std::optional<int64_t> FullscreenAnswerControl();
void SetFullscreenAnswer(const std::optional<int64_t>& answer);

std::optional<int64_t> EventAnswerControl();
void SetEventAnswer(const std::optional<int64_t>& answer);

// Every control back to its default.
void ResetControls();

}  // namespace refengine
