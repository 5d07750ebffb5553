// What the copy before a write and the read back after it add to a write: a full 20-channel
// ЛУР-У on the in-process simulator, paced at the line's rate on its virtual clock, at 9600 and
// 2400 baud.
#include <cstdio>
#include <filesystem>
#include <string>

#include "device/device_link.h"
#include "full_configuration.h"
#include "shell/safe_write.h"
#include "sim/configuration_image.h"
#include "sim/in_process_port.h"
#include "sim/message_log.h"

namespace {

using namespace tarvo;

constexpr std::uint8_t kExec = 0x50;  // ЛУР-У with 20 channels and 16 nodes
constexpr std::uint8_t kVersion = 0x40;
constexpr int kTurnaroundMs = 2;

struct Timed {
  bool ok = false;
  std::int64_t ms = 0;
};

// One write into a device holding the full configuration, with or without the phases around it.
Timed Write(int baud, int speedCode, bool safe, const std::string& folder) {
  model::ParameterSet set = bench::FullConfiguration(kExec, kVersion);
  set.speedCode = speedCode;
  sim::DeviceModel device({kExec, kVersion, {0, 0}});
  std::string message;
  if (!sim::LoadConfiguration(device, set, message)) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return {};
  }
  sim::Faults faults;
  faults.paceBaud = baud;
  faults.responseDelayMs = kTurnaroundMs;
  sim::VirtualClock clock;
  sim::InProcessPort port(device, clock, faults);
  sim::MessageLog ui;
  device::DeviceLink link(port, clock, ui);
  link.portPath = "/dev/simulated";

  shell::SafeWriteOptions options;
  options.backup = safe;
  options.verify = safe;
  options.backupFolder = folder;
  options.portName = "COM1";
  const std::int64_t start = clock.NowMs();
  const shell::SafeWriteResult result =
      shell::SafeWrite(set, options,
                       {[&](model::ParameterSet& into, platform::Progress* bar) {
                          return link.ReadAllParameters(into, bar);
                        },
                        [&](const model::ParameterSet& written, platform::Progress* bar) {
                          return link.WriteAllParameters(written, bar);
                        }},
                       nullptr);
  for (const std::string& text : ui.messages) std::fprintf(stderr, "%s\n", text.c_str());
  const bool ok = result.outcome == shell::SafeWriteOutcome::Written && result.kept.empty();
  return {ok, clock.NowMs() - start};
}

}  // namespace

int main() {
  const auto folder = std::filesystem::temp_directory_path() / "tarvo-bench-safe-write";
  std::filesystem::remove_all(folder);
  std::printf(
      "| baud | write alone | copy + write + check | added | ratio |\n"
      "|---|---|---|---|---|\n");
  bool ok = true;
  for (const auto& [baud, speedCode] : {std::pair{9600, 3}, std::pair{2400, 1}}) {
    const Timed plain = Write(baud, speedCode, false, folder.string());
    const Timed safe = Write(baud, speedCode, true, folder.string());
    ok &= plain.ok && safe.ok;
    std::printf("| %d | %.1f s | %.1f s | %.1f s | %.2f |\n", baud, plain.ms / 1000.0,
                safe.ms / 1000.0, (safe.ms - plain.ms) / 1000.0,
                plain.ms > 0 ? static_cast<double>(safe.ms) / plain.ms : 0.0);
  }
  std::filesystem::remove_all(folder);
  return ok ? 0 : 1;
}
