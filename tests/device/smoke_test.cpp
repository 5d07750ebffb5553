#include <gtest/gtest.h>

#include "device/exchange_bench.h"
#include "sim/configuration_image.h"

namespace tarvo {
namespace {

TEST(Smoke, ReadsNewConfigurationBack) {
  for (std::uint8_t exec : model::AllExecutionCodes()) {
    for (std::uint8_t version : {0x05, 0x40, 0x60}) {
      model::ParameterSet original{};
      model::MakeNewConfiguration(original, exec, version);
      testing::ExchangeBench bench(exec, version);
      std::string message;
      ASSERT_TRUE(sim::LoadConfiguration(bench.device, original, message)) << message;
      model::ParameterSet read{};
      read.Reset();
      ASSERT_TRUE(bench.link.ReadAllParameters(read, nullptr))
          << std::hex << int(exec) << " " << (bench.Texts().empty() ? "" : bench.Texts()[0]);
      EXPECT_EQ(read.channelCount, original.channelCount) << std::hex << int(exec);
      EXPECT_EQ(read.nodeCount, original.nodeCount) << std::hex << int(exec);
      testing::ExchangeBench writeBench(exec, version);
      const bool ok = writeBench.link.WriteAllParameters(original, nullptr);
      EXPECT_TRUE(ok || !writeBench.Texts().empty()) << std::hex << int(exec);
    }
  }
}

}  // namespace
}  // namespace tarvo
