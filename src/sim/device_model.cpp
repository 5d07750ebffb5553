#include "sim/device_model.h"

#include <algorithm>

namespace tarvo::sim {

using device::Value4;

namespace {

constexpr int kTextBlock = 128;

std::size_t Index(int address, int parameter) {
  return static_cast<std::size_t>((address & 0xFF) * 256 + (parameter & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> Response(std::uint8_t status, const std::vector<std::uint8_t>& data) {
  std::size_t length = 0;
  const auto frame = device::EncodeResponse(status, data, length);
  return {frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(length)};
}

std::vector<std::uint8_t> ErrorResponse(int code) {
  return Response(0x80, {static_cast<std::uint8_t>(code)});
}

DeviceModel::DeviceModel(model::DeviceIdentification ident)
    : ident_(ident), cells_(256 * 256, Value4{0xFF, 0xFF, 0xFF, 0xFF}) {
  model::ParameterSet counts{};
  counts.Reset();
  counts.ident = ident;
  counts.ApplyExecutionCode();
  channelCount = counts.channelCount;
  nodeCount = counts.nodeCount;
}

Value4 DeviceModel::Cell(int address, int parameter) const {
  if (address == 0 && parameter == 0) {
    return {ident_.executionCode, ident_.softwareVersion, ident_.extra[0], ident_.extra[1]};
  }
  return cells_[Index(address, parameter)];
}

void DeviceModel::SetCell(int address, int parameter, Value4 value) {
  cells_[Index(address, parameter)] = value;
}

bool DeviceModel::AddressExists(int address) const {
  if (address == 0) return true;
  if (address >= 1 && address <= channelCount) return true;
  return address > device::kNodeAddress && address <= device::kNodeAddress + nodeCount;
}

std::optional<std::vector<std::uint8_t>> DeviceModel::Answer(const device::RequestFrame& request) {
  if (!request.CrcOk() || request.bytes[0] != device::kStartByte) return std::nullopt;
  switch (request.Command()) {
    case device::kCmdReadEx:
      if (refuseReadEx) return ErrorResponse(device::kErrorUnknownCommand);
      return Read(request);
    case device::kCmdRead:
      return Read(request);
    case device::kCmdWrite:
      if (!AddressExists(request.Address())) return ErrorResponse(device::kErrorNoSuchObject);
      if (request.Address() == 0 && request.Parameter() == 0) return ErrorResponse(kErrorReadOnly);
      SetCell(request.Address(), request.Parameter(), request.Argument());
      return Response(0, {});
    case device::kCmdReadText:
      return ReadText(request);
    case device::kCmdWriteText:
      return WriteText(request);
    default:
      return ErrorResponse(device::kErrorUnknownCommand);
  }
}

std::vector<std::uint8_t> DeviceModel::Read(const device::RequestFrame& request) const {
  const int address = request.Address();
  const int first = request.Parameter();
  const int count = request.Argument()[0];
  if (!AddressExists(address)) return ErrorResponse(device::kErrorNoSuchObject);
  if (count == 0 || 4 * count > 255 || first + count > 256) return ErrorResponse(kErrorBadCount);
  std::vector<std::uint8_t> data;
  for (int p = first; p < first + count; ++p) {
    Value4 value = Cell(address, p);
    // Version 13 of ЛУР-УВ sends the node composition word least significant byte first.
    if (Variant() == model::DeviceVariant::UV && ident_.VersionNumber() == 13 &&
        address > device::kNodeAddress && p == 1) {
      std::reverse(value.begin(), value.end());
    }
    data.insert(data.end(), value.begin(), value.end());
  }
  return Response(0, data);
}

std::vector<std::uint8_t> DeviceModel::ReadText(const device::RequestFrame& request) const {
  const model::TextCapacity capacity = model::ReportTextCapacity(ident_);
  if (request.Address() == device::kTextDirectory) return Response(0, {textPresence, 0, 0, 0});
  const int block = request.Parameter();
  if (request.Address() > 1) return ErrorResponse(device::kErrorNoSuchObject);
  const bool isHeader = request.Address() == 0;
  const int size = isHeader ? capacity.header : capacity.footer;
  if ((block + 1) * kTextBlock > size) return ErrorResponse(device::kErrorNoSuchObject);
  const std::uint8_t* text = isHeader ? header.data() : footer.data();
  return Response(
      0, std::vector<std::uint8_t>(text + block * kTextBlock, text + (block + 1) * kTextBlock));
}

std::vector<std::uint8_t> DeviceModel::WriteText(const device::RequestFrame& request) {
  const model::TextCapacity capacity = model::ReportTextCapacity(ident_);
  if (capacity.header == 0) return ErrorResponse(device::kErrorUnknownCommand);
  const Value4 argument = request.Argument();
  if (request.Parameter() == 0xFF && argument[0] == 0xFF) {
    // The opening request names the texts that follow and clears both.
    textPresence = request.Address() & 3;
    header.fill(0);
    footer.fill(0);
    return Response(0, {});
  }
  const int index = request.Parameter() | (argument[0] << 8);
  const bool isHeader = request.Address() == 0;
  const int size = isHeader ? capacity.header : capacity.footer;
  if (request.Address() > 1 || index >= size) return ErrorResponse(device::kErrorNoSuchObject);
  (isHeader ? header.data() : footer.data())[index] = argument[1];
  return Response(0, {});
}

}  // namespace tarvo::sim
