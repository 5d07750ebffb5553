#include "model/parameter_code.h"

#include <gtest/gtest.h>

#include "model/device_variant.h"
#include "model/parameter_row.h"

namespace tarvo::model {
namespace {

struct CodeCase {
  DeviceVariant variant;
  int index;
  int number;
  bool node;
  const char* code;
};

class ParameterCodeTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ParameterCodeTest, Code) {
  const CodeCase c = GetParam();
  EXPECT_EQ(ParameterCode(c.variant, c.index, c.number, c.node), c.code);
}

INSTANTIATE_TEST_SUITE_P(Codes, ParameterCodeTest,
                         ::testing::Values(CodeCase{DeviceVariant::UV, 9, 5, false, "K-05"},
                                           CodeCase{DeviceVariant::U, 9, 5, false, "K1005"},
                                           CodeCase{DeviceVariant::U, -1, 18, false, "K0018"},
                                           CodeCase{DeviceVariant::U, 4, 7, false, "K0507"},
                                           CodeCase{DeviceVariant::G, -1, 23, false, "K023"},
                                           CodeCase{DeviceVariant::G, 2, 7, false, "K307"},
                                           CodeCase{DeviceVariant::G, 1, 15, true, "П215"},
                                           CodeCase{DeviceVariant::U, 1, 15, true, "П0215"},
                                           CodeCase{DeviceVariant::V, 9, 15, true, "П-15"},
                                           CodeCase{DeviceVariant::U, 19, 97, false, "K2097"},
                                           CodeCase{DeviceVariant::L, 0, 0, false, "K100"}));

TEST(VariantNameTest, Names) {
  EXPECT_EQ(VariantName(DeviceVariant::V), "ЛУР-В");
  EXPECT_EQ(VariantName(DeviceVariant::G), "ЛУР-Г");
  EXPECT_EQ(VariantName(DeviceVariant::U), "ЛУР-У");
  EXPECT_EQ(VariantName(DeviceVariant::UV), "ЛУР-УВ");
  EXPECT_EQ(VariantName(DeviceVariant::L), "ЛУР-Л");
  EXPECT_EQ(VariantName(DeviceVariant::None), "");
  EXPECT_EQ(VariantName(static_cast<DeviceVariant>(6)), "");
}

TEST(FillParameterRowTest, FillsAllThreeCells) {
  ParameterCells cells;
  FillParameterRow(cells, DeviceVariant::G, 24, " Договорная температура, град.С",
                   Float32::Of(-12.5f), 1, false);
  EXPECT_EQ(cells.code, "K224");
  EXPECT_EQ(cells.description, " Договорная температура, град.С");
  EXPECT_EQ(cells.value, "-12,5");
  EXPECT_EQ(cells.valueMaxLength, 9);
  FillParameterRow(cells, DeviceVariant::V, 1, "x", Float32::NotSet(), 9, true);
  EXPECT_EQ(cells.code, "П-01");
  EXPECT_EQ(cells.value, "-");
}

}  // namespace
}  // namespace tarvo::model
