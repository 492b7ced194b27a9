// VisualHost: the base of every host adapter. One host owns at most one engine instance.
//
// A host holds the descriptor text that tells the engine what the host can do, attaches to the
// engine library of its product, creates and destroys the engine instance, and keeps the state
// that drawing targets, frame pacing, engine requests and input work on. Subclasses replace a
// few of the virtual operations below; their order is fixed (after the slots of NVObject and
// RefCountedObject) and must not change.
//
// Everything runs on the thread that owns the host (its window's thread or the thread of the
// player's plug-in calls); the engine's requests come back on that thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "utility/RefCountedObject.h"
#include "utility/UtilStr.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/EngineLibrary.h"
#include "visualhost/engine/EngineRecords.h"

class Variant;
class XPtrList;

// System handles are kept as plain pointers so that this header needs no system headers: a
// window (HWND), a device context (HDC), a thread (HANDLE).
using HostWindow = void*;
using HostDeviceContext = void*;
using HostThread = void*;

class VisualHost : public RefCountedObject {
 public:
  VisualHost() = default;
  VisualHost(const VisualHost&) = delete;
  VisualHost& operator=(const VisualHost&) = delete;

  // Slot 8: the last reference is gone. Stops the instance and gives up the engine library;
  // subclasses that replace it call it too.
  void Dispose() override;
  // Slot 9: attaches the engine library (null detaches). Attaching the library already held
  // changes nothing; any other change stops the running instance first.
  virtual void AttachEngine(EngineLibrary* library);
  // Slot 10: replaces the host descriptor with the zero-terminated text (null: empty).
  virtual void SetDescriptor(const char* text);
  // Slot 11: fetches the table if needed and creates the engine instance. A running host, or
  // one whose start failed, is not started again.
  virtual void StartInstance();
  // Slot 12: detaches the target, destroys the instance and waits for the pump thread.
  virtual void StopInstance();
  // Slots 13 to 15: engine requests about the host's own fullscreen and album art; 55012.
  virtual int32_t HandleFSHt(bool flag, void* in, void* out);
  virtual int32_t HandleGArt(ArtRecord* art);
  virtual int32_t HandleRArt(ArtRecord* art);
  // Slot 16: one frame; re-attaches the window first when its size changed.
  virtual void Step();
  // Slots 17 to 20: give the engine its drawing target. Each answers SetTarget's status, or
  // 55021 without an instance (the window, device context or target is recorded anyway).
  virtual int32_t AttachWindow(HostWindow window, uint32_t flags, void* extra);
  virtual int32_t AttachTarget(void* target, uint32_t flags, void* extra);
  virtual int32_t AttachBuffer(const PixelBufferDesc* buffer, uint32_t flags, void* extra);
  virtual int32_t AttachDC(HostDeviceContext deviceContext, uint32_t flags, void* extra);
  // Slot 21: lets the engine choose the window's place.
  virtual void PlaceWindow(HostWindow window);
  // Slot 22: AttachWindow with no window.
  virtual int32_t DetachTarget();
  // Slot 23: a message of the attached window; *handled says whether the result stands.
  virtual intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                 bool* handled);
  // Slot 24: starts (on) or stops the frame pacing.
  virtual void Schedule(bool on);
  // Slot 25: the host is being shut down by its player.
  virtual void Shutdown();
  // Slot 26: a list of lines the engine gives for the code.
  virtual int32_t RequestList(uint32_t code, XPtrList* list);
  // Slots 27, 28: the engine's fullscreen started or ended; nothing by default.
  virtual int32_t HandleFSSt(bool flag, void* in, void* out);
  virtual int32_t HandleFSEd(bool flag, void* in, void* out);
  // Slot 29: every engine request arrives here and is dispatched by its code.
  virtual int32_t OnEngineRequest(uint32_t code, void* in, void* out);
  // Slot 30: the target went away: pacing stops, the cached client rectangle is cleared.
  virtual void OnTargetDetached();
  // Slot 31: the engine asks for audio; 55012 for hosts without audio.
  virtual int32_t HandleGetS(AudioRequest* request);

  // Whether the engine shows fullscreen ('GetF'); false without instance or table.
  bool IsFullscreen();
  // Asks the engine for the preference of the zero-terminated name ('GPrf'). True when the
  // engine answered with a value; the value, when asked for, is filled from the answer (and is
  // the empty value otherwise). False without a table.
  bool GetPreference(const char* name, Variant* value);
  // Tells the engine about the playing track ('Trck'); texts are UTF-8 and cut at 255 UTF-16
  // units. Nothing is sent without a table.
  void SendTrackInfo(const UtilStr& title, const UtilStr& artist, const UtilStr& album,
                     int32_t year);

  // The render timer's tick: one frame, then the timer follows the engine's new period.
  static void OnFrameTimer(VisualHost* host);
  // The pump thread: asks the attached window's thread for frames with the pump message until
  // the instance is gone. Returns 0.
  static uint32_t RunPumpThread(VisualHost* host);

  int32_t Status() const { return mStatus; }
  uint32_t Instance() const { return mInstance; }
  const EngineTable* Table() const { return mTable; }
  const EngineLibrary* AttachedLibrary() const { return mEngineLibrary; }
  const UtilStr& Descriptor() const { return mHostDescriptor; }
  int32_t NextPeriod() const { return mNextPeriod; }
  int32_t ScheduledPeriod() const { return mScheduledPeriod; }
  HostWindow AttachedWindow() const { return mAttachedWindow; }
  HostDeviceContext AttachedDeviceContext() const { return mAttachedDeviceContext; }
  void* AttachedTarget() const { return mAttachedTarget; }
  HostThread PumpThread() const { return mPumpThread; }

 protected:
  // Slot 0: releases the descriptor text; stops nothing (Dispose has done that).
  ~VisualHost() override = default;

  // Whether the host can send the engine a request: it has a table with a Request entry.
  bool CanRequest() const { return mTable != nullptr && mTable->Request != nullptr; }
  // SetTarget with the host's extra flags and the kind flag OR-ed into the caller's flags.
  int32_t SetEngineTarget(void* target, uint32_t kindFlag, uint32_t flags, void* extra);

  uint16_t mPendingControlChar = 0;
  HostThread mPumpThread = nullptr;
  UtilStr mHostDescriptor;
  int32_t mStatus = NVStatus::kNotStarted;
  std::atomic<uint32_t> mInstance{0};  // read by the pump thread
  const EngineTable* mTable = nullptr;
  int32_t mNextPeriod = 0;
  int32_t mScheduledPeriod = -1;
  // Read by the pump thread without locks.
  std::atomic<bool> mPumpEnabled{false};
  EngineLibrary* mEngineLibrary = nullptr;
  bool mTrackClientSize = false;
  bool mSizeChanged = false;
  bool mUsePumpThread = false;
  int32_t mMouseBorder = 0;
  uint32_t mExtraTargetFlags = 0;
  HostDeviceContext mAttachedDeviceContext = nullptr;
  std::atomic<HostWindow> mAttachedWindow{nullptr};  // read by the pump thread
  HostWindow mTimerWindow = nullptr;                 // where the render timer runs, if it does
  void* mAttachedTarget = nullptr;
  EngineRect mCachedClientRect = {0, 0, 0, 0};

 private:
  // Input forwarding: each returns whether the message counts as handled (result 0).
  bool ForwardInput(uint32_t message, uintptr_t wParam, intptr_t lParam);
  bool ForwardKey(uint32_t message, uintptr_t wParam, intptr_t lParam, EventRecord* event);
  bool ForwardCharacter(uintptr_t wParam, EventRecord* event);
  bool ForwardMouseButton(uint32_t message, intptr_t lParam, EventRecord* event);
  // Sends the event; handled unless the engine did not consume or did not know it.
  bool SendEvent(const EventRecord& event);
  // The engine's answer to the event; only called with a table.
  int64_t RequestEvent(const EventRecord& event);
};

// The callback given to CreateInstance: forwards the engine's request to the host passed as
// user data. Nothing thrown inside a host escapes into the engine; a request that cannot be
// answered gets 55012.
int32_t NV_ENGINE_CALL VisualHostEngineCallback(void* userData, uint32_t code, void* in, void* out);
