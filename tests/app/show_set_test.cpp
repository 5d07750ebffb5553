#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/command.h"
#include "model/document.h"
#include "model/file_io.h"

namespace tarvo::app {
namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun Tarvo(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  CliIo io{out, err};
  const int status = RunTarvo(args, io);
  return {status, out.str(), err.str()};
}

std::vector<std::uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShowSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tarvo_show_set_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string NewFile(std::uint8_t executionCode, const std::string& name = "a.par") {
    model::ConfigurationDocument document;
    document.NewConfiguration(executionCode);
    const std::string path = (dir_ / name).string();
    std::string message;
    EXPECT_TRUE(document.Store(path, message)) << message;
    return path;
  }

  std::filesystem::path dir_;
};

TEST_F(ShowSetTest, ShowListsTheFormsOfEveryVariant) {
  for (const auto& [code, firstRow] : std::vector<std::pair<std::uint8_t, std::string>>{
           {0x46, "K003"}, {0x47, "K003"}, {0x50, "K0003"}, {0x60, "K003"}, {0x49, "K003"}}) {
    const std::string path = NewFile(code);
    const CliRun run = Tarvo({"show", path, "--format", "csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string head =
        "form,code,description,value\nsystem," + firstRow + ", Режим работы вычислителя,00";
    EXPECT_EQ(run.out.substr(0, head.size()), head);
    EXPECT_NE(run.err.find("каналов учета"), std::string::npos);  // pages not built: said so
  }
}

TEST_F(ShowSetTest, ShowTextAndJson) {
  const std::string path = NewFile(0x47);
  const CliRun text = Tarvo({"show", path, "--form", "node", "2"});
  EXPECT_EQ(text.status, 0);
  EXPECT_EQ(text.out,
            "Узел учета 2\n"
            "  П200  0000  Тип и состав узла учета (потребителя)\n"
            "  П201  1     Единицы измерения объема газа (1 - куб.м, 1000 - тыс.куб.м)\n"
            "  П202  -     Коэффициент усреднения массового расхода для закрытых систем\n"
            "  П215  00    Отчетный час суток\n");
  const CliRun json = Tarvo({"show", path, "--form=system", "--format", "json"});
  EXPECT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("{\"code\": \"K023\", \"description\": \" Договорное барометрическое "
                          "давление, МПа\", \"value\": \"0,1\"}"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find("\"executionCode\": \"47\""), std::string::npos);
}

TEST_F(ShowSetTest, ShowRefusesUnknownForms) {
  const std::string path = NewFile(0x42);
  EXPECT_EQ(Tarvo({"show", path, "--form", "node", "3"}).status, 2);
  EXPECT_EQ(Tarvo({"show", path, "--form", "page"}).status, 2);
  EXPECT_EQ(Tarvo({"show", path, "--format", "xml"}).status, 2);
  const CliRun channel = Tarvo({"show", path, "--form", "channel", "1"});
  EXPECT_EQ(channel.status, 1);
  EXPECT_EQ(channel.err,
            "Страницы параметров каналов учета вычислителя ЛУР-Г еще не реализованы в этой "
            "версии программы.\n");
}

TEST_F(ShowSetTest, SetStoresAcceptedValues) {
  const std::string path = NewFile(0x47);
  const CliRun run =
      Tarvo({"set", path, "K018=1", "K020=5,5", "П215=12", "к003=0100", "п100=2120"});
  ASSERT_EQ(run.status, 0) << run.err;
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(path, message));
  const model::ParameterSet& set = document.Set();
  EXPECT_EQ(set.daylightSaving, 1);
  EXPECT_EQ(set.contractColdWaterTemp, model::Float32::Of(5.5f));
  EXPECT_EQ(set.nodes[1].reportHour, 12);
  EXPECT_STREQ(set.modeSpec.chars, "01000000");
  EXPECT_EQ(set.nodes[0].nodeType, 2);
  EXPECT_EQ(set.nodes[0].composition[1], 2);
  EXPECT_EQ(set.checkForStart, 1);
}

TEST_F(ShowSetTest, RefusalsLeaveTheFileByteForByte) {
  const std::string path = NewFile(0x47);
  const auto before = Bytes(path);
  struct Case {
    std::vector<std::string> assignments;
    int status;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"K018=1", "K023=0.12"},
       1,
       "Ошибка: Договорное барометрическое давление должно либо быть в диапазоне от 0,09 до "
       "0,11 МПа, либо равняться нулю\nФайл " +
           path + " не изменен.\n"},
      {{"K003=0010"},
       1,
       "Ошибка: Ошибка при вводе спецификации режима работы вычислителя\nФайл " + path +
           " не изменен.\n"},
      {{"K003=00100"}, 1, "Код K003: значение «00100» длиннее ячейки (наибольшая длина 4).\n"},
      {{"K999=1"}, 1, "Код K999 не показывает ни одна форма вычислителя ЛУР-Г (исполнение 47).\n"},
      {{"K034=1", "K105=3"},
       1,
       "Страницы параметров каналов учета вычислителя ЛУР-Г еще не реализованы в этой версии "
       "программы. Код K105 не может быть задан.\n"},
      {{"K018=2"}, 1, "Код K018: флажок принимает только 1 или 0, задано «2».\n"},
      {{"П100=1100", "П200=1100"},
       1,
       "Ошибка: Канал учета 1 уже находится в составе узла учета 1.\nНельзя использовать один "
       "и тот же канал учета в составе более чем одного узла учета\nФайл " +
           path + " не изменен.\n"},
      {{"K018"}, 2, ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"set", path};
    args.insert(args.end(), c.assignments.begin(), c.assignments.end());
    const CliRun run = Tarvo(args);
    EXPECT_EQ(run.status, c.status) << c.assignments[0];
    if (!c.err.empty()) {
      EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Bytes(path), before) << c.assignments[0];
  }
}

TEST_F(ShowSetTest, HiddenRowsAreNotShownBySet) {
  const std::string path = NewFile(0x42);
  const CliRun run = Tarvo({"set", path, "K034=123"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Код K034 не показывает ни одна форма вычислителя ЛУР-Г (исполнение 42).\n");
}

TEST_F(ShowSetTest, SwitchAndNoStartCheckDoNotChangeTheStoredSwitch) {
  const std::string path = NewFile(0x50);
  const CliRun run = Tarvo({"set", path, "K0018=1", "--no-start-check"});
  ASSERT_EQ(run.status, 0) << run.err;
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(path, message));
  EXPECT_EQ(document.Set().checkForStart, 1);
  EXPECT_EQ(document.Set().daylightSaving, 1);
}

}  // namespace
}  // namespace tarvo::app
