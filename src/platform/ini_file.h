#pragma once

#include <map>
#include <optional>
#include <string>

namespace tarvo::platform {

// A settings file in the INI form the desktop program's settings class writes: "[Section]"
// lines, "key=value" lines, values optionally in double quotes with backslash escapes.
class IniFile {
 public:
  // A missing or unreadable file reads as empty.
  static IniFile Load(const std::string& path);
  static IniFile Parse(const std::string& text);

  std::optional<std::string> Value(const std::string& section, const std::string& key) const;

 private:
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

}  // namespace tarvo::platform
