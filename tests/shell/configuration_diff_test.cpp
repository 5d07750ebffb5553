#include "shell/configuration_diff.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/case_name.h"

namespace tarvo::shell {
namespace {

// A form of "code=value" rows.
ListedForm Form(const std::string& name, const std::vector<std::string>& rows) {
  ListedForm form;
  form.name = name;
  form.title = "title of " + name;
  for (const std::string& row : rows) {
    const auto eq = row.find('=');
    form.rows.push_back({row.substr(0, eq), "", row.substr(eq + 1)});
  }
  return form;
}

// The differences as "form: code first→second" with "·" for a side without the row; a form one
// side lacks as "form only 1" or "form only 2".
std::vector<std::string> Shown(const std::vector<DifferentForm>& differences) {
  std::vector<std::string> lines;
  for (const DifferentForm& form : differences) {
    if (form.presence != Presence::Both) {
      lines.push_back(form.name + (form.presence == Presence::FirstOnly ? " only 1" : " only 2"));
      continue;
    }
    for (const DifferentRow& row : form.rows) {
      lines.push_back(form.name + ": " + row.code + " " + row.first.value_or("·") + "→" +
                      row.second.value_or("·"));
    }
  }
  return lines;
}

struct MergeCase {
  const char* what;
  std::vector<ListedForm> first;
  std::vector<ListedForm> second;
  std::vector<std::string> expected;
};

class CompareListingsTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(CompareListingsTest, KeepsFormOrderAndPlacesOneSidedEntriesWhereTheyStand) {
  const MergeCase& c = GetParam();
  EXPECT_EQ(Shown(CompareListings(c.first, c.second)), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareListingsTest,
    ::testing::Values(
        MergeCase{
            "same", {Form("system", {"K1=1", "K2=-"})}, {Form("system", {"K1=1", "K2=-"})}, {}},
        MergeCase{"values differ, order kept",
                  {Form("system", {"K1=1", "K2=2", "K3=3"})},
                  {Form("system", {"K1=1", "K2=5", "K3=6"})},
                  {"system: K2 2→5", "system: K3 3→6"}},
        MergeCase{"rows of one side follow the row before them",
                  {Form("system", {"K1=1", "K4=4"})},
                  {Form("system", {"K0=0", "K1=1", "K2=2", "K3=3", "K4=4"})},
                  {"system: K0 ·→0", "system: K2 ·→2", "system: K3 ·→3"}},
        MergeCase{"a row of the first side alone",
                  {Form("system", {"K1=1", "K2=2", "K3=3"})},
                  {Form("system", {"K1=1", "K3=3"})},
                  {"system: K2 2→·"}},
        MergeCase{"a code shown twice is matched in turn",
                  {Form("system", {"K1=1", "K1=2"})},
                  {Form("system", {"K1=1", "K1=3", "K1=4"})},
                  {"system: K1 2→3", "system: K1 ·→4"}},
        MergeCase{"forms one side lacks, in form order",
                  {Form("system", {"K1=1"}), Form("channel 1", {"K100=0"}), Form("texts", {})},
                  {Form("system", {"K1=2"}), Form("channel 1", {"K100=0"}),
                   Form("channel 2", {"K200=0"}), Form("node 1", {"П100=0"})},
                  {"system: K1 1→2", "channel 2 only 2", "node 1 only 2", "texts only 1"}}),
    testing::CaseNameOfWhat());

TEST(CompareConfigurations, TwoNotSetValuesAreEqualAndNotSetDiffersFromAValue) {
  auto first = std::make_unique<model::ParameterSet>();
  model::MakeNewConfiguration(*first, 0x47, 0);
  auto second = std::make_unique<model::ParameterSet>(*first);
  first->contractBaroPressure = model::Float32::NotSet();
  second->contractBaroPressure = model::Float32::NotSet();
  EXPECT_TRUE(CompareConfigurations(*first, *second).empty());

  second->contractBaroPressure = model::Float32::Of(0.1f);
  const auto differences = CompareConfigurations(*first, *second);
  ASSERT_EQ(differences.size(), 1u);
  ASSERT_EQ(differences[0].rows.size(), 1u);
  EXPECT_EQ(differences[0].rows[0].code, "K023");
  EXPECT_EQ(differences[0].rows[0].first, "-");
  EXPECT_EQ(differences[0].rows[0].second, "0,1");
}

}  // namespace
}  // namespace tarvo::shell
