#include "model/par_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "model/byte_stream.h"
#include "support/identical_sets.h"
#include "support/old_par_file.h"

namespace tarvo::model {
namespace {

using testing::OldFile;

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, std::initializer_list<int> bytes) {
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
}
void Repeat(Bytes& out, std::size_t count, int byte) {
  out.insert(out.end(), count, static_cast<std::uint8_t>(byte));
}
void Ff4(Bytes& out) {
  Repeat(out, 4, 0xFF);
}
void Digits(Bytes& out) {
  Repeat(out, 8, 0x30);
  out.push_back(0);
}

// The new 0x46 configuration, byte by byte as a stored file must hold it.
Bytes ExpectedNew46() {
  Bytes b;
  Append(b, {0xE1, 0x7A, 0x94, 0x3F, 0x46, 0, 0, 0, 1, 0, 0, 0});
  Repeat(b, 8, 0);  // COM port, speed
  Append(b, {5, 0, 0, 0, 2, 0, 0, 0});
  Repeat(b, 8, 0);  // daylight saving, tariff zones
  Ff4(b);
  Append(b, {0xCD, 0xCC, 0xCC, 0x3D});
  Ff4(b);
  Ff4(b);
  for (int i = 0; i < 3; ++i) Digits(b);
  b.push_back(0);
  Digits(b);
  Digits(b);
  for (int c = 0; c < 20; ++c) {
    Repeat(b, 12, 0);
    for (int slot = 1; slot <= 32; ++slot) {
      if (slot == 28) {
        Repeat(b, 4, 0);
      } else {
        Ff4(b);
      }
    }
    Append(b, {0, 0, 0xFF, 0xFF});
    Repeat(b, 64, 0xFF);
    Repeat(b, 112, 0xFF);
    Append(b, {1, 1, 0, 0, 0, 0, 0, 0});
  }
  for (int n = 0; n < 16; ++n) {
    b.push_back(0);
    Repeat(b, 20, 0);
    Append(b, {1, 0, 0, 0});
    Ff4(b);
    b.push_back(0);
    Ff4(b);
    Repeat(b, 4, 0);
    Ff4(b);
    Ff4(b);
    Repeat(b, 4, 0);
    Ff4(b);
    Append(b, {1, 1, 2, 2, 2});
    Repeat(b, 11, 0);
  }
  Repeat(b, 776, 0);
  return b;
}

TEST(ParFileTest, NewConfiguration46IsByteExact) {
  ParameterSet set{};
  MakeNewConfiguration(set, 0x46);
  const Bytes written = WriteParameterBytes(set);
  const Bytes expected = ExpectedNew46();
  ASSERT_EQ(expected.size(), kParFileSize);
  ASSERT_EQ(written.size(), kParFileSize);
  for (std::size_t i = 0; i < written.size(); ++i) {
    ASSERT_EQ(written[i], expected[i]) << "offset " << i;
  }
}

ParameterSet BusySet() {
  ParameterSet set{};
  MakeNewConfiguration(set, 0x50, 0x40);
  set.checkForStart = 0;
  set.comPort = 4;
  set.speedCode = 3;
  set.ident.extra[0] = 0x12;
  set.ident.extra[1] = 0x34;
  set.daylightSaving = 1;
  set.tariffZones[0] = 23;
  set.tariffZones[3] = 59;
  set.baroUpperLimit = Float32::Of(0.16f);
  set.contractOutdoorTemp = Float32::Of(-0.0f);
  std::memcpy(set.modeSpec.chars, "12345678", 8);
  std::memcpy(set.sms2Second.chars, "98765432", 8);
  set.correctionFlag = 1;
  for (int c = 0; c < kMaxChannels; ++c) {
    ChannelRecord& ch = set.channels[c];
    ch.mediumKind = static_cast<std::uint8_t>(c);
    ch.typeDigits3to5[2] = 9;
    ch.flowInputs[1] = static_cast<std::uint8_t>(40 + c);
    ch.temperatureInput = 3;
    ch.Slot(7) = Float32::Of(1.5f * c);
    ch.gas.humidityKind = 1;
    ch.gas.concentrations[12] = Float32::Of(0.25f);
    ch.irvis1[0] = Float32::Of(11.0f);
    ch.irvis2[13] = Float32::Of(-3.0f);
    ch.flowRangeControl[1] = 1;
    ch.failureList = 0x81;
  }
  for (int n = 0; n < kMaxNodes; ++n) {
    NodeRecord& node = set.nodes[n];
    node.nodeType = 2;
    node.composition[19] = 1;
    node.gasVolumeUnit = 1000;
    node.reportHour = 23;
    node.hourlyEnergyAlgorithm = 2;
    node.minTemperatureDifference = Float32::Of(3.0f);
    node.tnshSettings[15] = 7;
  }
  set.headerEnabled = 1;
  std::memcpy(set.headerText, " Отчет", 6);
  std::memset(set.footerText, 'z', kFooterTextSize);
  return set;
}

TEST(ParFileTest, RoundTripKeepsEverythingStored) {
  const ParameterSet original = BusySet();
  ParameterSet read{};
  read.Reset();
  read.pageFilled[2] = 1;
  const ParReadResult result = ReadParameterBytes(WriteParameterBytes(original), read);
  ASSERT_TRUE(result.ok) << result.reason;
  EXPECT_FLOAT_EQ(result.version, 1.16f);
  EXPECT_TRUE(read.SameContent(original));
  EXPECT_EQ(read.checkForStart, 0);
  EXPECT_EQ(read.comPort, 4);
  EXPECT_EQ(read.speedCode, 3);
  EXPECT_EQ(read.pageFilled[2], 1);  // not stored, not touched
  EXPECT_EQ(read.footerText[kFooterTextSize], 0);
}

TEST(ParFileTest, ReservedGasBytesSurviveAsHeld) {
  ParameterSet set{};
  MakeNewConfiguration(set, 0x51);
  set.channels[3].gas.reserved[0] = 0x5A;
  ParameterSet read{};
  read.Reset();
  ASSERT_TRUE(ReadParameterBytes(WriteParameterBytes(set), read).ok);
  EXPECT_EQ(read.channels[0].gas.reserved[0], 0xFF);
  EXPECT_EQ(read.channels[0].gas.reserved[1], 0xFF);
  EXPECT_EQ(read.channels[3].gas.reserved[0], 0x5A);
}

struct OldVersionCase {
  float version;
  std::size_t size;
};

class OldVersionTest : public ::testing::TestWithParam<OldVersionCase> {};

TEST_P(OldVersionTest, SizeMatchesLayout) {
  const OldVersionCase c = GetParam();
  EXPECT_EQ(ParameterFileSize(c.version), c.size);
  EXPECT_EQ(OldFile(c.version, 0x46, 5, 2).size(), c.size);
}

TEST_P(OldVersionTest, FileEndingOneByteEarlyIsRefusedAndChangesNothing) {
  const OldVersionCase c = GetParam();
  Bytes bytes = OldFile(c.version, 0x46, 5, 2);
  bytes.pop_back();
  ParameterSet set = BusySet();
  const ParameterSet before = set;
  const ParReadResult result = ReadParameterBytes(bytes, set);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.reason.find("файл обрывается"), std::string::npos) << result.reason;
  EXPECT_TRUE(testing::IdenticalSets(set, before));
}

INSTANTIATE_TEST_SUITE_P(Versions, OldVersionTest,
                         ::testing::Values(OldVersionCase{1.04f, 75 + 20 * 296 + 16 * 30},
                                           OldVersionCase{1.05f, 75 + 20 * 296 + 16 * 30},
                                           OldVersionCase{1.06f, 75 + 20 * 296 + 16 * 30 + 776},
                                           OldVersionCase{1.09f, 76 + 20 * 320 + 16 * 30 + 776},
                                           OldVersionCase{1.10f, 98 + 20 * 320 + 16 * 54 + 776},
                                           OldVersionCase{1.13f, 98 + 20 * 328 + 16 * 70 + 776},
                                           OldVersionCase{1.16f, 8554},
                                           OldVersionCase{2.0f, 8554}));

TEST(ParFileTest, Version105HasNoReportTextsAndGetsDefaults) {
  ParameterSet set = BusySet();
  const ParReadResult result = ReadParameterBytes(OldFile(1.05f, 0x46, 5, 2), set);
  ASSERT_TRUE(result.ok) << result.reason;
  EXPECT_FLOAT_EQ(result.version, 1.05f);
  EXPECT_EQ(set.ident.executionCode, 0x46);
  EXPECT_EQ(set.ident.softwareVersion, 0x21);
  EXPECT_EQ(set.ident.extra[1], 0xCD);
  EXPECT_EQ(set.comPort, 2);
  EXPECT_EQ(set.daylightSaving, 0);
  EXPECT_EQ(set.correctionFlag, 0);
  EXPECT_STREQ(set.sms1Second.chars, "34567890");
  EXPECT_STREQ(set.sms2First.chars, "00000000");
  EXPECT_STREQ(set.sms2Second.chars, "00000000");
  EXPECT_EQ(set.contractOutdoorTemp, Float32::Of(-20.0f));
  const ChannelRecord& ch = set.channels[19];
  EXPECT_EQ(ch.temperatureInput, 12);
  EXPECT_EQ(ch.Slot(32), Float32::Of(1931.0f));
  EXPECT_EQ(ch.gas.concentrationKind, 0);
  EXPECT_EQ(ch.gas.reserved[0], 0);
  EXPECT_EQ(ch.gas.concentrations[12], Float32::Of(0.0f));
  EXPECT_EQ(ch.irvis1[0], Float32::Of(0.0f));
  EXPECT_EQ(ch.irvis2[13], Float32::Of(8.0f));
  EXPECT_EQ(ch.archiveKind[0], 1);  // variant В default
  EXPECT_EQ(ch.flowRangeControl[0], 0);
  EXPECT_EQ(ch.failureList, 0);
  const NodeRecord& node = set.nodes[15];
  EXPECT_EQ(node.gasVolumeUnit, 1000);
  EXPECT_EQ(node.reportHour, 10);
  EXPECT_EQ(node.hourlyMassConstant, Float32::Of(0.0f));  // zero, not the not-set marker
  EXPECT_EQ(node.tnshSettings[0], 1);
  EXPECT_EQ(node.tnshSettings[4], 2);
  EXPECT_EQ(node.tnshSettings[5], 0);
  EXPECT_EQ(set.headerEnabled, 0);
  EXPECT_EQ(set.headerText[0], 0);
}

TEST(ParFileTest, Version106AddsReportTexts) {
  ParameterSet set{};
  set.Reset();
  ASSERT_TRUE(ReadParameterBytes(OldFile(1.06f, 0x47, 3, 3), set).ok);
  EXPECT_EQ(set.headerEnabled, 1);
  EXPECT_STREQ(set.headerText, " Шапка");
  EXPECT_EQ(set.channels[0].archiveKind[0], 0);  // variant Г gets no archive-kind default
  EXPECT_EQ(set.nodes[0].tnshSettings[0], 1);
}

TEST(ParFileTest, Version110ReadsMiddleParts) {
  ParameterSet set{};
  set.Reset();
  ASSERT_TRUE(ReadParameterBytes(OldFile(1.10f, 0x60, 10, 5), set).ok);
  EXPECT_EQ(set.daylightSaving, 1);
  EXPECT_EQ(set.correctionFlag, 1);
  EXPECT_STREQ(set.sms2First.chars, "92100000");
  EXPECT_EQ(set.channels[4].gas.concentrationKind, 1);
  EXPECT_EQ(set.channels[4].gas.reserved[0], 0xFF);
  EXPECT_EQ(set.channels[4].irvis1[13], Float32::Of(7.0f));
  EXPECT_EQ(set.channels[4].archiveKind[1], 1);       // УВ default
  EXPECT_EQ(set.channels[4].flowRangeControl[0], 0);  // absent, zero
  EXPECT_EQ(set.nodes[2].hourlyEnergyAlgorithm, 2);
  EXPECT_EQ(set.nodes[2].minTemperatureDifference, Float32::Of(4.0f));
  const std::uint8_t uvTnsh[16] = {0, 0, 0, 1, 1, 2, 2, 2};
  EXPECT_EQ(std::memcmp(set.nodes[2].tnshSettings, uvTnsh, 16), 0);
}

TEST(ParFileTest, Version113ReadsEverythingWithoutDefaults) {
  ParameterSet set{};
  set.Reset();
  ASSERT_TRUE(ReadParameterBytes(OldFile(1.13f, 0x46, 5, 2), set).ok);
  EXPECT_EQ(set.channels[0].archiveKind[0], 2);
  EXPECT_EQ(set.channels[0].flowRangeControl[0], 1);
  EXPECT_EQ(set.channels[0].failureList, 0x0F);
  EXPECT_EQ(set.nodes[0].tnshSettings[0], 9);
  EXPECT_EQ(set.nodes[0].tnshSettings[15], 9);
}

TEST(ParFileTest, NewerVersionIsReadAs116) {
  Bytes bytes = WriteParameterBytes(BusySet());
  const Float32 newer = Float32::Of(1.2f);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(newer.bits >> (8 * i));
  bytes.push_back(0x55);  // whatever a newer version appends
  ParameterSet set{};
  set.Reset();
  ASSERT_TRUE(ReadParameterBytes(bytes, set).ok);
  EXPECT_TRUE(set.SameContent(BusySet()));
}

TEST(ParFileTest, DigitStringsAreTerminatedWhateverTheFileHolds) {
  Bytes bytes = WriteParameterBytes(BusySet());
  for (std::size_t offset : {52u, 61u, 70u, 80u, 89u}) bytes[offset + 8] = 'X';
  ParameterSet set{};
  set.Reset();
  ASSERT_TRUE(ReadParameterBytes(bytes, set).ok);
  for (const DigitString* d :
       {&set.modeSpec, &set.sms1First, &set.sms1Second, &set.sms2First, &set.sms2Second}) {
    EXPECT_EQ(d->chars[8], 0);
  }
}

struct RefusalCase {
  const char* name;
  std::size_t offset;  // of the int to overwrite
  std::int32_t value;
  const char* reason;
};

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, OutOfRangeCountsChangeNothing) {
  const RefusalCase c = GetParam();
  Bytes bytes = WriteParameterBytes(BusySet());
  for (int i = 0; i < 4; ++i) bytes[c.offset + i] = static_cast<std::uint8_t>(c.value >> (8 * i));
  ParameterSet set{};
  MakeNewConfiguration(set, 0x49);
  const ParameterSet before = set;
  const ParReadResult result = ReadParameterBytes(bytes, set);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason, c.reason);
  EXPECT_TRUE(testing::IdenticalSets(set, before));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, RefusalTest,
    ::testing::Values(
        RefusalCase{"channels21", 20, 21, "число каналов учета 21 вне допустимого диапазона 0..20"},
        RefusalCase{"channelsNegative", 20, -1,
                    "число каналов учета -1 вне допустимого диапазона 0..20"},
        RefusalCase{"nodes17", 24, 17, "число узлов учета 17 вне допустимого диапазона 0..16"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParFileTest, TooShortOrNotANumberIsRefused) {
  ParameterSet set{};
  set.Reset();
  EXPECT_EQ(ReadParameterBytes(Bytes{0xE1, 0x7A}, set).reason,
            "файл обрывается: в нём 2 байт, нет даже номера версии формата");
  EXPECT_EQ(ReadParameterBytes(Bytes(100, 0), set).reason,
            "файл обрывается: в нём 100 байт, а файлу версии формата 0 нужно 6475");
  Bytes text(9000, 'a');
  text[3] = static_cast<char>(0xFF);
  text[2] = static_cast<char>(0xC0);
  EXPECT_EQ(ReadParameterBytes(text, set).reason,
            "это не файл параметров: номер версии формата не является числом");
  EXPECT_EQ(set.Variant(), DeviceVariant::None);
}

}  // namespace
}  // namespace tarvo::model
