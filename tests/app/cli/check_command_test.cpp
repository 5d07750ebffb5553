#include <gtest/gtest.h>

#include <functional>

#include "model/document.h"
#include "support/cli_run.h"
#include "support/json_check.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

// Every value a channel of 0x49 with medium 1 demands, one line each with its row.
std::string StartDemands(int channel) {
  const std::string n = std::to_string(channel);
  return "channel " + n + "  K" + n +
         "02  Ошибка (невозможен пуск на счет): Необходимо задать договорное давление\n"
         "channel " +
         n + "  K" + n +
         "03  Ошибка (невозможен пуск на счет): Необходимо задать договорную температуру\n";
}
const std::string kBaroMessage =
    "Договорное барометрическое давление должно либо быть в диапазоне от 0,09 до 0,11 МПа, "
    "либо равняться нулю";
const std::string kHourMessage =
    "Отчетный час суток должен быть в диапазоне от 00 до 23 (кроме 02 и 03)";

using testing::Tarvo;

// A new configuration changed the way an older file or a device may hold it.
void StoreChanged(const std::string& path, std::uint8_t executionCode,
                  const std::function<void(model::ParameterSet&)>& change) {
  model::ConfigurationDocument document;
  document.NewConfiguration(executionCode);
  change(document.Set());
  std::string message;
  ASSERT_TRUE(document.Store(path, message)) << message;
}

void Nothing(model::ParameterSet&) {}

// ЛУР-Л: two channels, each with a medium, so the start-of-counting demands apply.
void MediaWithoutSwitch(model::ParameterSet& set) {
  set.checkForStart = 0;
  for (model::ChannelRecord& channel : set.channels) channel.mediumKind = 1;
}

void TwoOutOfRange(model::ParameterSet& set) {
  set.contractBaroPressure = model::Float32::Of(0.12f);
  set.nodes[1].reportHour = 30;
}

struct Case {
  const char* name;
  std::uint8_t executionCode;
  void (*change)(model::ParameterSet&);
  std::vector<std::string> options;
  int status;
  std::string out;
};

class CheckCommand : public testing::TempDirTest, public ::testing::WithParamInterface<Case> {};

TEST_P(CheckCommand, PrintsOneLinePerRefusingFormAndLeavesTheFileAsItWas) {
  const Case& c = GetParam();
  const std::string path = PathOf("a.par");
  StoreChanged(path, c.executionCode, c.change);
  const std::string before = Contents(path);
  std::vector<std::string> args{"check", path};
  args.insert(args.end(), c.options.begin(), c.options.end());
  const auto run = Tarvo(args);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Contents(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckCommand,
    ::testing::Values(
        Case{"Clean", 0x47, Nothing, {}, 0, "Все формы принимают конфигурацию.\n"},
        Case{"CleanCsv", 0x47, Nothing, {"--format", "csv"}, 0, "form,code,caption,message\n"},
        Case{"SwitchOffAsStored",
             0x49,
             MediaWithoutSwitch,
             {},
             0,
             "Все формы принимают конфигурацию.\n"},
        Case{"StartForced",
             0x49,
             MediaWithoutSwitch,
             {"--start"},
             1,
             StartDemands(1) + StartDemands(2) + StartDemands(3) + StartDemands(4)},
        Case{"OutOfRange",
             0x47,
             TwoOutOfRange,
             {},
             1,
             "system  K023  Ошибка: " + kBaroMessage + "\nnode 2  П215  Ошибка: " + kHourMessage +
                 "\n"},
        Case{"OutOfRangeCsv",
             0x47,
             TwoOutOfRange,
             {"--format=csv"},
             1,
             "form,code,caption,message\nsystem,K023,Ошибка,\"" + kBaroMessage +
                 "\"\nnode 2,П215,Ошибка," + kHourMessage + "\n"}),
    [](const auto& info) { return std::string(info.param.name); });

class CheckCommandJson : public testing::TempDirTest {};

TEST_F(CheckCommandJson, NamesTheFileTheSwitchAndEveryRefusal) {
  const std::string path = PathOf("a.par");
  StoreChanged(path, 0x47, TwoOutOfRange);
  const auto run = Tarvo({"check", path, "--format", "json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(testing::IsUtf8(run.out));
  EXPECT_EQ(run.out, "{\n  \"file\": \"" + path +
                         "\",\n  \"variant\": \"ЛУР-Г\",\n  \"executionCode\": \"47\",\n"
                         "  \"startOfCounting\": true,\n  \"accepted\": false,\n  \"refusals\": [\n"
                         "    {\"form\": \"system\", \"title\": \"Общесистемные параметры\", "
                         "\"code\": \"K023\", \"caption\": \"Ошибка\", \"message\": \"" +
                         kBaroMessage +
                         "\"},\n    {\"form\": \"node 2\", \"title\": \"Узел учета 2\", "
                         "\"code\": \"П215\", \"caption\": \"Ошибка\", \"message\": \"" +
                         kHourMessage + "\"}\n  ]\n}\n");
}

TEST(CheckCommandUsage, RefusesAWrongCallBeforeReadingAnything) {
  EXPECT_EQ(Tarvo({"check"}).status, 2);
  const auto run = Tarvo({"check", "a.par", "--format", "xml"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
            "tarvo check: формат «xml» не предусмотрен: text, csv или json");
}

}  // namespace
}  // namespace tarvo::app
