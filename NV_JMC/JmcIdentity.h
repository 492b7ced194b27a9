// How the display control names itself: the product, the media center's plug-in values, the
// class and type library identifiers, and the media center's own names it looks for.
#pragma once

#include <cstdint>

namespace jmc {

constexpr char kProductName[] = "Glimmora";
constexpr char kCompany[] = "Novalume Inc.";
constexpr char kVersion[] = "2.5";
constexpr char kUrl[] = "https://www.novalume.com/glimmora";
constexpr char kCopyright[] = "Copyright (c) Novalume Inc. All rights reserved.";
constexpr uint32_t kInterfaceVersion = 2;  // "IVersion"

// Registry forms (with braces) of the control's class, its dual interface and type library.
constexpr char kClassIdText[] = "{6C0E8B52-3F1D-4A7B-9E25-1D7C4F0A8B31}";
constexpr wchar_t kClassIdTextW[] = L"{6C0E8B52-3F1D-4A7B-9E25-1D7C4F0A8B31}";
constexpr wchar_t kInterfaceIdTextW[] = L"{6C0E8B53-3F1D-4A7B-9E25-1D7C4F0A8B31}";
constexpr wchar_t kLibraryIdTextW[] = L"{6C0E8B54-3F1D-4A7B-9E25-1D7C4F0A8B31}";
constexpr char kProgId[] = "NV_JMC.Glimmora.1";
constexpr char kVersionIndependentProgId[] = "NV_JMC.Glimmora";

// OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
// OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST.
constexpr uint32_t kMiscStatus = 131473;

// The media center's automation server and the names of its visualization objects.
constexpr wchar_t kAutomationProgId[] = L"MediaJukebox Application";
constexpr wchar_t kAutomationIidText[] = L"{BF9EA151-B5FE-4A06-A6B3-3687D6609037}";
constexpr int32_t kObjectMethod = 35;  // dispatch identifier: (name, argument) -> address
constexpr wchar_t kVisDataName[] = L"IVisData";
constexpr wchar_t kVisDataArgument[] = L"-1";
constexpr wchar_t kRedrawHelperName[] = L"IVisRedrawHelper";
constexpr wchar_t kRedrawHelperArgument[] = L"";
// Registered window message sent or posted to the control's parent for the context menu.
constexpr wchar_t kDisplayPluginEvent[] = L"Media Jukebox display plugin event.";

}  // namespace jmc
