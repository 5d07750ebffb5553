// Reads and writes full configurations through `tarvo sim` over a pseudo-terminal paced at the
// line's rate, and compares the time taken with what the bytes need on the wire.
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "device/device_link.h"
#include "full_configuration.h"
#include "model/document.h"
#include "platform/posix/posix_serial_port.h"
#include "platform/posix/steady_clock.h"
#include "sim/message_log.h"

namespace {

using namespace tarvo;

constexpr int kTurnaroundMs = 2;
constexpr int kWakeUpMs = 2000;

double Seconds(clockid_t clock) {
  timespec now{};
  ::clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Simulator {
  pid_t pid = -1;
  std::string path;
};

Simulator StartSimulator(const std::string& tarvo, const std::string& file, int baud) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    const std::string pace = std::to_string(baud);
    const std::string delay = std::to_string(kTurnaroundMs);
    ::freopen("/dev/null", "w", stderr);
    ::execl(tarvo.c_str(), tarvo.c_str(), "sim", "--load", file.c_str(), "--pace", pace.c_str(),
            "--delay", delay.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  Simulator sim{pid, {}};
  char c = 0;
  while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') sim.path += c;
  ::close(pipeFds[0]);
  return sim;
}

void StopSimulator(const Simulator& sim) {
  ::kill(sim.pid, SIGTERM);
  int status = 0;
  ::waitpid(sim.pid, &status, 0);
}

int SpeedCodeOf(int baud) {
  return baud == 9600 ? 3 : baud == 19200 ? 4 : baud == 4800 ? 2 : 1;
}

bool Run(const std::string& tarvo, const char* name, std::uint8_t exec, std::uint8_t version,
         int baud, bool write) {
  const model::ParameterSet full = bench::FullConfiguration(exec, version);
  const auto dir = std::filesystem::temp_directory_path() / "tarvo-bench";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "device.par").string();
  model::ConfigurationDocument document;
  document.Set() = full;
  std::string message;
  if (!document.Store(file, message)) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return false;
  }
  const Simulator sim = StartSimulator(tarvo, file, baud);
  if (sim.path.empty()) {
    std::fprintf(stderr, "tarvo sim did not start\n");
    return false;
  }

  platform::posix::SteadyClock clock;
  platform::posix::PosixSerialPort port(clock);
  sim::MessageLog ui;
  device::DeviceLink link(port, clock, ui);
  link.portPath = sim.path;
  model::ParameterSet set = full;
  set.speedCode = SpeedCodeOf(baud);
  if (!write) set.Reset();

  const double wall0 = Seconds(CLOCK_MONOTONIC);
  const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  const bool ok =
      write ? link.WriteAllParameters(set, nullptr) : link.ReadAllParameters(set, nullptr);
  const double wall = Seconds(CLOCK_MONOTONIC) - wall0;
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
  StopSimulator(sim);

  const bool wakeUp = !write || model::VariantOf(exec) == model::DeviceVariant::L;
  const int responses = link.requestsSent - (wakeUp ? 1 : 0);
  const double bound = static_cast<double>(link.bytesSent + link.bytesReceived) * 10.0 / baud +
                       responses * kTurnaroundMs / 1000.0 + (wakeUp ? kWakeUpMs / 1000.0 : 0.0);
  std::printf("%-7s %-5s %6d %8d %8lld %8lld %9.3f %9.3f %6.3f %7.2f%% %s\n", name,
              write ? "write" : "read", baud, link.requestsSent,
              static_cast<long long>(link.bytesSent), static_cast<long long>(link.bytesReceived),
              bound, wall, wall / bound, 100.0 * cpu / wall,
              ok ? "" : (ui.messages.empty() ? "FAILED" : ui.messages.front().c_str()));
  std::fflush(stdout);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string tarvo = argc > 1 ? argv[1] : TARVO_EXECUTABLE;
  std::printf("%-7s %-5s %6s %8s %8s %8s %9s %9s %6s %8s\n", "device", "op", "baud", "requests",
              "bytes>", "bytes<", "bound,s", "wall,s", "ratio", "cpu");
  bool ok = true;
  for (int baud : {9600, 19200}) {
    for (bool write : {false, true}) {
      ok &= Run(tarvo, "ЛУР-У", 0x50, 0x40, baud, write);
      ok &= Run(tarvo, "ЛУР-Г", 0x47, 0x53, baud, write);
    }
  }
  return ok ? 0 : 1;
}
