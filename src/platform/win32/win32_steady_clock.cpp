#include "platform/win32/win32_steady_clock.h"

#include <windows.h>

namespace tarvo::platform::win32 {

namespace {

std::int64_t CounterFrequency() {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

}  // namespace

std::int64_t SteadyClock::NowMs() {
  static const std::int64_t frequency = CounterFrequency();
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now.QuadPart / frequency * 1000 + now.QuadPart % frequency * 1000 / frequency;
}

// Sleep may wake up to a timer tick early; the loop makes the pause at least as long as asked.
void SteadyClock::SleepMs(int milliseconds) {
  if (milliseconds <= 0) return;
  const std::int64_t until = NowMs() + milliseconds;
  for (std::int64_t left = milliseconds; left > 0; left = until - NowMs()) {
    ::Sleep(static_cast<DWORD>(left));
  }
}

}  // namespace tarvo::platform::win32
