#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/cli/cli_args.h"
#include "app/cli/command.h"
#include "device/device_link.h"
#include "model/parameter_set.h"

namespace tarvo::app {

// --port and --speed of the exchange commands.
struct ExchangeSetup {
  std::optional<int> comPort;  // --port COMn
  std::string portPath;        // --port PATH
  std::optional<int> speedCode;
  bool trace = false;
};

// The options every exchange command takes.
std::vector<OptionSpec> ExchangeOptionSpecs();
// Reads --port, --speed and --trace; on a bad value returns the usage message.
std::optional<std::string> ParseExchangeSetup(const ParsedArgs& args, ExchangeSetup& setup);
// Stores the port number and speed code in the set, as the exchange dialogs do.
void ApplyExchangeSetup(const ExchangeSetup& setup, model::ParameterSet& set);

// Runs one procedure over the real serial port: messages on stderr, a progress bar when stderr
// is a terminal, a hex trace of the frames with --trace. Returns the procedure's result.
bool RunExchange(CliIo& io, const ExchangeSetup& setup,
                 const std::function<bool(device::DeviceLink&, platform::Progress*)>& procedure);

}  // namespace tarvo::app
