#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "model/document.h"
#include "shell/document_commands.h"

namespace tarvo::shell {

// Runs one exchange on a set (the window's dialog, or tarvo on the line); true when it
// succeeded. The run stores the port and speed it used in the set.
using ExchangeRun = std::function<bool(model::ParameterSet& set)>;

// A reset set on the configuration's port and speed, for a read that must not touch it.
std::unique_ptr<model::ParameterSet> ReadTarget(const model::ParameterSet& open);

// Reads the device into a set of its own. Only a read that succeeded replaces the configuration:
// untitled, modified unless nothing was read, the title naming the execution read. A cancelled,
// stopped or failed read keeps the open configuration, with the port and speed chosen.
bool ReadIntoDocument(model::ConfigurationDocument& document, const ExchangeRun& read);

// The read command: offers to save changes first, then reads as above; false when the user
// cancelled or the read did not succeed.
bool ReadFromDevice(DocumentCommands& commands, model::ConfigurationDocument& document,
                    const ExchangeRun& read);

// Writes the configuration (or its report texts) into the device. The run changes only the port
// and speed, which are not content, so the modified flag stays as it was.
bool WriteFromDocument(model::ConfigurationDocument& document, const ExchangeRun& write);

// Reads the device for a comparison into a set of its own, returned when the read succeeded.
// The open configuration is not touched: the port and speed chosen stay with the read.
std::unique_ptr<model::ParameterSet> ReadForComparison(const model::ConfigurationDocument& document,
                                                       const ExchangeRun& read);

struct PortChoice {
  int comPort = 1;    // COM1..COM9
  int speedCode = 3;  // 1..4 = 2400, 4800, 9600, 19200 baud
  bool operator==(const PortChoice&) const = default;
};

// True when the port and speed are ones the dialogs offer.
bool IsPortChoice(int comPort, int speedCode);

// What an exchange dialog opens with: the configuration's own port and speed once it has taken
// part in an exchange, else those of the program's last exchange, else COM1 at 9600.
PortChoice InitialPortChoice(const model::ParameterSet& set,
                             const std::optional<PortChoice>& lastExchange);

}  // namespace tarvo::shell
