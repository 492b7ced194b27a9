#include "refengine/Controls.h"

#include <mutex>

namespace refengine {
namespace {

struct ControlState {
  GetApiFailure getApiFailure;
  int32_t createFailure = 0;
  int32_t createDelay = 0;
  int32_t runFrameDelay = 0;
  int32_t framePeriod = kDefaultFramePeriodMs;
  int32_t idle = 0;
  std::optional<EngineRect> windowAnswer;
  std::optional<int64_t> fullscreenAnswer;
  std::optional<int64_t> eventAnswer;
};

std::mutex gLock;
ControlState gState;

template <typename T>
T Read(T ControlState::*field) {
  std::lock_guard<std::mutex> guard(gLock);
  return gState.*field;
}

template <typename T>
void Write(T ControlState::*field, const T& value) {
  std::lock_guard<std::mutex> guard(gLock);
  gState.*field = value;
}

}  // namespace

GetApiFailure GetApiFailureControl() {
  return Read(&ControlState::getApiFailure);
}
void SetGetApiFailure(const GetApiFailure& failure) {
  Write(&ControlState::getApiFailure, failure);
}

int32_t CreateFailureControl() {
  return Read(&ControlState::createFailure);
}
void SetCreateFailure(int32_t status) {
  Write(&ControlState::createFailure, status);
}

int32_t CreateDelayControl() {
  return Read(&ControlState::createDelay);
}
void SetCreateDelay(int32_t milliseconds) {
  Write(&ControlState::createDelay, milliseconds > 0 ? milliseconds : 0);
}

int32_t TakeRunFrameDelay() {
  std::lock_guard<std::mutex> guard(gLock);
  const int32_t delay = gState.runFrameDelay;
  gState.runFrameDelay = 0;
  return delay;
}
void SetRunFrameDelay(int32_t milliseconds) {
  Write(&ControlState::runFrameDelay, milliseconds > 0 ? milliseconds : 0);
}

int32_t FramePeriodControl() {
  return Read(&ControlState::framePeriod);
}
void SetFramePeriod(int32_t milliseconds) {
  Write(&ControlState::framePeriod, milliseconds);
}

int32_t IdleControl() {
  return Read(&ControlState::idle);
}
void SetIdle(int32_t idle) {
  Write(&ControlState::idle, idle);
}

std::optional<EngineRect> WindowAnswerControl() {
  return Read(&ControlState::windowAnswer);
}
void SetWindowAnswer(const std::optional<EngineRect>& answer) {
  Write(&ControlState::windowAnswer, answer);
}

std::optional<int64_t> FullscreenAnswerControl() {
  return Read(&ControlState::fullscreenAnswer);
}
void SetFullscreenAnswer(const std::optional<int64_t>& answer) {
  Write(&ControlState::fullscreenAnswer, answer);
}

std::optional<int64_t> EventAnswerControl() {
  return Read(&ControlState::eventAnswer);
}
void SetEventAnswer(const std::optional<int64_t>& answer) {
  Write(&ControlState::eventAnswer, answer);
}

void ResetControls() {
  std::lock_guard<std::mutex> guard(gLock);
  gState = ControlState();
}

}  // namespace refengine
