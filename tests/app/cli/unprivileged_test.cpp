#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "support/cli_run.h"
#include "support/tarvo_program.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

namespace fs = std::filesystem;

// What a user may not read or write is refused with one message naming the file and the reason,
// and whatever was there stays as it was.
struct DeniedCase {
  const char* name;
  std::function<std::vector<std::string>(const std::string& dir)> args;
  const char* message;  // the whole of stderr; {dir} stands for the test's folder
};

std::string Expand(std::string text, const std::string& dir) {
  for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}")) {
    text.replace(at, 5, dir);
  }
  return text;
}

class DeniedToTheUser : public testing::TempDirTest,
                        public ::testing::WithParamInterface<DeniedCase> {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (::geteuid() == 0 && ::access("/usr/bin/setpriv", X_OK) != 0) {
      GTEST_SKIP() << "setpriv is needed to run the program as a user without rights";
    }
    testing::StoreNewConfiguration(PathOf("unreadable.par"), 0x47);
    ::chmod(PathOf("unreadable.par").c_str(), 0);
    fs::create_directory(PathOf("closed"));
    testing::StoreNewConfiguration(PathOf("closed/old.par"), 0x47);
    // The file itself may be written by anyone: only the folder stands in the way.
    ::chmod(PathOf("closed/old.par").c_str(), 0666);
    ::chmod(PathOf("closed").c_str(), 0555);
  }
  void TearDown() override {
    ::chmod(PathOf("closed").c_str(), 0755);
    TempDirTest::TearDown();
  }
};

TEST_P(DeniedToTheUser, IsRefusedAndNothingChanges) {
  const DeniedCase& c = GetParam();
  const std::string old = Contents(PathOf("closed/old.par"));
  const testing::CliRun run = testing::TarvoWithoutPrivileges(c.args(dir_.string()));
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err, Expand(c.message, dir_.string()));
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(Contents(PathOf("closed/old.par")), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(PathOf("closed")), {}), 1)
      << "no new or temporary file in the closed folder";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeniedToTheUser,
    ::testing::Values(
        DeniedCase{
            "InfoOfAnUnreadableFile",
            [](const std::string& dir) {
              return std::vector<std::string>{"info", dir + "/unreadable.par"};
            },
            "Не удалось открыть файл параметров «{dir}/unreadable.par»: нет прав доступа.\n"},
        DeniedCase{
            "NewIntoAClosedFolder",
            [](const std::string& dir) {
              return std::vector<std::string>{"new", "--exec", "46", "-o", dir + "/closed/new.par"};
            },
            "Не удалось сохранить файл параметров «{dir}/closed/new.par»: нет прав "
            "доступа.\n"},
        DeniedCase{"SetInAClosedFolder",
                   [](const std::string& dir) {
                     return std::vector<std::string>{"set", dir + "/closed/old.par", "K020=5,5",
                                                     "--no-start-check"};
                   },
                   "Не удалось сохранить файл параметров «{dir}/closed/old.par»: нет прав "
                   "доступа.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo::app
