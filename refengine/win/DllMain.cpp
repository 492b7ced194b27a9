// Unloading the engine library on Windows: its window class and journal file go with it.
#include <windows.h>

#include "refengine/FullscreenWindow.h"
#include "refengine/Journal.h"

using namespace refengine;

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH) {
    // On FreeLibrary the window class must go with the code it points to; at process end
    // there is nothing left to tidy.
    if (!reserved) UnregisterFullscreenWindowClass();
    CloseJournal();
  }
  return TRUE;
}
