// A simulated device whose responses are replaced or damaged as the input says: the read, the
// write and the report-text procedures never crash or hang, and a failed read changes nothing.
#include <cstdlib>
#include <optional>
#include <vector>

#include "device/device_link.h"
#include "model/parameter_set.h"
#include "sim/configuration_image.h"
#include "sim/device_model.h"
#include "sim/in_process_port.h"

using namespace tarvo;

namespace {

class SilentUi : public platform::Ui {
 public:
  platform::Answer ShowMessage(const std::string&, const std::string&, platform::Icon,
                               platform::Buttons) override {
    return platform::Answer::Ok;
  }
  std::optional<std::string> AskOpenFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskSaveFileName(const platform::FileDialogOptions&) override {
    return std::nullopt;
  }
  void SetWaitCursor(bool) override {}
};

// Reads the input front to back; past its end every value is 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Empty() const { return at_ >= size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const auto codes = model::AllExecutionCodes();
  const std::uint8_t code = codes[input.Byte() % codes.size()];
  const std::uint8_t version = input.Byte();
  const int procedure = input.Byte() % 3;

  model::ParameterSet configured{};
  model::MakeNewConfiguration(configured, code, version);
  configured.headerEnabled = 1;
  configured.headerText[0] = 'A';

  sim::DeviceModel device({code, version, {0, 0}});
  std::string message;
  sim::LoadConfiguration(device, configured, message);

  sim::VirtualClock clock;
  sim::InProcessPort port(device, clock);
  // Each response: keep it, drop it, cut it short, flip a byte, or replace it with input bytes.
  port.responder().intercept =
      [&input](const device::RequestFrame&) -> std::optional<std::vector<std::uint8_t>> {
    const std::uint8_t action = input.Byte();
    if (action < 160 || input.Empty()) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    const int length = input.Byte() % 40;
    for (int i = 0; i < length; ++i) bytes.push_back(input.Byte());
    if (action >= 250 && !bytes.empty()) bytes[0] = 0xFE;  // looks like a frame
    return bytes;
  };

  SilentUi ui;
  device::DeviceLink link(port, clock, ui);
  link.portPath = "/dev/fuzz";
  platform::ProgressState progress;
  if (procedure == 0) {
    model::ParameterSet target = configured;
    const model::ParameterSet before = target;
    if (!link.ReadAllParameters(target, &progress) && !target.SameContent(before)) std::abort();
    if (target.channelCount < 0 || target.channelCount > model::kMaxChannels ||
        target.nodeCount < 0 || target.nodeCount > model::kMaxNodes) {
      std::abort();
    }
  } else if (procedure == 1) {
    link.WriteAllParameters(configured, &progress);
  } else {
    link.WriteReportHeaders(configured, &progress);
  }
  // A virtual hour is far beyond any exchange's limits: more means a wait that never ends.
  if (clock.NowMs() > 3'600'000) std::abort();
  return 0;
}
