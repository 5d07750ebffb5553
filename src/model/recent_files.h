#pragma once

#include <string>
#include <vector>

namespace tarvo::model {

// The "Последние конфигурации" list: at most four full paths, newest first.
class RecentFiles {
 public:
  static constexpr std::size_t kCapacity = 4;

  // Puts the path first; an entry already in the list moves up, the oldest falls out.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace tarvo::model
