#include "platform/win32/win32_serial_port.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace tarvo::platform::win32 {

namespace {

// Windows ends a timed read up to a timer tick (about 16 ms) before or after the time it was
// given; an empty read that ends earlier than this before its deadline did not time out.
constexpr std::int64_t kTimerSlackMs = 20;

HANDLE AsHandle(void* handle) {
  return static_cast<HANDLE>(handle);
}

// "COM3" for "\\.\COM3": the name the user knows the port by.
std::string PortNameOf(const std::string& path) {
  return path.starts_with("\\\\.\\") ? path.substr(4) : path;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WideOfUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string OpenFailureReason(const std::string& path, unsigned long error) {
  const std::string name = PortNameOf(path);
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED:
      return "Порт " + name + " не найден.";
    case ERROR_ACCESS_DENIED:
      // Windows refuses a folder as it refuses a port another program holds.
      if (IsFolder(path)) return name + " является папкой, а не последовательным портом.";
      [[fallthrough]];
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
      return "Порт " + name + " занят другой программой.";
    // What GetCommState says of a file or another device: Windows, Wine.
    case ERROR_INVALID_FUNCTION:
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_PARAMETER:
      return name + " не является последовательным портом.";
    default:
      return "Порт " + name + ": ошибка Windows " + std::to_string(error) + ".";
  }
}

bool Win32SerialPort::Open(const std::string& path, std::string& reason) {
  Close();
  // No sharing: while the exchange runs no other program can open the port.
  const HANDLE handle = ::CreateFileW(WideOfUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    reason = OpenFailureReason(path, ::GetLastError());
    return false;
  }
  DCB state{};
  state.DCBlength = sizeof state;
  if (!::GetCommState(handle, &state)) {
    reason = OpenFailureReason(path, ::GetLastError());
    ::CloseHandle(handle);
    return false;
  }
  handle_ = handle;
  return true;
}

void Win32SerialPort::Configure(int speedCode) {
  if (handle_ == nullptr) return;
  DCB state{};
  state.DCBlength = sizeof state;
  if (!::GetCommState(AsHandle(handle_), &state)) return;
  if (const int baud = BaudOfSpeedCode(speedCode); baud != 0) state.BaudRate = baud;
  state.ByteSize = 8;
  state.Parity = NOPARITY;
  state.StopBits = ONESTOPBIT;
  state.fBinary = TRUE;
  state.fParity = FALSE;
  state.fOutxCtsFlow = FALSE;
  state.fOutxDsrFlow = FALSE;
  state.fDtrControl = DTR_CONTROL_ENABLE;
  state.fDsrSensitivity = FALSE;
  state.fTXContinueOnXoff = TRUE;
  state.fOutX = FALSE;
  state.fInX = FALSE;
  state.fErrorChar = FALSE;
  state.fNull = FALSE;
  state.fRtsControl = RTS_CONTROL_ENABLE;
  // A framing or overrun error must not stop every later read until someone clears it.
  state.fAbortOnError = FALSE;
  ::SetCommState(AsHandle(handle_), &state);
}

int Win32SerialPort::BaudRate() const {
  DCB state{};
  state.DCBlength = sizeof state;
  if (handle_ == nullptr || !::GetCommState(AsHandle(handle_), &state)) return 0;
  return static_cast<int>(state.BaudRate);
}

bool Win32SerialPort::LimitTo(std::int64_t deadlineMs) {
  const std::int64_t left = deadlineMs - clock_.NowMs();
  if (left <= 0) return false;
  const DWORD limit = static_cast<DWORD>(std::min<std::int64_t>(left, MAXDWORD - 1));
  // A read returns as soon as anything has arrived, or empty when the limit passes first.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
  timeouts.ReadTotalTimeoutConstant = limit;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = limit;
  return ::SetCommTimeouts(AsHandle(handle_), &timeouts) != 0;
}

bool Win32SerialPort::Write(std::span<const std::uint8_t> bytes, std::int64_t deadlineMs) {
  if (handle_ == nullptr) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    if (!LimitTo(deadlineMs)) return false;
    DWORD wrote = 0;
    if (!::WriteFile(AsHandle(handle_), bytes.data() + done,
                     static_cast<DWORD>(bytes.size() - done), &wrote, nullptr)) {
      return false;
    }
    done += wrote;
    if (wrote == 0 && clock_.NowMs() < deadlineMs - kTimerSlackMs) return false;
  }
  return true;
}

std::size_t Win32SerialPort::Read(std::uint8_t* data, std::size_t count, std::int64_t deadlineMs) {
  if (handle_ == nullptr) return 0;
  std::size_t done = 0;
  while (done < count && LimitTo(deadlineMs)) {
    DWORD got = 0;
    // A failed read is a line that has gone: an adapter pulled, a driver that gave up.
    if (!::ReadFile(AsHandle(handle_), data + done, static_cast<DWORD>(count - done), &got,
                    nullptr)) {
      break;
    }
    done += got;
    // Empty before its time ran out: the other end has hung up.
    if (got == 0 && clock_.NowMs() < deadlineMs - kTimerSlackMs) break;
  }
  return done;
}

void Win32SerialPort::CancelAndDrain() {
  if (handle_ == nullptr) return;
  ::PurgeComm(AsHandle(handle_), PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
}

void Win32SerialPort::Close() {
  if (handle_ == nullptr) return;
  ::CloseHandle(AsHandle(handle_));
  handle_ = nullptr;
}

}  // namespace tarvo::platform::win32
