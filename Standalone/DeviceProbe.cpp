#include "Standalone/DeviceProbe.h"

#include <setupapi.h>

#include <cstdio>

namespace {

// The device interface class the program looks for; the same GUID names the interface in the
// path that is opened.
constexpr GUID kProbedInterfaceClass = {
    0x5b3f7d2e, 0x8a41, 0x4c6e, {0x9f, 0x12, 0x3d, 0x7a, 0x6b, 0x0c, 0x4e, 0x58}};

// The detail record is read into a fixed buffer: its 4-byte size field and a device path of
// at most 263 characters plus terminator.
constexpr size_t kDetailBufferSize = 268;
constexpr size_t kMaxDevicePathLength = kDetailBufferSize - sizeof(DWORD) - 1;
// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx"
constexpr size_t kGuidTextLength = 36;
// The path that is opened: device path, backslash, class GUID, terminator. Kept apart from
// the detail buffer, which has no room for the suffix after a long path.
constexpr size_t kOpenPathSize = kMaxDevicePathLength + 1 + kGuidTextLength + 1;

// The detail record's cbSize is that of its fixed part as this process's system defines it
// (8 bytes in a 64-bit process), not that of the buffer.
constexpr DWORD kDetailRecordSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);

HANDLE OpenInterfacePath(const char* devicePath) {
  char path[kOpenPathSize];
  const GUID& g = kProbedInterfaceClass;
  const int written = std::snprintf(
      path, sizeof path, "%s\\%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", devicePath,
      static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
      g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  if (written < 0 || static_cast<size_t>(written) >= sizeof path) return nullptr;
  HANDLE device = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  return device == INVALID_HANDLE_VALUE ? nullptr : device;
}

HANDLE OpenFirstInterface(HDEVINFO devices) {
  SP_DEVICE_INTERFACE_DATA interfaceData = {};
  interfaceData.cbSize = sizeof interfaceData;
  if (!SetupDiEnumDeviceInterfaces(devices, nullptr, &kProbedInterfaceClass, 0, &interfaceData)) {
    return nullptr;
  }
  alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_A) char detailBuffer[kDetailBufferSize] = {};
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBuffer);
  detail->cbSize = kDetailRecordSize;
  if (!SetupDiGetDeviceInterfaceDetailA(devices, &interfaceData, detail, sizeof detailBuffer,
                                        nullptr, nullptr)) {
    return nullptr;
  }
  // The system terminates the path inside the buffer; make sure of it all the same.
  detailBuffer[kDetailBufferSize - 1] = 0;
  return OpenInterfacePath(detail->DevicePath);
}

}  // namespace

HANDLE OpenProbedDevice() {
  HDEVINFO devices = SetupDiGetClassDevsA(&kProbedInterfaceClass, nullptr, nullptr,
                                          DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (devices == INVALID_HANDLE_VALUE) return nullptr;
  HANDLE device = OpenFirstInterface(devices);
  // Keep the failing call's error for whoever looks, not the clean-up's.
  const DWORD error = GetLastError();
  SetupDiDestroyDeviceInfoList(devices);
  SetLastError(error);
  return device;
}
