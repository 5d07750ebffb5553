#include <gtest/gtest.h>

#include <cstring>

#include "device/simulated_exchange.h"
#include "model/code_page.h"
#include "sim/configuration_image.h"

namespace tarvo {
namespace {

using model::DeviceVariant;
using model::Float32;

// Distinct values in every field that a write sends and a read brings back. What the protocol
// does not carry keeps the value of a new configuration, which is also what the read gives:
// - system-wide fields a variant has no parameter for (for example the tariff zones outside
//   ЛУР-У), and the interface-2 SMS number of ЛУР-В other than 0x46;
// - type-code elements 2, 4 and 5 of ЛУР-В, -УВ and -Л, whose type code has four digits;
// - float slot 28: every variant reads it but none writes it, so it comes back as 0;
// - float slots a variant's channel pages do not show, and the reserved slots 10 and 11;
// - the two reserved bytes of the associated-gas block, sent by no command;
// - node fields a variant has no parameter for, the role digits of channels 8 to 20 of the
//   variants whose composition is an 8-character text, and Tнш digits 6 to 8 of ЛУР-В, which
//   are written but read back as five;
// - the report texts of ЛУР-У, which has none, and the footer of ЛУР-Л.
void Fill(model::ParameterSet& s) {
  const DeviceVariant v = s.Variant();
  const int version = s.ident.VersionNumber();
  const bool is46 = s.ident.executionCode == 0x46;
  const bool is47 = s.ident.executionCode == 0x47;
  std::memcpy(s.modeSpec.chars, "12345678", 8);
  s.daylightSaving = 1;
  s.contractColdWaterTemp = Float32::Of(4.5f);
  const bool sms1 = v != DeviceVariant::V || is46 || version >= 55;
  const bool sms2 = (v == DeviceVariant::V && is46) || (v == DeviceVariant::G && is47) ||
                    (v == DeviceVariant::U && version >= 33) ||
                    (v == DeviceVariant::UV && version >= 7);
  if (sms1) {
    std::memcpy(s.sms1First.chars, "91200000", 8);
    std::memcpy(s.sms1Second.chars, "34567890", 8);
  }
  if (sms2) {
    std::memcpy(s.sms2First.chars, "98700000", 8);
    std::memcpy(s.sms2Second.chars, "65432100", 8);
  }
  if (v == DeviceVariant::G || v == DeviceVariant::U) {
    s.contractBaroPressure = Float32::Of(0.098f);
    s.correctionFlag = 1;
  }
  if (v == DeviceVariant::U) {
    s.baroUpperLimit = Float32::Of(0.11f);
    s.contractOutdoorTemp = Float32::Of(-12.5f);
    const std::uint8_t zones[4] = {7, 30, 22, 45};
    std::memcpy(s.tariffZones, zones, 4);
  }

  for (int c = 0; c < s.channelCount; ++c) {
    model::ChannelRecord& ch = s.channels[c];
    ch.mediumKind = v == DeviceVariant::U ? 12 : v == DeviceVariant::G ? 11 : 3;
    ch.typeDigits3to5[0] = static_cast<std::uint8_t>(1 + c % 3);
    ch.typeDigit6 = 2;
    ch.typeDigit7 = static_cast<std::uint8_t>(c % 5);
    if (v == DeviceVariant::G || v == DeviceVariant::U) {
      ch.typeDigit2 = 4;
      ch.typeDigits3to5[1] = 5;
      ch.typeDigits3to5[2] = 6;
    }
    if (v == DeviceVariant::U) {
      ch.flowInputs[0] = 1;
      ch.flowInputs[1] = 2;
      ch.flowInputs[2] = static_cast<std::uint8_t>(3 + c);
      ch.pressureInput = 40;
      ch.temperatureInput = static_cast<std::uint8_t>(41 + c);
    }
    if (v == DeviceVariant::UV) {
      ch.flowInputs[0] = static_cast<std::uint8_t>(c + 1);
      ch.pressureInput = 11;
      ch.temperatureInput = 21;
    }
    std::vector<int> slots;
    switch (v) {
      case DeviceVariant::V:
        slots = {1, 4, 5, 6, 7, 8, 9, 18, 19, 25};
        break;
      case DeviceVariant::UV:
        slots = {1, 4, 5, 6, 7, 18, 19, 23, 24, 25, 26, 27};
        break;
      case DeviceVariant::L:
        slots = {1, 6, 7, 18, 19, 25};
        break;
      default:
        for (int k = 1; k <= 32; ++k) {
          if (k != 10 && k != 11 && k != 28) slots.push_back(k);
        }
    }
    if (v == DeviceVariant::UV && version >= 12) slots.insert(slots.end(), {8, 9});
    for (int k : slots) ch.Slot(k) = Float32::Of(static_cast<float>(c * 100 + k) + 0.25f);
    if ((v == DeviceVariant::V && is46 && version >= 8) ||
        (v == DeviceVariant::UV && version >= 10)) {
      ch.archiveKind[0] = 0;
      ch.flowRangeControl[1] = 1;
      ch.failureList = 0xA5;
    }
    if (v == DeviceVariant::G && !is47) {
      for (int i = 0; i < model::kIrvisPoints; ++i) {
        ch.irvis1[i] = Float32::Of(static_cast<float>(i) + 0.5f);
        ch.irvis2[i] = Float32::Of(static_cast<float>(i) * 2 + 1.0f);
      }
    }
    if (v == DeviceVariant::U) {
      ch.gas.concentrationKind = 2;
      ch.gas.humidityKind = 1;
      ch.gas.pressure = Float32::Of(0.3f);
      ch.gas.temperature = Float32::Of(21.0f);
      ch.gas.humidity = Float32::Of(55.0f);
      for (int i = 0; i < model::kGasConcentrations; ++i) {
        ch.gas.concentrations[i] = Float32::Of(static_cast<float>(i) + 0.125f);
      }
    }
  }

  for (int n = 0; n < s.nodeCount; ++n) {
    model::NodeRecord& node = s.nodes[n];
    node.nodeType = static_cast<std::uint8_t>(1 + n % 5);
    const int roles = v == DeviceVariant::U    ? 20
                      : v == DeviceVariant::UV ? 10
                                               : std::min(7, s.channelCount);
    for (int i = 0; i < roles; ++i) node.composition[i] = static_cast<std::uint8_t>((i + n) % 8);
    node.averagingCoefficient = Float32::Of(0.75f);
    if (v == DeviceVariant::G || v == DeviceVariant::U) {
      node.gasVolumeUnit = 1000;
      node.reportHour = static_cast<std::uint8_t>(10 + n);
    }
    if (v == DeviceVariant::L) node.averagingCoefficient = Float32::NotSet();
    if ((v == DeviceVariant::V && is46 && version >= 8) || v == DeviceVariant::UV) {
      node.minTemperatureDifference = Float32::Of(3.0f);
    }
    if (v == DeviceVariant::V && is46 && version >= 8) {
      const std::uint8_t tnsh[5] = {2, 1, 0, 1, 2};
      std::memcpy(node.tnshSettings, tnsh, 5);
    }
    if (v == DeviceVariant::UV) {
      node.hourlyMassConstant = Float32::Of(12.0f);
      node.hourlyMassAlgorithm = 2;
      node.massImbalanceSetpoint = Float32::Of(0.02f);
      node.hourlyEnergyConstant = Float32::Of(1.25f);
      node.hourlyEnergyAlgorithm = 1;
      if (version >= 10) {
        const std::uint8_t tnsh[8] = {1, 0, 2, 1, 1, 2, 2, 2};
        std::memcpy(node.tnshSettings, tnsh, 8);
      }
    }
  }

  if (model::SupportsReportTexts(s.ident)) {
    s.headerEnabled = 1;
    std::strcpy(s.headerText, model::Utf8ToCp1251(" Отчет узла Ёё\r\n Котельная").bytes.c_str());
    if (v != DeviceVariant::L) {
      s.footerEnabled = 1;
      std::strcpy(s.footerText, model::Utf8ToCp1251(" Подпись №").bytes.c_str());
    }
  }
}

// Watches a procedure's progress: it must end exactly at the whole, never counting more
// requests done than it expects.
struct WatchedProgress : platform::ProgressState {
  void Changed() override {
    if (Total() > 0 && Done() > Total()) overran = true;
  }
  void ExpectEndedWhole(const device::DeviceLink& link) const {
    EXPECT_FALSE(overran);
    EXPECT_EQ(Done(), link.answered);
    EXPECT_EQ(Total(), Done());
    EXPECT_EQ(Percent(), 100);
  }
  bool overran = false;
};

struct Case {
  std::uint8_t exec;
  std::uint8_t version;
  bool echo = false;  // an RS-485 adapter sends every request back before the answer
};

class RoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(RoundTrip, WhatIsWrittenReadsBackUnchanged) {
  const Case c = GetParam();
  model::ParameterSet original{};
  model::MakeNewConfiguration(original, c.exec, c.version);
  Fill(original);
  if (c.exec == 0x60 && c.version >= 0x10) original.nodeCount = 5;

  sim::Faults faults;
  faults.echo = c.echo;
  testing::SimulatedExchange writer(c.exec, c.version, faults);
  WatchedProgress writeProgress;
  ASSERT_TRUE(writer.link.WriteAllParameters(original, &writeProgress))
      << ::testing::PrintToString(writer.Texts());
  writeProgress.ExpectEndedWhole(writer.link);
  EXPECT_TRUE(writer.Texts().empty()) << ::testing::PrintToString(writer.Texts());

  testing::SimulatedExchange reader(c.exec, c.version, faults);
  reader.device = writer.device;
  model::ParameterSet read{};
  read.Reset();
  WatchedProgress readProgress;
  ASSERT_TRUE(reader.link.ReadAllParameters(read, &readProgress));
  readProgress.ExpectEndedWhole(reader.link);

  EXPECT_TRUE(read.SameContent(original));
  EXPECT_EQ(std::memcmp(&read.ident, &original.ident, sizeof read.ident), 0);
  EXPECT_EQ(read.channelCount, original.channelCount);
  EXPECT_EQ(read.nodeCount, original.nodeCount);
  for (int i = 0; i < model::kMaxChannels; ++i) {
    EXPECT_TRUE(read.channels[i] == original.channels[i]) << "channel " << i + 1;
  }
  for (int i = 0; i < model::kMaxNodes; ++i) {
    EXPECT_TRUE(read.nodes[i] == original.nodes[i]) << "node " << i + 1;
  }
  EXPECT_STREQ(read.headerText, original.headerText);
  EXPECT_STREQ(read.footerText, original.footerText);
  EXPECT_EQ(read.headerEnabled, original.headerEnabled);
  EXPECT_EQ(read.footerEnabled, original.footerEnabled);
}

INSTANTIATE_TEST_SUITE_P(Variants, RoundTrip,
                         ::testing::Values(Case{0x46, 0x60}, Case{0x44, 0x60}, Case{0x40, 0x55},
                                           Case{0x47, 0x53}, Case{0x45, 0x60}, Case{0x43, 0x49},
                                           Case{0x53, 0x40}, Case{0x60, 0x12}, Case{0x60, 0x09},
                                           Case{0x49, 0x10}, Case{0x47, 0x53, true},
                                           Case{0x53, 0x40, true}, Case{0x49, 0x10, true}),
                         [](const auto& info) {
                           return "Exec" + std::to_string(info.param.exec) + "Version" +
                                  std::to_string(info.param.version) +
                                  (info.param.echo ? "Echoed" : "");
                         });

TEST(RoundTrip, ALoadedDeviceReadsBackItsConfiguration) {
  for (auto [exec, version] : {std::pair{0x46, 0x60}, {0x45, 0x60}, {0x50, 0x40}, {0x60, 0x13}}) {
    model::ParameterSet original{};
    model::MakeNewConfiguration(original, static_cast<std::uint8_t>(exec),
                                static_cast<std::uint8_t>(version));
    Fill(original);
    sim::DeviceModel device(original.ident);
    std::string message;
    ASSERT_TRUE(sim::LoadConfiguration(device, original, message));
    model::ParameterSet read{};
    read.Reset();
    ASSERT_TRUE(sim::ReadConfiguration(device, read, message)) << message;
    EXPECT_TRUE(read.SameContent(original)) << std::hex << exec;
  }
}

}  // namespace
}  // namespace tarvo
