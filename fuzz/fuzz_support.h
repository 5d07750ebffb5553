// What the fuzz targets share: a user interface that answers without a window, and the hostile
// texts a user (or a pasted clipboard) can put into a cell.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>

#include "model/parameter_set.h"
#include "platform/ui.h"
#include "sim/device_model.h"

namespace tarvo::fuzz {

// Counts the messages shown and answers every one with its first button.
class CountingUi : public platform::Ui {
 public:
  platform::Answer ShowMessage(const std::string&, const std::string&, platform::Icon,
                               platform::Buttons buttons) override {
    ++messages;
    return buttons == platform::Buttons::Ok || buttons == platform::Buttons::OkCancel
               ? platform::Answer::Ok
               : platform::Answer::Yes;
  }
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  void SetWaitCursor(bool) override {}

  int messages = 0;
};

// A text a user could type or paste: one of the known troublemakers, a number-like text, a run
// of one character, or raw bytes.
std::string HostileText(FuzzedDataProvider& input);

// What the exchange target and its seeds start from, so the seeds stay the target's own inputs:
// a new configuration of this execution and version with a one-letter report header, and a
// device holding it.
struct HeldConfiguration {
  model::ParameterSet configured;
  sim::DeviceModel device;
};
HeldConfiguration HoldNewConfiguration(std::uint8_t code, std::uint8_t version);

}  // namespace tarvo::fuzz
