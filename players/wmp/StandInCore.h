// The stand-in player's core: what an effect sees of the player through SetCore. A core with a
// play state, a current media item with attributes, a source URL and an embedded picture, and a
// connection point that sends IWMPEvents, each part switchable off to play a partial or
// misbehaving player.
//
// Every object counts its references, so that a test can tell that the effect released all it
// took, and journals what the effect asked of it; a call the stand-in does not expect of an
// effect is journaled as "Unexpected <method>". The objects are created with one reference for
// their owner (the test or the stand-in program); Outstanding() counts the references above that.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wmp.h>

#include <map>
#include <string>
#include <vector>

#include "NV_WMP/win/MetadataPicture.h"

namespace wmpstandin {

// What the objects were asked, in order.
class CoreJournal {
 public:
  void Add(const std::string& line) { mLines.push_back(line); }
  const std::vector<std::string>& Lines() const { return mLines; }
  int Count(const std::string& line) const;
  // The lines starting with "Unexpected".
  std::vector<std::string> Unexpected() const;
  void Clear() { mLines.clear(); }

 private:
  std::vector<std::string> mLines;
};

// An embedded picture as IWMPMetadataPicture (an explicit table, as the effect reads it).
class StandInPicture {
 public:
  StandInPicture(CoreJournal* journal, const std::wstring& url);
  wmp::MetadataPicture* Interface() { return &mInterface; }
  LONG Outstanding() const { return mReferences - 1; }
  void Release();

 private:
  static StandInPicture* From(wmp::MetadataPicture* self);
  static HRESULT STDMETHODCALLTYPE QueryInterface(wmp::MetadataPicture* self, REFIID iid,
                                                  void** out);
  static ULONG STDMETHODCALLTYPE AddRef(wmp::MetadataPicture* self);
  static ULONG STDMETHODCALLTYPE ReleaseRef(wmp::MetadataPicture* self);
  static HRESULT STDMETHODCALLTYPE GetTypeInfoCount(wmp::MetadataPicture* self, UINT* count);
  static HRESULT STDMETHODCALLTYPE GetTypeInfo(wmp::MetadataPicture* self, UINT, LCID,
                                               ITypeInfo**);
  static HRESULT STDMETHODCALLTYPE GetIDsOfNames(wmp::MetadataPicture* self, REFIID, LPOLESTR*,
                                                 UINT, LCID, DISPID*);
  static HRESULT STDMETHODCALLTYPE Invoke(wmp::MetadataPicture* self, DISPID, REFIID, LCID, WORD,
                                          DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*);
  static HRESULT STDMETHODCALLTYPE GetMimeType(wmp::MetadataPicture* self, BSTR* text);
  static HRESULT STDMETHODCALLTYPE GetPictureType(wmp::MetadataPicture* self, BSTR* text);
  static HRESULT STDMETHODCALLTYPE GetDescription(wmp::MetadataPicture* self, BSTR* text);
  static HRESULT STDMETHODCALLTYPE GetUrl(wmp::MetadataPicture* self, BSTR* url);
  static const wmp::MetadataPictureTable kTable;

  wmp::MetadataPicture mInterface;  // first: the interface pointer is the object's address
  LONG mReferences = 1;
  CoreJournal* mJournal;
  std::wstring mUrl;
};

struct MediaSetup {
  // Attribute values; an attribute not listed answers E_FAIL, one listed as kNullValue answers
  // S_OK with a null string (as a partial player does).
  std::map<std::wstring, std::wstring> attributes;
  bool hasSourceUrl = true;
  std::wstring sourceUrl;
  bool offersMedia3 = true;
  // The embedded picture's URL; empty: no picture.
  std::wstring pictureUrl;
  // The variant type getItemInfoByType gives the picture (VT_DISPATCH as the player does).
  VARTYPE pictureType = VT_DISPATCH;
};
extern const wchar_t kNullValue[];

class StandInMedia final : public IWMPMedia3 {
 public:
  StandInMedia(CoreJournal* journal, const MediaSetup& setup);
  LONG Outstanding() const;
  void ReleaseOwner();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IWMPMedia
  HRESULT STDMETHODCALLTYPE get_isIdentical(IWMPMedia*, VARIANT_BOOL*) override;
  HRESULT STDMETHODCALLTYPE get_sourceURL(BSTR* url) override;
  HRESULT STDMETHODCALLTYPE get_name(BSTR*) override;
  HRESULT STDMETHODCALLTYPE put_name(BSTR) override;
  HRESULT STDMETHODCALLTYPE get_imageSourceWidth(LONG*) override;
  HRESULT STDMETHODCALLTYPE get_imageSourceHeight(LONG*) override;
  HRESULT STDMETHODCALLTYPE get_markerCount(LONG*) override;
  HRESULT STDMETHODCALLTYPE getMarkerTime(LONG, double*) override;
  HRESULT STDMETHODCALLTYPE getMarkerName(LONG, BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_duration(double*) override;
  HRESULT STDMETHODCALLTYPE get_durationString(BSTR*) override;
  HRESULT STDMETHODCALLTYPE get_attributeCount(LONG*) override;
  HRESULT STDMETHODCALLTYPE getAttributeName(LONG, BSTR*) override;
  HRESULT STDMETHODCALLTYPE getItemInfo(BSTR name, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE setItemInfo(BSTR, BSTR) override;
  HRESULT STDMETHODCALLTYPE getItemInfoByAtom(LONG, BSTR*) override;
  HRESULT STDMETHODCALLTYPE isMemberOf(IWMPPlaylist*, VARIANT_BOOL*) override;
  HRESULT STDMETHODCALLTYPE isReadOnlyItem(BSTR, VARIANT_BOOL*) override;
  // IWMPMedia2
  HRESULT STDMETHODCALLTYPE get_error(IWMPErrorItem**) override;
  // IWMPMedia3
  HRESULT STDMETHODCALLTYPE getAttributeCountByType(BSTR, BSTR, LONG*) override;
  HRESULT STDMETHODCALLTYPE getItemInfoByType(BSTR type, BSTR language, LONG index,
                                              VARIANT* value) override;

 private:
  ~StandInMedia() = default;  // Release ends it
  HRESULT Unexpected(const char* what);

  LONG mReferences = 1;
  CoreJournal* mJournal;
  MediaSetup mSetup;
  StandInPicture* mPicture = nullptr;  // made at the first request, kept for the counts
};

class StandInCore;

class StandInConnectionPoint final : public IConnectionPoint {
 public:
  explicit StandInConnectionPoint(StandInCore* core) : mCore(core) {}
  // The advised sink, or null.
  IWMPEvents* Sink() const { return mSink; }
  LONG Outstanding() const { return mReferences - 1; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override;

 private:
  StandInCore* mCore;
  LONG mReferences = 1;
  IWMPEvents* mSink = nullptr;
};

struct CoreSetup {
  WMPPlayState playState = wmppsPlaying;
  bool answersPlayState = true;
  bool offersEvents = true;  // a connection point for IWMPEvents
  bool hasCurrentMedia = true;
  MediaSetup media;
};

class StandInCore final : public IWMPCore, public IConnectionPointContainer {
 public:
  explicit StandInCore(const CoreSetup& setup);
  // Releases the owner's references (the core's, its connection point's, its media's).
  void ReleaseOwner();

  CoreJournal& Journal() { return mJournal; }
  void SetPlayState(WMPPlayState state) { mSetup.playState = state; }
  // A new current media item (the old one is released by the core).
  void SetMedia(const MediaSetup& media);
  StandInMedia* Media() { return mMedia; }
  // References the effect holds on the core's objects together.
  LONG Outstanding() const;

  // Events as the player sends them to the advised sink; false without one.
  bool SendPlayStateChange(LONG state);
  bool SendPositionChange(double from, double to);
  bool SendMediaChange();

  // IUnknown (shared by both bases)
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IWMPCore
  HRESULT STDMETHODCALLTYPE close() override;
  HRESULT STDMETHODCALLTYPE get_URL(BSTR*) override;
  HRESULT STDMETHODCALLTYPE put_URL(BSTR) override;
  HRESULT STDMETHODCALLTYPE get_openState(WMPOpenState*) override;
  HRESULT STDMETHODCALLTYPE get_playState(WMPPlayState* state) override;
  HRESULT STDMETHODCALLTYPE get_controls(IWMPControls**) override;
  HRESULT STDMETHODCALLTYPE get_settings(IWMPSettings**) override;
  HRESULT STDMETHODCALLTYPE get_currentMedia(IWMPMedia** media) override;
  HRESULT STDMETHODCALLTYPE put_currentMedia(IWMPMedia*) override;
  HRESULT STDMETHODCALLTYPE get_mediaCollection(IWMPMediaCollection**) override;
  HRESULT STDMETHODCALLTYPE get_playlistCollection(IWMPPlaylistCollection**) override;
  HRESULT STDMETHODCALLTYPE get_versionInfo(BSTR*) override;
  HRESULT STDMETHODCALLTYPE launchURL(BSTR) override;
  HRESULT STDMETHODCALLTYPE get_network(IWMPNetwork**) override;
  HRESULT STDMETHODCALLTYPE get_currentPlaylist(IWMPPlaylist**) override;
  HRESULT STDMETHODCALLTYPE put_currentPlaylist(IWMPPlaylist*) override;
  HRESULT STDMETHODCALLTYPE get_cdromCollection(IWMPCdromCollection**) override;
  HRESULT STDMETHODCALLTYPE get_closedCaption(IWMPClosedCaption**) override;
  HRESULT STDMETHODCALLTYPE get_isOnline(VARIANT_BOOL*) override;
  HRESULT STDMETHODCALLTYPE get_Error(IWMPError**) override;
  HRESULT STDMETHODCALLTYPE get_status(BSTR*) override;
  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 private:
  friend class StandInConnectionPoint;
  ~StandInCore() = default;
  HRESULT Unexpected(const char* what);

  LONG mReferences = 1;
  CoreSetup mSetup;
  CoreJournal mJournal;
  StandInConnectionPoint mConnection;
  StandInMedia* mMedia = nullptr;
  std::vector<StandInMedia*> mOldMedia;  // kept for the counts until the owner lets go
};

}  // namespace wmpstandin
