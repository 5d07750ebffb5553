#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/case_name.h"
#include "support/cli_run.h"
#include "support/json_check.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

using testing::CliRun;
using testing::Tarvo;

class DiffCommandTest : public testing::TempDirTest {
 protected:
  // A new configuration of the execution, through the tool; then each command run on it.
  std::string NewFile(const std::string& name, const std::string& exec,
                      const std::vector<std::vector<std::string>>& changes = {}) {
    const std::string path = PathOf(name);
    const CliRun made = Tarvo({"new", "--exec", exec, "-o", path});
    EXPECT_EQ(made.status, 0) << made.err;
    Write(PathOf("h.txt"), std::string("Станция 7\nline 2\n"));
    for (std::vector<std::string> change : changes) {
      change.insert(change.begin() + 1, path);
      for (std::string& arg : change) {
        if (arg.starts_with("{dir}")) arg = dir_.string() + arg.substr(5);
      }
      const CliRun run = Tarvo(change);
      EXPECT_EQ(run.status, 0) << change[0] << ": " << run.err;
    }
    return path;
  }
};

TEST_F(DiffCommandTest, TheSameConfigurationPrintsNothingInEveryFormat) {
  const std::string a = NewFile("a.par", "47", {{"set", "K018=1", "П215=12"}});
  const std::string b = NewFile("b.par", "47", {{"set", "П215=12", "K018=1"}});
  for (const char* format : {"text", "csv", "json"}) {
    const CliRun run = Tarvo({"diff", a, b, "--format", format});
    EXPECT_EQ(run.status, 0) << format << ": " << run.err;
    EXPECT_EQ(run.out, "") << format;
    EXPECT_EQ(run.err, "") << format;
  }
}

struct ChangeCase {
  const char* what;
  const char* exec;
  std::vector<std::vector<std::string>> changes;
  std::vector<std::string> csvRows;  // every row that differs, in order
};

class DiffOfOneChange : public DiffCommandTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(DiffOfOneChange, ListsTheRowWithBothShownValues) {
  const ChangeCase& c = GetParam();
  const std::string before = NewFile("before.par", c.exec);
  const std::string after = NewFile("after.par", c.exec, c.changes);

  const CliRun csv = Tarvo({"diff", before, after, "--format", "csv"});
  EXPECT_EQ(csv.status, 1) << csv.err;
  std::string expected = "form,code,description,value1,value2,only\n";
  for (const std::string& row : c.csvRows) expected += row + "\n";
  EXPECT_EQ(csv.out, expected);

  // The other way round the values change places.
  const CliRun back = Tarvo({"diff", after, before, "--format", "json"});
  EXPECT_EQ(back.status, 1);
  EXPECT_TRUE(testing::JsonCheck::Valid(back.out)) << back.out;
  EXPECT_NE(back.out.find("\"first\": {\"file\": \"" + after + "\""), std::string::npos)
      << back.out;
}

INSTANTIATE_TEST_SUITE_P(
    EachKindOfForm, DiffOfOneChange,
    ::testing::Values(
        ChangeCase{"system",
                   "47",
                   {{"set", "K018=1"}},
                   {"system,K018, Автоматический перевод часов на летнее/зимнее время,0,1,"}},
        // Not set against set.
        ChangeCase{
            "channel",
            "47",
            {{"set", "K165=0,05", "--no-start-check"}},
            {"channel 1,K165, Молярная доля диоксида углерода в природном газе,-,\"0,05\","}},
        ChangeCase{"node", "47", {{"set", "П215=12"}}, {"node 2,П215,Отчетный час суток,00,12,"}},
        ChangeCase{"dialog behind a button",
                   "42",
                   {{"set", "K271=7", "--no-start-check"}},
                   {"channel 2/irvis,K271,,-,7,"}},
        // The editor's OK gives every line its leading space, the empty footer's too.
        ChangeCase{"report texts",
                   "47",
                   {{"texts", "--header", "{dir}/h.txt"}},
                   {"texts,header,Использовать верхний колонтитул,0,1,",
                    "texts,header-text,Верхний колонтитул,, Станция 7\\x0A line 2,",
                    "texts,footer-text,Нижний колонтитул,, ,"}}),
    testing::CaseNameOfWhat());

TEST_F(DiffCommandTest, TextListsFormsInOrderWithBothValues) {
  const std::string a = NewFile("a.par", "47");
  const std::string b = NewFile("b.par", "47", {{"set", "П215=12", "K018=1"}});
  const CliRun run = Tarvo({"diff", a, b});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "1: " + a +
                         " — ЛУР-Г, исполнение 47, версия ПО 00\n"
                         "2: " +
                         b +
                         " — ЛУР-Г, исполнение 47, версия ПО 00\n"
                         "\n"
                         "Общесистемные параметры\n"
                         "  K018  0 → 1  Автоматический перевод часов на летнее/зимнее время\n"
                         "\n"
                         "Узел учета 2\n"
                         "  П215  00 → 12  Отчетный час суток\n");
}

TEST_F(DiffCommandTest, TextQuotesValuesWithBlankEdges) {
  const std::string a = NewFile("a.par", "47");
  const std::string b = NewFile("b.par", "47", {{"texts", "--header", "{dir}/h.txt"}});
  const CliRun run = Tarvo({"diff", a, b});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("\n  header-text  «» → « Станция 7\\x0A line 2»  Верхний колонтитул\n"),
            std::string::npos)
      << run.out;
}

TEST_F(DiffCommandTest, DifferentVariantsCompareTheFormsTheyShare) {
  const std::string g = NewFile("g.par", "47");
  const std::string v = NewFile("v.par", "46");
  const CliRun text = Tarvo({"diff", g, v});
  EXPECT_EQ(text.status, 1) << text.err;
  // Forms one side lacks are one line each; a shared form lists the rows only one side shows.
  EXPECT_NE(text.out.find("\n  K018  0       → (нет)    Автоматический перевод часов"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("\n  K017  (нет)   → 0        Автоматический перевод часов"),
            std::string::npos);

  const CliRun csv = Tarvo({"diff", g, v, "--format", "csv"});
  EXPECT_NE(csv.out.find("\nsystem,K023,\" Договорное барометрическое давление, МПа\",\"0,1\",,\n"),
            std::string::npos)
      << csv.out;
  const CliRun json = Tarvo({"diff", g, v, "--format", "json"});
  EXPECT_TRUE(testing::JsonCheck::Valid(json.out)) << json.out;
  EXPECT_NE(json.out.find("\"value2\": null"), std::string::npos);
}

TEST_F(DiffCommandTest, ChannelCountsDifferingListTheExtraFormsAsInOneOnly) {
  // ЛУР-У executions differ in their channel and node counts: 50 has 20 channels, 53 ten.
  const std::string many = NewFile("many.par", "50");
  const std::string few = NewFile("few.par", "53");
  const CliRun text = Tarvo({"diff", few, many});
  EXPECT_EQ(text.status, 1) << text.err;
  EXPECT_NE(text.out.find("\nКанал учета 11: только в " + many +
                          "\nКанал учета 11 — Параметры "
                          "попутного газа: только в " +
                          many + "\nКанал учета 12: только в " + many + "\n"),
            std::string::npos)
      << text.out;
  const CliRun csv = Tarvo({"diff", few, many, "--format", "csv"});
  EXPECT_NE(csv.out.find("\nchannel 20,K2000, Вид носителя и тип преобразователей,,00000000,2\n"),
            std::string::npos)
      << csv.out;
}

TEST_F(DiffCommandTest, AFileThatCannotBeComparedIsTroubleNotADifference) {
  const std::string a = NewFile("a.par", "47");
  const CliRun missing = Tarvo({"diff", a, PathOf("none.par")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("none.par"), std::string::npos) << missing.err;

  EXPECT_EQ(Tarvo({"diff", a}).status, 2);
  EXPECT_EQ(Tarvo({"diff", a, a, "--format", "xml"}).status, 2);
}

}  // namespace
}  // namespace tarvo::app
