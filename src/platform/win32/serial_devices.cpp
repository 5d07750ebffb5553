#include "platform/serial_devices.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <vector>

#include "platform/win32/wide_text.h"

namespace tarvo::platform {

namespace {

// The n of "COMn", 0 for any other name.
int ComNumber(std::wstring_view name) {
  if (name.size() < 4 || name.size() > 6) return 0;
  if (std::towupper(name[0]) != L'C' || std::towupper(name[1]) != L'O' ||
      std::towupper(name[2]) != L'M') {
    return 0;
  }
  int number = 0;
  for (const wchar_t c : name.substr(3)) {
    if (c < L'0' || c > L'9') return 0;
    number = number * 10 + (c - L'0');
  }
  return number;
}

// The ports the serial drivers announce: built-in, USB adapters, virtual pairs.
void AddAnnouncedPorts(std::set<int>& ports) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    wchar_t data[64];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    const LONG status = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    const std::size_t length = std::min<std::size_t>(dataSize / sizeof(wchar_t), 63);
    const std::wstring_view port(data, wcsnlen(data, length));
    if (const int number = ComNumber(port)) ports.insert(number);
  }
  ::RegCloseKey(key);
}

// The COM names in the system's device name space, which also holds ports no driver announces
// in the registry (and, under Wine, the links of its dosdevices folder).
void AddDosDevicePorts(std::set<int>& ports) {
  std::vector<wchar_t> names(64 * 1024);
  DWORD length = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    length = ::QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()));
    if (length != 0 || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    names.resize(names.size() * 4);
  }
  for (std::size_t at = 0; at < length && names[at] != L'\0';) {
    const std::wstring_view name(&names[at]);
    if (const int number = ComNumber(name)) ports.insert(number);
    at += name.size() + 1;
  }
}

std::wstring PortNameOf(const std::string& path) {
  const std::wstring wide = win32::WideOfUtf8(path);
  return wide.starts_with(L"\\\\.\\") ? wide.substr(4) : wide;
}

}  // namespace

SerialDeviceList ListSerialDevices() {
  std::set<int> ports;
  AddAnnouncedPorts(ports);
  AddDosDevicePorts(ports);
  SerialDeviceList list;
  for (const int number : ports) {
    list.devices.push_back({"\\\\.\\COM" + std::to_string(number), {}, 0});
  }
  return list;
}

bool SerialDevicePresent(const std::string& path) {
  const std::wstring name = PortNameOf(path);
  if (name.empty() || name.find_first_of(L"\\/") != std::wstring::npos) {
    return ::GetFileAttributesW(win32::WideOfUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  wchar_t target[1024];
  return ::QueryDosDeviceW(name.c_str(), target, 1024) != 0;
}

}  // namespace tarvo::platform
