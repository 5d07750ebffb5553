#include "platform/ini_file.h"

#include <fstream>
#include <sstream>

#include "platform/utf8_path.h"

namespace tarvo::platform {

namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return value;
  std::string out;
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size()) {
      ++i;
      switch (value[i]) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        default:
          out += value[i];
          break;
      }
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

IniFile IniFile::Load(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str());
}

IniFile IniFile::Parse(const std::string& text) {
  IniFile file;
  std::string section = "General";
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Trim(line.substr(1, line.size() - 2));
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    file.sections_[section][Trim(line.substr(0, equals))] = Unquote(Trim(line.substr(equals + 1)));
  }
  return file;
}

std::optional<std::string> IniFile::Value(const std::string& section,
                                          const std::string& key) const {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.find(key);
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

}  // namespace tarvo::platform
