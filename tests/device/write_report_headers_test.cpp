#include <gtest/gtest.h>

#include <cstring>

#include "device/simulated_exchange.h"

namespace tarvo {
namespace {

struct TextBench : testing::SimulatedExchange {
  TextBench(std::uint8_t exec, std::uint8_t version) : SimulatedExchange(exec, version) {
    model::MakeNewConfiguration(set, exec, version);
  }
  bool Write() { return link.WriteReportHeaders(set, nullptr); }
  // The characters sent for one text, in order, as on the wire.
  std::vector<std::uint8_t> Sent(int text) const {
    std::vector<std::uint8_t> out;
    for (const auto& f : Requests(device::kCmdWriteText)) {
      if (f.Parameter() == 0xFF && f.Argument()[0] == 0xFF) continue;
      if (f.Address() == text) out.push_back(f.Argument()[1]);
    }
    return out;
  }
  model::ParameterSet set{};
};

TEST(WriteReportHeaders, SendsEachCharacterAndTheClosingZero) {
  TextBench bench(0x47, 0x53);
  bench.set.headerEnabled = 1;
  std::strcpy(bench.set.headerText, "0123456789");
  platform::ProgressState bar;
  ASSERT_TRUE(bench.link.WriteReportHeaders(bench.set, &bar));
  EXPECT_EQ(bench.Sent(0).size(), 11u);
  EXPECT_EQ(bench.Sent(0).back(), 0);
  EXPECT_TRUE(bench.Sent(1).empty());
  const auto opening = bench.Requests(device::kCmdWriteText).front();
  EXPECT_EQ(opening.Address(), 1);
  // Identification, the opening request and 11 characters.
  EXPECT_EQ(bar.Total(), 13);
  EXPECT_EQ(bar.Done(), 13);
}

TEST(WriteReportHeaders, ConvertsTo866) {
  TextBench bench(0x47, 0x53);
  bench.set.footerEnabled = 1;
  std::strcpy(bench.set.footerText,
              "\xDF\xFF\xA8\xB8"
              "A");
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.Sent(1), (std::vector<std::uint8_t>{0x9F, 0xEF, 0xF0, 0xF1, 'A', 0}));
  EXPECT_EQ(bench.Requests(device::kCmdWriteText).front().Address(), 2);
}

TEST(WriteReportHeaders, IndexesPastTwoHundredFiftyFiveUseTheHighByte) {
  TextBench bench(0x60, 0x10);
  bench.set.headerEnabled = 1;
  std::memset(bench.set.headerText, 'a', 300);
  ASSERT_TRUE(bench.Write());
  const auto frames = bench.Requests(device::kCmdWriteText);
  ASSERT_EQ(frames.size(), 302u);
  EXPECT_EQ(frames[301].Parameter(), 300 & 0xFF);
  EXPECT_EQ(frames[301].Argument()[0], 1);
  EXPECT_EQ(frames[301].Argument()[1], 0);
}

TEST(WriteReportHeaders, NeverSendsMoreThanTheDeviceHolds) {
  TextBench bench(0x49, 0x10);
  bench.set.headerEnabled = 1;
  bench.set.footerEnabled = 1;
  std::memset(bench.set.headerText, 'b', 400);
  std::strcpy(bench.set.footerText, " footer");
  ASSERT_TRUE(bench.Write());
  EXPECT_EQ(bench.Sent(0).size(), 128u);
  EXPECT_TRUE(bench.Sent(1).empty());
  EXPECT_EQ(bench.Requests(device::kCmdWriteText).front().Address(), 1);  // no footer flag
  EXPECT_TRUE(bench.Texts().empty());
}

TEST(WriteReportHeaders, RefusesAnotherVariantAndADeviceWithoutTexts) {
  TextBench wrong(0x47, 0x53);
  model::MakeNewConfiguration(wrong.set, 0x46, 0x10);
  EXPECT_FALSE(wrong.Write());
  EXPECT_EQ(wrong.Texts(),
            std::vector<std::string>{"Тип подключенного вычислителя не соответствует заданной "
                                     "конфигурации!"});
  TextBench old(0x44, 0x59);
  EXPECT_FALSE(old.Write());
  EXPECT_EQ(old.Texts(), std::vector<std::string>{
                             "Данный вычислитель не поддерживает ввод колонтитулов текстовых "
                             "отчетов.\n Необходимо обновить программное обеспечение "
                             "вычислителя!"});
  EXPECT_TRUE(old.Requests(device::kCmdWriteText).empty());
}

TEST(WriteReportHeaders, AFailurePartWayStopsWithTheExchangeMessage) {
  sim::Faults faults;
  faults.badCrcResponseTo = 5;
  testing::SimulatedExchange bench(0x47, 0x53, faults);
  model::ParameterSet set{};
  model::MakeNewConfiguration(set, 0x47, 0x53);
  set.headerEnabled = 1;
  std::strcpy(set.headerText, " long header");
  EXPECT_FALSE(bench.link.WriteReportHeaders(set, nullptr));
  EXPECT_EQ(bench.Texts(), std::vector<std::string>{"Ошибка при обмене данными с вычислителем!"});
  EXPECT_EQ(bench.Requests(device::kCmdWriteText).size(), 4u);
}

}  // namespace
}  // namespace tarvo
