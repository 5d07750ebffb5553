#include <gtest/gtest.h>

#include <cstring>

#include "device/simulated_exchange.h"
#include "device/type_code.h"
#include "sim/configuration_image.h"

namespace tarvo {
namespace {

using model::Float32;

// A configuration of the device's own execution and a device to write it into.
struct WriteBench : testing::SimulatedExchange {
  WriteBench(std::uint8_t exec, std::uint8_t version, sim::Faults faults = {})
      : SimulatedExchange(exec, version, faults) {
    model::MakeNewConfiguration(set, exec, version);
    std::string message;
    // The device starts with the same configuration, so its switches match the set's.
    if (model::VariantOf(exec) != model::DeviceVariant::None) {
      EXPECT_TRUE(sim::LoadConfiguration(device, set, message)) << message;
    }
  }
  // Every float slot and node float set, so every float parameter is sent.
  void FillFloats() {
    for (auto& channel : set.channels) {
      for (auto& slot : channel.slots) slot = Float32::Of(1.5f);
    }
    for (auto& node : set.nodes) {
      for (model::Float32* f :
           {&node.averagingCoefficient, &node.hourlyMassConstant, &node.massImbalanceSetpoint,
            &node.hourlyEnergyConstant, &node.minTemperatureDifference}) {
        *f = Float32::Of(2.5f);
      }
    }
  }
  bool Write() { return link.WriteAllParameters(set, nullptr); }
  bool WrittenValue(int address, int parameter, device::Value4 value) const {
    for (const auto& f : Requests(device::kCmdWrite)) {
      if (f.Address() == address && f.Parameter() == parameter && f.Argument() == value) {
        return true;
      }
    }
    return false;
  }

  model::ParameterSet set{};
};

sim::Faults Reject(int address, int parameter) {
  sim::Faults f;
  f.reject = sim::Rejection{address, parameter, 3};
  return f;
}

struct RejectCase {
  std::uint8_t exec;
  int address;
  int parameter;
  const char* text;
};

class RejectedWrite : public ::testing::TestWithParam<RejectCase> {};

TEST_P(RejectedWrite, NamesTheParameterAndGoesOn) {
  const RejectCase& c = GetParam();
  WriteBench bench(c.exec, 0x60, Reject(c.address, c.parameter));
  bench.FillFloats();
  bench.set.nodes[2].reportHour = 5;
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.Texts(), std::vector<std::string>{c.text});
  EXPECT_EQ(bench.ui.messages[0].icon, platform::Icon::None);
  EXPECT_TRUE(bench.Written(0x81, 0));  // the nodes came after
}

INSTANTIATE_TEST_SUITE_P(
    Names, RejectedWrite,
    ::testing::Values(RejectCase{0x47, 0x83, 15, "Ошибка при записи параметра П315!"},
                      RejectCase{0x60, 10, 5, "Ошибка при записи параметра K-05!"},
                      RejectCase{0x50, 12, 5, "Ошибка при записи параметра K1205!"},
                      RejectCase{0x50, 0, 27, "Ошибка при записи параметра K0027!"},
                      RejectCase{0x46, 0, 3, "Ошибка при записи параметра K003!"},
                      RejectCase{0x60, 0x82, 10, "Ошибка при записи параметра П210!"}));

TEST(WriteAllParameters, NeverSendsANotSetFloat) {
  WriteBench bench(0x47, 0x53);
  ASSERT_TRUE(bench.Write());
  for (const auto& f : bench.Requests(device::kCmdWrite)) {
    EXPECT_NE(f.Argument(), (device::Value4{0xFF, 0xFF, 0xFF, 0xFF}))
        << int(f.Address()) << ":" << int(f.Parameter());
  }
  // Only the non-float parameters of a new channel go out.
  EXPECT_TRUE(bench.Written(1, 0));
  EXPECT_FALSE(bench.Written(1, 2));
}

TEST(WriteAllParameters, GuardsTheUpperLimitBeforeTheLowerOne) {
  WriteBench bench(0x45, 0x50);
  model::ChannelRecord& c = bench.set.channels[0];
  c.typeDigits3to5[0] = 1;
  c.Slot(1) = Float32::Of(40.0f);
  c.Slot(4) = Float32::Of(2.0f);
  ASSERT_TRUE(bench.Write());
  std::vector<std::pair<int, float>> sequence;
  for (const auto& f : bench.Requests(device::kCmdWrite)) {
    if (f.Address() == 1 && (f.Parameter() == 2 || f.Parameter() == 5)) {
      sequence.emplace_back(f.Parameter(), device::FloatOf(f.Argument()).Value());
    }
  }
  EXPECT_EQ(sequence, (std::vector<std::pair<int, float>>{{2, 100000.0f}, {5, 2.0f}, {2, 40.0f}}));
}

TEST(WriteAllParameters, AnOldGSaysNothingAboutAnEmptySmsNumber) {
  WriteBench bench(0x45, 0x45);
  ASSERT_TRUE(bench.Write());
  EXPECT_TRUE(bench.Texts().empty());
  EXPECT_FALSE(bench.Written(0, 25));

  WriteBench given(0x45, 0x45);
  std::memcpy(given.set.sms1First.chars, "91200000", 8);
  ASSERT_TRUE(given.Write());
  EXPECT_EQ(given.Texts(),
            std::vector<std::string>{
                "Данный вычислитель не поддерживает ввод параметров 025, 026 из "
                "компьютера.\nВведите параметры с клавиатуры вычислителя или обновите программное "
                "обеспечение вычислителя."});
}

TEST(WriteAllParameters, DaylightSavingIsWrittenOnlyWhenItDiffers) {
  for (std::uint8_t version : {0x50, 0x60}) {
    WriteBench same(0x44, version);
    same.set.daylightSaving = 1;
    same.device.SetCell(0, 17, {1, 0, 0, 0});
    ASSERT_TRUE(same.Write());
    EXPECT_FALSE(same.Written(0, 17));
    EXPECT_TRUE(same.Texts().empty());
  }
  WriteBench old(0x44, 0x50);
  old.set.daylightSaving = 1;
  old.device.SetCell(0, 17, {0, 0, 0, 0});
  ASSERT_TRUE(old.Write());
  EXPECT_FALSE(old.Written(0, 17));
  EXPECT_EQ(old.Texts().at(0),
            "Данный вычислитель не поддерживает ввод параметра 017 из компьютера.\nВведите "
            "параметр с клавиатуры вычислителя или обновите программное обеспечение вычислителя.");
  WriteBench current(0x44, 0x60);
  current.set.daylightSaving = 1;
  current.device.SetCell(0, 17, {0, 0, 0, 0});
  ASSERT_TRUE(current.Write());
  EXPECT_TRUE(current.WrittenValue(0, 17, {1, 0, 0, 0}));
}

TEST(WriteAllParameters, AnUWithAssociatedGasGetsTenChannelsAndNodes) {
  WriteBench bench(0x53, 0x40);
  bench.set.channelCount = 20;
  bench.set.nodeCount = 16;
  bench.device.channelCount = 20;
  bench.device.nodeCount = 16;
  ASSERT_TRUE(bench.Write());
  EXPECT_TRUE(bench.Written(10, 0));
  EXPECT_FALSE(bench.Written(11, 0));
  EXPECT_TRUE(bench.Written(0x8A, 0));
  EXPECT_FALSE(bench.Written(0x8B, 0));
}

TEST(WriteAllParameters, AnOlderUIsProbedForAssociatedGas) {
  WriteBench bench(0x50, 0x30);
  bench.set.channels[0].mediumKind = 12;
  bench.set.channels[0].gas.concentrations[0] = Float32::Of(3.0f);
  ASSERT_TRUE(bench.Write());
  EXPECT_TRUE(bench.Requested(1, 80, 13));
  EXPECT_TRUE(bench.WrittenValue(1, 97, {1, 0, 0, 0}));
  EXPECT_TRUE(bench.Written(1, 81));
  EXPECT_FALSE(bench.Written(11, 0));
}

TEST(WriteAllParameters, AnUnansweredGasProbeMeansNoGasAndTheLineIsDrained) {
  sim::Faults faults;
  faults.dropResponseTo = 9;  // identification, daylight saving, six system-wide writes, probe
  WriteBench bench(0x50, 0x30, faults);
  ASSERT_TRUE(bench.Write());
  EXPECT_TRUE(bench.Requested(1, 80, 13));
  EXPECT_TRUE(bench.Texts().empty());
  // Once after the probe, once when the write ends.
  EXPECT_EQ(bench.port.drains, 2);
  EXPECT_TRUE(bench.Written(20, 0));
}

TEST(WriteAllParameters, RefusesADeviceOfAnotherVariantBeforeWriting) {
  WriteBench bench(0x60, 0x10);
  model::MakeNewConfiguration(bench.set, 0x49, 0x10);
  EXPECT_FALSE(bench.Write());
  EXPECT_EQ(bench.Texts(),
            std::vector<std::string>{"Тип подключенного вычислителя не соответствует заданной "
                                     "конфигурации!"});
  EXPECT_EQ(bench.ui.messages[0].icon, platform::Icon::Error);
  EXPECT_TRUE(bench.Requests(device::kCmdWrite).empty());
}

TEST(WriteAllParameters, RefusesSoftwareTooOldForInput) {
  for (auto [exec, version] : {std::pair{0x44, 0x46}, {0x46, 0x02}, {0x45, 0x38}, {0x50, 0x11}}) {
    WriteBench bench(static_cast<std::uint8_t>(exec), static_cast<std::uint8_t>(version));
    EXPECT_FALSE(bench.Write());
    EXPECT_EQ(bench.Texts(),
              std::vector<std::string>{"Данный вычислитель не поддерживает ввод параметров из "
                                       "компьютера.\n Необходимо обновить программное обеспечение "
                                       "вычислителя!"});
    EXPECT_TRUE(bench.Requests(device::kCmdWrite).empty());
  }
}

TEST(WriteAllParameters, SilenceStopsTheWriteWithItsMessage) {
  sim::Faults faults;
  faults.dropResponseTo = 6;
  WriteBench bench(0x47, 0x53, faults);
  EXPECT_FALSE(bench.Write());
  EXPECT_EQ(bench.Texts(),
            std::vector<std::string>{"Ошибка при записи значений параметров в вычислитель!"});
  EXPECT_EQ(bench.Requests(device::kCmdWrite).size(), 4u);
  EXPECT_GE(bench.port.drains, 1);
}

TEST(WriteAllParameters, WakesAnLFirst) {
  WriteBench bench(0x49, 0x10);
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.port.responder().received.front().bytes[0], 0x00);
  EXPECT_GE(bench.clock.NowMs(), 2000);
}

TEST(WriteAllParameters, CompositionTextNeverReadsPastItsEightCharacters) {
  WriteBench bench(0x45, 0x50);
  bench.set.channelCount = 20;
  bench.device.channelCount = 20;
  for (auto& digit : bench.set.nodes[0].composition) digit = 1;
  bench.set.nodes[0].nodeType = 2;
  ASSERT_TRUE(bench.Write());
  EXPECT_TRUE(bench.WrittenValue(0x81, 0, {0x21, 0x11, 0x11, 0x11}));
}

TEST(WriteAllParameters, PacksTypeCodesAndCompositionWordsByVariant) {
  WriteBench u(0x50, 0x40);
  model::ChannelRecord& c = u.set.channels[1];
  c.mediumKind = 12;
  c.typeDigit2 = 3;
  c.typeDigits3to5[0] = 1;
  c.typeDigits3to5[1] = 2;
  c.typeDigits3to5[2] = 0;
  c.typeDigit6 = 4;
  c.typeDigit7 = 5;
  u.set.nodes[0].composition[0] = 7;
  u.set.nodes[0].composition[9] = 1;
  u.set.nodes[0].composition[10] = 2;
  ASSERT_TRUE(u.Write());
  EXPECT_TRUE(u.WrittenValue(2, 0, {0x12, 0x31, 0x20, 0x45}));
  EXPECT_TRUE(u.WrittenValue(0x81, 1, {0xE0, 0x00, 0x00, 0x04}));
  EXPECT_TRUE(u.WrittenValue(0x81, 2, {0x40, 0x00, 0x00, 0x00}));
  EXPECT_FALSE(u.Written(0x82, 1));  // an empty word is not sent
}

TEST(WriteAllParameters, SendsTheReportTextsOrSaysTheDeviceCannotTakeThem) {
  WriteBench bench(0x45, 0x50);
  bench.set.headerEnabled = 1;
  std::strcpy(bench.set.headerText, " A");
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.Texts(), std::vector<std::string>{
                               "Данный вычислитель не поддерживает ввод колонтитулов текстовых "
                               "отчетов.\n Если требуется ввод колонтитулов, обновите программное "
                               "обеспечение вычислителя."});
  WriteBench texts(0x45, 0x53);
  texts.set.headerEnabled = 1;
  std::strcpy(texts.set.headerText, " A");
  ASSERT_TRUE(texts.Write());
  EXPECT_EQ(texts.Requests(device::kCmdWriteText).size(), 4u);
  EXPECT_EQ(texts.device.header[1], 'A');
}

}  // namespace
}  // namespace tarvo
