#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include "app/cli/command.h"
#include "model/document.h"
#include "support/environment.h"
#include "support/temp_dir_test.h"
#ifndef _WIN32
#include "support/pty_device.h"
#endif

namespace tarvo::app {
namespace {

// The port does not exist: a run that got past the checks of the output ends on it.
constexpr char kMissingPort[] = "/dev/tarvo-missing";
constexpr char kPortFailure[] = "Ошибка при открытии COM-порта!";

struct OutputCase {
  std::string output;  // under the test's folder; "" is the folder itself
  bool force;
  std::string firstLine;      // of stderr; {dir} stands for the test's folder
  bool closedFolder = false;  // the folder is made read-only (root writes anyway: skipped)
};

std::string Expand(std::string text, const std::string& dir) {
  for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) {
    text.replace(at, 5, dir);
  }
  return text;
}

class ReadOutputChecked : public testing::TempDirTest,
                          public ::testing::WithParamInterface<OutputCase> {};

TEST_P(ReadOutputChecked, BeforeThePortIsOpened) {
  const OutputCase& c = GetParam();
#ifdef _WIN32
  if (c.closedFolder) GTEST_SKIP() << "a folder's permission bits do not stop writing on Windows";
#else
  if (c.closedFolder && ::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
#endif
  Write(PathOf("existing.par"), "x");
  Write(PathOf("plain-file"), "x");
  if (c.closedFolder) std::filesystem::create_directory(PathOf("closed"));
  if (c.closedFolder) ::chmod(PathOf("closed").c_str(), 0555);
  const std::string output = c.output.empty() ? dir_.string() : PathOf(c.output);
  std::vector<std::string> args = {"read", "--port", kMissingPort, "--speed", "2400", "-o", output};
  if (c.force) args.push_back("--force");
  std::ostringstream out, err;
  CliIo io{out, err};
  EXPECT_EQ(RunTarvo(args, io), 1);
  EXPECT_EQ(err.str().substr(0, err.str().find('\n')), Expand(c.firstLine, dir_.string()));
  EXPECT_EQ(out.str(), "");
  if (c.closedFolder) ::chmod(PathOf("closed").c_str(), 0755);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadOutputChecked,
    ::testing::Values(
        OutputCase{"missing/read.par", false,
                   "Файл «{dir}/missing/read.par» нельзя записать в папку «{dir}/missing»: файл "
                   "или папка не найдены."},
        OutputCase{"plain-file/read.par", false,
                   "Файл «{dir}/plain-file/read.par» нельзя записать в папку «{dir}/plain-file»: "
                   "часть пути не является папкой."},
        OutputCase{"", true, "«{dir}» — папка. Задайте имя файла параметров."},
        OutputCase{"existing.par", false,
                   "Файл «{dir}/existing.par» уже существует. Чтобы заменить его, добавьте "
                   "--force."},
        OutputCase{"closed/read.par", false,
                   "Файл «{dir}/closed/read.par» нельзя записать в папку «{dir}/closed»: нет прав "
                   "доступа.",
                   true},
        // What may be written goes on to the port.
        OutputCase{"existing.par", true, kPortFailure},
        OutputCase{"new.par", false, kPortFailure}));

struct FallbackCase {
  bool homeUsable;
  bool nameTakenInHome;
  std::string savedAs;  // under {home} or {tmp}
};

// The folder of the output vanishes while the device is being read.
class ReadKeptWhenSavingFails : public testing::TempDirTest,
                                public ::testing::WithParamInterface<FallbackCase> {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    for (const char* name : {"HOME", "TMPDIR"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::filesystem::create_directories(PathOf("home"));
    std::filesystem::create_directories(PathOf("tmp"));
    std::filesystem::create_directories(PathOf("out"));
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) testing::SetEnvironment(name, value);
    TempDirTest::TearDown();
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_P(ReadKeptWhenSavingFails, IntoTheHomeOrTemporaryFolder) {
#ifdef _WIN32
  GTEST_SKIP() << "reads from the simulator on a pseudo-terminal";
#else
  const FallbackCase& c = GetParam();
  testing::SetEnvironment("HOME", PathOf(c.homeUsable ? "home" : "no-home"));
  testing::SetEnvironment("TMPDIR", PathOf("tmp"));
  if (c.nameTakenInHome) Write(PathOf("home/read.par"), "older");
  const std::string output = PathOf("out/read.par");
  const std::string outFolder = PathOf("out");
  {
    testing::PtyDevice pty(0x60, 0x10, {}, [outFolder](const device::RequestFrame&) {
      std::filesystem::remove_all(outFolder);
      return std::optional<std::vector<std::uint8_t>>();
    });
    std::ostringstream out, err;
    CliIo io{out, err};
    EXPECT_EQ(RunTarvo({"read", "--port", pty.path(), "--speed", "19200", "-o", output}, io), 1);
    EXPECT_EQ(out.str(), "Чтение параметров успешно завершено!\n");
    EXPECT_EQ(err.str(), "Не удалось сохранить файл параметров «" + output +
                             "»: файл или папка не найдены.\nПрочитанные параметры сохранены в "
                             "файл «" +
                             Expand(c.savedAs, dir_.string()) + "».\n");
  }
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(Expand(c.savedAs, dir_.string()), message)) << message;
  EXPECT_EQ(document.Set().ident.executionCode, 0x60);
  EXPECT_EQ(document.Set().nodeCount, 5);
  if (c.nameTakenInHome) {
    EXPECT_EQ(Contents(PathOf("home/read.par")), "older");
  }
#endif
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadKeptWhenSavingFails,
                         ::testing::Values(FallbackCase{true, false, "{dir}/home/read.par"},
                                           FallbackCase{true, true, "{dir}/home/read-2.par"},
                                           FallbackCase{false, false, "{dir}/tmp/read.par"}));

}  // namespace
}  // namespace tarvo::app
