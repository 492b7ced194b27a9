// Reads the plug-in's effect-panel skin back as VirtualDJ would find it: the XML resource 103
// parsed, the PNG resource 104 decoded, and every control's images located in the picture.
// Everything found is journaled (VirtualDjStandInControl.h: SkinXml, SkinControl, SkinState,
// SkinImage).
#pragma once

#include <windows.h>

namespace virtualdj_standin {

void CheckSkin(HMODULE plugin);

}  // namespace virtualdj_standin
