// NVObject: the root class of the library.
//
// Every library class derives from it. The virtual operations, in order, are the destructor,
// Release, RefCount, toString, a reserved slot, Compare, a reserved slot and Print; classes
// below it add their own slots after these. These objects never cross to the engine or a
// player, so the compiler's own virtual tables serve.
#pragma once

#include <cstdint>

class UtilStr;

class NVObject {
 public:
  NVObject() = default;
  NVObject(const NVObject&) = default;
  NVObject& operator=(const NVObject&) = default;
  virtual ~NVObject() = default;

  // Destroys the object and returns 0; reference-counted classes override it.
  virtual int Release();
  // 1 for objects that are not reference-counted.
  virtual int RefCount() const;
  // The object's text form, or null when it has none.
  virtual UtilStr* toString();
  virtual int Reserved4();
  // CompareText of the other object's text against this one's (the other first).
  virtual int Compare(NVObject* other, bool caseSensitive);
  virtual int Reserved6();
  // A debug line through LogMessage (flags 0x10000001).
  virtual void Print();
};
