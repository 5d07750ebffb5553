#pragma once

#include <random>
#include <string>

namespace tarvo::platform {

// A fresh name beside path for the file a save writes before it takes the path's place.
inline std::string TemporaryNameBeside(const std::string& path) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = path + ".tmp-";
  for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
  return name;
}

}  // namespace tarvo::platform
