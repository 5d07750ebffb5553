#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/command.h"
#include "model/document.h"
#include "support/cli_run.h"
#include "support/json_check.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

constexpr char kFile[] = "{file}";  // stands for the test's parameter file

struct Case {
  std::vector<std::string> args;
  int status;
  std::string firstLine;  // of stderr
};

class RefusedValueQuotedBack : public testing::TempDirTest,
                               public ::testing::WithParamInterface<Case> {};

TEST_P(RefusedValueQuotedBack, ShowsControlCharactersEscaped) {
  const std::string path = testing::StoreNewConfiguration(PathOf("a.par"), 0x47);
  const std::string before = Contents(path);

  std::vector<std::string> args = GetParam().args;
  for (std::string& arg : args) {
    if (arg == kFile) arg = path;
  }
  std::ostringstream out, err;
  CliIo io{out, err};
  EXPECT_EQ(RunTarvo(args, io), GetParam().status);
  EXPECT_EQ(err.str().substr(0, err.str().find('\n')), GetParam().firstLine);
  EXPECT_TRUE(testing::IsUtf8(err.str()));
  for (unsigned char c : err.str()) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c != 0x7F)) << int(c);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Contents(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedValueQuotedBack,
    ::testing::Values(
        Case{{"set", kFile, "K003=\x1B]0;x\a"},
             1,
             "Код K003: значение «\\x1B]0;x\\x07» длиннее ячейки (наибольшая длина 4)."},
        Case{{"set", kFile, "K003=12\n345"},
             1,
             "Код K003: значение «12\\x0A345» длиннее ячейки (наибольшая длина 4)."},
        Case{{"set", kFile, "K018=\x1B[5m"},
             1,
             "Код K018: флажок принимает только 1 или 0, задано «\\x1B[5m»."},
        Case{{"set", kFile, "K0\x1B=1"},
             1,
             "Код K0\\x1B не показывает ни одна форма вычислителя ЛУР-Г (исполнение 47)."},
        Case{{"set", kFile, "\x1B[31m"}, 2, "tarvo set: «\\x1B[31m» не похоже на КОД=ЗНАЧЕНИЕ"},
        // A C1 control in UTF-8, and the same byte alone, which is no UTF-8 at all.
        Case{{"show", kFile, "--format",
              "\xC2\x9B"
              "1m"},
             2,
             "tarvo show: формат «\\u009B1m» не предусмотрен: text, csv, json или html"},
        Case{{"new", "--exec", "\x9B", "-o", kFile},
             1,
             "Исполнение «\\x9B» не предусмотрено. Допустимые исполнения: ЛУР-В: 46 44 41 40; "
             "ЛУР-Г: 47 45 43 42; ЛУР-У: 50 51 52 53; ЛУР-УВ: 60; ЛУР-Л: 49."},
        Case{
            {"show", kFile, "--form", "\x1B[H"},
            2,
            "tarvo show: форма «\\x1B[H» не предусмотрена: задайте system, channel N или node N"}));

}  // namespace
}  // namespace tarvo::app
