#pragma once

#include <ctime>

namespace tarvo::platform {

// The local calendar time of a moment; false when the system cannot tell it. Thread-safe,
// unlike std::localtime.
inline bool LocalTime(std::time_t moment, std::tm& local) {
#ifdef _WIN32
  return ::localtime_s(&local, &moment) == 0;
#else
  return ::localtime_r(&moment, &local) != nullptr;
#endif
}

}  // namespace tarvo::platform
