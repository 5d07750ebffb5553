#include "model/par_file.h"

#include <cmath>
#include <cstring>

#include "model/byte_stream.h"
#include "model/value_text.h"

namespace tarvo::model {

namespace {

// Which parts a file of format version v holds. The comparisons are between 32-bit floats.
struct FormatParts {
  explicit FormatParts(float v)
      : daylightSaving(v > 1.09f),
        correctionFlag(v > 1.06f),
        smsInterface2(v > 1.09f),
        gasBlockAndIrvis1(v > 1.06f),
        channelTail(v > 1.12f),
        nodeConstants(v > 1.09f),
        nodeTnsh(v > 1.12f),
        reportTexts(v > 1.05f),
        archiveDefaults(v < 1.13f) {}

  bool daylightSaving, correctionFlag, smsInterface2, gasBlockAndIrvis1, channelTail, nodeConstants,
      nodeTnsh, reportTexts, archiveDefaults;
};

constexpr std::size_t kOldGasBlockBytes = 100;  // what versions up to 1.06 hold instead

void WriteChannel(ByteWriter& out, const ChannelRecord& ch) {
  out.Byte(ch.mediumKind);
  out.Byte(ch.typeDigit2);
  out.Bytes(ch.typeDigits3to5, 3);
  out.Byte(ch.typeDigit6);
  out.Byte(ch.typeDigit7);
  out.Bytes(ch.flowInputs, 3);
  out.Byte(ch.pressureInput);
  out.Byte(ch.temperatureInput);
  for (const Float32& slot : ch.slots) out.Float(slot);
  out.Byte(ch.gas.concentrationKind);
  out.Byte(ch.gas.humidityKind);
  out.Bytes(ch.gas.reserved, 2);
  out.Float(ch.gas.pressure);
  out.Float(ch.gas.temperature);
  out.Float(ch.gas.humidity);
  for (const Float32& c : ch.gas.concentrations) out.Float(c);
  for (const Float32& v : ch.irvis1) out.Float(v);
  for (const Float32& v : ch.irvis2) out.Float(v);
  out.Bytes(ch.archiveKind, 2);
  out.Bytes(ch.flowRangeControl, 2);
  out.Int(ch.failureList);
}

void WriteNode(ByteWriter& out, const NodeRecord& node) {
  out.Byte(node.nodeType);
  out.Bytes(node.composition, kMaxChannels);
  out.Int(node.gasVolumeUnit);
  out.Float(node.averagingCoefficient);
  out.Byte(node.reportHour);
  out.Float(node.hourlyMassConstant);
  out.Int(node.hourlyMassAlgorithm);
  out.Float(node.massImbalanceSetpoint);
  out.Float(node.hourlyEnergyConstant);
  out.Int(node.hourlyEnergyAlgorithm);
  out.Float(node.minTemperatureDifference);
  out.Bytes(node.tnshSettings, kTnshDigits);
}

void ReadChannel(ByteReader& in, const FormatParts& parts, ChannelRecord& ch) {
  ch = ChannelRecord{};
  ch.mediumKind = in.Byte();
  ch.typeDigit2 = in.Byte();
  in.Bytes(ch.typeDigits3to5, 3);
  ch.typeDigit6 = in.Byte();
  ch.typeDigit7 = in.Byte();
  in.Bytes(ch.flowInputs, 3);
  ch.pressureInput = in.Byte();
  ch.temperatureInput = in.Byte();
  for (Float32& slot : ch.slots) slot = in.Float();
  if (parts.gasBlockAndIrvis1) {
    ch.gas.concentrationKind = in.Byte();
    ch.gas.humidityKind = in.Byte();
    in.Bytes(ch.gas.reserved, 2);
    ch.gas.pressure = in.Float();
    ch.gas.temperature = in.Float();
    ch.gas.humidity = in.Float();
    for (Float32& c : ch.gas.concentrations) c = in.Float();
    for (Float32& v : ch.irvis1) v = in.Float();
  } else {
    in.Skip(kOldGasBlockBytes);
  }
  for (Float32& v : ch.irvis2) v = in.Float();
  if (parts.channelTail) {
    in.Bytes(ch.archiveKind, 2);
    in.Bytes(ch.flowRangeControl, 2);
    ch.failureList = in.Int();
  }
}

void ReadNode(ByteReader& in, const FormatParts& parts, NodeRecord& node) {
  node = NodeRecord{};
  node.nodeType = in.Byte();
  in.Bytes(node.composition, kMaxChannels);
  node.gasVolumeUnit = in.Int();
  node.averagingCoefficient = in.Float();
  node.reportHour = in.Byte();
  if (parts.nodeConstants) {
    node.hourlyMassConstant = in.Float();
    node.hourlyMassAlgorithm = in.Int();
    node.massImbalanceSetpoint = in.Float();
    node.hourlyEnergyConstant = in.Float();
    node.hourlyEnergyAlgorithm = in.Int();
    node.minTemperatureDifference = in.Float();
  }
  if (parts.nodeTnsh) in.Bytes(node.tnshSettings, kTnshDigits);
}

void ReadDigitString(ByteReader& in, DigitString& digits) {
  in.Bytes(digits.chars, sizeof digits.chars);
  // A corrupt file must not leave a string without its end.
  digits.chars[8] = 0;
}

void SetZeroDigits(DigitString& digits) {
  std::memset(digits.chars, '0', 8);
  digits.chars[8] = 0;
}

std::string ShortOfBytes(float version, std::size_t have, std::size_t need) {
  return "файл обрывается: в нём " + std::to_string(have) + " байт, а файлу версии формата " +
         FormatValue(version) + " нужно " + std::to_string(need);
}

}  // namespace

std::vector<std::uint8_t> WriteParameterBytes(const ParameterSet& set) {
  ByteWriter out;
  out.Float(Float32::Of(kParFileVersion));
  out.Byte(set.ident.executionCode);
  out.Byte(set.ident.softwareVersion);
  out.Bytes(set.ident.extra, 2);
  out.Int(set.checkForStart);
  out.Int(set.comPort);
  out.Int(set.speedCode);
  out.Int(set.channelCount);
  out.Int(set.nodeCount);
  out.Int(set.daylightSaving);
  out.Bytes(set.tariffZones, 4);
  out.Float(set.baroUpperLimit);
  out.Float(set.contractBaroPressure);
  out.Float(set.contractColdWaterTemp);
  out.Float(set.contractOutdoorTemp);
  out.Bytes(set.modeSpec.chars, 9);
  out.Bytes(set.sms1First.chars, 9);
  out.Bytes(set.sms1Second.chars, 9);
  out.Byte(set.correctionFlag);
  out.Bytes(set.sms2First.chars, 9);
  out.Bytes(set.sms2Second.chars, 9);
  for (const ChannelRecord& ch : set.channels) WriteChannel(out, ch);
  for (const NodeRecord& node : set.nodes) WriteNode(out, node);
  out.Int(set.headerEnabled);
  out.Int(set.footerEnabled);
  out.Bytes(set.headerText, kHeaderTextSize);
  out.Bytes(set.footerText, kFooterTextSize);
  return out.Result();
}

std::size_t ParameterFileSize(float version) {
  const FormatParts parts(version);
  std::size_t size = 4 + 4 + 5 * 4 + 4 + 4 * 4 + 3 * 9;
  if (parts.daylightSaving) size += 4;
  if (parts.correctionFlag) size += 1;
  if (parts.smsInterface2) size += 2 * 9;
  std::size_t channel = 12 + 32 * 4 + 14 * 4;
  channel += parts.gasBlockAndIrvis1 ? 68 + 14 * 4 : kOldGasBlockBytes;
  if (parts.channelTail) channel += 8;
  std::size_t node = 1 + 20 + 4 + 4 + 1;
  if (parts.nodeConstants) node += 24;
  if (parts.nodeTnsh) node += 16;
  size += kMaxChannels * channel + kMaxNodes * node;
  if (parts.reportTexts) size += 8 + kHeaderTextSize + kFooterTextSize;
  return size;
}

ParReadResult ReadParameterBytes(std::span<const std::uint8_t> bytes, ParameterSet& set) {
  ParReadResult result;
  if (bytes.size() < 4) {
    result.reason = "файл обрывается: в нём " + std::to_string(bytes.size()) +
                    " байт, нет даже номера версии формата";
    return result;
  }

  ByteReader in(bytes);
  const float version = in.Float().Value();
  result.version = version;
  if (std::isnan(version)) {
    result.reason = "это не файл параметров: номер версии формата не является числом";
    return result;
  }
  const std::size_t need = ParameterFileSize(version);
  if (bytes.size() < need) {
    result.reason = ShortOfBytes(version, bytes.size(), need);
    return result;
  }

  const FormatParts parts(version);
  ParameterSet read = set;  // page-filled flags are not in the file and stay as they are
  read.ident.executionCode = in.Byte();
  read.ident.softwareVersion = in.Byte();
  in.Bytes(read.ident.extra, 2);
  read.checkForStart = in.Int();
  read.comPort = in.Int();
  read.speedCode = in.Int();
  read.channelCount = in.Int();
  read.nodeCount = in.Int();
  read.daylightSaving = parts.daylightSaving ? in.Int() : 0;
  in.Bytes(read.tariffZones, 4);
  read.baroUpperLimit = in.Float();
  read.contractBaroPressure = in.Float();
  read.contractColdWaterTemp = in.Float();
  read.contractOutdoorTemp = in.Float();
  ReadDigitString(in, read.modeSpec);
  ReadDigitString(in, read.sms1First);
  ReadDigitString(in, read.sms1Second);
  read.correctionFlag = parts.correctionFlag ? in.Byte() : 0;
  if (parts.smsInterface2) {
    ReadDigitString(in, read.sms2First);
    ReadDigitString(in, read.sms2Second);
  } else {
    SetZeroDigits(read.sms2First);
    SetZeroDigits(read.sms2Second);
  }
  for (ChannelRecord& ch : read.channels) ReadChannel(in, parts, ch);
  for (NodeRecord& node : read.nodes) ReadNode(in, parts, node);
  if (parts.archiveDefaults) read.ApplyArchiveDefaults();
  if (parts.reportTexts) {
    read.headerEnabled = in.Int();
    read.footerEnabled = in.Int();
    in.Bytes(read.headerText, kHeaderTextSize);
    in.Bytes(read.footerText, kFooterTextSize);
  } else {
    read.headerEnabled = 0;
    read.footerEnabled = 0;
    std::memset(read.headerText, 0, sizeof read.headerText);
    std::memset(read.footerText, 0, sizeof read.footerText);
  }
  read.headerText[kHeaderTextSize] = 0;
  read.footerText[kFooterTextSize] = 0;

  if (!in.Ok()) {  // the size check above makes this unreachable; kept as a guard
    result.reason = ShortOfBytes(version, bytes.size(), need);
    return result;
  }
  if (read.channelCount < 0 || read.channelCount > kMaxChannels) {
    result.reason = "число каналов учета " + std::to_string(read.channelCount) +
                    " вне допустимого диапазона 0..20";
    return result;
  }
  if (read.nodeCount < 0 || read.nodeCount > kMaxNodes) {
    result.reason =
        "число узлов учета " + std::to_string(read.nodeCount) + " вне допустимого диапазона 0..16";
    return result;
  }

  set = read;
  result.ok = true;
  return result;
}

}  // namespace tarvo::model
