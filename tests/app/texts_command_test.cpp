#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/command.h"
#include "model/document.h"
#include "support/cli_run.h"
#include "support/temp_dir_test.h"

namespace tarvo::app {
namespace {

using testing::CliRun;
using testing::Tarvo;

class TextsCommandTest : public testing::TempDirTest {
 protected:
  std::string NewFile(const std::string& exec) {
    const std::string path = PathOf("a.par");
    EXPECT_EQ(Tarvo({"new", "--exec", exec, "-o", path, "--force"}).status, 0);
    return path;
  }
};

TEST_F(TextsCommandTest, StoresTheCheckedTextsAndShowPrintsThem) {
  const std::string par = NewFile("47");
  Write(PathOf("h.txt"), "ООО «Газ»\r\n  Отчет\r\n");
  Write(PathOf("f.txt"), "Подпись");
  const CliRun run =
      Tarvo({"texts", par, "--header", PathOf("h.txt"), "--footer", PathOf("f.txt")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Файл параметров сохранен: " + par + "\n");

  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(par, message)) << message;
  EXPECT_EQ(document.Set().headerEnabled, 1);
  EXPECT_STREQ(document.Set().headerText,
               " \xCE\xCE\xCE \xAB\xC3\xE0\xE7\xBB\r\n  \xCE\xF2\xF7\xE5\xF2");

  ASSERT_EQ(Tarvo({"texts", par, "--no-footer"}).status, 0);
  const CliRun show = Tarvo({"show", par, "--form", "texts"});
  EXPECT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(show.out,
            "Колонтитулы текстовых отчетов вычислителя\n"
            "  Использовать верхний колонтитул  1\n"
            "  Верхний колонтитул:\n"
            "  | ООО «Газ»\n"
            "  |  Отчет\n"
            "  Использовать нижний колонтитул  0\n"
            "  Нижний колонтитул:\n"
            "  | \n");
}

TEST_F(TextsCommandTest, RefusalsLeaveTheFileByteForByte) {
  struct Case {
    const char* name;
    std::string exec;
    std::string header;  // written to h.txt
    std::vector<std::string> options;
    int status;
    std::string err;
  };
  const std::string unchanged = "Файл " + PathOf("a.par") + " не изменен.\n";
  const std::string h = PathOf("h.txt");
  const std::vector<Case> cases = {
      {"line of 79",
       "47",
       "ok\n" + std::string(79, 'x') + "\n",
       {"--header", h},
       1,
       "Ошибка: Число символов в строке 2 верхнего колонтитула не должно превышать 78\n" +
           unchanged},
      {"longer than the edit",
       "49",
       std::string(121, 'x'),
       {"--header", h},
       1,
       "Ошибка: Верхний колонтитул не может быть длиннее 120 символов (перевод строки считается "
       "за 2), а в нем 121\n" +
           unchanged},
      {"escape for the printer",
       "47",
       "ok\n\x1B"
       "E bold\n",
       {"--header", h},
       1,
       "Ошибка: Управляющий символ (U+001B, ESC) в строке 2 верхнего колонтитула нельзя записать "
       "в колонтитул\n" +
           unchanged},
      {"no footer on L",
       "49",
       "",
       {"--footer", h},
       1,
       "У вычислителя ЛУР-Л нет нижнего колонтитула. " + unchanged},
      {"no texts on U",
       "50",
       "",
       {"--header", h},
       1,
       "Вычислитель ЛУР-У не поддерживает колонтитулы текстовых отчетов.\n"},
      {"both choices",
       "47",
       "",
       {"--header", h, "--no-header"},
       2,
       "tarvo texts: --header и --no-header исключают друг друга\n"},
      {"no choice",
       "47",
       "",
       {},
       2,
       "tarvo texts: нужно задать --header, --no-header, --footer или --no-footer\n"},
  };
  for (const Case& c : cases) {
    const std::string par = NewFile(c.exec);
    Write(h, c.header);
    const std::string before = Contents(par);
    std::vector<std::string> args = {"texts", par};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = Tarvo(args);
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(Contents(par), before) << c.name;
  }
}

TEST(TextsCommandHelpTest, ListedAndExplained) {
  EXPECT_NE(Tarvo({"--help"}).out.find("  texts       задать колонтитулы текстовых отчетов\n"),
            std::string::npos);
  EXPECT_EQ(Tarvo({"texts", "--help"}).out.rfind("Использование: tarvo texts ФАЙЛ.par", 0), 0u);
}

}  // namespace
}  // namespace tarvo::app
