// An object that looks like a Direct3D 9 device to the plug-in but whose GetViewport fails, as
// a lost or broken device's may. It answers no interface, counts references, journals each
// GetViewport, and has no other operation: a plug-in that calls one crashes the stand-in,
// which the test then sees.
#pragma once

namespace virtualdj_standin {

// The process's one such object.
void* FailingDevice();

}  // namespace virtualdj_standin
