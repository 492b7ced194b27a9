#include "players/wmp/StandInCore.h"

#include <oleauto.h>

#include <string>

namespace wmpstandin {

namespace {

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out.push_back(*text < 0x80 ? char(*text) : '?');
  return out;
}

HRESULT NotUsed(CoreJournal* journal, const char* what) {
  journal->Add(std::string("Unexpected ") + what);
  return E_NOTIMPL;
}

}  // namespace

const wchar_t kNullValue[] = L"<null>";

int CoreJournal::Count(const std::string& line) const {
  int count = 0;
  for (const std::string& entry : mLines) count += entry == line ? 1 : 0;
  return count;
}

std::vector<std::string> CoreJournal::Unexpected() const {
  std::vector<std::string> found;
  for (const std::string& entry : mLines) {
    if (entry.rfind("Unexpected", 0) == 0) found.push_back(entry);
  }
  return found;
}

// --- StandInPicture ---

const wmp::MetadataPictureTable StandInPicture::kTable = {
    QueryInterface, AddRef,         ReleaseRef,     GetTypeInfoCount,
    GetTypeInfo,    GetIDsOfNames,  Invoke,         GetMimeType,
    GetPictureType, GetDescription, GetUrl};

StandInPicture::StandInPicture(CoreJournal* journal, const std::wstring& url)
    : mInterface{&kTable}, mJournal(journal), mUrl(url) {}

StandInPicture* StandInPicture::From(wmp::MetadataPicture* self) {
  return reinterpret_cast<StandInPicture*>(self);
}

void StandInPicture::Release() {
  ReleaseRef(&mInterface);
}

HRESULT STDMETHODCALLTYPE StandInPicture::QueryInterface(wmp::MetadataPicture* self, REFIID iid,
                                                         void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, wmp::kIidMetadataPicture)) {
    *out = self;
    AddRef(self);
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE StandInPicture::AddRef(wmp::MetadataPicture* self) {
  return ULONG(InterlockedIncrement(&From(self)->mReferences));
}

ULONG STDMETHODCALLTYPE StandInPicture::ReleaseRef(wmp::MetadataPicture* self) {
  StandInPicture* picture = From(self);
  const LONG left = InterlockedDecrement(&picture->mReferences);
  if (left == 0) delete picture;
  return ULONG(left);
}

HRESULT STDMETHODCALLTYPE StandInPicture::GetTypeInfoCount(wmp::MetadataPicture* self, UINT*) {
  return NotUsed(From(self)->mJournal, "Picture.GetTypeInfoCount");
}
HRESULT STDMETHODCALLTYPE StandInPicture::GetTypeInfo(wmp::MetadataPicture* self, UINT, LCID,
                                                      ITypeInfo**) {
  return NotUsed(From(self)->mJournal, "Picture.GetTypeInfo");
}
HRESULT STDMETHODCALLTYPE StandInPicture::GetIDsOfNames(wmp::MetadataPicture* self, REFIID,
                                                        LPOLESTR*, UINT, LCID, DISPID*) {
  return NotUsed(From(self)->mJournal, "Picture.GetIDsOfNames");
}
HRESULT STDMETHODCALLTYPE StandInPicture::Invoke(wmp::MetadataPicture* self, DISPID, REFIID,
                                                 LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                                 UINT*) {
  return NotUsed(From(self)->mJournal, "Picture.Invoke");
}
HRESULT STDMETHODCALLTYPE StandInPicture::GetMimeType(wmp::MetadataPicture* self, BSTR*) {
  return NotUsed(From(self)->mJournal, "Picture.get_mimeType");
}
HRESULT STDMETHODCALLTYPE StandInPicture::GetPictureType(wmp::MetadataPicture* self, BSTR*) {
  return NotUsed(From(self)->mJournal, "Picture.get_pictureType");
}
HRESULT STDMETHODCALLTYPE StandInPicture::GetDescription(wmp::MetadataPicture* self, BSTR*) {
  return NotUsed(From(self)->mJournal, "Picture.get_description");
}

HRESULT STDMETHODCALLTYPE StandInPicture::GetUrl(wmp::MetadataPicture* self, BSTR* url) {
  StandInPicture* picture = From(self);
  picture->mJournal->Add("Picture.get_URL");
  if (url == nullptr) return E_POINTER;
  *url = SysAllocString(picture->mUrl.c_str());
  return S_OK;
}

// --- StandInMedia ---

StandInMedia::StandInMedia(CoreJournal* journal, const MediaSetup& setup)
    : mJournal(journal), mSetup(setup) {}

LONG StandInMedia::Outstanding() const {
  return (mReferences - 1) + (mPicture != nullptr ? mPicture->Outstanding() : 0);
}

void StandInMedia::ReleaseOwner() {
  if (mPicture != nullptr) {
    mPicture->Release();
    mPicture = nullptr;
  }
  Release();
}

HRESULT StandInMedia::Unexpected(const char* what) {
  return NotUsed(mJournal, (std::string("Media.") + what).c_str());
}

HRESULT STDMETHODCALLTYPE StandInMedia::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  const bool media3 = IsEqualIID(iid, IID_IWMPMedia3) || IsEqualIID(iid, IID_IWMPMedia2);
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, IID_IWMPMedia) || (media3 && mSetup.offersMedia3)) {
    *out = static_cast<IWMPMedia3*>(this);
    AddRef();
    return S_OK;
  }
  if (IsEqualIID(iid, IID_IWMPMedia3)) mJournal->Add("Media.QueryInterface IWMPMedia3 refused");
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE StandInMedia::AddRef() {
  return ULONG(InterlockedIncrement(&mReferences));
}

ULONG STDMETHODCALLTYPE StandInMedia::Release() {
  const LONG left = InterlockedDecrement(&mReferences);
  if (left == 0) delete this;
  return ULONG(left);
}

HRESULT STDMETHODCALLTYPE StandInMedia::get_sourceURL(BSTR* url) {
  mJournal->Add("Media.get_sourceURL");
  if (url == nullptr) return E_POINTER;
  *url = nullptr;
  if (!mSetup.hasSourceUrl) return E_FAIL;
  *url = SysAllocString(mSetup.sourceUrl.c_str());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInMedia::getItemInfo(BSTR name, BSTR* value) {
  mJournal->Add("Media.getItemInfo " + Narrow(name));
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  const auto found = mSetup.attributes.find(name != nullptr ? name : L"");
  if (found == mSetup.attributes.end()) return E_FAIL;
  if (found->second == kNullValue) return S_OK;
  *value = SysAllocStringLen(found->second.data(), UINT(found->second.size()));
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInMedia::getItemInfoByType(BSTR type, BSTR language, LONG index,
                                                          VARIANT* value) {
  mJournal->Add("Media.getItemInfoByType " + Narrow(type) + " language=\"" + Narrow(language) +
                "\" index=" + std::to_string(index));
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  if (mSetup.pictureUrl.empty() || Narrow(type) != "WM/Picture" || index != 0) return E_FAIL;
  if (mSetup.pictureType != VT_DISPATCH) {
    // A misbehaving player: the picture as some other kind of value.
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(mSetup.pictureUrl.c_str());
    return S_OK;
  }
  if (mPicture == nullptr) mPicture = new StandInPicture(mJournal, mSetup.pictureUrl);
  mPicture->Interface()->table->AddRef(mPicture->Interface());
  V_VT(value) = VT_DISPATCH;
  V_DISPATCH(value) = reinterpret_cast<IDispatch*>(mPicture->Interface());
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInMedia::GetTypeInfoCount(UINT*) { return Unexpected("GetTypeInfoCount"); }
HRESULT STDMETHODCALLTYPE StandInMedia::GetTypeInfo(UINT, LCID, ITypeInfo**) { return Unexpected("GetTypeInfo"); }
HRESULT STDMETHODCALLTYPE StandInMedia::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return Unexpected("GetIDsOfNames"); }
HRESULT STDMETHODCALLTYPE StandInMedia::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return Unexpected("Invoke"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_isIdentical(IWMPMedia*, VARIANT_BOOL*) { return Unexpected("get_isIdentical"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_name(BSTR*) { return Unexpected("get_name"); }
HRESULT STDMETHODCALLTYPE StandInMedia::put_name(BSTR) { return Unexpected("put_name"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_imageSourceWidth(LONG*) { return Unexpected("get_imageSourceWidth"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_imageSourceHeight(LONG*) { return Unexpected("get_imageSourceHeight"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_markerCount(LONG*) { return Unexpected("get_markerCount"); }
HRESULT STDMETHODCALLTYPE StandInMedia::getMarkerTime(LONG, double*) { return Unexpected("getMarkerTime"); }
HRESULT STDMETHODCALLTYPE StandInMedia::getMarkerName(LONG, BSTR*) { return Unexpected("getMarkerName"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_duration(double*) { return Unexpected("get_duration"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_durationString(BSTR*) { return Unexpected("get_durationString"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_attributeCount(LONG*) { return Unexpected("get_attributeCount"); }
HRESULT STDMETHODCALLTYPE StandInMedia::getAttributeName(LONG, BSTR*) { return Unexpected("getAttributeName"); }
HRESULT STDMETHODCALLTYPE StandInMedia::setItemInfo(BSTR, BSTR) { return Unexpected("setItemInfo"); }
HRESULT STDMETHODCALLTYPE StandInMedia::getItemInfoByAtom(LONG, BSTR*) { return Unexpected("getItemInfoByAtom"); }
HRESULT STDMETHODCALLTYPE StandInMedia::isMemberOf(IWMPPlaylist*, VARIANT_BOOL*) { return Unexpected("isMemberOf"); }
HRESULT STDMETHODCALLTYPE StandInMedia::isReadOnlyItem(BSTR, VARIANT_BOOL*) { return Unexpected("isReadOnlyItem"); }
HRESULT STDMETHODCALLTYPE StandInMedia::get_error(IWMPErrorItem**) { return Unexpected("get_error"); }
HRESULT STDMETHODCALLTYPE StandInMedia::getAttributeCountByType(BSTR, BSTR, LONG*) { return Unexpected("getAttributeCountByType"); }

// --- StandInConnectionPoint ---

HRESULT STDMETHODCALLTYPE StandInConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE StandInConnectionPoint::AddRef() {
  return ULONG(InterlockedIncrement(&mReferences));
}

// Lives inside the core: the count only tells whether the effect let go.
ULONG STDMETHODCALLTYPE StandInConnectionPoint::Release() {
  return ULONG(InterlockedDecrement(&mReferences));
}

HRESULT STDMETHODCALLTYPE StandInConnectionPoint::GetConnectionInterface(IID*) {
  return NotUsed(&mCore->mJournal, "ConnectionPoint.GetConnectionInterface");
}
HRESULT STDMETHODCALLTYPE StandInConnectionPoint::GetConnectionPointContainer(
    IConnectionPointContainer**) {
  return NotUsed(&mCore->mJournal, "ConnectionPoint.GetConnectionPointContainer");
}
HRESULT STDMETHODCALLTYPE StandInConnectionPoint::EnumConnections(IEnumConnections**) {
  return NotUsed(&mCore->mJournal, "ConnectionPoint.EnumConnections");
}

HRESULT STDMETHODCALLTYPE StandInConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  mCore->mJournal.Add("ConnectionPoint.Advise");
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  if (mSink != nullptr) return CONNECT_E_ADVISELIMIT;
  // As the player does: the sink is asked for the event interface.
  IWMPEvents* events = nullptr;
  if (FAILED(sink->QueryInterface(IID_IWMPEvents, reinterpret_cast<void**>(&events))) ||
      events == nullptr) {
    return CONNECT_E_CANNOTCONNECT;
  }
  mSink = events;
  *cookie = 1;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInConnectionPoint::Unadvise(DWORD cookie) {
  mCore->mJournal.Add("ConnectionPoint.Unadvise " + std::to_string(cookie));
  if (cookie != 1 || mSink == nullptr) return CONNECT_E_NOCONNECTION;
  IWMPEvents* sink = mSink;
  mSink = nullptr;
  sink->Release();
  return S_OK;
}

// --- StandInCore ---

StandInCore::StandInCore(const CoreSetup& setup) : mSetup(setup), mConnection(this) {
  if (mSetup.hasCurrentMedia) mMedia = new StandInMedia(&mJournal, mSetup.media);
}

void StandInCore::ReleaseOwner() {
  if (mMedia != nullptr) mMedia->ReleaseOwner();
  mMedia = nullptr;
  for (StandInMedia* old : mOldMedia) old->ReleaseOwner();
  mOldMedia.clear();
  Release();
}

void StandInCore::SetMedia(const MediaSetup& media) {
  if (mMedia != nullptr) mOldMedia.push_back(mMedia);
  mSetup.media = media;
  mMedia = new StandInMedia(&mJournal, media);
}

LONG StandInCore::Outstanding() const {
  LONG total = (mReferences - 1) + mConnection.Outstanding();
  if (mMedia != nullptr) total += mMedia->Outstanding();
  for (const StandInMedia* old : mOldMedia) total += old->Outstanding();
  return total;
}

bool StandInCore::SendPlayStateChange(LONG state) {
  if (mConnection.Sink() == nullptr) return false;
  mConnection.Sink()->PlayStateChange(state);
  return true;
}

bool StandInCore::SendPositionChange(double from, double to) {
  if (mConnection.Sink() == nullptr) return false;
  mConnection.Sink()->PositionChange(from, to);
  return true;
}

bool StandInCore::SendMediaChange() {
  if (mConnection.Sink() == nullptr || mMedia == nullptr) return false;
  mConnection.Sink()->MediaChange(static_cast<IWMPMedia3*>(mMedia));
  return true;
}

HRESULT StandInCore::Unexpected(const char* what) {
  return NotUsed(&mJournal, (std::string("Core.") + what).c_str());
}

HRESULT STDMETHODCALLTYPE StandInCore::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, IID_IWMPCore)) {
    *out = static_cast<IWMPCore*>(this);
  } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    *out = static_cast<IConnectionPointContainer*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE StandInCore::AddRef() {
  return ULONG(InterlockedIncrement(&mReferences));
}

ULONG STDMETHODCALLTYPE StandInCore::Release() {
  const LONG left = InterlockedDecrement(&mReferences);
  if (left == 0) delete this;
  return ULONG(left);
}

HRESULT STDMETHODCALLTYPE StandInCore::get_playState(WMPPlayState* state) {
  mJournal.Add("Core.get_playState");
  if (state == nullptr) return E_POINTER;
  if (!mSetup.answersPlayState) return E_NOTIMPL;
  *state = mSetup.playState;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInCore::get_currentMedia(IWMPMedia** media) {
  mJournal.Add("Core.get_currentMedia");
  if (media == nullptr) return E_POINTER;
  *media = nullptr;
  if (mMedia == nullptr) return S_OK;
  mMedia->AddRef();
  *media = static_cast<IWMPMedia3*>(mMedia);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInCore::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  mJournal.Add("Core.FindConnectionPoint");
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (!mSetup.offersEvents || !IsEqualIID(iid, IID_IWMPEvents)) return CONNECT_E_NOCONNECTION;
  mConnection.AddRef();
  *point = &mConnection;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInCore::EnumConnectionPoints(IEnumConnectionPoints**) { return Unexpected("EnumConnectionPoints"); }
HRESULT STDMETHODCALLTYPE StandInCore::GetTypeInfoCount(UINT*) { return Unexpected("GetTypeInfoCount"); }
HRESULT STDMETHODCALLTYPE StandInCore::GetTypeInfo(UINT, LCID, ITypeInfo**) { return Unexpected("GetTypeInfo"); }
HRESULT STDMETHODCALLTYPE StandInCore::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return Unexpected("GetIDsOfNames"); }
HRESULT STDMETHODCALLTYPE StandInCore::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return Unexpected("Invoke"); }
HRESULT STDMETHODCALLTYPE StandInCore::close() { return Unexpected("close"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_URL(BSTR*) { return Unexpected("get_URL"); }
HRESULT STDMETHODCALLTYPE StandInCore::put_URL(BSTR) { return Unexpected("put_URL"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_openState(WMPOpenState*) { return Unexpected("get_openState"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_controls(IWMPControls**) { return Unexpected("get_controls"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_settings(IWMPSettings**) { return Unexpected("get_settings"); }
HRESULT STDMETHODCALLTYPE StandInCore::put_currentMedia(IWMPMedia*) { return Unexpected("put_currentMedia"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_mediaCollection(IWMPMediaCollection**) { return Unexpected("get_mediaCollection"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_playlistCollection(IWMPPlaylistCollection**) { return Unexpected("get_playlistCollection"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_versionInfo(BSTR*) { return Unexpected("get_versionInfo"); }
HRESULT STDMETHODCALLTYPE StandInCore::launchURL(BSTR) { return Unexpected("launchURL"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_network(IWMPNetwork**) { return Unexpected("get_network"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_currentPlaylist(IWMPPlaylist**) { return Unexpected("get_currentPlaylist"); }
HRESULT STDMETHODCALLTYPE StandInCore::put_currentPlaylist(IWMPPlaylist*) { return Unexpected("put_currentPlaylist"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_cdromCollection(IWMPCdromCollection**) { return Unexpected("get_cdromCollection"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_closedCaption(IWMPClosedCaption**) { return Unexpected("get_closedCaption"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_isOnline(VARIANT_BOOL*) { return Unexpected("get_isOnline"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_Error(IWMPError**) { return Unexpected("get_Error"); }
HRESULT STDMETHODCALLTYPE StandInCore::get_status(BSTR*) { return Unexpected("get_status"); }

}  // namespace wmpstandin
