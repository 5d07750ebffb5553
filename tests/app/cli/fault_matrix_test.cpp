// Line faults end to end: the tarvo binary against `tarvo sim` on a pseudo-terminal. Each row
// gives what the user is told, the exit status and the time taken, and checks that a failed read
// leaves no file and that a write never changes its file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <thread>

#include "model/document.h"
#include "platform/file_io.h"
#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"
#include "support/child_process.h"
#include "support/tarvo_program.h"

namespace tarvo {
namespace {

using testing::AsUnprivilegedUser;
using testing::Finished;

enum class Line { Simulator, Missing, HeldByAnother };
// Where tarvo keeps its copies: a folder of the row's own, or a file in its place.
enum class DataHome { Folder, File };

// The line faults of the write procedure itself, without the reads around it.
constexpr const char* kPlainWrite = "--no-backup --no-verify";

struct Row {
  const char* fault;
  const char* sim;         // tarvo sim's options
  std::uint8_t writes;     // the execution code of the file written; 0 for a read
  int status;              // tarvo's exit status
  std::string said;        // all of stderr, then stdout's first line; {port} is the line
  double atLeast, atMost;  // seconds
  Line line = Line::Simulator;
  const char* writeOptions = kPlainWrite;
  DataHome dataHome = DataHome::Folder;
  double interruptAt = 0;  // seconds after the start tarvo gets Ctrl+C (SIGINT); 0 for never
};

const std::string kExchange = "Ошибка при обмене данными с вычислителем!";
const std::string kWriteValues = "Ошибка при записи значений параметров в вычислитель!";
const std::string kRead = "Чтение параметров успешно завершено!";
const std::string kWrite = "Запись параметров успешно завершена!";
const std::string kPortOpen = "Ошибка при открытии COM-порта!\n";
const std::string kBackupPhase = "Сохранение копии конфигурации вычислителя...\n";
const std::string kWritePhase = "Запись параметров...\n";
const std::string kVerifyPhase = "Проверка записанного...\n";
const std::string kReadStopped = "Чтение остановлено. Конфигурация из вычислителя не получена.\n";
const std::string kNoCopy =
    "Копия конфигурации вычислителя не сохранена: в вычислитель ничего не записано.";

// The read sends the wake-up and pauses 2 s, as does a write to ЛУР-Л. A response may take 5 s
// to start and each later part 1 s; the rest of each bound is for starting two programs on a
// busy machine.
constexpr double kWakeUp = 2.0;
constexpr double kFirstByte = 5.0;
constexpr double kPart = 1.0;
#if defined(__SANITIZE_ADDRESS__)
// Sanitized programs take several times as long to start and to run.
constexpr double kSlack = 4.0;
#else
constexpr double kSlack = 1.5;
#endif

// Request numbers count the answered frames from 1: a write to ЛУР-Г identifies the device (1),
// reads its daylight-saving switch (2) and then writes (3 on); a read identifies (1) and scans.
std::vector<Row> Rows() {
  return {
      {"noise before every response", "--exec 47 --noise 7", 0, 0, kRead, kWakeUp,
       kWakeUp + kSlack},
      {"echoing RS-485 adapter, read", "--exec 49 --echo", 0, 0, kRead, kWakeUp, kWakeUp + kSlack},
      {"echoing RS-485 adapter, write", "--exec 49 --echo", 0x49, 0, kWrite, kWakeUp,
       kWakeUp + kSlack},
      {"dropped response, read", "--exec 47 --drop 3", 0, 1, kExchange, kWakeUp + kFirstByte,
       kWakeUp + kFirstByte + kSlack},
      {"dropped response, write", "--exec 47 --drop 4", 0x47, 1, kWriteValues, kFirstByte,
       kFirstByte + kSlack},
      {"bad CRC", "--exec 47 --bad-crc 3", 0x47, 1, kWriteValues, 0, kSlack},
      {"turnaround 4.8 s, inside the limit", "--exec 47 --slow 1:4800", 0x47, 0, kWrite, 4.8,
       kFirstByte + kSlack},
      {"turnaround 5.2 s, past the limit", "--exec 47 --slow 1:5200", 0x47, 1, kExchange,
       kFirstByte, kFirstByte + kSlack},
      {"data part stalls after 6 of 9 bytes", "--exec 47 --stall 1:6", 0, 1, kExchange,
       kWakeUp + kPart, kWakeUp + kPart + kSlack},
      {"rejected parameter", "--exec 47 --reject 0:3", 0x47, 0,
       "Ошибка при записи параметра K003!\n" + kWrite, 0, kSlack},
      {"line hung up part-way", "--exec 47 --hangup-after 5", 0x47, 1, kWriteValues, 0, kSlack},
      {"missing port", "", 0, 1, kPortOpen + "Устройство {port} не найдено.", 0, kSlack,
       Line::Missing},
      {"port held by another program", "--exec 47", 0x47, 1,
       kPortOpen + "Устройство {port} занято другой программой.", 0, kSlack, Line::HeldByAnother},
      {"unknown execution code", "--exec 7A", 0, 1,
       kExchange + "\nИсполнение вычислителя 7A программе не известно.", kWakeUp, kWakeUp + kSlack},
      {"device of another variant", "--exec 60", 0x49, 1,
       "Тип подключенного вычислителя не соответствует заданной конфигурации!", kWakeUp,
       kWakeUp + kSlack},
      // The safe write: a copy read before, the device read back after.
      {"copy: response dropped", "--exec 47 --drop 3", 0x47, 1,
       kBackupPhase + kExchange + "\n" + kNoCopy, kWakeUp + kFirstByte,
       kWakeUp + kFirstByte + kSlack, Line::Simulator, ""},
      {"copy: folder cannot be made", "--exec 47", 0x47, 1,
       kBackupPhase + "Папка копий «{data}/TarvoConfig/backups» недоступна: {notdir}.\n" + kNoCopy,
       0, kSlack, Line::Simulator, "", DataHome::File},
      {"verification: value held otherwise", "--exec 47 --alter 0:20", 0x47, 1,
       kBackupPhase + kWritePhase + kVerifyPhase +
           "Вычислитель хранит не то, что было записано:\n  Общесистемные параметры\n"
           "    K020  записано 7,5, в вычислителе 8,5  Договорная температура холодной воды, "
           "град.С\n" +
           kWrite,
       2 * kWakeUp, 2 * kWakeUp + kSlack, Line::Simulator, ""},
      // Stops: with a turnaround of 0.2 s the copy of a new ЛУР-Г takes 2 s of wake-up and 4.6 s,
      // the write 4.4 s, the read back 2 s of wake-up and 4.6 s.
      {"stop during the copy", "--exec 47 --delay 200", 0x47, 1,
       kBackupPhase + kReadStopped + kNoCopy, 1.0, 1.0 + kSlack, Line::Simulator, "",
       DataHome::Folder, 1.0},
      {"stop during the write", "--exec 47 --delay 200", 0x47, 1,
       kBackupPhase + kWritePhase +
           "Запись остановлена. Вычислитель теперь хранит только часть новой конфигурации: она "
           "неполна и может быть несогласованна.\nЗапишите параметры в вычислитель еще раз.\n"
           "Копия конфигурации вычислителя сохранена: {data}/TarvoConfig/backups/{copy}",
       8.8, 8.8 + kSlack, Line::Simulator, "", DataHome::Folder, 8.8},
      {"stop during the check", "--exec 47 --delay 200", 0x47, 1,
       kBackupPhase + kWritePhase + kVerifyPhase + kReadStopped +
           "Параметры записаны, но проверка записанного не закончена: что хранит вычислитель, не "
           "известно.\n" +
           kWrite,
       12.0, 12.0 + kSlack, Line::Simulator, "", DataHome::Folder, 12.0},
      // The copy takes 23 answered requests of a new ЛУР-Г, the write 22: 50 is in the read back.
      {"verification: line hung up", "--exec 47 --hangup-after 50", 0x47, 1,
       kBackupPhase + kWritePhase + kVerifyPhase + kExchange + "\n" +
           "Параметры записаны, но проверка записанного не закончена: что хранит вычислитель, не "
           "известно.\n" +
           kWrite,
       2 * kWakeUp, 2 * kWakeUp + kFirstByte + kSlack, Line::Simulator, ""},
  };
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of its own for each row, open to every user (a row may run as another one).
std::string MakeRowFolder() {
  std::string pattern = ::testing::TempDir() + "tarvo-faults-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  ::chmod(pattern.c_str(), 0777);
  return pattern + "/";
}

// A contract cold-water temperature no new configuration has, so a write shows in the device.
constexpr float kWrittenTemperature = 7.5f;

struct Outcome {
  Finished run;
  std::string port;
  std::string inputBefore;
  bool wroteToDevice = false;
};

class FaultRow {
 public:
  FaultRow(const Row& row, std::vector<std::string> runAs = {})
      : row_(row), runAs_(std::move(runAs)), folder_(MakeRowFolder()) {
    if (row_.writes != 0) {
      model::ConfigurationDocument document;
      document.NewConfiguration(row_.writes, 0);
      document.Set().contractColdWaterTemp = model::Float32::Of(kWrittenTemperature);
      std::string message;
      EXPECT_TRUE(document.Store(Input(), message)) << message;
      outcome_.inputBefore = Contents(Input());
    }
  }
  ~FaultRow() { std::filesystem::remove_all(folder_); }

  std::string Input() const { return folder_ + "input.par"; }
  std::string Output() const { return folder_ + "output.par"; }
  std::string DeviceImage() const { return folder_ + "device.par"; }
  std::string DataHomePath() const {
    return row_.dataHome == DataHome::File ? Input() : folder_ + "data";
  }

  // Starts the simulator and holds its line if the row says so.
  void Start() {
    if (row_.line == Line::Missing) {
      outcome_.port = "/dev/tarvo-no-such-port";
      return;
    }
    std::vector<std::string> sim = {TARVO_EXECUTABLE, "sim", "--save-on-exit", DeviceImage()};
    for (const std::string& word : Words(row_.sim)) sim.push_back(word);
    device_ = std::make_unique<testing::Background>(sim);
    outcome_.port = device_->firstLine();
    std::string reason;
    if (row_.line == Line::HeldByAnother && !outcome_.port.empty()) {
      EXPECT_TRUE(holder_.Open(outcome_.port, reason)) << reason;
    }
  }

  // Runs tarvo against the line, then stops the simulator; may run on a thread of its own.
  void Run() {
    if (outcome_.port.empty()) return;
    std::vector<std::string> argv = runAs_;
    if (row_.interruptAt > 0) {
      // --foreground: one Ctrl+C to tarvo alone, not a second one to the group (a second
      // Ctrl+C ends tarvo at once, as on a terminal).
      argv.insert(argv.end(), {"timeout", "--foreground", "--preserve-status", "--signal=INT",
                               std::to_string(row_.interruptAt)});
    }
    // The copies go to the row's folder, never to the user's own.
    argv.insert(argv.end(), {"/usr/bin/env", "XDG_DATA_HOME=" + DataHomePath(), TARVO_EXECUTABLE});
    if (row_.writes == 0) {
      argv.insert(argv.end(), {"read", "-o", Output()});
    } else {
      argv.insert(argv.end(), {"write", Input()});
      for (const std::string& word : Words(row_.writeOptions)) argv.push_back(word);
    }
    argv.insert(argv.end(), {"--port", outcome_.port, "--speed", "19200"});
    outcome_.run = testing::RunToEnd(argv);
    holder_.Close();
    if (device_) {
      device_->Stop();
      model::ConfigurationDocument image;
      std::string message;
      outcome_.wroteToDevice =
          image.Open(DeviceImage(), message) &&
          image.Set().contractColdWaterTemp.bits == model::Float32::Of(kWrittenTemperature).bits;
    }
  }

  void Check() const {
    SCOPED_TRACE(row_.fault);
    const Finished& run = outcome_.run;
    ASSERT_FALSE(outcome_.port.empty()) << "the simulator did not start";
    EXPECT_EQ(run.status, row_.status);
    EXPECT_EQ(Said(), Replace(Replace(Replace(row_.said, "{port}", outcome_.port), "{data}",
                                      DataHomePath()),
                              "{notdir}", platform::ReasonOfErrno(ENOTDIR)));
    EXPECT_GE(run.seconds, row_.atLeast);
    EXPECT_LE(run.seconds, row_.atMost);
    if (row_.writes == 0) {
      EXPECT_EQ(std::filesystem::exists(Output()), row_.status == 0);
    } else {
      EXPECT_EQ(Contents(Input()), outcome_.inputBefore) << "the write changed its file";
      if (row_.status == 0) {
        EXPECT_TRUE(outcome_.wroteToDevice);
      }
    }
  }

  // What the user was told: the messages, then the first line of the result.
  std::string Said() const {
    const Finished& run = outcome_.run;
    std::string said = run.err + run.out.substr(0, run.out.find('\n'));
    while (!said.empty() && said.back() == '\n') said.pop_back();
    // A copy is named by the moment it was made.
    static const std::regex kCopyName(R"(\d{4}-\d\d-\d\d_\d{6}_[0-9A-F]{2}\.par)");
    return std::regex_replace(said, kCopyName, "{copy}");
  }

  // One line of the matrix: fault, what the user was told, exit status, seconds.
  std::string MatrixLine() const {
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%.2f", outcome_.run.seconds);
    return std::string("| ") + row_.fault + " | " + Replace(Said(), "\n", " / ") + " | " +
           std::to_string(outcome_.run.status) + " | " + seconds + " |";
  }

 private:
  Row row_;
  std::vector<std::string> runAs_;
  std::string folder_;
  Outcome outcome_;
  std::unique_ptr<testing::Background> device_;
  platform::posix::SteadyClock clock_;
  platform::posix::PosixSerialPort holder_{clock_};
};

// The exchanges wait on timers, not on the processor, so they run side by side and the slowest
// row sets the time of the whole test. The simulators start one after another beforehand, so that
// their start does not count against any row, and the rows a little apart.
TEST(FaultMatrix, EveryLineFaultIsToldInTimeAndChangesNoFile) {
  std::vector<std::unique_ptr<FaultRow>> rows;
  for (const Row& row : Rows()) {
    rows.push_back(std::make_unique<FaultRow>(row));
    rows.back()->Start();
  }
  std::vector<std::thread> threads;
  for (auto& row : rows) {
    threads.emplace_back([&row] { row->Run(); });
    // Programs that start all at once make each other late.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& row : rows) {
    row->Check();
    std::cout << row->MatrixLine() << "\n";
  }
}

TEST(FaultMatrix, APortTheUserMayNotOpen) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to run tarvo as another user (setpriv)";
  }
  const Row row{
      "port the user may not open",
      "--exec 47",
      0,
      1,
      kPortOpen + "Нет прав доступа к устройству {port}: оно доступно только своему владельцу.",
      0,
      kSlack};
  FaultRow fault(row, AsUnprivilegedUser());
  fault.Start();
  fault.Run();
  fault.Check();
  std::cout << fault.MatrixLine() << "\n";
}

}  // namespace
}  // namespace tarvo
