#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/utf8_path.h"

namespace tarvo::testing {

// A fixture with a fresh folder of its own, removed after the test.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // With forward slashes on Windows too, so expected texts spell paths the same everywhere.
    dir_ = (std::filesystem::temp_directory_path() /
            ("tarvo-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name()))
               .generic_u8string();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A UTF-8 name in the folder, as the program takes paths.
  std::string PathOf(const std::string& name) const {
    return platform::Utf8OfPath((dir_ / platform::PathFromUtf8(name)).generic_u8string());
  }

  static std::string Contents(const std::string& path) {
    std::ifstream in(platform::PathFromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(platform::PathFromUtf8(path), std::ios::binary) << bytes;
  }
  static void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Write(path, std::string(bytes.begin(), bytes.end()));
  }
  std::size_t FilesInDir() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }

  std::filesystem::path dir_;
};

}  // namespace tarvo::testing
