#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/command.h"
#include "model/document.h"
#include "support/cli_run.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

struct Case {
  std::vector<std::string> assignments;
  std::string code;  // the one the message names
};

class CodeGivenTwice : public testing::TempDirTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CodeGivenTwice, IsRefusedAndTheFileStaysAsItWas) {
  const std::string path = testing::StoreNewConfiguration(PathOf("a.par"), 0x47);
  const std::string before = Contents(path);

  std::vector<std::string> args = {"set", path};
  args.insert(args.end(), GetParam().assignments.begin(), GetParam().assignments.end());
  std::ostringstream out, err;
  CliIo io{out, err};
  EXPECT_EQ(RunTarvo(args, io), 2);
  EXPECT_EQ(err.str(),
            "tarvo set: код " + GetParam().code + " задан дважды\nСправка: tarvo set --help\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(Contents(path), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodeGivenTwice,
                         ::testing::Values(Case{{"K020=5", "K020=6"}, "K020"},
                                           // The same value twice is no less doubtful.
                                           Case{{"K018=1", "K020=5", "K018=1"}, "K018"},
                                           // However the code is typed.
                                           Case{{"k020=5", "К020=6"}, "K020"},
                                           Case{{"П215=12", "п215=13"}, "П215"}));

}  // namespace
}  // namespace tarvo::app
