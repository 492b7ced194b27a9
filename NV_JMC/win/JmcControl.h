// The display control the media center embeds: a windowed ActiveX control whose window the
// engine draws into. The control creates its JmcVisualHost when it is made; its window's
// creation starts the engine, connects to the media center and attaches the window; its
// destruction releases the host. Right clicks and the context-menu key go to the parent as the
// media center's registered display plug-in message.
#pragma once

#include "NV_JMC/win/JmcVisualHost.h"
#include "activex/win/ActiveXControl.h"

namespace jmc {

class JmcControl : public activex::ActiveXControl {
 public:
  // The host's engine library and media center access as JmcVisualHost takes them.
  explicit JmcControl(EngineLibrary* library = nullptr,
                      const MediaCenterAccess& access = SystemMediaCenterAccess());

  // The class factory's way to make one (one reference).
  static IUnknown* Create();

  JmcVisualHost* Host() const { return mHost; }

 protected:
  ~JmcControl() override;
  LRESULT HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               bool* handled) override;

 private:
  void ShowContextMenuAt(HWND window, LPARAM lParam);
  void PostContextMenuKey();
  void ReleaseHost();

  JmcVisualHost* mHost = nullptr;
};

// The control's class identity, and the registered message ("Media Jukebox display plugin
// event.", registered when the module loads).
const CLSID& ControlClassId();
const IID& ControlInterfaceId();
UINT DisplayPluginEventMessage();
void RegisterDisplayPluginEvent();

}  // namespace jmc
