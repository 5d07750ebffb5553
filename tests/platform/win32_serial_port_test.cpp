#include "platform/win32/win32_serial_port.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "platform/system_port.h"

namespace tarvo::platform::win32 {
namespace {

TEST(Win32SerialPort, SaysWhyAPortCannotBeOpened) {
  const std::string folder = ::testing::TempDir() + "tarvo-not-a-port";
  const std::string file = folder + "\\file.par";
  std::filesystem::create_directories(folder);
  std::ofstream(file) << "x";
  const struct {
    std::string path;
    std::string reason;
  } cases[] = {
      {"\\\\.\\COM199", "Порт COM199 не найден."},
      {"\\\\.\\NUL", "NUL не является последовательным портом."},
      {file, file + " не является последовательным портом."},
      {folder, folder + " является папкой, а не последовательным портом."},
  };
  Win32SerialPort port(SystemClock());
  for (const auto& c : cases) {
    std::string reason;
    EXPECT_FALSE(port.Open(c.path, reason)) << c.path;
    EXPECT_EQ(reason, c.reason) << c.path;
    EXPECT_FALSE(port.IsOpen()) << c.path;
  }
  std::filesystem::remove_all(folder);
}

TEST(Win32SerialPort, NamesAPortHeldByAnotherProgramWithoutLinuxHints) {
  EXPECT_EQ(OpenFailureReason("\\\\.\\COM3", ERROR_ACCESS_DENIED),
            "Порт COM3 занят другой программой.");
  EXPECT_EQ(OpenFailureReason("\\\\.\\COM12", ERROR_GEN_FAILURE), "Порт COM12: ошибка Windows 31.");
}

}  // namespace
}  // namespace tarvo::platform::win32
