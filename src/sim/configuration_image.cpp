#include "sim/configuration_image.h"

#include <cstring>

#include "device/device_link.h"
#include "device/read_layout.h"
#include "device/type_code.h"
#include "model/code_page.h"
#include "sim/in_process_port.h"
#include "sim/message_log.h"

namespace tarvo::sim {

using device::Value4;
using model::DeviceVariant;

namespace {

Value4 SystemValue(const device::SystemItem& item, const model::ParameterSet& set) {
  switch (item.take) {
    case device::Take::Float:
    case device::Take::FloatZeroIfNotSet:
      return device::FloatBytes(*device::SystemFloat(set, item.field));
    case device::Take::Hex:
      return device::PackHexText(device::SystemDigits(set, item.field)->chars);
    case device::Take::Flag:
      return device::ByteValue(set.daylightSaving != 0 ? 1 : 0);
    case device::Take::Byte:
      return device::ByteValue(set.correctionFlag);
    case device::Take::Raw:
      return {set.tariffZones[0], set.tariffZones[1], set.tariffZones[2], set.tariffZones[3]};
  }
  return {};
}

Value4 ChannelValue(const device::ChannelItem& item, const model::ChannelRecord& c) {
  switch (item.field) {
    case device::ChannelField::Slot:
      return device::FloatBytes(c.Slot(item.slot));
    case device::ChannelField::FlowInputs:
      return {c.flowInputs[0], c.flowInputs[1], c.flowInputs[2], 0};
    case device::ChannelField::PressureTemperature:
      return {c.pressureInput, c.temperatureInput, 0, 0};
    case device::ChannelField::InputsUv:
      return {c.flowInputs[0], c.pressureInput, c.temperatureInput, 0};
    case device::ChannelField::ArchiveKind:
      return device::ByteValue(16 * c.archiveKind[0] + c.archiveKind[1]);
    case device::ChannelField::FlowRangeControl:
      return device::ByteValue(16 * c.flowRangeControl[0] + c.flowRangeControl[1]);
    case device::ChannelField::FailureList:
      return device::IntBytes(c.failureList);
  }
  return {};
}

Value4 NodeValue(const device::NodeItem& item, const model::NodeRecord& node) {
  switch (item.field) {
    case device::NodeField::GasVolumeUnit:
      return device::FloatBytes(model::Float32::Of(static_cast<float>(node.gasVolumeUnit)));
    case device::NodeField::HourlyMassAlgorithm:
      return device::ByteValue(node.hourlyMassAlgorithm);
    case device::NodeField::HourlyEnergyAlgorithm:
      return device::ByteValue(node.hourlyEnergyAlgorithm);
    case device::NodeField::ReportHour:
      return device::ByteValue(node.reportHour);
    case device::NodeField::Tnsh:
      return device::PackDigits(node.tnshSettings);
    default:
      return device::FloatBytes(*device::NodeFloat(node, item.field));
  }
}

void LoadChannel(DeviceModel& device, int c, const model::ChannelRecord& ch,
                 const device::ChannelLayout& layout) {
  device.SetCell(c, 0, device::EncodeTypeCode(device.Variant(), ch));
  for (const auto& item : layout.items) device.SetCell(c, item.parameter, ChannelValue(item, ch));
  if (device.Variant() == DeviceVariant::G) {
    for (int i = 0; i < 4; ++i) device.SetCell(c, 59 + 2 * i, device::FloatBytes(ch.Slot(29 + i)));
    for (int i = 0; i < model::kIrvisPoints; ++i) {
      device.SetCell(c, 70 + 2 * i, device::FloatBytes(ch.irvis1[i]));
      device.SetCell(c, 71 + 2 * i, device::FloatBytes(ch.irvis2[i]));
    }
  }
  if (device.Variant() == DeviceVariant::U) {
    device.SetCell(c, 76, device::ByteValue(ch.gas.concentrationKind));
    device.SetCell(c, 77, device::ByteValue(ch.gas.humidityKind));
    device.SetCell(c, 78, device::FloatBytes(ch.gas.pressure));
    device.SetCell(c, 79, device::FloatBytes(ch.gas.temperature));
    device.SetCell(c, 80, device::FloatBytes(ch.gas.humidity));
    for (int i = 0; i < model::kGasConcentrations; ++i) {
      device.SetCell(c, 81 + i, device::FloatBytes(ch.gas.concentrations[i]));
    }
  }
}

void LoadNode(DeviceModel& device, int n, const model::NodeRecord& node, int channels,
              const device::NodeLayout& layout) {
  const int address = device::kNodeAddress + n;
  const DeviceVariant variant = device.Variant();
  if (variant == DeviceVariant::U || variant == DeviceVariant::UV) {
    device.SetCell(address, 0, device::ByteValue(node.nodeType));
    device.SetCell(address, 1, device::BigEndian(device::CompositionWord(node, 0)));
    device.SetCell(address, 2, device::BigEndian(device::CompositionWord(node, 10)));
  } else {
    device.SetCell(address, 0, device::PackHexText(device::CompositionText(node, channels).data()));
  }
  for (const auto& item : layout.items)
    device.SetCell(address, item.parameter, NodeValue(item, node));
}

void LoadTexts(DeviceModel& device, const model::ParameterSet& set) {
  if (!model::SupportsReportTexts(device.Ident())) return;
  const model::TextCapacity capacity = model::ReportTextCapacity(device.Ident());
  device.textPresence = static_cast<std::uint8_t>((set.headerEnabled ? 1 : 0) |
                                                  (set.footerEnabled && capacity.footer ? 2 : 0));
  for (int i = 0; i < capacity.header; ++i) {
    device.header[i] = model::Cp1251ToCp866(static_cast<std::uint8_t>(set.headerText[i]));
  }
  for (int i = 0; i < capacity.footer; ++i) {
    device.footer[i] = model::Cp1251ToCp866(static_cast<std::uint8_t>(set.footerText[i]));
  }
}

}  // namespace

bool LoadConfiguration(DeviceModel& device, const model::ParameterSet& set, std::string& message) {
  if (set.Variant() != device.Variant()) {
    message = "Файл параметров составлен для вычислителя другого типа (" +
              model::VariantName(set.Variant()) + "), а имитируется " +
              model::VariantName(device.Variant()) + ".";
    return false;
  }
  const model::DeviceIdentification& ident = device.Ident();
  device.channelCount = set.channelCount;
  device.nodeCount = set.nodeCount;

  const device::SystemLayout system = device::SystemReadLayout(ident);
  for (const auto& item : system.items) device.SetCell(0, item.parameter, SystemValue(item, set));
  const device::ChannelLayout channel = device::ChannelReadLayout(ident);
  for (int c = 1; c <= set.channelCount; ++c) LoadChannel(device, c, set.channels[c - 1], channel);
  const device::NodeLayout node = device::NodeReadLayout(ident);
  for (int n = 1; n <= set.nodeCount; ++n) {
    LoadNode(device, n, set.nodes[n - 1], set.channelCount, node);
  }
  LoadTexts(device, set);
  return true;
}

bool ReadConfiguration(const DeviceModel& device, model::ParameterSet& set, std::string& message) {
  DeviceModel copy = device;
  VirtualClock clock;
  InProcessPort port(copy, clock);
  MessageLog log;
  device::DeviceLink link(port, clock, log);
  link.portPath = "simulated";
  if (link.ReadAllParameters(set, nullptr)) return true;
  message = log.messages.empty() ? "" : log.messages.front();
  return false;
}

}  // namespace tarvo::sim
