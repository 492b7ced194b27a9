// The player's effect interfaces IWMPEffects and IWMPEffects2, declared here from their
// published definitions (MinGW ships no declaration). They are explicit tables in the
// interfaces' order, __stdcall in 32-bit through STDMETHODCALLTYPE, so that the effect and the
// stand-in player see exactly the layout the player uses, whichever compiler built either side.
// IWMPEffects2 extends IWMPEffects: one table serves both.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <cstddef>

#include "NV_WMP/TimedLevel.h"

struct IWMPCore;
struct IWMPMedia;

namespace wmp {

// {D3984C13-C3CB-48E2-8BE5-5168340B4F35}
inline constexpr IID kIidEffects = {
    0xD3984C13, 0xC3CB, 0x48E2, {0x8B, 0xE5, 0x51, 0x68, 0x34, 0x0B, 0x4F, 0x35}};
// {695386EC-AA3C-4618-A5E1-DD9A8B987632}
inline constexpr IID kIidEffects2 = {
    0x695386EC, 0xAA3C, 0x4618, {0xA5, 0xE1, 0xDD, 0x9A, 0x8B, 0x98, 0x76, 0x32}};

// GetCapabilities bits.
constexpr DWORD kEffectCanGoFullscreen = 0x1;

struct Effects;

struct EffectsTable {
  // IUnknown
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(Effects* self, REFIID iid, void** out);
  ULONG(STDMETHODCALLTYPE* AddRef)(Effects* self);
  ULONG(STDMETHODCALLTYPE* Release)(Effects* self);
  // IWMPEffects
  HRESULT(STDMETHODCALLTYPE* Render)(Effects* self, TimedLevel* levels, HDC dc, RECT* rect);
  HRESULT(STDMETHODCALLTYPE* MediaInfo)(Effects* self, LONG channels, LONG sampleRate,
                                        BSTR title);
  HRESULT(STDMETHODCALLTYPE* GetCapabilities)(Effects* self, DWORD* capabilities);
  HRESULT(STDMETHODCALLTYPE* GetTitle)(Effects* self, BSTR* title);
  HRESULT(STDMETHODCALLTYPE* GetPresetTitle)(Effects* self, LONG preset, BSTR* title);
  HRESULT(STDMETHODCALLTYPE* GetPresetCount)(Effects* self, LONG* count);
  HRESULT(STDMETHODCALLTYPE* SetCurrentPreset)(Effects* self, LONG preset);
  HRESULT(STDMETHODCALLTYPE* GetCurrentPreset)(Effects* self, LONG* preset);
  HRESULT(STDMETHODCALLTYPE* DisplayPropertyPage)(Effects* self, HWND owner);
  HRESULT(STDMETHODCALLTYPE* GoFullscreen)(Effects* self, BOOL fullscreen);
  HRESULT(STDMETHODCALLTYPE* RenderFullScreen)(Effects* self, TimedLevel* levels);
  // IWMPEffects2
  HRESULT(STDMETHODCALLTYPE* SetCore)(Effects* self, IWMPCore* core);
  HRESULT(STDMETHODCALLTYPE* Create)(Effects* self, HWND parent);
  HRESULT(STDMETHODCALLTYPE* Destroy)(Effects* self);
  HRESULT(STDMETHODCALLTYPE* NotifyNewMedia)(Effects* self, IWMPMedia* media);
  HRESULT(STDMETHODCALLTYPE* OnWindowMessage)(Effects* self, UINT message, WPARAM wParam,
                                              LPARAM lParam, LRESULT* result);
  HRESULT(STDMETHODCALLTYPE* RenderWindowed)(Effects* self, TimedLevel* levels,
                                             BOOL requiredRender);
};

// An effect interface pointer: the object starts with its table.
struct Effects {
  const EffectsTable* table;
};

// The table's slots as the player counts them (IUnknown 0-2, IWMPEffects 3-13, IWMPEffects2
// 14-19): the same in both widths, one pointer each.
static_assert(offsetof(EffectsTable, Render) == 3 * sizeof(void*));
static_assert(offsetof(EffectsTable, RenderFullScreen) == 13 * sizeof(void*));
static_assert(offsetof(EffectsTable, SetCore) == 14 * sizeof(void*));
static_assert(offsetof(EffectsTable, RenderWindowed) == 19 * sizeof(void*));
static_assert(sizeof(EffectsTable) == 20 * sizeof(void*));
static_assert(sizeof(Effects) == sizeof(void*));

}  // namespace wmp
