#include "model/recent_files.h"

#include <algorithm>

namespace tarvo::model {

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > kCapacity) entries_.resize(kCapacity);
}

void RecentFiles::Remove(const std::string& path) {
  entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

}  // namespace tarvo::model
