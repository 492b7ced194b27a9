#include "players/realplayer/PlayerObjects.h"

#include <atomic>

#include "players/realplayer/RealPlayerStandInControl.h"
#include "players/shared/StandInJournal.h"
#include "refengine/JournalLine.h"

namespace realplayer_standin {
namespace {

using realplayer::Guid;
using realplayer::PropertySet;
using realplayer::Result;
using realplayer::Unknown;
using refengine::JournalLine;
namespace result = realplayer::result;

// The context service: counted, so that the journal shows it was given back.
std::atomic<int32_t> gServiceReferences{0};

uint32_t REALPLAYER_CALL ServiceAddRef(Unknown*) {
  return uint32_t(++gServiceReferences);
}
uint32_t REALPLAYER_CALL ServiceRelease(Unknown*) {
  const int32_t left = --gServiceReferences;
  standin::WriteJournal(JournalLine(call::kServiceRelease).Number("left", left));
  return uint32_t(left);
}
Result REALPLAYER_CALL ServiceQuery(Unknown*, const Guid*, void** object) {
  if (object != nullptr) *object = nullptr;
  return result::kNoInterface;
}
const realplayer::UnknownTable kServiceTable = {&ServiceQuery, &ServiceAddRef, &ServiceRelease};
Unknown gService = {&kServiceTable};

bool gContextAnswers = true;

Result REALPLAYER_CALL ContextQuery(Unknown*, const Guid* iid, void** object) {
  const bool known = iid != nullptr && *iid == realplayer::kContextServiceIid;
  Result answer = result::kNoInterface;
  if (object != nullptr) *object = nullptr;
  if (known && gContextAnswers && object != nullptr) {
    ServiceAddRef(&gService);
    *object = &gService;
    answer = result::kOk;
  }
  standin::WriteJournal(
      JournalLine(call::kContextQuery).Number("known", known ? 1 : 0).Number("result", answer));
  return answer;
}
uint32_t REALPLAYER_CALL ContextAddRef(Unknown*) {
  return 1;
}
uint32_t REALPLAYER_CALL ContextRelease(Unknown*) {
  return 1;
}
const realplayer::UnknownTable kContextTable = {&ContextQuery, &ContextAddRef, &ContextRelease};
Unknown gContext = {&kContextTable};

Result REALPLAYER_CALL PropertiesQuery(PropertySet*, const Guid*, void** object) {
  if (object != nullptr) *object = nullptr;
  return result::kNoInterface;
}
uint32_t REALPLAYER_CALL PropertiesAddRef(PropertySet*) {
  return 1;
}
uint32_t REALPLAYER_CALL PropertiesRelease(PropertySet*) {
  return 1;
}
Result REALPLAYER_CALL SetUnsigned(PropertySet*, const char* name, uint32_t value) {
  standin::WriteJournal(JournalLine(call::kProperty)
                            .Text("name", name != nullptr ? name : "")
                            .Number("value", value));
  return result::kOk;
}
const realplayer::PropertySetTable kPropertiesTable = {&PropertiesQuery, &PropertiesAddRef,
                                                       &PropertiesRelease, &SetUnsigned};
PropertySet gProperties = {&kPropertiesTable};

}  // namespace

Unknown* PlayerContext(bool answers) {
  gContextAnswers = answers;
  return &gContext;
}

PropertySet* PlayerProperties() {
  return &gProperties;
}

}  // namespace realplayer_standin
