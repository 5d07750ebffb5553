// A simulated device whose responses are replaced or damaged as the input says: the read, the
// write and the report-text procedures never crash or hang, and a failed read changes nothing.
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "device/device_link.h"
#include "fuzz_support.h"
#include "model/parameter_set.h"
#include "sim/configuration_image.h"
#include "sim/device_model.h"
#include "sim/in_process_port.h"

using namespace tarvo;

namespace {

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

// A new configuration and the device loaded with it, made once for each code and version a run
// asks for; the device's cells are a quarter megabyte, too much to build on every run.
using Prepared = fuzz::HeldConfiguration;

const Prepared& PreparedFor(std::uint8_t code, std::uint8_t version) {
  static auto* prepared = new std::map<std::pair<std::uint8_t, std::uint8_t>, Prepared>;
  const auto key = std::make_pair(code, version);
  if (const auto found = prepared->find(key); found != prepared->end()) return found->second;
  // Bounded, so a campaign through every version does not grow without end.
  if (prepared->size() >= 64) prepared->clear();
  return prepared->emplace(key, fuzz::HoldNewConfiguration(code, version)).first->second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const auto codes = model::AllExecutionCodes();
  const std::uint8_t code = codes[input.Byte() % codes.size()];
  const std::uint8_t version = input.Byte();
  const int procedure = input.Byte() % 3;

  const Prepared& prepared = PreparedFor(code, version);
  const model::ParameterSet& configured = prepared.configured;
  // A copy into the same storage: no fresh quarter megabyte of cells on every run.
  static auto* device = new sim::DeviceModel(prepared.device);
  *device = prepared.device;

  sim::VirtualClock clock;
  sim::InProcessPort port(*device, clock);
  // Each response: keep it, drop it, cut it short, flip a byte, or replace it with input bytes.
  // Past the input's end the line goes silent, so a run costs what its input says and a short
  // input does not run a whole exchange.
  port.responder().intercept =
      [&input](const device::RequestFrame&) -> std::optional<std::vector<std::uint8_t>> {
    if (input.Empty()) return std::vector<std::uint8_t>{};
    const std::uint8_t action = input.Byte();
    if (action < 160 || input.Empty()) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    const int length = input.Byte() % 40;
    for (int i = 0; i < length; ++i) bytes.push_back(input.Byte());
    if (action >= 250 && !bytes.empty()) bytes[0] = 0xFE;  // looks like a frame
    return bytes;
  };

  fuzz::CountingUi ui;
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
