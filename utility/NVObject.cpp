#include "utility/NVObject.h"

#include <cstdint>

#include "utility/LogMessage.h"
#include "utility/TextFunctions.h"
#include "utility/UtilStr.h"

int NVObject::Release() {
  delete this;
  return 0;
}

int NVObject::RefCount() const {
  return 1;
}

UtilStr* NVObject::toString() {
  return nullptr;
}

int NVObject::Reserved4() {
  return 0;
}

int NVObject::Compare(NVObject* other, bool caseSensitive) {
  UtilStr* mine = toString();
  UtilStr* theirs = other ? other->toString() : nullptr;
  if (mine == theirs) return 0;
  // An object without a text form sorts before every object that has one.
  if (theirs == nullptr) return -1;
  if (mine == nullptr) return 1;
  return CompareText(theirs->Text(), theirs->Length(), mine->Text(), mine->Length(), caseSensitive);
}

int NVObject::Reserved6() {
  return 0;
}

void NVObject::Print() {
  // %X shows the low 32 bits of the address, which is enough to tell objects apart in a log.
  const auto address = static_cast<unsigned>(reinterpret_cast<uintptr_t>(this));
  if (UtilStr* text = toString()) {
    LogMessage(LogFlags::kDebug, "NVObject (0x%X) toString() = '%s'", address, text->Text());
  } else {
    LogMessage(LogFlags::kDebug, "NVObject (0x%X)", address);
  }
}
