// The stand-in iTunes: loads the plug-in through iTunesPluginMain, takes its registration
// through the application callback and drives the visual plug-in handler the way iTunes does,
// on one thread that also runs the view window, journaling every call and every message the
// plug-in sent the player.
#pragma once

#include <windows.h>

#include <vector>

#include "players/shared/StandInRun.h"
#include "players/shared/StandInSetup.h"
#include "vis_Omnihost/itunes/ItunesRecords.h"

namespace itunes_standin {

class Player : standin::SteppedPlayer {
 public:
  explicit Player(const standin::StandInSetup& setup);
  // Runs the steps; the exit code.
  int Run(HINSTANCE instance);

 private:
  static itunes::Status ITUNES_CALL ApplicationCallback(void* cookie, itunes::Code code,
                                                        itunes::PlayerMessage* message);
  itunes::Status TakePlayerMessage(itunes::Code code, const itunes::PlayerMessage* message);
  void TakeRegistration(const itunes::PlayerMessage& message);

  bool LoadPlugin() override;
  void RunStep(const standin::Step& step) override;
  HMODULE LibraryToUnload() override;
  itunes::Status Main(itunes::Code code, void* message);
  // Calls the handler with the message; journals the code and result.
  itunes::Status Send(itunes::Code code, itunes::VisualMessage* message);
  void InitHandler();
  void Draw(int32_t count);
  void Pulse(const itunes::RenderData* data);
  void Play(itunes::Code code, int32_t trackCase);
  void CoverArt(bool withBytes);
  void BecomeMonitorSized();
  void JournalState();
  void PumpFor(int64_t milliseconds);

  standin::StandInSetup mSetup;
  HINSTANCE mInstance = nullptr;
  ULONGLONG mDeadline = 0;
  HWND mView = nullptr;
  HMODULE mLibrary = nullptr;
  itunes::PluginMainFn mMain = nullptr;
  itunes::VisualHandler mHandler = nullptr;  // from 'regv'
  void* mHandlerReference = nullptr;         // what iTunes keeps for the handler
  std::vector<uint8_t> mCover;
};

}  // namespace itunes_standin
