// Engine requests arriving at a host and the base class's answers, and the requests the base
// class sends the engine besides input: the fullscreen query, preferences, track information
// and line lists.
#include <cstring>

#include "utility/LineReader.h"
#include "utility/TextFunctions.h"
#include "utility/TextRules.h"
#include "utility/Variant.h"
#include "utility/XPtrList.h"
#include "visualhost/host/VisualHost.h"

namespace {


// Converts UTF-8 into a zero-terminated UTF-16 field of the track record; the last unit stays
// free for the terminator. A character cut in half at the limit is left out whole: a lone
// surrogate is no text.
void CopyTrackText(const UtilStr& text, char16_t (&field)[TrackRecord::kTextUnits]) {
  int32_t units = Utf8ToUtf16(text.Text(), text.Length(), field, TrackRecord::kTextUnits - 1);
  if (units < 0) units = 0;
  if (units == TrackRecord::kTextUnits - 1 && text_rules::IsHighSurrogate(field[units - 1])) --units;
  field[units] = 0;
}

// The part of a line before its first tab: the rest of the line describes the entry.
int32_t LengthBeforeTab(const char* line, int32_t length) {
  const void* tab = std::memchr(line, '\t', static_cast<size_t>(length));
  return tab == nullptr ? length : static_cast<int32_t>(static_cast<const char*>(tab) - line);
}

}  // namespace

int32_t VisualHost::HandleFSHt(bool, void*, void*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::HandleGArt(ArtRecord*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::HandleRArt(ArtRecord*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::HandleFSSt(bool, void*, void*) {
  return NVStatus::kOk;
}

int32_t VisualHost::HandleFSEd(bool, void*, void*) {
  return NVStatus::kOk;
}

int32_t VisualHost::HandleGetS(AudioRequest*) {
  return NVStatus::kNotHandled;
}

int32_t VisualHost::OnEngineRequest(uint32_t code, void* in, void* out) {
  const bool flag = in != nullptr;
  switch (code) {
    // The engine only reports the start and end of its fullscreen; whatever a host does about
    // it, the engine is told the request was not handled.
    case EngineRequest::kFullscreenStarted:
      HandleFSSt(flag, in, out);
      return NVStatus::kNotHandled;
    case EngineRequest::kFullscreenEnded:
      HandleFSEd(flag, in, out);
      return NVStatus::kNotHandled;
    case EngineRequest::kFullscreenHost:
      return HandleFSHt(flag, in, out);
    case EngineRequest::kGetArt:
      return HandleGArt(static_cast<ArtRecord*>(in));
    case EngineRequest::kReleaseArt:
      return HandleRArt(static_cast<ArtRecord*>(in));
    case EngineRequest::kGetSamples:
      return HandleGetS(static_cast<AudioRequest*>(in));
    case EngineRequest::kFullscreenPrepare:  // no host prepares anything
    default:
      return NVStatus::kNotHandled;
  }
}

bool VisualHost::IsFullscreen() {
  if (mInstance == 0 || !CanRequest()) return false;
  return mTable->Request(mInstance, HostRequest::kIsFullscreen, nullptr, nullptr) != 0;
}

bool VisualHost::GetPreference(const char* name, Variant* value) {
  PreferenceAnswer answer = {};
  int64_t found = 0;
  if (name != nullptr && CanRequest()) {
    found =
        mTable->Request(mInstance, HostRequest::kGetPreference, const_cast<char*>(name), &answer);
  }
  if (found == 0) answer.type = 0;  // whatever the engine left in the record is no value
  if (value != nullptr) {
    value->SetFromTyped(static_cast<int32_t>(answer.type), answer.length, answer.value.raw);
  }
  return found != 0;
}

void VisualHost::SendTrackInfo(const UtilStr& title, const UtilStr& artist, const UtilStr& album,
                               int32_t year) {
  if (!CanRequest()) return;
  TrackRecord track = {};
  track.size = TrackRecord::kSize;
  track.mask = TrackRecord::kMask;
  track.year = year;
  CopyTrackText(title, track.title);
  CopyTrackText(artist, track.artist);
  CopyTrackText(album, track.album);
  mTable->Request(mInstance, HostRequest::kTrack, &track, nullptr);
}

int32_t VisualHost::RequestList(uint32_t code, XPtrList* list) {
  if (list == nullptr) return NVStatus::kNotHandled;
  ListAnswer answer = {};
  int64_t status = 0;
  if (CanRequest()) status = mTable->Request(mInstance, code, nullptr, &answer);
  // The list does not own its elements: a caller that wants them freed passes a list that
  // frees them as they leave.
  list->RemoveAll();
  if (status != 0) return static_cast<int32_t>(status);
  if (answer.text == nullptr) return NVStatus::kNotHandled;
  LineReader reader;
  reader.SetText(answer.text, answer.length);  // a copy: the engine's text may not stay
  const char* line = nullptr;
  for (int32_t length = reader.GetLine(&line); length > 0; length = reader.GetLine(&line)) {
    list->Add(new UtilStr(line, LengthBeforeTab(line, length)));
  }
  return NVStatus::kOk;
}
