#include "model/parameter_set.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarvo::model {
namespace {

ParameterSet ResetSet() {
  ParameterSet set{};
  set.Reset();
  return set;
}

TEST(ParameterSetTest, ResetLeavesNoConfiguration) {
  ParameterSet set = ResetSet();
  EXPECT_EQ(set.Variant(), DeviceVariant::None);
  EXPECT_EQ(set.channelCount, 0);
  EXPECT_EQ(set.nodeCount, 0);
  EXPECT_EQ(set.checkForStart, 1);
  EXPECT_STREQ(set.modeSpec.chars, "00000000");
  EXPECT_TRUE(set.baroUpperLimit.IsNotSet());
  EXPECT_EQ(set.contractBaroPressure, Float32::Of(0.1f));
  const ChannelRecord& ch = set.channels[19];
  EXPECT_EQ(ch.mediumKind, 0);
  EXPECT_EQ(ch.temperatureInput, 0);
  EXPECT_TRUE(ch.Slot(1).IsNotSet());
  EXPECT_EQ(ch.Slot(28), Float32::Of(0.0f));
  EXPECT_TRUE(ch.Slot(32).IsNotSet());
  EXPECT_EQ(ch.gas.reserved[0], 0xFF);
  EXPECT_TRUE(ch.irvis2[13].IsNotSet());
  const NodeRecord& node = set.nodes[15];
  EXPECT_EQ(node.gasVolumeUnit, 1);
  EXPECT_TRUE(node.averagingCoefficient.IsNotSet());
  EXPECT_TRUE(node.minTemperatureDifference.IsNotSet());
  EXPECT_EQ(node.hourlyEnergyAlgorithm, 0);
}

TEST(ParameterSetTest, ResetKeepsPortAndSpeed) {
  ParameterSet set = ResetSet();
  set.comPort = 3;
  set.speedCode = 4;
  set.Reset();
  EXPECT_EQ(set.comPort, 3);
  EXPECT_EQ(set.speedCode, 4);
}

struct CountCase {
  std::uint8_t code;
  std::uint8_t version;
  DeviceVariant variant;
  int channels;
  int nodes;
};

class ExecutionCodeTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(ExecutionCodeTest, VariantAndCounts) {
  const CountCase c = GetParam();
  ParameterSet set = ResetSet();
  set.ident.executionCode = c.code;
  set.ident.softwareVersion = c.version;
  set.ApplyExecutionCode();
  EXPECT_EQ(set.Variant(), c.variant);
  EXPECT_EQ(set.channelCount, c.channels);
  EXPECT_EQ(set.nodeCount, c.nodes);
}

INSTANTIATE_TEST_SUITE_P(
    AllCodes, ExecutionCodeTest,
    ::testing::Values(
        CountCase{0x46, 0, DeviceVariant::V, 5, 2}, CountCase{0x44, 0, DeviceVariant::V, 5, 2},
        CountCase{0x41, 0, DeviceVariant::V, 5, 2}, CountCase{0x40, 0, DeviceVariant::V, 4, 2},
        CountCase{0x47, 0, DeviceVariant::G, 3, 3}, CountCase{0x45, 0, DeviceVariant::G, 2, 2},
        CountCase{0x43, 0, DeviceVariant::G, 2, 2}, CountCase{0x42, 0, DeviceVariant::G, 2, 2},
        CountCase{0x50, 0, DeviceVariant::U, 20, 16}, CountCase{0x51, 0, DeviceVariant::U, 20, 16},
        CountCase{0x52, 0, DeviceVariant::U, 20, 16}, CountCase{0x53, 0, DeviceVariant::U, 10, 10},
        CountCase{0x60, 0x09, DeviceVariant::UV, 10, 6},
        CountCase{0x60, 0x10, DeviceVariant::UV, 10, 5}, CountCase{0x49, 0, DeviceVariant::L, 4, 2},
        CountCase{0x48, 0, DeviceVariant::None, 0, 0},
        CountCase{0x00, 0, DeviceVariant::None, 0, 0}));

TEST(ParameterSetTest, ArchiveDefaultsByVariant) {
  ParameterSet v{}, uv{}, g{};
  MakeNewConfiguration(v, 0x46);
  MakeNewConfiguration(uv, 0x60);
  MakeNewConfiguration(g, 0x47);
  EXPECT_EQ(v.channels[7].archiveKind[0], 1);
  EXPECT_EQ(v.channels[7].archiveKind[1], 1);
  EXPECT_EQ(g.channels[0].archiveKind[0], 0);
  const std::uint8_t vTnsh[16] = {1, 1, 2, 2, 2};
  const std::uint8_t uvTnsh[16] = {0, 0, 0, 1, 1, 2, 2, 2};
  EXPECT_EQ(std::memcmp(v.nodes[15].tnshSettings, vTnsh, 16), 0);
  EXPECT_EQ(std::memcmp(g.nodes[0].tnshSettings, vTnsh, 16), 0);
  EXPECT_EQ(std::memcmp(uv.nodes[3].tnshSettings, uvTnsh, 16), 0);
  EXPECT_EQ(uv.nodeCount, 6);  // a new configuration has software version 0
}

TEST(ParameterSetTest, SameContentIgnoresSwitchPortSpeedAndPageFlags) {
  ParameterSet a{};
  MakeNewConfiguration(a, 0x47);
  ParameterSet b = a;
  b.checkForStart = 0;
  b.comPort = 7;
  b.speedCode = 2;
  b.pageFilled[3] = 1;
  EXPECT_TRUE(a.SameContent(b));
}

TEST(ParameterSetTest, SameContentComparesFloatsAsBytes) {
  ParameterSet a{};
  MakeNewConfiguration(a, 0x50);
  ParameterSet b = a;
  EXPECT_TRUE(a.SameContent(b));  // two not-set markers (NaN) are equal
  a.channels[4].Slot(28) = Float32::Of(-0.0f);
  EXPECT_FALSE(a.SameContent(b));
}

TEST(ParameterSetTest, SameContentSeesEveryGroup) {
  ParameterSet base{};
  MakeNewConfiguration(base, 0x50);
  const std::vector<void (*)(ParameterSet&)> changes = {
      [](ParameterSet& s) { s.ident.extra[1] = 1; },
      [](ParameterSet& s) { s.daylightSaving = 1; },
      [](ParameterSet& s) { s.tariffZones[3] = 30; },
      [](ParameterSet& s) { s.sms2Second.chars[8] = 'x'; },
      [](ParameterSet& s) { s.contractOutdoorTemp = Float32::Of(-25.0f); },
      [](ParameterSet& s) { s.correctionFlag = 1; },
      [](ParameterSet& s) { s.channels[19].gas.reserved[1] = 0; },
      [](ParameterSet& s) { s.channels[0].failureList = 4; },
      [](ParameterSet& s) { s.nodes[15].tnshSettings[15] = 9; },
      [](ParameterSet& s) { s.footerEnabled = 1; },
      [](ParameterSet& s) { s.headerText[512] = 'a'; },
      [](ParameterSet& s) { s.footerText[0] = 'a'; },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    ParameterSet changed = base;
    changes[i](changed);
    EXPECT_FALSE(base.SameContent(changed)) << "change " << i;
  }
}

TEST(ParameterSetTest, CopyOperationsTakeOnlyTheirGroup) {
  ParameterSet target{}, source{};
  MakeNewConfiguration(target, 0x50);
  MakeNewConfiguration(source, 0x50);
  source.daylightSaving = 1;
  source.sms2First.chars[0] = '9';
  source.channels[0].mediumKind = 3;
  source.nodes[2].reportHour = 7;
  source.nodes[3].reportHour = 8;
  source.headerEnabled = 1;
  source.headerText[0] = 'A';

  target.CopySystemWideGroup(source);
  EXPECT_EQ(target.daylightSaving, 1);
  EXPECT_EQ(target.sms2First.chars[0], '9');
  EXPECT_EQ(target.channels[0].mediumKind, 0);

  target.CopyNode(source, 2);
  EXPECT_EQ(target.nodes[2].reportHour, 7);
  EXPECT_EQ(target.nodes[3].reportHour, 0);

  target.CopyReportTexts(source);
  EXPECT_EQ(target.headerEnabled, 1);
  EXPECT_EQ(target.headerText[0], 'A');
  EXPECT_TRUE(target.SameContent(source) == false);  // channel and node 3 still differ
}

TEST(ParameterSetTest, FindInputOwner) {
  ParameterSet set{};
  MakeNewConfiguration(set, 0x53);  // 10 channels
  set.channels[0].flowInputs[2] = 5;
  set.channels[1].pressureInput = 6;
  set.channels[2].temperatureInput = 7;
  set.channels[12].flowInputs[0] = 8;  // beyond the channel count

  EXPECT_EQ(set.FindInputOwner(4, 5, false, false), 1);
  EXPECT_EQ(set.FindInputOwner(0, 5, false, false), 0);  // never the channel itself
  EXPECT_EQ(set.FindInputOwner(4, 6, false, false), 2);
  EXPECT_EQ(set.FindInputOwner(4, 6, true, false), 0);
  EXPECT_EQ(set.FindInputOwner(4, 7, false, false), 3);
  EXPECT_EQ(set.FindInputOwner(4, 7, false, true), 0);
  EXPECT_EQ(set.FindInputOwner(4, 8, false, false), 0);
}

struct TextsCase {
  std::uint8_t code;
  std::uint8_t version;
  bool supported;
  int header;
  int footer;
};

class ReportTextsTest : public ::testing::TestWithParam<TextsCase> {};

TEST_P(ReportTextsTest, SupportAndCapacity) {
  const TextsCase c = GetParam();
  const DeviceIdentification ident{c.code, c.version, {0, 0}};
  EXPECT_EQ(SupportsReportTexts(ident), c.supported);
  EXPECT_EQ(ReportTextCapacity(ident).header, c.header);
  EXPECT_EQ(ReportTextCapacity(ident).footer, c.footer);
}

INSTANTIATE_TEST_SUITE_P(
    Identifications, ReportTextsTest,
    ::testing::Values(TextsCase{0x44, 0x59, false, 512, 256}, TextsCase{0x44, 0x60, true, 512, 256},
                      TextsCase{0x46, 0x00, true, 512, 256}, TextsCase{0x45, 0x52, false, 512, 256},
                      TextsCase{0x45, 0x53, true, 512, 256}, TextsCase{0x47, 0x01, true, 512, 256},
                      TextsCase{0x50, 0x99, false, 512, 256}, TextsCase{0x60, 0x00, true, 512, 256},
                      TextsCase{0x49, 0x00, true, 128, 0}, TextsCase{0x00, 0x99, false, 0, 0}));

}  // namespace
}  // namespace tarvo::model
