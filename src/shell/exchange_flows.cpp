#include "shell/exchange_flows.h"

#include "shell/guarded_edit.h"

namespace tarvo::shell {

namespace {

void KeepPortChoice(model::ConfigurationDocument& document, const model::ParameterSet& used) {
  document.Set().comPort = used.comPort;
  document.Set().speedCode = used.speedCode;
}

}  // namespace

std::unique_ptr<model::ParameterSet> ReadTarget(const model::ParameterSet& open) {
  auto target = std::make_unique<model::ParameterSet>();
  target->Reset();
  target->comPort = open.comPort;
  target->speedCode = open.speedCode;
  return target;
}

bool ReadIntoDocument(model::ConfigurationDocument& document, const ExchangeRun& read) {
  const auto target = ReadTarget(document.Set());
  // The set is large: the reset image to compare with lives on the heap too.
  const auto empty = std::make_unique<model::ParameterSet>(*target);
  if (!read(*target)) {
    KeepPortChoice(document, *target);
    return false;
  }
  document.SetModified(false);
  document.SetUntitled();
  document.Set() = *target;
  MarkModifiedIfChanged(document, *empty);
  return true;
}

bool ReadFromDevice(DocumentCommands& commands, model::ConfigurationDocument& document,
                    const ExchangeRun& read) {
  return commands.AskToSave() && ReadIntoDocument(document, read);
}

bool WriteFromDocument(model::ConfigurationDocument& document, const ExchangeRun& write) {
  const auto snapshot = std::make_unique<model::ParameterSet>(document.Set());
  const bool ok = write(document.Set());
  MarkModifiedIfChanged(document, *snapshot);
  return ok;
}

std::unique_ptr<model::ParameterSet> ReadForComparison(const model::ConfigurationDocument& document,
                                                       const ExchangeRun& read) {
  auto target = ReadTarget(document.Set());
  if (!read(*target)) target.reset();
  return target;
}

bool IsPortChoice(int comPort, int speedCode) {
  return comPort >= 1 && comPort <= 9 && speedCode >= 1 && speedCode <= 4;
}

PortChoice InitialPortChoice(const model::ParameterSet& set,
                             const std::optional<PortChoice>& lastExchange) {
  if (IsPortChoice(set.comPort, set.speedCode)) return {set.comPort, set.speedCode};
  if (lastExchange && IsPortChoice(lastExchange->comPort, lastExchange->speedCode)) {
    return *lastExchange;
  }
  return {};
}

}  // namespace tarvo::shell
