// How tests drive the stand-in media center (JRiverStandIn.exe) and read its journal.
//
// Setup (players/shared/StandInSetup.h): journal, maxMs, steps, and
//   version = 30      the media center version whose plug-in key names the control's class
// Steps, run in order on the main (single-threaded apartment) thread, with its messages
// dispatched between them:
//   probe n...        write the probe key of each version (HKLM\Software\J. River\Media Center n)
//   unprobe n...      remove those keys with everything under them
//   serve             register the automation object under its program identifier and in the
//                     running object table
//   factory           register a class object under the program identifier instead, which
//                     creates the automation object when asked (nothing in the running object
//                     table): the control has to create the media center and run it
//   nullsamples, nulltexts, endlesstexts
//                     how the next data objects answer (no sample block; null texts; texts of
//                     300 units without a terminator within 255)
//   fail35, zero35    method 35 fails / answers 0 from now on
//   cover             writes a small bitmap file and names it as the album-art file
//   track             the next change query answers non-zero (once)
//   draw              IViewObject::Draw into a memory bitmap (before or after activation)
//   create            the control by the class the plug-in key names (IOleObject)
//   show              InitNew, SetClientSite, SetExtent, DoVerb(OLEIVERB_INPLACEACTIVATE) at the
//                     display area, then the interfaces a media center uses besides
//   site              a second SetClientSite with the same site
//   resize w h        SetObjectRects to w x h at the display area's corner
//   key vk, char c    WM_KEYDOWN / WM_CHAR sent to the control's window
//   rclick x y        a right click at the control's client point
//   wait ms           messages only
//   close             IOleObject::Close; unsite: SetClientSite(null); release: the last Release
//   end               revokes and releases the automation object and journals what is left
#pragma once

#include <cstdint>

namespace jriver_standin {

constexpr int kExitNormal = 0;
constexpr int kDefaultVersion = 30;
// Where the display area sits in the player's window, and its size.
constexpr int kAreaLeft = 20;
constexpr int kAreaTop = 30;
constexpr int kAreaWidth = 320;
constexpr int kAreaHeight = 240;

namespace call {
// The player's own steps.
constexpr char kStep[] = "Step";            // verb, result (HRESULT or 0)
constexpr char kCreated[] = "Created";      // result, clsid
constexpr char kShown[] = "Shown";          // result, window (the control's), parent
constexpr char kInterfaces[] = "Interfaces";  // result of each further interface a media center uses
constexpr char kDrawn[] = "Drawn";          // result, pixel
constexpr char kReleased[] = "Released";    // left
constexpr char kClicked[] = "Clicked";      // x, y: the screen point of a right click
constexpr char kCover[] = "Cover";          // path
constexpr char kEnd[] = "End";              // visDestroyed, redrawDestroyed, automationLeft
// What the control did to the media center.
constexpr char kMethod35[] = "Method35";      // name, argument, answer
constexpr char kVisDestroy[] = "VisDestroy";  // object, flags, count
constexpr char kVisRefresh[] = "VisRefresh";
constexpr char kVisSamples[] = "VisSamples";  // given
constexpr char kVisChanged[] = "VisChanged";  // what, answer
constexpr char kVisText[] = "VisText";        // index, given
constexpr char kRedrawWindow[] = "RedrawWindow";    // window, zero, rateMilli (rate x 1000)
constexpr char kRedrawDestroy[] = "RedrawDestroy";  // object, flags
constexpr char kPluginEvent[] = "PluginEvent";      // wParam, lParam (the registered message)
constexpr char kSiteCall[] = "SiteCall";            // what (the control's calls on the site)
constexpr char kServerCreate[] = "ServerCreate";    // iid, outer (the class object was asked)
constexpr char kServerRun[] = "ServerRun";          // the created object was run
}  // namespace call

}  // namespace jriver_standin
