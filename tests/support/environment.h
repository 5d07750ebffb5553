#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvo::testing {

// Sets an environment variable, or removes it when value is empty.
inline void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
  ::_putenv_s(name.c_str(), value ? value->c_str() : "");
#else
  if (value) {
    ::setenv(name.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name.c_str());
  }
#endif
}

}  // namespace tarvo::testing
