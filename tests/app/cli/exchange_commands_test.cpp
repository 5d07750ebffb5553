#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/command.h"
#include "app/cli/sim_serve.h"
#include "platform/port_map.h"

namespace tarvo::app {
namespace {

struct Case {
  std::vector<std::string> args;
  int status;
  std::string firstLine;  // of stderr
};

// A port name the system does not take (Windows takes COM10 and above), and its refusal.
#ifdef _WIN32
const char* const kRefusedPort = "LPT1";
const char* const kRefusedPortMessage =
    "tarvo read: порт задается как COMn, \\\\.\\COMn, tcp://УЗЕЛ:ПОРТ или rfc2217://УЗЕЛ:ПОРТ, а "
    "не LPT1";
#else
const char* const kRefusedPort = "COM10";
const char* const kRefusedPortMessage =
    "tarvo read: порт задается как COM1..COM9, путь к устройству (/dev/ttyUSB0), tcp://УЗЕЛ:ПОРТ "
    "или rfc2217://УЗЕЛ:ПОРТ, а не COM10";
#endif

const std::string kExisting = ::testing::TempDir() + "tarvo-existing.par";

class ExchangeCommandRefusal : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override { std::ofstream(kExisting) << "x"; }
  void TearDown() override { std::filesystem::remove(kExisting); }
};

TEST_P(ExchangeCommandRefusal, SaysWhatIsWrongBeforeTouchingAnyPort) {
  if (GetParam().args.front() == "sim" && SimulatorUnavailable() != nullptr) {
    GTEST_SKIP() << SimulatorUnavailable();
  }
  std::ostringstream out, err;
  CliIo io{out, err};
  EXPECT_EQ(RunTarvo(GetParam().args, io), GetParam().status);
  EXPECT_EQ(err.str().substr(0, err.str().find('\n')), GetParam().firstLine);
  EXPECT_TRUE(out.str().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExchangeCommandRefusal,
    ::testing::Values(
        Case{{"read", "--port", "COM1", "--speed", "9600"},
             2,
             "tarvo read: нужно задать файл: -o ФАЙЛ.par"},
        Case{{"read", "--speed", "9600", "-o", "x.par"},
             2,
             std::string("tarvo read: нужно задать порт: --port COM1 или --port ") +
                 platform::SerialDeviceExample()},
        Case{{"read", "--port", kRefusedPort, "--speed", "9600", "-o", "x.par"},
             2,
             kRefusedPortMessage},
        Case{{"read", "--port", "COM1", "--speed", "115200", "-o", "x.par"},
             2,
             "tarvo read: скорость обмена: 2400, 4800, 9600 или 19200, а не 115200"},
        Case{{"read", "--port", "COM1", "--speed", "9600", "-o", kExisting},
             1,
             "Файл «" + kExisting + "» уже существует. Чтобы заменить его, добавьте --force."},
        Case{{"read", "--port", "/dev/tarvo-missing", "--speed", "9600", "-o",
              ::testing::TempDir() + "tarvo-never-written.par"},
             1,
             "Ошибка при открытии COM-порта!"},
        Case{{"write"}, 2, "tarvo write: нужно задать ровно один файл параметров"},
        Case{{"write-texts", ::testing::TempDir() + "tarvo-missing.par"},
             1,
             "Не удалось открыть файл параметров «" + ::testing::TempDir() +
                 "tarvo-missing.par»: файл или папка не найдены."},
        Case{{"sim"},
             2,
             "tarvo sim: нужно задать исполнение (--exec 47) или файл (--load ФАЙЛ.par)"},
        Case{{"sim", "--exec", "4G"},
             2,
             "tarvo sim: исполнение — две шестнадцатеричные цифры, а не 4G"},
        Case{{"sim", "--exec", "47", "--reject", "3"},
             2,
             "tarvo sim: --reject: нужно АДРЕС:ПАРАМЕТР[:КОД], например 0x83:15:3"},
        Case{{"sim", "--exec", "47", "--drop", "-1"},
             2,
             "tarvo sim: --drop: нужно число от 0 до 1000000, а не -1"},
        Case{{"sim", "--exec", "47", "--slow", "4800"},
             2,
             "tarvo sim: --slow: нужно N:МС (запрос от 1, МС до 60000), а не 4800"},
        Case{{"sim", "--exec", "47", "--stall", "0:5"},
             2,
             "tarvo sim: --stall: нужно N:БАЙТ (запрос от 1, БАЙТ до 260), а не 0:5"},
        Case{{"sim", "--exec", "47", "--tcp", "host:99999"},
             2,
             "tarvo sim: --tcp: нужно [УЗЕЛ:]ПОРТ, например 127.0.0.1:4001, а не host:99999"}));

TEST(ExchangeCommands, AFailedReadWritesNoFile) {
  std::ostringstream out, err;
  CliIo io{out, err};
  const std::string output = ::testing::TempDir() + "tarvo-never-written.par";
  EXPECT_EQ(RunTarvo({"read", "--port", "/dev/null", "--speed", "2400", "-o", output}, io), 1);
  // Windows has no /dev/null: the port is not found there.
#ifdef _WIN32
  EXPECT_EQ(err.str().substr(0, err.str().find('\n')), "Ошибка при открытии COM-порта!");
#else
  EXPECT_EQ(err.str(),
            "Ошибка при открытии COM-порта!\n/dev/null не является последовательным портом.\n");
#endif
  EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(SimCommand, SaysInOneSentenceWhereItIsNotAvailable) {
  if (SimulatorUnavailable() == nullptr) GTEST_SKIP() << "the simulator runs on this system";
  std::ostringstream out, err;
  CliIo io{out, err};
  EXPECT_EQ(RunTarvo({"sim", "--exec", "47"}, io), 1);
  EXPECT_EQ(err.str(),
            "Имитатор вычислителя в Windows недоступен: он работает только в Linux, на "
            "псевдотерминале.\n");
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace tarvo::app
