#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command.h"
#include "model/document.h"

namespace tarvo::testing {

// What one run of the command-line tool gave.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun Tarvo(std::vector<std::string> args) {
  std::ostringstream out, err;
  app::CliIo io{out, err};
  const int status = app::RunTarvo(args, io);
  return {status, out.str(), err.str()};
}

// A parameter file as the new-configuration dialog makes it; returns its path.
inline std::string StoreNewConfiguration(const std::string& path, std::uint8_t executionCode,
                                         std::uint8_t softwareVersion = 0) {
  model::ConfigurationDocument document;
  document.NewConfiguration(executionCode, softwareVersion);
  std::string message;
  EXPECT_TRUE(document.Store(path, message)) << message;
  return path;
}

}  // namespace tarvo::testing
