#include <cstdio>
#include <cstring>
#include <span>

#include "device/device_link.h"
#include "device/exchange_messages.h"
#include "device/type_code.h"

namespace tarvo::device {

using model::DeviceVariant;
using model::Float32;

namespace {

// One step of a channel's float writes. A guard first writes 100000.0 to the parameter that
// later receives the slot, so the device never sees a lower limit above the upper one.
enum class Op : std::uint8_t { Write, Guard, GuardIfDigit };

struct FloatStep {
  Op op;
  std::uint8_t parameter;
  std::uint8_t slot;
  std::uint8_t digit = 0;  // GuardIfDigit: index into the type digits 3 to 5
};

constexpr FloatStep W(int parameter, int slot) {
  return {Op::Write, static_cast<std::uint8_t>(parameter), static_cast<std::uint8_t>(slot)};
}
constexpr FloatStep Guard(int parameter, int slot) {
  return {Op::Guard, static_cast<std::uint8_t>(parameter), static_cast<std::uint8_t>(slot)};
}
constexpr FloatStep GuardIf(int parameter, int slot, int digit) {
  return {Op::GuardIfDigit, static_cast<std::uint8_t>(parameter), static_cast<std::uint8_t>(slot),
          static_cast<std::uint8_t>(digit)};
}

constexpr FloatStep kChannelStepsV[] = {Guard(1, 1), W(2, 4), W(3, 5),  W(4, 6),  W(1, 1),  W(5, 7),
                                        W(6, 8),     W(7, 9), W(8, 19), W(9, 25), W(23, 18)};

constexpr FloatStep kChannelStepsG[] = {
    GuardIf(2, 1, 0), GuardIf(3, 2, 1), GuardIf(4, 3, 2), W(5, 4),   W(6, 5),   W(7, 6),
    W(2, 1),          W(3, 2),          W(4, 3),          W(8, 7),   W(9, 8),   W(10, 9),
    W(11, 12),        W(12, 13),        W(13, 14),        W(14, 15), W(15, 16), W(16, 17),
    W(17, 18),        W(18, 19),        W(19, 20),        W(20, 21), W(21, 22), W(22, 23),
    W(23, 24),        W(24, 25),        W(25, 26),        W(26, 27), W(59, 29), W(61, 30),
    W(63, 31),        W(65, 32)};

constexpr FloatStep kChannelStepsU[] = {
    GuardIf(3, 1, 0), GuardIf(4, 2, 1), GuardIf(5, 3, 2), W(6, 4),   W(7, 5),   W(8, 6),
    W(3, 1),          W(4, 2),          W(5, 3),          W(9, 7),   W(10, 8),  W(11, 9),
    W(12, 12),        W(13, 13),        W(14, 14),        W(15, 15), W(16, 16), W(17, 17),
    W(18, 18),        W(19, 19),        W(20, 20),        W(21, 21), W(22, 22), W(23, 23),
    W(24, 24),        W(25, 25),        W(26, 26),        W(27, 27), W(56, 29), W(58, 30),
    W(60, 31),        W(62, 32)};

constexpr FloatStep kChannelStepsUv[] = {Guard(2, 1), W(3, 4),   W(4, 5),  W(5, 6),  W(2, 1),
                                         W(6, 7),     W(7, 18),  W(8, 19), W(9, 23), W(10, 24),
                                         W(11, 25),   W(12, 26), W(13, 27)};

constexpr FloatStep kChannelStepsL[] = {W(1, 7),      W(2, 19), W(3, 25), W(14, 18),
                                        Guard(23, 1), W(26, 6), W(23, 1)};

std::span<const FloatStep> ChannelSteps(DeviceVariant variant) {
  switch (variant) {
    case DeviceVariant::V:
      return kChannelStepsV;
    case DeviceVariant::G:
      return kChannelStepsG;
    case DeviceVariant::U:
      return kChannelStepsU;
    case DeviceVariant::UV:
      return kChannelStepsUv;
    case DeviceVariant::L:
      return kChannelStepsL;
    default:
      return {};
  }
}

int DaylightSavingParameter(DeviceVariant variant) {
  switch (variant) {
    case DeviceVariant::V:
      return 17;
    case DeviceVariant::G:
    case DeviceVariant::U:
      return 18;
    case DeviceVariant::UV:
      return 20;
    case DeviceVariant::L:
      return 15;
    default:
      return 0;
  }
}

bool StartsWith(const model::DigitString& digits, const char* prefix) {
  return std::strncmp(digits.chars, prefix, std::strlen(prefix)) == 0;
}

// An SMS number counts as given unless both parts are the zeros of an empty entry.
bool SmsGiven(const model::DigitString& first, const model::DigitString& second) {
  return !StartsWith(first, "000") || !StartsWith(second, "0000000");
}

class Writer {
 public:
  Writer(DeviceLink& link, const model::ParameterSet& set, const model::DeviceIdentification& dev)
      : link_(link),
        set_(set),
        device_(dev),
        variant_(set.Variant()),
        version_(dev.VersionNumber()) {}

  bool CheckVersion() {
    const bool is46 = device_.executionCode == 0x46;
    const bool is47 = device_.executionCode == 0x47;
    int minimum = 0;
    if (variant_ == DeviceVariant::V) minimum = is46 ? 3 : 47;
    if (variant_ == DeviceVariant::G) minimum = is47 ? 2 : 39;
    if (variant_ == DeviceVariant::U) minimum = 12;
    if (version_ >= minimum) return true;
    link_.ShowNotice(kNoComputerInput);
    return false;
  }

  // Reads the device's daylight-saving switch where the variant needs it.
  bool PrepareDaylightSaving() {
    const bool on = set_.daylightSaving != 0;
    daylightValue_ = ByteValue(on ? 1 : 0);
    daylightNeeded_ = true;
    if (variant_ != DeviceVariant::V && variant_ != DeviceVariant::G &&
        variant_ != DeviceVariant::U) {
      return true;
    }
    const int parameter = DaylightSavingParameter(variant_);
    if (!link_.Exchange(
            RequestFrame::Make(kCmdRead, 0, static_cast<std::uint8_t>(parameter), {1, 0, 0, 0})) ||
        !link_.HasValues(1)) {
      return link_.Abandon(kExchangeError);
    }
    daylightNeeded_ = (link_.response.Data()[0] != 0) != on;
    return true;
  }

  bool SystemWide() {
    const bool is46 = device_.executionCode == 0x46;
    const bool is47 = device_.executionCode == 0x47;
    const int v = version_;
    const bool sms1 = SmsGiven(set_.sms1First, set_.sms1Second);
    const bool sms2 = SmsGiven(set_.sms2First, set_.sms2Second);
    switch (variant_) {
      case DeviceVariant::V:
        return Hex(3, set_.modeSpec) && Float(0, 4, set_.contractColdWaterTemp) &&
               Daylight(is46 || v >= 60) &&
               ((is46 || v >= 55) ? Hex(19, set_.sms1First) && Hex(20, set_.sms1Second)
                                  : Unsupported(sms1, 19, 20)) &&
               (!is46 || (Hex(34, set_.sms2First) && Hex(35, set_.sms2Second)));
      case DeviceVariant::G:
        return Hex(3, set_.modeSpec) && Daylight(is47 || v >= 57) &&
               Float(0, 20, set_.contractColdWaterTemp) &&
               Float(0, 23, set_.contractBaroPressure) &&
               ((is47 || v >= 47) ? Hex(25, set_.sms1First) && Hex(26, set_.sms1Second)
                                  : Unsupported(sms1, 25, 26)) &&
               ((is47 || v >= 49) ? Raw(0, 28, ByteValue(set_.correctionFlag))
                                  : UnsupportedOne(set_.correctionFlag != 0, 28)) &&
               (!is47 || (Hex(34, set_.sms2First) && Hex(35, set_.sms2Second)));
      case DeviceVariant::U:
        return Hex(3, set_.modeSpec) && Float(0, 4, set_.baroUpperLimit) && Daylight(v >= 33) &&
               Float(0, 20, set_.contractColdWaterTemp) &&
               Float(0, 23, set_.contractBaroPressure) && Float(0, 26, set_.contractOutdoorTemp) &&
               (v < 5 || Raw(0, 27,
                             {set_.tariffZones[0], set_.tariffZones[1], set_.tariffZones[2],
                              set_.tariffZones[3]})) &&
               (v >= 20 ? Hex(29, set_.sms1First) && Hex(30, set_.sms1Second)
                        : Unsupported(sms1, 29, 30)) &&
               (v >= 23 ? Raw(0, 31, ByteValue(set_.correctionFlag))
                        : UnsupportedOne(set_.correctionFlag != 0, 31)) &&
               (v >= 33 ? Hex(34, set_.sms2First) && Hex(35, set_.sms2Second)
                        : Unsupported(sms2, 34, 35));
      case DeviceVariant::UV:
        return Hex(3, set_.modeSpec) && Raw(0, 20, daylightValue_) &&
               Float(0, 21, set_.contractColdWaterTemp) &&
               (v >= 7 ? Hex(29, set_.sms1First) && Hex(30, set_.sms1Second) &&
                             Hex(34, set_.sms2First) && Hex(35, set_.sms2Second)
                       : Unsupported(sms1, 29, 30) && Unsupported(sms2, 34, 35));
      case DeviceVariant::L:
        return Hex(3, set_.modeSpec) && Float(0, 4, set_.contractColdWaterTemp) &&
               Raw(0, 15, daylightValue_) && Hex(21, set_.sms1First) && Hex(22, set_.sms1Second);
      default:
        return true;
    }
  }

  // Channels and nodes to write; ЛУР-У with the associated-gas parameters and ЛУР-УВ from
  // version 10 have fixed numbers.
  bool DecideCounts() {
    channels_ = set_.channelCount;
    nodes_ = set_.nodeCount;
    if (variant_ == DeviceVariant::U) {
      if (version_ >= 38) {
        hasGas_ = device_.executionCode == 0x53;
      } else if (counting_) {
        // Counted without the gas parameters; the count is revised once the probe has answered.
        ++counted_;
        hasGas_ = false;
      } else {
        link_.request = version_ < 23 ? RequestFrame::Make(kCmdRead, 1, 64, {25, 0, 0, 0})
                                      : RequestFrame::Make(kCmdRead, 1, 80, {13, 0, 0, 0});
        if (!link_.SendRequest()) return link_.Abandon(kExchangeError);
        hasGas_ = link_.ReceiveResponse();
        if (!hasGas_ && link_.errorCode == 0) link_.Drain();
      }
      if (hasGas_) channels_ = nodes_ = 10;
    }
    if (variant_ == DeviceVariant::UV && version_ >= 10) nodes_ = 5;
    return true;
  }

  bool Channels() {
    for (int c = 1; c <= channels_; ++c) {
      if (!Channel(c, set_.channels[c - 1])) return false;
    }
    return true;
  }

  bool Nodes() {
    for (int n = 1; n <= nodes_; ++n) {
      if (!Node(n, set_.nodes[n - 1])) return false;
    }
    return true;
  }

  bool Texts() {
    if (model::SupportsReportTexts(device_)) {
      if (!counting_) return link_.SendReportTexts(set_, device_);
      counted_ += DeviceLink::ReportTextRequests(set_, device_);
      return true;
    }
    if (set_.headerEnabled != 0 || set_.footerEnabled != 0) Notice(kNoReportTextsOnWrite);
    return true;
  }

  // The requests the stages make, counted by running them without sending anything or telling
  // the user anything; a probe counts as answered. The writer's state is left as it was.
  template <typename Stages>
  int Count(Stages stages) {
    const int channels = channels_;
    const int nodes = nodes_;
    const bool hasGas = hasGas_;
    counting_ = true;
    counted_ = 0;
    stages();
    counting_ = false;
    channels_ = channels;
    nodes_ = nodes;
    hasGas_ = hasGas;
    return counted_;
  }

 private:
  bool Channel(int c, const model::ChannelRecord& ch) {
    const bool extendedV = device_.executionCode == 0x46 && version_ >= 8;
    if (!Raw(c, 0, EncodeTypeCode(variant_, ch))) return false;
    if (variant_ == DeviceVariant::U) {
      if (!Raw(c, 1, {ch.flowInputs[0], ch.flowInputs[1], ch.flowInputs[2], 0}) ||
          !Raw(c, 2, {ch.pressureInput, ch.temperatureInput, 0, 0})) {
        return false;
      }
    }
    if (variant_ == DeviceVariant::UV &&
        !Raw(c, 1, {ch.flowInputs[0], ch.pressureInput, ch.temperatureInput, 0})) {
      return false;
    }
    for (const FloatStep& step : ChannelSteps(variant_)) {
      const Float32 value = ch.Slot(step.slot);
      if (step.op == Op::Write) {
        if (!Float(c, step.parameter, value)) return false;
        continue;
      }
      const bool guarded = step.op == Op::Guard || ch.typeDigits3to5[step.digit] != 0;
      if (guarded && !value.IsNotSet() && !Float(c, step.parameter, Float32::Of(100000.0f))) {
        return false;
      }
    }
    if ((variant_ == DeviceVariant::V && extendedV) ||
        (variant_ == DeviceVariant::UV && version_ >= 10)) {
      const int first = variant_ == DeviceVariant::V ? 50 : 14;
      if (!Raw(c, first, ByteValue(16 * ch.archiveKind[0] + ch.archiveKind[1])) ||
          !Raw(c, first + 1, ByteValue(16 * ch.flowRangeControl[0] + ch.flowRangeControl[1])) ||
          !Raw(c, first + 2, IntBytes(ch.failureList))) {
        return false;
      }
    }
    if (variant_ == DeviceVariant::UV && version_ >= 12) {
      if (!Float(c, 18, ch.Slot(8)) || !Float(c, 19, ch.Slot(9))) return false;
    }
    if (variant_ == DeviceVariant::G && device_.executionCode != 0x47) return IrvisTable(c, ch);
    if (variant_ == DeviceVariant::U && hasGas_ && version_ >= 27 && ch.mediumKind == 12) {
      return AssociatedGas(c, ch.gas);
    }
    return true;
  }

  // The ИРВИС-К300 table goes only to a device that answers for it.
  bool IrvisTable(int c, const model::ChannelRecord& ch) {
    if (counting_) {
      ++counted_;
      return IrvisWrites(c, ch);
    }
    link_.request = RequestFrame::Make(kCmdRead, static_cast<std::uint8_t>(c), 70, {28, 0, 0, 0});
    if (!link_.SendRequest()) return link_.Abandon(kExchangeError);
    if (!link_.ReceiveResponse()) {
      if (link_.errorCode == 0) return link_.Abandon(kExchangeError);
      link_.ExpectFewer(Count([&] { IrvisWrites(c, ch); }));
      return true;
    }
    return IrvisWrites(c, ch);
  }

  bool IrvisWrites(int c, const model::ChannelRecord& ch) {
    for (int i = 0; i < model::kIrvisPoints; ++i) {
      if (!Float(c, 70 + 2 * i, ch.irvis1[i]) || !Float(c, 71 + 2 * i, ch.irvis2[i])) {
        return false;
      }
    }
    return true;
  }

  bool AssociatedGas(int c, const model::AssociatedGas& gas) {
    if (!Raw(c, 76, ByteValue(gas.concentrationKind)) || !Raw(c, 77, ByteValue(gas.humidityKind)) ||
        !Float(c, 78, gas.pressure) || !Float(c, 79, gas.temperature) ||
        !Float(c, 80, gas.humidity)) {
      return false;
    }
    for (int i = 0; i < model::kGasConcentrations; ++i) {
      if (!Float(c, 81 + i, gas.concentrations[i])) return false;
    }
    return Raw(c, 97, ByteValue(1));
  }

  bool Node(int n, const model::NodeRecord& node) {
    const std::array<char, 8> text = CompositionText(node, channels_);
    const Float32 unit = Float32::Of(static_cast<float>(node.gasVolumeUnit));
    switch (variant_) {
      case DeviceVariant::V:
        return NodeRaw(n, 0, PackHexText(text.data())) &&
               NodeFloat(n, 1, node.averagingCoefficient) &&
               (device_.executionCode != 0x46 || version_ < 8 ||
                (NodeFloat(n, 24, node.minTemperatureDifference) &&
                 NodeRaw(n, 25, PackDigits(node.tnshSettings))));
      case DeviceVariant::G:
        return NodeRaw(n, 0, PackHexText(text.data())) && NodeFloat(n, 1, unit) &&
               NodeFloat(n, 2, node.averagingCoefficient) &&
               NodeRaw(n, 15, ByteValue(node.reportHour));
      case DeviceVariant::U: {
        const std::uint32_t word1 = CompositionWord(node, 0);
        const std::uint32_t word2 = CompositionWord(node, 10);
        const int hour = node.reportHour - (version_ == 27 ? 48 : 0);
        return NodeRaw(n, 0, ByteValue(node.nodeType)) &&
               (node.reportHour == 0 || NodeRaw(n, 17, ByteValue(hour))) &&
               (word1 == 0 || NodeRaw(n, 1, BigEndian(word1))) &&
               (word2 == 0 || NodeRaw(n, 2, BigEndian(word2))) && NodeFloat(n, 3, unit) &&
               NodeFloat(n, 4, node.averagingCoefficient);
      }
      case DeviceVariant::UV: {
        const std::uint32_t word = CompositionWord(node, 0);
        return NodeRaw(n, 0, ByteValue(node.nodeType)) &&
               (word == 0 || NodeRaw(n, 1, BigEndian(word))) &&
               NodeFloat(n, 10, node.averagingCoefficient) &&
               NodeFloat(n, 11, node.hourlyMassConstant) &&
               NodeRaw(n, 12, ByteValue(node.hourlyMassAlgorithm)) &&
               NodeFloat(n, 13, node.massImbalanceSetpoint) &&
               NodeFloat(n, 14, node.hourlyEnergyConstant) &&
               NodeRaw(n, 15, ByteValue(node.hourlyEnergyAlgorithm)) &&
               NodeFloat(n, 18, node.minTemperatureDifference) &&
               (version_ < 10 || NodeRaw(n, 19, PackDigits(node.tnshSettings)));
      }
      case DeviceVariant::L:
        return NodeRaw(n, 0, PackHexText(text.data()));
      default:
        return true;
    }
  }

  bool Daylight(bool allowed) {
    if (!daylightNeeded_) return true;
    if (allowed) return Raw(0, DaylightSavingParameter(variant_), daylightValue_);
    Notice(UnsupportedOneText(DaylightSavingParameter(variant_)));
    return true;
  }

  std::string Code(int parameter) const {
    char text[16];
    std::snprintf(text, sizeof text, variant_ == DeviceVariant::U ? "%04d" : "%03d", parameter);
    return text;
  }

  std::string UnsupportedOneText(int parameter) const {
    return "Данный вычислитель не поддерживает ввод параметра " + Code(parameter) +
           " из компьютера.\nВведите параметр с клавиатуры вычислителя или обновите программное "
           "обеспечение вычислителя.";
  }

  bool UnsupportedOne(bool given, int parameter) {
    if (given) Notice(UnsupportedOneText(parameter));
    return true;
  }

  bool Unsupported(bool given, int a, int b) {
    if (!given) return true;
    Notice("Данный вычислитель не поддерживает ввод параметров " + Code(a) + ", " + Code(b) +
           " из компьютера.\nВведите параметры с клавиатуры вычислителя или обновите "
           "программное обеспечение вычислителя.");
    return true;
  }

  bool Hex(int parameter, const model::DigitString& digits) {
    return Send(0, parameter, PackHexText(digits.chars), false);
  }
  bool Float(int number, int parameter, Float32 value) {
    return value.IsNotSet() || Send(number, parameter, FloatBytes(value), false);
  }
  bool Raw(int number, int parameter, Value4 value) {
    return Send(number, parameter, value, false);
  }
  bool NodeFloat(int n, int parameter, Float32 value) {
    return value.IsNotSet() || Send(n, parameter, FloatBytes(value), true);
  }
  bool NodeRaw(int n, int parameter, Value4 value) { return Send(n, parameter, value, true); }

  // One CMD_WRITE. A value the device rejects is named and the write goes on; silence or a
  // damaged response stops it.
  bool Send(int number, int parameter, Value4 value, bool node) {
    if (counting_) {
      ++counted_;
      return true;
    }
    const auto address = static_cast<std::uint8_t>(number + (node ? kNodeAddress : 0));
    link_.request =
        RequestFrame::Make(kCmdWrite, address, static_cast<std::uint8_t>(parameter), value);
    if (!link_.SendRequest()) return link_.Abandon(kExchangeError);
    if (link_.ReceiveResponse()) return true;
    return ReportWriteError(number, parameter, node);
  }

  bool ReportWriteError(int number, int parameter, bool node) {
    if (link_.errorCode == 0) return link_.Abandon(kWriteValuesError);
    const char* letter = node ? "П" : "K";
    char text[96];
    if (variant_ == DeviceVariant::U) {
      std::snprintf(text, sizeof text, "Ошибка при записи параметра %s%02d%02d!", letter, number,
                    parameter);
    } else if (number == 10) {
      std::snprintf(text, sizeof text, "Ошибка при записи параметра %s-%02d!", letter, parameter);
    } else {
      std::snprintf(text, sizeof text, "Ошибка при записи параметра %s%d%02d!", letter, number,
                    parameter);
    }
    link_.ShowNotice(text);
    return true;
  }

  void Notice(const std::string& text) {
    if (!counting_) link_.ShowNotice(text);
  }

  DeviceLink& link_;
  const model::ParameterSet& set_;
  model::DeviceIdentification device_;
  DeviceVariant variant_;
  int version_;
  Value4 daylightValue_{};
  bool daylightNeeded_ = true;
  bool hasGas_ = false;
  int channels_ = 0;
  int nodes_ = 0;
  bool counting_ = false;
  int counted_ = 0;
};

}  // namespace

bool DeviceLink::WriteAllParameters(const model::ParameterSet& set, platform::Progress* bar) {
  const ProcedureEnd end{*this, Procedure::WriteParameters, bar};
  if (!OpenPort(set)) return false;
  model::DeviceIdentification device{};
  if (!IdentifyConfigured(set, device)) return false;
  Writer writer(*this, set, device);
  if (!writer.CheckVersion() || !writer.PrepareDaylightSaving()) return false;
  ExpectMore(writer.Count([&] {
    writer.SystemWide();
    writer.DecideCounts();
    writer.Channels();
    writer.Nodes();
    writer.Texts();
  }));
  if (!writer.SystemWide() || !writer.DecideCounts()) return false;
  // The probe of ЛУР-У may have changed how many channels and nodes go out.
  ExpectMore(writer.Count([&] {
    writer.Channels();
    writer.Nodes();
    writer.Texts();
  }));
  return writer.Channels() && writer.Nodes() && writer.Texts();
}

}  // namespace tarvo::device
