#include "shell/exchange_flows.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "fakes/recording_ui.h"

namespace tarvo::shell {
namespace {

// An open ЛУР-Г configuration on COM2 at 19200, with one value changed and not saved.
struct OpenDocument {
  OpenDocument() {
    document.NewConfiguration(0x47, 0x53);
    std::string message;
    EXPECT_TRUE(document.StoreAs(path, message)) << message;
    document.Set().comPort = 2;
    document.Set().speedCode = 4;
    document.Set().daylightSaving = 1;
    document.SetModified(true);
  }
  ~OpenDocument() { std::remove(path.c_str()); }
  // One file per test and process: test shards run side by side.
  const std::string path = ::testing::TempDir() + "exchange_flows_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                           std::to_string(::getpid()) + ".par";
  model::ConfigurationDocument document;
  testing::RecordingUi ui;
  model::RecentFiles recent;
  DocumentCommands commands{document, ui, recent};
};

// What a device read gives: a ЛУР-УВ, read on the port and speed chosen.
bool ReadUv(model::ParameterSet& set) {
  EXPECT_EQ(set.Variant(), model::DeviceVariant::None) << "the read must start from a reset set";
  EXPECT_EQ(set.comPort, 2);
  EXPECT_EQ(set.speedCode, 4);
  model::MakeNewConfiguration(set, 0x60, 0x12);
  set.comPort = 5;
  set.speedCode = 1;
  return true;
}

// A read that the user stopped, or that failed, after choosing COM5 at 2400.
bool StoppedRead(model::ParameterSet& set) {
  set.comPort = 5;
  set.speedCode = 1;
  set.channelCount = 3;  // half read: never reaches the configuration
  return false;
}

TEST(ReadFromDeviceFlow, ASuccessfulReadReplacesTheConfiguration) {
  OpenDocument open;
  open.ui.answers = {platform::Answer::No};
  EXPECT_TRUE(ReadFromDevice(open.commands, open.document, ReadUv));
  ASSERT_EQ(open.ui.messages.size(), 1u);
  EXPECT_EQ(open.ui.messages[0].text, "Сохранить изменения в файле " + open.path + " ?");
  EXPECT_EQ(open.document.Set().Variant(), model::DeviceVariant::UV);
  EXPECT_EQ(open.document.Set().comPort, 5);
  EXPECT_TRUE(open.document.PathName().empty());
  EXPECT_TRUE(open.document.Untitled());
  EXPECT_TRUE(open.document.Modified());
  EXPECT_EQ(open.document.Title(), "Безымянный [вычислитель ЛУР-УВ, исполнение 60]");
}

TEST(ReadFromDeviceFlow, AStoppedOrFailedReadKeepsTheConfigurationWithThePortChosen) {
  OpenDocument open;
  open.ui.answers = {platform::Answer::No};
  const model::ParameterSet before = open.document.Set();
  EXPECT_FALSE(ReadFromDevice(open.commands, open.document, StoppedRead));
  EXPECT_TRUE(open.document.Set().SameContent(before));
  EXPECT_EQ(open.document.Set().comPort, 5);
  EXPECT_EQ(open.document.Set().speedCode, 1);
  EXPECT_EQ(open.document.PathName(), open.path);
  EXPECT_TRUE(open.document.Modified());
}

TEST(ReadFromDeviceFlow, CancellingTheSaveQuestionReadsNothing) {
  OpenDocument open;
  open.ui.answers = {platform::Answer::Cancel};
  bool ran = false;
  EXPECT_FALSE(ReadFromDevice(open.commands, open.document, [&](model::ParameterSet&) {
    ran = true;
    return true;
  }));
  EXPECT_FALSE(ran);
  EXPECT_EQ(open.document.Set().Variant(), model::DeviceVariant::G);
}

TEST(ReadIntoDocumentFlow, ADeviceThatHoldsNothingLeavesTheDocumentUnmodified) {
  model::ConfigurationDocument document;
  document.Set().Reset();
  EXPECT_TRUE(ReadIntoDocument(document, [](model::ParameterSet&) { return true; }));
  EXPECT_FALSE(document.Modified());
}

TEST(WriteFromDocumentFlow, OnlyPortAndSpeedChangeAndTheFlagStaysAsItWas) {
  for (const bool modified : {false, true}) {
    OpenDocument open;
    open.document.SetModified(modified);
    for (const bool succeeds : {true, false}) {
      EXPECT_EQ(WriteFromDocument(open.document,
                                  [&](model::ParameterSet& set) {
                                    set.comPort = 7;
                                    return succeeds;
                                  }),
                succeeds);
      EXPECT_EQ(open.document.Set().comPort, 7);
      EXPECT_EQ(open.document.Modified(), modified);
      EXPECT_EQ(open.document.PathName(), open.path);
    }
  }
}

TEST(ReadForComparisonFlow, ReadsBesideTheConfigurationWithoutTouchingIt) {
  OpenDocument open;
  const model::ParameterSet before = open.document.Set();
  const auto read = ReadForComparison(open.document, ReadUv);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Variant(), model::DeviceVariant::UV);
  EXPECT_EQ(read->comPort, 5);
  EXPECT_EQ(ReadForComparison(open.document, StoppedRead), nullptr);
  EXPECT_TRUE(open.document.Set().SameContent(before));
  EXPECT_EQ(open.document.Set().comPort, 2);
  EXPECT_TRUE(open.document.Modified());
}

struct ChoiceCase {
  const char* name;
  int comPort;
  int speedCode;
  std::optional<PortChoice> last;
  PortChoice expected;
};

class InitialPortChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(InitialPortChoiceTest, Chooses) {
  const ChoiceCase& c = GetParam();
  model::ParameterSet set{};
  set.Reset();
  set.comPort = c.comPort;
  set.speedCode = c.speedCode;
  EXPECT_EQ(InitialPortChoice(set, c.last), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InitialPortChoiceTest,
    ::testing::Values(
        ChoiceCase{"OwnPortAndSpeed", 4, 2, PortChoice{6, 4}, {4, 2}},
        ChoiceCase{"NeverExchangedTakesTheLastExchange", 0, 0, PortChoice{6, 4}, {6, 4}},
        ChoiceCase{"HalfAChoiceIsNoChoice", 3, 0, PortChoice{6, 4}, {6, 4}},
        ChoiceCase{"NoLastExchangeGivesCom1At9600", 0, 0, std::nullopt, {1, 3}},
        ChoiceCase{"ALastExchangeOutOfRangeIsIgnored", 10, 3, PortChoice{0, 3}, {1, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo::shell
