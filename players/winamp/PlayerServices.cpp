#include "players/winamp/PlayerServices.h"

#include <cstdlib>
#include <cstring>

#include "players/winamp/AlbumPicture.h"
#include "players/winamp/PlayerJournal.h"
#include "players/winamp/StandInControl.h"

namespace winamp_standin {
namespace {

using winamp::ServiceObject;
namespace service = winamp::service;

// File names longer than this are not journaled whole.
constexpr size_t kMaxJournaledUnits = 4096;

PlayerServices* OwnerOf(ServiceObject* self) {
  return reinterpret_cast<PlayerService*>(self)->owner;
}

// The dispatches the plug-in calls, with the calling convention of the player's member
// functions; nothing may leave them as an exception.
int32_t WINAMP_MEMBER_CALL InterfaceEntry(ServiceObject* self, int32_t message, void* result,
                                          void** params, int32_t count) {
  try {
    return OwnerOf(self)->DispatchInterface(message, result, params, count);
  } catch (...) {
    return 0;
  }
}

int32_t WINAMP_MEMBER_CALL MemoryEntry(ServiceObject* self, int32_t message, void* result,
                                       void** params, int32_t count) {
  try {
    return OwnerOf(self)->DispatchMemory(message, result, params, count);
  } catch (...) {
    return 0;
  }
}

int32_t WINAMP_MEMBER_CALL AlbumArtEntry(ServiceObject* self, int32_t message, void* result,
                                         void** params, int32_t count) {
  try {
    return OwnerOf(self)->DispatchAlbumArt(message, result, params, count);
  } catch (...) {
    return 0;
  }
}

const winamp::ServiceTable kInterfaceTable = {&InterfaceEntry};
const winamp::ServiceTable kMemoryTable = {&MemoryEntry};
const winamp::ServiceTable kAlbumArtTable = {&AlbumArtEntry};

bool SameGuid(const winamp::ServiceGuid& a, const winamp::ServiceGuid& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Argument i of a dispatch: params[i] holds the argument's address.
template <typename T>
T Argument(void** params, int32_t i) {
  return *static_cast<T*>(params[i]);
}

refengine::JournalLine DispatchLine(const char* service, int32_t message, int32_t count) {
  refengine::JournalLine line(call::kService);
  line.Text("service", service).Number("dispatch", message).Number("params", count);
  return line;
}

int32_t Unknown(refengine::JournalLine& line) {
  refengine::JournalLine unexpected(call::kUnexpected);
  unexpected.Text("what", "service dispatch").Text("line", line.str());
  WriteJournal(unexpected);
  return 0;
}

}  // namespace

PlayerServices::PlayerServices(ArtServiceKind artKind)
    : mArtKind(artKind),
      mInterface{{&kInterfaceTable}, "interface", this},
      mMemory{{&kMemoryTable}, "memory", this},
      mAlbumArt{{&kAlbumArtTable}, "albumArt", this} {}

int32_t PlayerServices::DispatchInterface(int32_t message, void* result, void** params,
                                          int32_t count) {
  refengine::JournalLine line = DispatchLine("interface", message, count);
  if (message != service::kGetServiceByGuid || count != 1 || !params || !result) {
    return Unknown(line);
  }
  // The argument is the GUID itself, so params[0] is its address.
  const auto* guid = static_cast<const winamp::ServiceGuid*>(params[0]);
  PlayerService* found = nullptr;
  if (guid && SameGuid(*guid, winamp::kMemoryServiceGuid)) {
    found = &mMemory;
    line.Text("guid", "memory");
  } else if (guid && SameGuid(*guid, winamp::kAlbumArtServiceGuid)) {
    line.Text("guid", "albumArt");
    if (mArtKind != ArtServiceKind::kAbsent) found = &mAlbumArt;
  } else {
    line.Text("guid", "unknown");
  }
  *static_cast<ServiceObject**>(result) = found ? &found->object : nullptr;
  line.Address("answer", found ? &found->object : nullptr);
  WriteJournal(line);
  return service::kHandled;
}

int32_t PlayerServices::DispatchMemory(int32_t message, void* result, void** params,
                                       int32_t count) {
  (void)result;
  refengine::JournalLine line = DispatchLine("memory", message, count);
  if (message == service::kRelease && count == 0) {
    WriteJournal(line);
    return service::kHandled;
  }
  if (message != service::kFree || count != 1 || !params) return Unknown(line);
  WriteJournal(line);
  void* block = Argument<void*>(params, 0);
  bool known = false;
  {
    std::lock_guard<std::mutex> guard(mLock);
    known = mOutstanding.erase(block) == 1;
  }
  // Only blocks the player handed out are freed; anything else is the plug-in's mistake.
  if (known) std::free(block);
  refengine::JournalLine freed(call::kMemoryFree);
  WriteJournal(freed.Address("pointer", block).Number("known", known ? 1 : 0));
  if (!known) WriteUnexpected("memory service freed a block the player did not hand out");
  return service::kHandled;
}

int32_t PlayerServices::DispatchAlbumArt(int32_t message, void* result, void** params,
                                         int32_t count) {
  refengine::JournalLine line = DispatchLine("albumArt", message, count);
  if (message == service::kRelease && count == 0) {
    WriteJournal(line);
    return service::kHandled;
  }
  if (message != service::kGetAlbumArt || count != 5 || !params || !result) return Unknown(line);
  WriteJournal(line);
  return GiveAlbumArt(result, params);
}

int32_t PlayerServices::GiveAlbumArt(void* result, void** params) {
  const auto* file = Argument<const char16_t*>(params, 0);
  const auto* type = Argument<const char16_t*>(params, 1);
  auto* width = Argument<int32_t*>(params, 2);
  auto* height = Argument<int32_t*>(params, 3);
  auto** pixels = Argument<uint32_t**>(params, 4);
  int32_t answer = 0;
  uint32_t* given = nullptr;
  if (mArtKind == ArtServiceKind::kFails) {
    answer = 1;
  } else if (mArtKind == ArtServiceKind::kPixels) {
    given = NewPixels();
  }
  if (width) *width = answer == 0 ? kPictureWidth : 0;
  if (height) *height = answer == 0 ? kPictureHeight : 0;
  if (pixels) *pixels = given;
  *static_cast<int32_t*>(result) = answer;
  refengine::JournalLine line(call::kAlbumArt);
  line.WideText("file", file, kMaxJournaledUnits)
      .WideText("type", type, kMaxJournaledUnits)
      .Number("width", answer == 0 ? kPictureWidth : 0)
      .Number("height", answer == 0 ? kPictureHeight : 0)
      .Address("pixels", given)
      .Number("answer", answer);
  WriteJournal(line);
  return service::kHandled;
}

uint32_t* PlayerServices::NewPixels() {
  auto* pixels =
      static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * kPictureWidth * kPictureHeight));
  if (!pixels) return nullptr;
  FillPicture(pixels);
  std::lock_guard<std::mutex> guard(mLock);
  mOutstanding.insert(pixels);
  return pixels;
}

void PlayerServices::Report() {
  std::lock_guard<std::mutex> guard(mLock);
  refengine::JournalLine line(call::kPixelsAtEnd);
  WriteJournal(line.Number("outstanding", int64_t(mOutstanding.size())));
  for (void* block : mOutstanding) std::free(block);
  mOutstanding.clear();
}

}  // namespace winamp_standin
