// closewindow [class]: asks the stand-alone program's window to close (WM_CLOSE), as the user
// would. Exit code 0 when a window was found, 1 otherwise.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  const char* windowClass = argc > 1 ? argv[1] : "Novalume Glimmora Standalone";
  HWND window = FindWindowA(windowClass, nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "closewindow: no window of class '%s'\n", windowClass);
    return 1;
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  return 0;
}
