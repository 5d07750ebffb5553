#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "app/cli/command.h"
#include "forms/channel/channel_page.h"
#include "forms/channel/channel_sheet.h"
#include "model/document.h"
#include "support/cli_run.h"

namespace tarvo::app {
namespace {

using testing::CliRun;
using testing::Tarvo;

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

  // `tarvo set` with the assignments fails with the one message and leaves the file as it was.
  static void ExpectRefused(const std::string& path, const std::vector<std::string>& assignments,
                            const std::string& message, const std::vector<std::uint8_t>& before) {
    std::vector<std::string> args = {"set", path};
    args.insert(args.end(), assignments.begin(), assignments.end());
    const CliRun run = Tarvo(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, message + "\nФайл " + path + " не изменен.\n");
    EXPECT_EQ(Bytes(path), before) << assignments[0];
  }

  static std::string Hex(std::uint8_t code) {
    const char digits[] = "0123456789abcdef";
    return {digits[code >> 4], digits[code & 15]};
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
    // Every variant has its pages: nothing is left out.
    EXPECT_EQ(run.err, "") << int(code);
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
      {{"K100=5312000", "K102=100", "K103=40", "K105=8,5"},
       1,
       "Ошибка: Нижний предел измерений преобразователя объемного расхода (перепада давления) "
       "должен быть в диапазоне от нуля до 20% от верхнего предела измерения самого "
       "чувствительного преобразователя\nФайл " +
           path + " не изменен.\n"},
      {{"K100=5"},
       1,
       "Ошибка (невозможен пуск на счет): Необходимо задать договорное давление\nФайл " + path +
           " не изменен.\n"},
      {{"K170=1"}, 1, "Код K170 не показывает ни одна форма вычислителя ЛУР-Г (исполнение 47).\n"},
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

TEST_F(ShowSetTest, GasChannelPageAndItsIrvisTable) {
  const std::string path = NewFile(0x42);
  const CliRun shown = Tarvo({"show", path, "--form", "channel", "2", "--format", "csv"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  for (const char* line : {"channel 2,K200, Вид носителя и тип преобразователей,0000000\n",
                           "channel 2,K265, Молярная доля диоксида углерода в природном газе,-\n",
                           "channel 2/irvis,K270,,-\n", "channel 2/irvis,K297,,-\n"}) {
    EXPECT_NE(shown.out.find(line), std::string::npos) << line;
  }

  // A flowmeter of type 6 needs its whole table: the codes of the dialog behind the button.
  std::vector<std::string> args = {"set", path, "K100=5460000", "K102=250", "K111=1e19"};
  for (int number = 70; number <= 97; ++number) {
    args.push_back("K1" + std::to_string(number) + "=" + std::to_string(number) + ",5");
  }
  args.push_back("--no-start-check");
  const CliRun set = Tarvo(args);
  ASSERT_EQ(set.status, 0) << set.err;
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(path, message)) << message;
  const model::ChannelRecord& record = document.Set().channels[0];
  EXPECT_EQ(record.typeDigits3to5[0], 6);
  EXPECT_EQ(record.Slot(1), model::Float32::Of(250.0f));
  EXPECT_EQ(record.Slot(12), model::Float32::Of(1e19f));
  EXPECT_EQ(record.irvis1[0], model::Float32::Of(70.5f));
  EXPECT_EQ(record.irvis2[13], model::Float32::Of(97.5f));
  EXPECT_EQ(document.Set().checkForStart, 1);

  const CliRun text = Tarvo({"show", path, "--form", "channel", "1"});
  EXPECT_NE(text.out.find("\n  K100  5460000  "), std::string::npos);
  EXPECT_NE(text.out.find("Параметры расходомера ИРВИС-К300\n  K170  70,5\n  K171  71,5\n"),
            std::string::npos)
      << text.out;

  // Emptying one place of the table is refused by the page, switch or not.
  const auto before = Bytes(path);
  const CliRun refused = Tarvo({"set", path, "K185=-", "--no-start-check"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "Ошибка: Необходимо задать параметры расходомера ИРВИС-К300\nФайл " +
                             path + " не изменен.\n");
  EXPECT_EQ(Bytes(path), before);
  const CliRun j11 = Tarvo({"set", path, "K111=1e21"});
  EXPECT_EQ(j11.err, "Ошибка: Параметр j11 - за пределами допустимого диапазона!\nФайл " + path +
                         " не изменен.\n");
  EXPECT_EQ(Bytes(path), before);
}

// The channel pages of ЛУР-УВ and ЛУР-В through show and set: shown rows, stored values, and
// refusals that leave the file byte for byte.
TEST_F(ShowSetTest, ChannelPagesOfUvAndV) {
  const std::string uv = NewFile(0x60, "uv.par");
  const CliRun shown = Tarvo({"show", uv, "--form", "channel", "10", "--format", "csv"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  for (const char* line :
       {"channel 10,K-00, Вид носителя и тип преобразователей,0000\n",
        "channel 10,K-01,\" Назначение каналов преобразователей Q,P,T\",\"00,00,00\"\n",
        "channel 10,K1014, Вид архивных значений температуры и давления,11\n",
        "channel 10,K1016,\" Перечень НС, являющихся признаком функционального отказа\",00000000\n",
        "channel 10,K-19,\" Температурный коэффициент расходомера ВЭПС-Т, 1/град.C\",-\n"}) {
    EXPECT_NE(shown.out.find(line), std::string::npos) << line << shown.out;
  }
  const CliRun set = Tarvo(
      {"set", uv, "K-00=1132", "K-01=05,17,18", "K-02=100", "K1016=10000001", "--no-start-check"});
  ASSERT_EQ(set.status, 0) << set.err;
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(uv, message)) << message;
  const model::ChannelRecord& tenth = document.Set().channels[9];
  EXPECT_EQ(tenth.mediumKind, 1);
  EXPECT_EQ(tenth.typeDigit7, 2);
  EXPECT_EQ(tenth.pressureInput, 17);
  EXPECT_EQ(tenth.Slot(1), model::Float32::Of(100.0f));
  EXPECT_EQ(tenth.failureList, 0x81);

  const std::string v = NewFile(0x44, "v.par");
  const struct {
    std::string path;
    std::vector<std::string> assignments;
    std::string err;
  } refusals[] = {
      {uv, {"K101=49"}, "Ошибка: Ошибочно задан номер канала измерения расхода"},
      {uv,
       {"K-03=20,5", "--no-start-check"},
       "Ошибка: Нижний предел измерений расходомера должен быть в диапазоне от нуля до 20% от "
       "верхнего предела измерения расходомера"},
      {uv, {"K100=1"}, "Ошибка (невозможен пуск на счет): Необходимо задать договорное давление"},
      {v,
       {"K300=1300"},
       "Ошибка: Ошибочно задан параметр <Вид носителя и тип преобразователей>\n"
       "позиция 2 (тип преобразователя расхода) = 3: на канале 3 при исполнении 44 допустимы 0, "
       "4, 5, 7–9"},
      {v,
       {"K100=1400", "K123=3,5"},
       "Ошибка: Верхний предел измерений преобразователя давления должен быть в диапазоне от "
       "0,01 до 3 МПа"},
  };
  for (const auto& r : refusals) {
    const auto before = Bytes(r.path);
    std::vector<std::string> args = {"set", r.path};
    args.insert(args.end(), r.assignments.begin(), r.assignments.end());
    const CliRun run = Tarvo(args);
    EXPECT_EQ(run.status, 1) << r.assignments[0];
    EXPECT_EQ(run.err, r.err + "\nФайл " + r.path + " не изменен.\n");
    EXPECT_EQ(Bytes(r.path), before) << r.assignments[0];
  }
  // Execution 44 hides the archive rows.
  const CliRun hidden = Tarvo({"set", v, "K150=10"});
  EXPECT_EQ(hidden.status, 1);
  EXPECT_EQ(hidden.err,
            "Код K150 не показывает ни одна форма вычислителя ЛУР-В (исполнение 44).\n");
  const CliRun good = Tarvo(
      {"set", v, "K200=1910", "K201=100", "K208=0,1", "K209=20", "K223=1,6", "--no-start-check"});
  ASSERT_EQ(good.status, 0) << good.err;
  const CliRun text = Tarvo({"show", v, "--form", "channel", "2"});
  EXPECT_NE(text.out.find("\n  K200  1910  "), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("\n  K223  1,6   "), std::string::npos) << text.out;
}

TEST_F(ShowSetTest, LChannelPage) {
  const std::string path = NewFile(0x49);
  const CliRun shown = Tarvo({"show", path, "--form", "channel", "4"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_TRUE(
      shown.out.starts_with("Канал учета 4\n  K400  0000  Вид носителя и тип преобразователей\n"))
      << shown.out;
  EXPECT_NE(shown.out.find("\n  K426  -     Договорной расход, куб.м/ч\n"), std::string::npos)
      << shown.out;

  const CliRun set = Tarvo({"set", path, "K200=1534", "K201=2,5", "K202=0,2", "K203=20", "K214=1,6",
                            "K223=100", "K226=100"});
  ASSERT_EQ(set.status, 0) << set.err;
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(path, message)) << message;
  const model::ChannelRecord& record = document.Set().channels[1];
  EXPECT_EQ(record.typeDigit6, 3);
  EXPECT_EQ(record.Slot(7), model::Float32::Of(2.5f));
  EXPECT_EQ(record.Slot(6), model::Float32::Of(100.0f));

  // Refusals: a pressure transducer on channel 3, a contract flow above the limit, a value
  // demanded for the start of counting. The file stays byte for byte.
  const auto before = Bytes(path);
  const struct {
    std::vector<std::string> args;
    std::string message;
  } refusals[] = {
      {{"K300=1010"},
       "Ошибка: Ошибочно задан параметр <Вид носителя и тип преобразователей>\n"
       "позиция 3 (тип преобразователя давления) = 1: на канале 3 допустимо только 0"},
      {{"K226=100,5"},
       "Ошибка: Договорной расход должен быть в диапазоне от нуля до верхнего предела измерений "
       "расходомера"},
      {{"K214=-"},
       "Ошибка (невозможен пуск на счет): Необходимо задать верхний предел измерений "
       "преобразователя давления"},
  };
  for (const auto& refusal : refusals) {
    std::vector<std::string> args = {"set", path};
    args.insert(args.end(), refusal.args.begin(), refusal.args.end());
    const CliRun run = Tarvo(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, refusal.message + "\nФайл " + path + " не изменен.\n");
    EXPECT_EQ(Bytes(path), before);
  }
}

TEST_F(ShowSetTest, ChannelPageUAndItsGasDialog) {
  const std::string path = NewFile(0x53);
  const CliRun shown = Tarvo({"show", path, "--form", "channel", "10", "--format", "csv"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  for (const char* line :
       {"channel 10,K1000, Вид носителя и тип преобразователей,00000000\n",
        "channel 10,K1001, Назначение каналов преобразователей Q (dP),\"00,00,00\"\n",
        "channel 10,K1062, Молярная доля диоксида углерода в природном газе,-\n",
        "channel 10/gas,K1076,Тип концентраций компонентов,молярные\n",
        "channel 10/gas,K1093,\"Концентрация гептана, %\",-\n"}) {
    EXPECT_NE(shown.out.find(line), std::string::npos) << line;
  }

  // Associated gas needs its whole composition: the dialog's codes in the same command.
  std::vector<std::string> args = {"set",         path,      "K0100=12", "K0101=03,04",
                                   "K0102=17,18", "K0177=1", "K0181=4",  "K0185=4"};
  for (int number = 82; number <= 93; ++number) {
    if (number != 85) args.push_back("K01" + std::to_string(number) + "=8,4");
  }
  args.push_back("--no-start-check");
  const CliRun set = Tarvo(args);
  ASSERT_EQ(set.status, 0) << set.err;
  model::ConfigurationDocument document;
  std::string message;
  ASSERT_TRUE(document.Open(path, message)) << message;
  const model::ChannelRecord& record = document.Set().channels[0];
  EXPECT_EQ(record.mediumKind, 12);
  EXPECT_EQ(record.flowInputs[1], 4);
  EXPECT_EQ(record.temperatureInput, 18);
  EXPECT_EQ(record.gas.humidityKind, 1);
  EXPECT_EQ(record.gas.concentrations[12], model::Float32::Of(8.4f));

  const CliRun text = Tarvo({"show", path, "--form", "channel", "1"});
  EXPECT_NE(text.out.find("\n  K0100  12000000  "), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("  K0180  -              Относительная влажность, %\n"),
            std::string::npos)
      << text.out;

  // Refusals name their rule and leave the file as it was.
  const auto before = Bytes(path);
  const struct {
    std::vector<std::string> assignments;
    std::string message;
  } refusals[] = {
      {{"K0193=-", "K0181=12,4"},
       "Ошибка: Необходимо задать концентрации всех компонентов попутного нефтяного газа"},
      {{"K0201=04"},
       "Ошибка: Канал измерения 1-го преобразователя расхода (перепада давления) уже задействован "
       "на трубопроводе 01"},
      {{"K0100=04450010"},
       "Ошибка: Ошибочно задан параметр <Вид носителя и тип преобразователей>\n"
       "позиции 1–2 (вид носителя) = 04: электросчетчик задается только кодом 04450000, а "
       "позиция 7 = 1"},
      {{"K0100=04450000", "K0109=500"},
       "Ошибка (невозможен пуск на счет): Необходимо задать коэффициент трансформации "
       "электросчетчика"},
      {{"K0181=50"},
       "Ошибка: Сумма концентраций компонентов сухой части газа должна быть в диапазоне от 99.5 "
       "до 100.5 процентов!"},
  };
  for (const auto& r : refusals) ExpectRefused(path, r.assignments, r.message, before);
}

// Node pages of every variant through show and set: node 1 as shown, values accepted and
// stored, and a refusal that names the rule and leaves the file byte for byte.
TEST_F(ShowSetTest, NodePagesOfEveryVariant) {
  struct Case {
    std::uint8_t executionCode;
    std::string shown;
    std::vector<std::string> good;
    bool (*stored)(const model::ParameterSet& set);
    std::vector<std::string> bad;
    std::string message;
  };
  const std::vector<Case> cases = {
      {0x49,
       "Узел учета 1\n"
       "  П100  00000  Тип и состав узла учета (потребителя)\n",
       {"П100=51256", "П200=10000"},
       [](const model::ParameterSet& set) {
         return set.nodes[0].nodeType == 5 && set.nodes[0].composition[3] == 6 &&
                set.nodes[1].composition[0] == 0;
       },
       {"П100=51256", "П200=10001"},
       "Канал учета 4 уже находится в составе узла учета 1.\nНельзя использовать один и тот же "
       "канал учета в составе более чем одного узла учета"},
      {0x46,
       "Узел учета 1\n"
       "  П100  000000  Тип и состав узла учета (потребителя)\n"
       "  П101  -       Коэффициент усреднения массового расхода для закрытых систем\n"
       "  П124  -       Минимальная разность температур воды в подающем и обратном "
       "трубопроводах\n"
       "  П125  11222   Настройка накопления времени Tнш и приостановки счета при обнаружении "
       "НС\n",
       {"П100=400056", "П124=1,5", "П125=01132"},
       [](const model::ParameterSet& set) {
         return set.nodes[0].nodeType == 4 &&
                set.nodes[0].minTemperatureDifference == model::Float32::Of(1.5f) &&
                set.nodes[0].tnshSettings[3] == 3;
       },
       {"П124=0,5"},
       "Минимальная разность температур между прямым и обратным трубопроводом должна быть в "
       "диапазоне от 1 до 150 градусов Цельсия"},
      {0x60,
       "Узел учета 1\n"
       "  П100  0           Тип узла учета (потребителя)\n"
       "  П101  0000000000  Состав узла учета\n"
       "  П110  -           Коэффициент усреднения массового расхода для закрытых систем\n"
       "  П111  -           Константа часовой массы, т\n"
       "  П112  0           Алгоритм использования константы часовой массы\n"
       "  П113  -           Уставка небаланса масс\n"
       "  П114  -           Константа часовой энергии, ГДж(Гкал)\n"
       "  П115  0           Алгоритм использования константы часовой энергии\n"
       "  П118  -           Минимальная разность температур воды в подающем и обратном "
       "трубопроводах\n"
       "  П119  00011222    Настройка накопления времени Tнш и приостановки счета при "
       "обнаружении НС\n",
       {"П100=2", "П101=12", "П200=3", "П201=123", "П112=3"},
       [](const model::ParameterSet& set) {
         return set.nodes[0].nodeType == 2 && set.nodes[1].composition[2] == 3 &&
                set.nodes[0].hourlyMassAlgorithm == 3;
       },
       {"П112=3", "П119=10011222"},
       "Ошибочно задан параметр <Настройка накопления времени Tнш и приостановки счета при "
       "обнаружении НС>"},
      {0x50,
       "Узел учета 01\n"
       "  П0100  0           Тип узла учета (потребителя)\n"
       "  П0101  0000000000  Состав узла учета (с 1-го по 10-й трубопровод)\n"
       "  П0102  0000000000  Состав узла учета (с 11-го по 20-й трубопровод)\n"
       "  П0103  1           Признак единиц измерения объема газа (1 - куб.м, 1000 - "
       "тыс.куб.м)\n"
       "  П0104  -           Коэффициент усреднения массового расхода для закрытых систем\n"
       "  П0117  00          Отчетный час суток\n",
       {"П0100=7", "П0102=0000000001", "П0200=1", "П0201=0000100000", "П0300=1",
        "П0301=0000100000"},
       [](const model::ParameterSet& set) {
         return set.nodes[0].composition[19] == 1 && set.nodes[2].composition[4] == 1;
       },
       {"П0100=7", "П0102=0000000001", "П1200=1", "П1202=0000000001"},
       "Канал учета 20 уже находится в составе узла учета 01.\nДля узлов учета газа нельзя "
       "использовать один и тот же канал учета в составе более чем одного узла учета"},
  };
  for (const Case& c : cases) {
    const std::string path = NewFile(c.executionCode, "node" + Hex(c.executionCode) + ".par");
    const CliRun show = Tarvo({"show", path, "--form", "node", "1"});
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out, c.shown);

    std::vector<std::string> args = {"set", path};
    args.insert(args.end(), c.good.begin(), c.good.end());
    const CliRun set = Tarvo(args);
    ASSERT_EQ(set.status, 0) << set.err;
    model::ConfigurationDocument document;
    std::string message;
    ASSERT_TRUE(document.Open(path, message));
    EXPECT_TRUE(c.stored(document.Set())) << path;

    const auto before = Bytes(path);
    args = {"set", path};
    args.insert(args.end(), c.bad.begin(), c.bad.end());
    const CliRun refused = Tarvo(args);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Ошибка: " + c.message + "\nФайл " + path + " не изменен.\n");
    EXPECT_EQ(Bytes(path), before) << path;
  }
}

TEST_F(ShowSetTest, HiddenRowsAreNotShownBySet) {
  const std::string path = NewFile(0x42);
  const CliRun run = Tarvo({"set", path, "K034=123"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Код K034 не показывает ни одна форма вычислителя ЛУР-Г (исполнение 42).\n");
  const CliRun node = Tarvo({"set", NewFile(0x44, "b.par"), "П125=11222"});
  EXPECT_EQ(node.status, 1);
  EXPECT_EQ(node.err, "Код П125 не показывает ни одна форма вычислителя ЛУР-В (исполнение 44).\n");
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
