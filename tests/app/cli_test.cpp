#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/cli/command.h"
#include "app/program_version.h"
#include "model/document.h"
#include "model/par_file.h"
#include "support/cli_run.h"
#include "support/old_par_file.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

namespace fs = std::filesystem;

using testing::CliRun;
using testing::Tarvo;

class CliTest : public testing::TempDirTest {};

TEST_F(CliTest, NewWritesTheDialogsConfiguration) {
  const CliRun run = Tarvo({"new", "--exec", "46", "-o", PathOf("a.par")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Создан файл параметров: a.par [вычислитель ЛУР-В, исполнение 46]\n");
  model::ParameterSet expected{};
  model::MakeNewConfiguration(expected, 0x46);
  const auto bytes = model::WriteParameterBytes(expected);
  EXPECT_EQ(Contents(PathOf("a.par")), std::string(bytes.begin(), bytes.end()));
}

TEST_F(CliTest, NewWithVersionDecidesUvNodeCount) {
  ASSERT_EQ(Tarvo({"new", "--exec=60", "--version", "10", "--output", PathOf("uv.par")}).status, 0);
  const CliRun info = Tarvo({"info", PathOf("uv.par")});
  EXPECT_NE(info.out.find("Версия ПО:             10\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("Узлов учета:           5\n"), std::string::npos) << info.out;
}

TEST_F(CliTest, NewRefusals) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string errStart;
  };
  const std::string target = PathOf("x.par");
  const std::vector<Case> cases = {
      {{"new", "--exec", "48", "-o", target},
       1,
       "Исполнение «48» не предусмотрено. Допустимые исполнения: ЛУР-В: 46 44 41 40; ЛУР-Г: 47 "
       "45 43 42; ЛУР-У: 50 51 52 53; ЛУР-УВ: 60; ЛУР-Л: 49.\n"},
      {{"new", "--exec", "46", "--version", "1a", "-o", target},
       1,
       "Версия ПО «1a» должна состоять из одной или двух цифр."},
      {{"new", "-o", target}, 2, "tarvo new: нужно задать исполнение: --exec 46\n"},
      {{"new", "--exec", "46"}, 2, "tarvo new: нужно задать файл: -o ФАЙЛ.par\n"},
      {{"new", "--exec", "46", "-o", target, "--colour"},
       2,
       "tarvo new: неизвестный параметр --colour\n"},
      {{"new", "--exec"}, 2, "tarvo new: после --exec нужно значение\n"},
      {{"frobnicate"}, 2, "tarvo: неизвестная команда frobnicate\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Tarvo(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[1];
    EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
    EXPECT_FALSE(fs::exists(target));
  }
}

// A Cyrillic name must be found under the same name it was created with.
TEST_F(CliTest, NewDoesNotOverwriteWithoutForce) {
  for (const std::string name : {"a.par", "Файл станции.par"}) {
    const std::string path = PathOf(name);
    ASSERT_EQ(Tarvo({"new", "--exec", "47", "-o", path}).status, 0) << name;
    EXPECT_TRUE(fs::exists(dir_ / platform::PathFromUtf8(name))) << name;
    const std::string before = Contents(path);
    const CliRun refused = Tarvo({"new", "--exec", "49", "-o", path});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "Файл «" + path + "» уже существует. Чтобы заменить его, добавьте --force.\n");
    EXPECT_EQ(Contents(path), before) << name;
    EXPECT_EQ(Tarvo({"new", "--exec", "49", "-o", path, "--force"}).status, 0);
    EXPECT_NE(Contents(path), before) << name;
  }
  EXPECT_EQ(FilesInDir(), 2u);
}

TEST_F(CliTest, InfoOfAnOldFile) {
  Write(PathOf("old.par"), testing::OldFile(1.05f, 0x47, 3, 3));
  const CliRun run = Tarvo({"info", PathOf("old.par")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Файл:                  " + PathOf("old.par") +
                         "\n"
                         "Версия формата:        1,05\n"
                         "Тип вычислителя:       ЛУР-Г\n"
                         "Исполнение:            47\n"
                         "Версия ПО:             21\n"
                         "Каналов учета:         3\n"
                         "Узлов учета:           3\n"
                         "Заголовок окна:        old.par [вычислитель ЛУР-Г, исполнение 47]\n"
                         "Верхний колонтитул:    не используется\n"
                         "Нижний колонтитул:     не используется\n");
}

TEST_F(CliTest, UpgradeGivesWhatOpeningAndSavingGives) {
  for (float version : {1.05f, 1.06f, 1.10f, 1.13f}) {
    const std::string old = PathOf("old.par");
    Write(old, testing::OldFile(version, 0x60, 10, 5));
    model::ConfigurationDocument document;
    std::string message;
    ASSERT_TRUE(document.Open(old, message)) << message;
    ASSERT_TRUE(document.Store(PathOf("expected.par"), message)) << message;

    const CliRun run = Tarvo({"upgrade", old, "-o", PathOf("new.par")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Contents(PathOf("new.par")), Contents(PathOf("expected.par"))) << version;
    EXPECT_EQ(Contents(PathOf("new.par")).size(), model::kParFileSize);

    EXPECT_EQ(Tarvo({"upgrade", old}).status, 0);
    EXPECT_EQ(Contents(old), Contents(PathOf("expected.par"))) << "in place, " << version;
  }
}

TEST_F(CliTest, RefusedFileIsLeftAlone) {
  auto bytes = model::WriteParameterBytes([] {
    model::ParameterSet set{};
    model::MakeNewConfiguration(set, 0x50);
    return set;
  }());
  bytes[24] = 17;  // node count
  Write(PathOf("bad.par"), bytes);
  const std::string before = Contents(PathOf("bad.par"));
  for (const char* command : {"info", "upgrade"}) {
    const CliRun run = Tarvo({command, PathOf("bad.par")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Не удалось открыть файл параметров «" + PathOf("bad.par") +
                           "»: число узлов учета 17 вне допустимого диапазона 0..16.\n");
    EXPECT_EQ(Contents(PathOf("bad.par")), before);
  }
}

TEST_F(CliTest, HelpOnEveryCommand) {
  for (const char* command : {"new", "info", "upgrade"}) {
    const CliRun run = Tarvo({command, "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(std::string("Использование: tarvo ") + command, 0), 0u) << run.out;
  }
  EXPECT_EQ(Tarvo({"--help"}).status, 0);
  EXPECT_EQ(Tarvo({}).status, 2);
}

// The program's version is the parameter file format it writes, as the About box has always
// shown it; the package and tarvo --version carry the same.
TEST_F(CliTest, VersionIsTheFileFormatsVersion) {
  char format[16];
  std::snprintf(format, sizeof format, "%.2f", static_cast<double>(model::kParFileVersion));
  EXPECT_STREQ(kProgramVersion, format);
  const CliRun run = Tarvo({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("tarvo ") + format + "\n");
}

}  // namespace
}  // namespace tarvo::app
