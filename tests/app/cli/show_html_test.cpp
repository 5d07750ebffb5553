#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "model/document.h"
#include "shell/configuration_listing.h"
#include "support/cli_run.h"
#include "support/html_reader.h"
#include "support/json_check.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

using testing::CliRun;
using testing::Tarvo;

class ShowHtmlTest : public testing::TempDirTest {};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

TEST_F(ShowHtmlTest, EveryShownRowIsInTheListingOnceAndReadsBackAsShown) {
  // Windows allows no < or > in a file name.
#ifdef _WIN32
  const std::string name = "a&b '1'.par";
#else
  const std::string name = "a&b <1>.par";
#endif
  const std::string path = PathOf(name);
  model::ConfigurationDocument document;
  document.NewConfiguration(0x46);
  model::ParameterSet& set = document.Set();
  // Markup characters and a control byte in a digit string and in the report texts.
  std::memcpy(set.sms1First.chars, "<&\x01", 3);
  set.headerEnabled = 1;
  std::strcpy(set.headerText, "<b>Node & \"x\"</b>\r\n  line two");
  std::string message;
  ASSERT_TRUE(document.Store(path, message)) << message;

  // Every form in full, channels not in use too.
  const CliRun run = Tarvo({"show", path, "--format", "html", "--all"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(testing::IsUtf8(run.out));
  const testing::HtmlRead read = testing::ReadHtml(run.out);
  ASSERT_TRUE(read.wellFormed) << read.error;
  EXPECT_EQ(read.title, name + " — ЛУР-В, исполнение 46");
  for (const char* head :
       {"<th>Тип вычислителя</th><td>ЛУР-В</td>", "<th>Исполнение</th><td>46</td>",
        "<th>Версия ПО</th><td>00</td>", "<th>Дата</th><td>"}) {
    EXPECT_NE(run.out.find(head), std::string::npos) << head;
  }

  // Section by section, the rows are the forms' shown rows, in order, each once.
  ASSERT_TRUE(document.Open(path, message)) << message;
  const auto forms = shell::ListConfiguration(document.Set());
  ASSERT_EQ(read.sections.size(), forms.size() + 2);  // the head, the forms, the report texts
  std::size_t rows = 0;
  for (std::size_t f = 0; f < forms.size(); ++f) {
    const testing::HtmlSection& section = read.sections[f + 1];
    EXPECT_EQ(section.heading, shell::ShownTitle(forms[f]));
    ASSERT_EQ(section.rows.size(), forms[f].rows.size()) << section.heading;
    for (std::size_t r = 0; r < forms[f].rows.size(); ++r) {
      const shell::ListedRow& row = forms[f].rows[r];
      EXPECT_EQ(section.rows[r],
                (std::vector<std::string>{row.code, Trimmed(row.description),
                                          row.code == "K019" ? "<&\\x01" : row.value}));
      ++rows;
    }
  }
  EXPECT_GT(rows, 50u);
  const testing::HtmlSection& texts = read.sections.back();
  EXPECT_EQ(texts.heading, "Колонтитулы текстовых отчетов вычислителя");
  ASSERT_EQ(texts.blocks.size(), 2u);
  EXPECT_EQ(texts.blocks[0], "<b>Node & \"x\"</b>\n  line two");
  EXPECT_EQ(texts.blocks[1], "");
}

TEST_F(ShowHtmlTest, AConfigurationWithoutReportTextsListsOnlyItsForms) {
  const std::string path = testing::StoreNewConfiguration(PathOf("u.par"), 0x50);
  const CliRun run = Tarvo({"show", path, "--format", "html", "--all"});
  ASSERT_EQ(run.status, 0) << run.err;
  const testing::HtmlRead read = testing::ReadHtml(run.out);
  ASSERT_TRUE(read.wellFormed) << read.error;
  EXPECT_EQ(run.out.find("<pre>"), std::string::npos);
  EXPECT_EQ(read.sections.back().heading.rfind("Узел учета", 0), 0u)
      << read.sections.back().heading;
}

// Pages of dashes for channels and nodes the device does not use say less than one line each.
TEST_F(ShowHtmlTest, ChannelsAndNodesNotInUseAreOneLineEachUnlessAllAreAskedFor) {
  model::ConfigurationDocument document;
  document.NewConfiguration(0x50);
  document.Set().channels[1].mediumKind = 5;
  document.Set().nodes[0].nodeType = 1;
  std::string message;
  ASSERT_TRUE(document.Store(PathOf("u.par"), message)) << message;

  const CliRun run = Tarvo({"show", PathOf("u.par"), "--format", "html"});
  ASSERT_EQ(run.status, 0) << run.err;
  const testing::HtmlRead read = testing::ReadHtml(run.out);
  ASSERT_TRUE(read.wellFormed) << read.error;
  std::vector<std::string> headings;
  for (const testing::HtmlSection& section : read.sections) headings.push_back(section.heading);
  EXPECT_EQ(headings, (std::vector<std::string>{"", "Общесистемные параметры", "Канал учета 02",
                                                "Канал учета 02 — Параметры попутного газа",
                                                "Узел учета 01"}));
  for (const char* line :
       {"<p class=\"unused\"><b>Канал учета 01</b> — не используется (вид носителя 0)</p>",
        "<p class=\"unused\"><b>Канал учета 20</b> — не используется (вид носителя 0)</p>",
        "<p class=\"unused\"><b>Узел учета 02</b> — не используется (тип 0, каналов в составе "
        "нет)</p>"}) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  }
  std::size_t unused = 0;
  for (auto at = run.out.find("class=\"unused\""); at != std::string::npos;
       at = run.out.find("class=\"unused\"", at + 1)) {
    ++unused;
  }
  EXPECT_EQ(unused, 19u + 15u);

  const CliRun all = Tarvo({"show", PathOf("u.par"), "--format", "html", "--all"});
  EXPECT_EQ(all.out.find("class=\"unused\""), std::string::npos);
  EXPECT_EQ(testing::ReadHtml(all.out).sections.size(), 1u + 1u + 20u * 2u + 16u);
}

}  // namespace
}  // namespace tarvo::app
