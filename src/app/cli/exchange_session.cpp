#include "app/cli/exchange_session.h"

#include <cstdio>
#include <iostream>

#include "app/cli/console_progress.h"
#include "app/cli/console_ui.h"
#include "platform/console.h"
#include "platform/port_name.h"
#include "platform/system_port.h"

namespace tarvo::app {

std::vector<OptionSpec> ExchangeOptionSpecs() {
  return {{"--port", true, ""}, {"--speed", true, ""}, {"--trace", false, ""}};
}

std::optional<std::string> ParseExchangeSetup(const ParsedArgs& args, ExchangeSetup& setup) {
  if (const std::string* port = args.Value("--port")) {
    const auto choice = platform::ParsePortName(*port);
    if (!choice) return "порт задается как " + platform::AcceptedPortNames() + ", а не " + *port;
    if (choice->comPort != 0) {
      setup.comPort = choice->comPort;
    } else {
      setup.portPath = choice->path;
    }
  }
  if (const std::string* speed = args.Value("--speed")) {
    static const char* const kSpeeds[] = {"2400", "4800", "9600", "19200"};
    for (int i = 0; i < 4; ++i) {
      if (*speed == kSpeeds[i]) setup.speedCode = i + 1;
    }
    if (!setup.speedCode) return "скорость обмена: 2400, 4800, 9600 или 19200, а не " + *speed;
  }
  setup.trace = args.Has("--trace");
  return std::nullopt;
}

void ApplyExchangeSetup(const ExchangeSetup& setup, model::ParameterSet& set) {
  if (setup.comPort) set.comPort = *setup.comPort;
  if (setup.speedCode) set.speedCode = *setup.speedCode;
}

bool RunExchange(CliIo& io, const ExchangeSetup& setup,
                 const std::function<bool(device::DeviceLink&, platform::Progress*)>& procedure) {
  platform::Clock& clock = platform::SystemClock();
  const std::unique_ptr<platform::SerialPort> port = platform::MakeSystemSerialPort(clock);
  ConsoleUi ui(io.err);
  ConsoleProgress progress(io.err, &io.err == &std::cerr && platform::ErrorOutputIsTerminal(),
                           &clock);
  ui.beforeMessage = [&progress] { progress.Clear(); };
  device::DeviceLink link(*port, clock, ui);
  link.portPath = setup.portPath;
  const std::int64_t start = clock.NowMs();
  if (setup.trace) {
    link.trace = [&](char direction, std::span<const std::uint8_t> bytes) {
      progress.Clear();
      char head[32];
      std::snprintf(head, sizeof head, "[%7lld мс] %s",
                    static_cast<long long>(clock.NowMs() - start), direction == '>' ? "->" : "<-");
      io.err << head;
      for (std::uint8_t byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        io.err << hex;
      }
      io.err << "\n";
    };
  }
  // Ctrl+C stops the exchange between two frames, so the line is drained and closed and a read
  // leaves no file behind.
  const platform::InterruptRequest interrupt;
  link.stop = interrupt.Flag();
  const bool ok = procedure(link, &progress);
  progress.Clear();
  return ok;
}

}  // namespace tarvo::app
