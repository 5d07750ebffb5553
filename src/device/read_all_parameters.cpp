#include <algorithm>
#include <cstring>

#include "device/device_link.h"
#include "device/exchange_messages.h"
#include "device/read_layout.h"
#include "device/type_code.h"
#include "model/code_page.h"

namespace tarvo::device {

using model::DeviceVariant;

namespace {

constexpr int kTextBlock = 128;

// Not-set markers that the channel block turns into 0 when zeros are not kept.
void ApplyChannelFixUps(DeviceVariant variant, model::ChannelRecord& c) {
  auto zero = [&](int slot) {
    if (c.Slot(slot).IsNotSet()) c.Slot(slot) = model::Float32::Of(0.0f);
  };
  const auto& d = c.typeDigits3to5;
  if (variant == DeviceVariant::V && d[0] != 0) {
    for (int s : {1, 4, 5, 6}) zero(s);
  }
  if (variant == DeviceVariant::G || variant == DeviceVariant::U) {
    for (int i = 0; i < 3; ++i) {
      if (d[i] == 0) continue;
      zero(1 + i);
      for (int s : {4, 5, 6}) zero(s);
    }
    if (c.typeDigit2 >= 1 && c.typeDigit2 <= 3) {
      for (int s : {13, 16, 14}) zero(s);
    }
    if (c.mediumKind == 2) zero(21);
    if (c.typeDigit7 >= 1 && c.typeDigit7 <= 3) zero(24);
  }
  if (variant == DeviceVariant::U && c.mediumKind == 5) {
    zero(31);
    zero(32);
  }
}

class Reader {
 public:
  Reader(DeviceLink& link, model::ParameterSet& copy) : link_(link), copy_(copy) {}

  bool Identify() {
    readCommand_ = kCmdReadEx;
    bool ok = Request(0, 0, 1);
    // One fallback only: a device that knows neither command cannot be read.
    if (!ok && link_.errorCode == kErrorUnknownCommand) {
      readCommand_ = kCmdRead;
      ok = Request(0, 0, 1);
    }
    if (!ok) return Fail();
    Value4 ident{};
    link_.TakeRaw(ident);
    copy_.ident = {ident[0], ident[1], {ident[2], ident[3]}};
    variant_ = copy_.Variant();
    version_ = copy_.ident.VersionNumber();
    if (variant_ == DeviceVariant::None) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const std::string code{kHex[ident[0] >> 4], kHex[ident[0] & 0x0F]};
      return link_.Abandon(std::string(kExchangeError) + "\nИсполнение вычислителя " + code +
                           " программе не известно.");
    }
    link_.keepZeroValues = KeepsZeroValues(copy_.ident);
    return true;
  }

  // The most nodes the device can report, and the requests the scan makes to learn them.
  int MostNodes() const { return UvFiveNodes() ? 5 : model::kMaxNodes; }
  int NodeScanRequests() const { return UvFiveNodes() ? 6 : model::kMaxNodes; }

  // The requests after the scans, with every optional block and text answered.
  int RequestsAfterScans(int channels, int nodes) const {
    return 1 + channels * (1 + ExtraBlocksPerChannel()) + nodes + TextRequests(true, true);
  }

  int ExtraBlocksPerChannel() const {
    if (variant_ == DeviceVariant::G) return 2;
    if (variant_ == DeviceVariant::U && version_ >= 27) return 1;
    return 0;
  }

  // The directory request and the blocks of the texts present.
  int TextRequests(bool header, bool footer) const {
    if (!model::SupportsReportTexts(copy_.ident)) return 0;
    const model::TextCapacity capacity = model::ReportTextCapacity(copy_.ident);
    return 1 + (header ? capacity.header / kTextBlock : 0) +
           (footer && capacity.footer > 0 ? capacity.footer / kTextBlock : 0);
  }

  // Until the scans are over the read counts on the most the device can have.
  void ExpectBeforeScans() {
    link_.ExpectMore(NodeScanRequests() + model::kMaxChannels +
                     RequestsAfterScans(model::kMaxChannels, MostNodes()));
  }

  bool ScanNodes() {
    const int count = NodeScanCount(variant_);
    int found = 0;
    for (int n = 1; n <= model::kMaxNodes; ++n) {
      if (!Request(kNodeAddress + n, 0, count)) {
        if (link_.errorCode == kErrorNoSuchObject) break;
        return Fail();
      }
      if (UvFiveNodes() && found == 5) break;
      model::NodeRecord& node = copy_.nodes[n - 1];
      std::memset(node.composition, 0, sizeof node.composition);
      if (variant_ == DeviceVariant::U || variant_ == DeviceVariant::UV) {
        Value4 type{};
        Value4 word{};
        link_.TakeRaw(type);
        node.nodeType = type[0];
        link_.TakeRaw(word);
        // Version 13 of ЛУР-УВ sends the word least significant byte first.
        if (variant_ == DeviceVariant::UV && version_ == 13) std::reverse(word.begin(), word.end());
        DecodeCompositionWord(FromBigEndian(word), node, 0);
        if (variant_ == DeviceVariant::U) {
          link_.TakeRaw(word);
          DecodeCompositionWord(FromBigEndian(word), node, 10);
        }
      } else {
        char text[9];
        link_.TakeHexDigits(text);
        DecodeCompositionText(text, node);
      }
      found = n;
    }
    copy_.nodeCount = found;
    link_.ExpectMore(model::kMaxChannels + RequestsAfterScans(model::kMaxChannels, found));
    return true;
  }

  bool ScanChannels() {
    int found = 0;
    for (int c = 1; c <= model::kMaxChannels; ++c) {
      if (!Request(c, 0, 1)) {
        if (link_.errorCode == kErrorNoSuchObject) break;
        return Fail();
      }
      char text[9];
      link_.TakeHexDigits(text);
      DecodeTypeCode(variant_, text, copy_.channels[c - 1]);
      found = c;
    }
    copy_.channelCount = found;
    link_.ExpectMore(RequestsAfterScans(found, copy_.nodeCount));
    return true;
  }

  bool ReadSystemBlock() {
    const SystemLayout layout = SystemReadLayout(copy_.ident);
    if (!Request(0, layout.block.first, layout.block.count)) return Fail();
    for (const SystemItem& item : layout.items) {
      link_.Seek(layout.block.first, item.parameter);
      Value4 raw{};
      switch (item.take) {
        case Take::Float:
        case Take::FloatZeroIfNotSet: {
          model::Float32& out = *SystemFloat(copy_, item.field);
          link_.TakeFloat(out);
          if (item.take == Take::FloatZeroIfNotSet && out.IsNotSet()) {
            out = model::Float32::Of(0.0f);
          }
          break;
        }
        case Take::Hex:
          link_.TakeHexDigits(SystemDigits(copy_, item.field)->chars);
          break;
        case Take::Flag:
          link_.TakeRaw(raw);
          copy_.daylightSaving = raw[0] != 0 ? 1 : 0;
          break;
        case Take::Byte:
          link_.TakeRaw(raw);
          copy_.correctionFlag = raw[0];
          break;
        case Take::Raw:
          link_.TakeRaw(raw);
          std::memcpy(copy_.tariffZones, raw.data(), 4);
          break;
      }
    }
    return true;
  }

  bool ReadChannelBlocks() {
    const ChannelLayout layout = ChannelReadLayout(copy_.ident);
    for (int c = 1; c <= copy_.channelCount; ++c) {
      model::ChannelRecord& channel = copy_.channels[c - 1];
      if (!Request(c, layout.block.first, layout.block.count)) return Fail();
      for (const ChannelItem& item : layout.items) {
        link_.Seek(layout.block.first, item.parameter);
        TakeChannelItem(item, channel);
      }
      if (!link_.keepZeroValues) ApplyChannelFixUps(variant_, channel);
      if (channel.Slot(28).IsNotSet()) channel.Slot(28) = model::Float32::Of(0.0f);
    }
    return true;
  }

  // The extra blocks follow once every channel's main block has been read.
  bool ReadExtraChannelBlocks() {
    // Blocks the device turned out not to have come off the count once the reads are over.
    const int planned = copy_.channelCount * ExtraBlocksPerChannel();
    const int before = link_.answered;
    if (!ReadExtraBlocks()) return false;
    link_.ExpectFewer(planned - (link_.answered - before));
    return true;
  }

  bool ReadExtraBlocks() {
    bool answered = true;
    for (int c = 1; c <= copy_.channelCount && answered; ++c) {
      model::ChannelRecord& channel = copy_.channels[c - 1];
      if (variant_ == DeviceVariant::G && !ReadGasChannelExtras(c, channel, answered)) {
        return false;
      }
      if (variant_ == DeviceVariant::U && version_ >= 27 &&
          !ReadAssociatedGas(c, channel, answered)) {
        return false;
      }
    }
    return true;
  }

  void TakeChannelItem(const ChannelItem& item, model::ChannelRecord& channel) {
    Value4 raw{};
    char hex[9];
    switch (item.field) {
      case ChannelField::Slot:
        link_.TakeFloat(channel.Slot(item.slot));
        break;
      case ChannelField::FlowInputs:
        link_.TakeRaw(raw);
        std::memcpy(channel.flowInputs, raw.data(), 3);
        break;
      case ChannelField::PressureTemperature:
        link_.TakeRaw(raw);
        channel.pressureInput = raw[0];
        channel.temperatureInput = raw[1];
        break;
      case ChannelField::InputsUv:
        link_.TakeRaw(raw);
        channel.flowInputs[0] = raw[0];
        channel.pressureInput = raw[1];
        channel.temperatureInput = raw[2];
        break;
      case ChannelField::ArchiveKind:
      case ChannelField::FlowRangeControl: {
        link_.TakeHexDigits(hex);
        std::uint8_t* digits = item.field == ChannelField::ArchiveKind ? channel.archiveKind
                                                                       : channel.flowRangeControl;
        digits[0] = hex[0] == '1' ? 1 : 0;
        digits[1] = hex[1] == '1' ? 1 : 0;
        break;
      }
      case ChannelField::FailureList:
        link_.TakeRaw(raw);
        std::memcpy(&channel.failureList, raw.data(), 4);
        break;
    }
  }

  // Gas heat value and composition, then the ИРВИС-К300 table. Error 2 ends the table reads
  // for every remaining channel.
  bool ReadGasChannelExtras(int c, model::ChannelRecord& channel, bool& answered) {
    if (!Request(c, 59, 7)) return OptionalBlockFailed(answered);
    for (int i = 0; i < 4; ++i) {
      link_.Seek(59, 59 + 2 * i);
      link_.TakeFloat(channel.Slot(29 + i));
    }
    if (!link_.keepZeroValues && channel.mediumKind == 5) {
      for (int s : {31, 32}) {
        if (channel.Slot(s).IsNotSet()) channel.Slot(s) = model::Float32::Of(0.0f);
      }
    }
    if (!Request(c, 70, 28)) return OptionalBlockFailed(answered);
    for (int i = 0; i < model::kIrvisPoints; ++i) {
      link_.Seek(70, 70 + 2 * i);
      link_.TakeFloat(channel.irvis1[i]);
      link_.TakeFloat(channel.irvis2[i]);
    }
    return true;
  }

  bool ReadAssociatedGas(int c, model::ChannelRecord& channel, bool& answered) {
    if (!Request(c, 76, 18)) return OptionalBlockFailed(answered);
    Value4 raw{};
    link_.TakeRaw(raw);
    channel.gas.concentrationKind = raw[0];
    link_.TakeRaw(raw);
    channel.gas.humidityKind = raw[0];
    link_.TakeFloat(channel.gas.pressure);
    link_.TakeFloat(channel.gas.temperature);
    link_.TakeFloat(channel.gas.humidity);
    for (auto& concentration : channel.gas.concentrations) link_.TakeFloat(concentration);
    return true;
  }

  bool OptionalBlockFailed(bool& answered) {
    if (link_.errorCode != kErrorNoSuchObject) return Fail();
    answered = false;
    return true;
  }

  bool ReadNodeBlocks() {
    const NodeLayout layout = NodeReadLayout(copy_.ident);
    for (int n = 1; n <= copy_.nodeCount; ++n) {
      model::NodeRecord& node = copy_.nodes[n - 1];
      if (!Request(kNodeAddress + n, layout.block.first, layout.block.count)) return Fail();
      for (const NodeItem& item : layout.items) {
        link_.Seek(layout.block.first, item.parameter);
        TakeNodeItem(item, node);
      }
    }
    return true;
  }

  void TakeNodeItem(const NodeItem& item, model::NodeRecord& node) {
    Value4 raw{};
    char hex[9];
    switch (item.field) {
      case NodeField::GasVolumeUnit:
        link_.TakeRaw(raw);
        node.gasVolumeUnit = GasVolumeUnitOf(FloatOf(raw));
        break;
      case NodeField::HourlyMassAlgorithm:
      case NodeField::HourlyEnergyAlgorithm:
        link_.TakeRaw(raw);
        (item.field == NodeField::HourlyMassAlgorithm ? node.hourlyMassAlgorithm
                                                      : node.hourlyEnergyAlgorithm) = raw[0];
        break;
      case NodeField::ReportHour:
        link_.TakeRaw(raw);
        node.reportHour = raw[0];
        break;
      case NodeField::Tnsh:
        link_.TakeHexDigits(hex);
        std::memset(node.tnshSettings, 0, sizeof node.tnshSettings);
        for (int i = 0; i < item.digits; ++i) {
          node.tnshSettings[i] = static_cast<std::uint8_t>(HexValue(hex[i]));
        }
        break;
      default:
        link_.TakeFloat(*NodeFloat(node, item.field));
        break;
    }
  }

  bool ReadTexts() {
    if (!model::SupportsReportTexts(copy_.ident)) return true;
    if (!Exchange(RequestFrame::Make(kCmdReadText, kTextDirectory, 0), 1)) return Fail();
    const std::uint8_t present = link_.response.Data()[0];
    link_.ExpectFewer(TextRequests(true, true) - TextRequests(present & 1, present & 2));
    const model::TextCapacity capacity = model::ReportTextCapacity(copy_.ident);
    if ((present & 1) && !ReadText(0, capacity.header, copy_.headerText, model::kHeaderTextSize,
                                   copy_.headerEnabled)) {
      return false;
    }
    // ЛУР-Л keeps no footer whatever its directory says.
    if ((present & 2) && capacity.footer > 0 &&
        !ReadText(1, capacity.footer, copy_.footerText, model::kFooterTextSize,
                  copy_.footerEnabled)) {
      return false;
    }
    return true;
  }

  bool ReadText(int text, int size, char* out, int fieldSize, std::int32_t& enabled) {
    for (int b = 0; b < size / kTextBlock; ++b) {
      if (!Exchange(RequestFrame::Make(kCmdReadText, static_cast<std::uint8_t>(text),
                                       static_cast<std::uint8_t>(b)),
                    kTextBlock)) {
        return Fail();
      }
      for (int i = 0; i < kTextBlock; ++i) {
        out[kTextBlock * b + i] = static_cast<char>(model::Cp866ToCp1251(link_.response.Data()[i]));
      }
    }
    // A text that fills its whole field has no terminator and is not used.
    enabled = std::memchr(out, 0, fieldSize) != nullptr ? 1 : 0;
    return true;
  }

 private:
  // A read request of count values; a response carrying fewer bytes is a failed exchange.
  bool Request(int address, int first, int count) {
    return Exchange(RequestFrame::Make(readCommand_, static_cast<std::uint8_t>(address),
                                       static_cast<std::uint8_t>(first),
                                       {static_cast<std::uint8_t>(count), 0, 0, 0}),
                    4 * count);
  }

  bool Exchange(const RequestFrame& frame, int dataBytes) {
    if (!link_.Exchange(frame)) return false;
    if (link_.response.DataLength() < static_cast<std::size_t>(dataBytes)) {
      link_.errorCode = 0;
      return false;
    }
    return true;
  }

  bool Fail() { return link_.Abandon(kExchangeError); }
  bool UvFiveNodes() const { return variant_ == DeviceVariant::UV && version_ >= 10; }

  DeviceLink& link_;
  model::ParameterSet& copy_;
  std::uint8_t readCommand_ = kCmdReadEx;
  DeviceVariant variant_ = DeviceVariant::None;
  int version_ = 0;
};

}  // namespace

bool DeviceLink::ReadAllParameters(model::ParameterSet& set, platform::Progress* bar) {
  const ProcedureEnd end{*this, Procedure::Read, bar};
  model::ParameterSet copy = set;
  copy.Reset();
  if (!OpenPort(set)) return false;
  if (!WakeUp()) return Abandon(kExchangeError);

  Reader reader(*this, copy);
  if (!reader.Identify()) return false;
  copy.ApplyArchiveDefaults();
  reader.ExpectBeforeScans();
  if (!reader.ScanNodes() || !reader.ScanChannels() || !reader.ReadSystemBlock() ||
      !reader.ReadChannelBlocks() || !reader.ReadExtraChannelBlocks() || !reader.ReadNodeBlocks() ||
      !reader.ReadTexts()) {
    return false;
  }
  const std::int32_t checkForStart = set.checkForStart;
  set = copy;
  set.checkForStart = checkForStart;
  return true;
}

}  // namespace tarvo::device
