// Reads and writes full configurations through `tarvo sim` over a pseudo-terminal paced at the
// line's rate, and compares the time taken with what the bytes need on the wire. Then reads a
// 20-channel ЛУР-У at 19200 baud directly and through network serial servers side by side: ser2net
// raw and with RFC 2217 in front of the same terminal, and the simulator's own TCP port.
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "full_configuration.h"
#include "model/document.h"
#include "platform/posix/steady_clock.h"
#include "platform/system_port.h"
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

struct Process {
  pid_t pid = -1;
  std::string firstLine;
};

// Starts argv with stderr dropped; waitForLine waits for its first line of output.
Process StartProcess(const std::vector<std::string>& argv, bool waitForLine) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFds[1], STDOUT_FILENO);
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    ::freopen("/dev/null", "w", stderr);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  Process process{pid, {}};
  char c = 0;
  while (waitForLine && ::read(pipeFds[0], &c, 1) == 1 && c != '\n') process.firstLine += c;
  ::close(pipeFds[0]);
  return process;
}

void Stop(const Process& process) {
  if (process.pid <= 0) return;
  ::kill(process.pid, SIGTERM);
  int status = 0;
  ::waitpid(process.pid, &status, 0);
}

Process StartSimulator(const std::string& tarvo, const std::string& file, int baud, bool tcp) {
  std::vector<std::string> argv{tarvo,     "sim",
                                "--load",  file,
                                "--pace",  std::to_string(baud),
                                "--delay", std::to_string(kTurnaroundMs)};
  if (tcp) argv.insert(argv.end(), {"--tcp", "0"});
  return StartProcess(argv, true);
}

// A TCP port of 127.0.0.1 free just now.
int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

// How the program reaches the simulator.
enum class Link { Terminal, Ser2netRaw, Ser2netTelnet, SimulatorTcp };

const char* NameOf(Link link) {
  switch (link) {
    case Link::Terminal:
      return "pty";
    case Link::Ser2netRaw:
      return "ser2net tcp";
    case Link::Ser2netTelnet:
      return "ser2net rfc2217";
    case Link::SimulatorTcp:
      return "sim --tcp";
  }
  return "";
}

// The simulator, and ser2net in front of it when the link has one; port is what the program
// opens, empty when something did not start.
struct Device {
  Process simulator;
  Process server;
  std::string port;
  ~Device() {
    Stop(server);
    Stop(simulator);
  }
};

void StartDevice(Device& device, const std::string& tarvo, const std::string& file, int baud,
                 Link link, const std::filesystem::path& dir) {
  device.simulator = StartSimulator(tarvo, file, baud, link == Link::SimulatorTcp);
  device.port = device.simulator.firstLine;
  if (link == Link::Terminal || link == Link::SimulatorTcp || device.port.empty()) return;
  const bool telnet = link == Link::Ser2netTelnet;
  const std::string port = std::to_string(FreePort());
  const std::string config = (dir / "ser2net.yaml").string();
  std::ofstream(config) << "connection: &bench\n  accepter: " << (telnet ? "telnet(rfc2217)," : "")
                        << "tcp,127.0.0.1," << port << "\n  connector: serialdev," << device.port
                        << "," << baud << "n81,local\n";
  device.server = StartProcess({"ser2net", "-n", "-c", config}, false);
  // ser2net has no line to wait for: the port is tried until it takes a connection.
  device.port = (telnet ? "rfc2217://127.0.0.1:" : "tcp://127.0.0.1:") + port;
  for (int i = 0; i < 100; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(port)));
    const bool up = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    if (up) break;
    ::usleep(50000);
  }
  // The probe's connection opened and closed the terminal: let ser2net finish closing it.
  ::usleep(300000);
}

double CpuSeconds(int who, bool system) {
  rusage usage{};
  ::getrusage(who, &usage);
  const timeval& t = system ? usage.ru_stime : usage.ru_utime;
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

int SpeedCodeOf(int baud) {
  return baud == 9600 ? 3 : baud == 19200 ? 4 : baud == 4800 ? 2 : 1;
}

bool Run(const std::string& tarvo, const char* name, std::uint8_t exec, std::uint8_t version,
         int baud, bool write, Link via = Link::Terminal) {
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
  Device device;
  StartDevice(device, tarvo, file, baud, via, dir);
  if (device.port.empty()) {
    std::fprintf(stderr, "tarvo sim did not start\n");
    return false;
  }

  platform::posix::SteadyClock clock;
  const auto port = platform::MakeSystemSerialPort(clock);
  sim::MessageLog ui;
  device::DeviceLink link(*port, clock, ui);
  link.portPath = device.port;
  model::ParameterSet set = full;
  set.speedCode = SpeedCodeOf(baud);
  if (!write) set.Reset();

  const double wall0 = Seconds(CLOCK_MONOTONIC);
  const double user0 = CpuSeconds(RUSAGE_SELF, false);
  const double system0 = CpuSeconds(RUSAGE_SELF, true);
  const bool ok =
      write ? link.WriteAllParameters(set, nullptr) : link.ReadAllParameters(set, nullptr);
  const double wall = Seconds(CLOCK_MONOTONIC) - wall0;
  const double user = CpuSeconds(RUSAGE_SELF, false) - user0;
  const double system = CpuSeconds(RUSAGE_SELF, true) - system0;

  const bool wakeUp = !write || model::VariantOf(exec) == model::DeviceVariant::L;
  const int responses = link.requestsSent - (wakeUp ? 1 : 0);
  const double bound = static_cast<double>(link.bytesSent + link.bytesReceived) * 10.0 / baud +
                       responses * kTurnaroundMs / 1000.0 + (wakeUp ? kWakeUpMs / 1000.0 : 0.0);
  const int requests = std::max(link.requestsSent, 1);
  std::printf(
      "%-7s %-5s %-15s %6d %8d %8lld %8lld %8.3f %8.3f %6.3f %8.2f %8.3f %7.3f %7.3f "
      "%6.2f%% %s\n",
      name, write ? "write" : "read", NameOf(via), baud, link.requestsSent,
      static_cast<long long>(link.bytesSent), static_cast<long long>(link.bytesReceived), bound,
      wall, wall / bound, 1000.0 * wall / requests, 1000.0 * (user + system) / requests, user,
      system, 100.0 * (user + system) / wall,
      ok ? "" : (ui.messages.empty() ? "FAILED" : ui.messages.front().c_str()));
  std::fflush(stdout);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string tarvo = argc > 1 ? argv[1] : TARVO_EXECUTABLE;
  std::printf("%-7s %-5s %-15s %6s %8s %8s %8s %8s %8s %6s %8s %8s %7s %7s %7s\n", "device", "op",
              "link", "baud", "requests", "bytes>", "bytes<", "bound,s", "wall,s", "ratio",
              "wall/rq", "cpu/rq", "user,s", "sys,s", "cpu");
  std::printf("%61s %8s %6s %8s %8s\n", "", "", "", "ms", "ms");
  bool ok = true;
  for (int baud : {9600, 19200}) {
    for (bool write : {false, true}) {
      ok &= Run(tarvo, "ЛУР-У", 0x50, 0x40, baud, write);
      ok &= Run(tarvo, "ЛУР-Г", 0x47, 0x53, baud, write);
    }
  }
  std::printf("\n");
  for (Link via : {Link::Terminal, Link::Ser2netRaw, Link::Ser2netTelnet, Link::SimulatorTcp}) {
    ok &= Run(tarvo, "ЛУР-У", 0x50, 0x40, 19200, false, via);
  }
  return ok ? 0 : 1;
}
