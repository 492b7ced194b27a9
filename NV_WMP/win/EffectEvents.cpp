// IWMPEvents of the effect object: the player's events. Play state changes to stopped, ended
// or transitioning silence the audio and empty the track; a seek silences the audio; a media
// change reads the player's current media. Every other event is taken and ignored (each with
// its own signature, so that the callee cleans the stack right in the 32-bit build).
#include <windows.h>
#include <oleauto.h>

#include "NV_WMP/win/EffectObject.h"
#include "NV_WMP/win/WmpVisualHost.h"

namespace wmp {

namespace {

constexpr LONG kStateStopped = 1;
constexpr LONG kStateMediaEnded = 8;
constexpr LONG kStateTransitioning = 9;

HRESULT STDMETHODCALLTYPE EventsQueryInterface(IWMPEvents* self, REFIID iid, void** out) {
  return ObjectQueryInterface(FromEvents(self), iid, out);
}
ULONG STDMETHODCALLTYPE EventsAddRef(IWMPEvents* self) {
  return ObjectAddRef(FromEvents(self));
}
ULONG STDMETHODCALLTYPE EventsRelease(IWMPEvents* self) {
  return ObjectRelease(FromEvents(self));
}

void STDMETHODCALLTYPE EventsPlayStateChange(IWMPEvents* self, LONG state) {
  EffectObject* object = FromEvents(self);
  if (object->host == nullptr) return;
  if (state == kStateStopped || state == kStateMediaEnded || state == kStateTransitioning) {
    object->host->ClearAudio();
    object->host->UpdateMetadata(nullptr);
  }
}

void STDMETHODCALLTYPE EventsPositionChange(IWMPEvents* self, double, double) {
  EffectObject* object = FromEvents(self);
  if (object->host != nullptr) object->host->ClearAudio();
}

void STDMETHODCALLTYPE EventsMediaChange(IWMPEvents* self, IDispatch* item) {
  EffectObject* object = FromEvents(self);
  if (item == nullptr || object->core == nullptr) return;
  IWMPMedia* current = nullptr;
  if (FAILED(IWMPCore_get_currentMedia(object->core, &current))) current = nullptr;
  if (current == nullptr) return;
  if (object->host != nullptr) object->host->UpdateMetadata(current);
  IWMPMedia_Release(current);
}

void STDMETHODCALLTYPE IgnoreOpenStateChange(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnoreAudioLanguageChange(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnoreStatusChange(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnoreScriptCommand(IWMPEvents*, BSTR, BSTR) {}
void STDMETHODCALLTYPE IgnoreNewStream(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnoreDisconnect(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnoreBuffering(IWMPEvents*, VARIANT_BOOL) {}
void STDMETHODCALLTYPE IgnoreError(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnoreWarning(IWMPEvents*, LONG, LONG, BSTR) {}
void STDMETHODCALLTYPE IgnoreEndOfStream(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnoreMarkerHit(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnoreDurationUnitChange(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnoreCdromMediaChange(IWMPEvents*, LONG) {}
void STDMETHODCALLTYPE IgnorePlaylistChange(IWMPEvents*, IDispatch*, WMPPlaylistChangeEventType) {}
void STDMETHODCALLTYPE IgnoreCurrentPlaylistChange(IWMPEvents*, WMPPlaylistChangeEventType) {}
void STDMETHODCALLTYPE IgnoreCurrentPlaylistItemAvailable(IWMPEvents*, BSTR) {}
void STDMETHODCALLTYPE IgnoreCurrentMediaItemAvailable(IWMPEvents*, BSTR) {}
void STDMETHODCALLTYPE IgnoreCurrentItemChange(IWMPEvents*, IDispatch*) {}
void STDMETHODCALLTYPE IgnoreMediaCollectionChange(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnoreMediaCollectionAttributeStringAdded(IWMPEvents*, BSTR, BSTR) {}
void STDMETHODCALLTYPE IgnoreMediaCollectionAttributeStringRemoved(IWMPEvents*, BSTR, BSTR) {}
void STDMETHODCALLTYPE IgnoreMediaCollectionAttributeStringChanged(IWMPEvents*, BSTR, BSTR, BSTR) {}
void STDMETHODCALLTYPE IgnorePlaylistCollectionChange(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnorePlaylistCollectionPlaylistAdded(IWMPEvents*, BSTR) {}
void STDMETHODCALLTYPE IgnorePlaylistCollectionPlaylistRemoved(IWMPEvents*, BSTR) {}
void STDMETHODCALLTYPE IgnorePlaylistCollectionPlaylistSetAsDeleted(IWMPEvents*, BSTR, VARIANT_BOOL) {}
void STDMETHODCALLTYPE IgnoreModeChange(IWMPEvents*, BSTR, VARIANT_BOOL) {}
void STDMETHODCALLTYPE IgnoreMediaError(IWMPEvents*, IDispatch*) {}
void STDMETHODCALLTYPE IgnoreOpenPlaylistSwitch(IWMPEvents*, IDispatch*) {}
void STDMETHODCALLTYPE IgnoreDomainChange(IWMPEvents*, BSTR) {}
void STDMETHODCALLTYPE IgnoreSwitchedToPlayerApplication(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnoreSwitchedToControl(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnorePlayerDockedStateChange(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnorePlayerReconnect(IWMPEvents*) {}
void STDMETHODCALLTYPE IgnoreClick(IWMPEvents*, short, short, LONG, LONG) {}
void STDMETHODCALLTYPE IgnoreDoubleClick(IWMPEvents*, short, short, LONG, LONG) {}
void STDMETHODCALLTYPE IgnoreKeyDown(IWMPEvents*, short, short) {}
void STDMETHODCALLTYPE IgnoreKeyPress(IWMPEvents*, short) {}
void STDMETHODCALLTYPE IgnoreKeyUp(IWMPEvents*, short, short) {}
void STDMETHODCALLTYPE IgnoreMouseDown(IWMPEvents*, short, short, LONG, LONG) {}
void STDMETHODCALLTYPE IgnoreMouseMove(IWMPEvents*, short, short, LONG, LONG) {}
void STDMETHODCALLTYPE IgnoreMouseUp(IWMPEvents*, short, short, LONG, LONG) {}

}  // namespace

const IWMPEventsVtbl kEventsTable = {
    EventsQueryInterface,
    EventsAddRef,
    EventsRelease,
    IgnoreOpenStateChange,
    EventsPlayStateChange,
    IgnoreAudioLanguageChange,
    IgnoreStatusChange,
    IgnoreScriptCommand,
    IgnoreNewStream,
    IgnoreDisconnect,
    IgnoreBuffering,
    IgnoreError,
    IgnoreWarning,
    IgnoreEndOfStream,
    EventsPositionChange,
    IgnoreMarkerHit,
    IgnoreDurationUnitChange,
    IgnoreCdromMediaChange,
    IgnorePlaylistChange,
    IgnoreCurrentPlaylistChange,
    IgnoreCurrentPlaylistItemAvailable,
    EventsMediaChange,
    IgnoreCurrentMediaItemAvailable,
    IgnoreCurrentItemChange,
    IgnoreMediaCollectionChange,
    IgnoreMediaCollectionAttributeStringAdded,
    IgnoreMediaCollectionAttributeStringRemoved,
    IgnoreMediaCollectionAttributeStringChanged,
    IgnorePlaylistCollectionChange,
    IgnorePlaylistCollectionPlaylistAdded,
    IgnorePlaylistCollectionPlaylistRemoved,
    IgnorePlaylistCollectionPlaylistSetAsDeleted,
    IgnoreModeChange,
    IgnoreMediaError,
    IgnoreOpenPlaylistSwitch,
    IgnoreDomainChange,
    IgnoreSwitchedToPlayerApplication,
    IgnoreSwitchedToControl,
    IgnorePlayerDockedStateChange,
    IgnorePlayerReconnect,
    IgnoreClick,
    IgnoreDoubleClick,
    IgnoreKeyDown,
    IgnoreKeyPress,
    IgnoreKeyUp,
    IgnoreMouseDown,
    IgnoreMouseMove,
    IgnoreMouseUp,
};

}  // namespace wmp
