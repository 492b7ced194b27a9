// The identifiers and resources of the effect module. The GUIDs are repeated in NV_WMP.idl
// and NV_WMP.rgs (the registration tests read them back from the registry and the type
// library).
#pragma once

#include <windows.h>

namespace wmp {

// {3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B31}: class NV_WMP.
inline constexpr CLSID kClsidEffect = {
    0x3B6C8E51, 0x0D2A, 0x4F7B, {0x9E, 0x14, 0x6A, 0x2C, 0x5D, 0x8F, 0x0B, 0x31}};
// {3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B32}: library NV_WMPLib.
inline constexpr GUID kLibidEffect = {
    0x3B6C8E51, 0x0D2A, 0x4F7B, {0x9E, 0x14, 0x6A, 0x2C, 0x5D, 0x8F, 0x0B, 0x32}};
// {3B6C8E51-0D2A-4F7B-9E14-6A2C5D8F0B33}: interface INV_WMP.
inline constexpr IID kIidEffectAutomation = {
    0x3B6C8E51, 0x0D2A, 0x4F7B, {0x9E, 0x14, 0x6A, 0x2C, 0x5D, 0x8F, 0x0B, 0x33}};

constexpr UINT kProductNameString = 101;
constexpr UINT kRegistrationScript = 104;

}  // namespace wmp
