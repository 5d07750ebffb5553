#include "device/type_code.h"

namespace tarvo::device {

using model::DeviceVariant;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  // The device's digit strings use capital letters only; a small letter counts as 0 when sent.
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

namespace {

std::uint8_t Nibble(char c) {
  const int value = HexValue(c);
  return static_cast<std::uint8_t>(value < 0 ? 0 : value);
}

std::uint8_t Pair(int high, int low) {
  return static_cast<std::uint8_t>(((high & 0x0F) << 4) | (low & 0x0F));
}

}  // namespace

Value4 PackHexText(const char* chars) {
  Value4 out{};
  for (int k = 0; k < 4; ++k) out[k] = Pair(Nibble(chars[2 * k]), Nibble(chars[2 * k + 1]));
  return out;
}

Value4 PackDigits(const std::uint8_t* digits) {
  Value4 out{};
  for (int k = 0; k < 4; ++k) out[k] = Pair(digits[2 * k], digits[2 * k + 1]);
  return out;
}

Value4 EncodeTypeCode(DeviceVariant variant, const model::ChannelRecord& c) {
  const auto& d = c.typeDigits3to5;
  switch (variant) {
    case DeviceVariant::G:
      return {Pair(c.mediumKind, c.typeDigit2), Pair(d[0], d[1]), Pair(d[2], c.typeDigit6),
              Pair(c.typeDigit7, 0)};
    case DeviceVariant::U:
      return {Pair(c.mediumKind / 10, c.mediumKind % 10), Pair(c.typeDigit2, d[0]),
              Pair(d[1], d[2]), Pair(c.typeDigit6, c.typeDigit7)};
    default:
      return {Pair(c.mediumKind, d[0]), Pair(c.typeDigit6, c.typeDigit7), 0, 0};
  }
}

void DecodeTypeCode(DeviceVariant variant, const char (&hex)[9], model::ChannelRecord& c) {
  // TakeHexDigits yields only hexadecimal characters, so each counts as its nibble value.
  auto digit = [&](int i) { return Nibble(hex[i]); };
  auto& d = c.typeDigits3to5;
  switch (variant) {
    case DeviceVariant::G:
      c.mediumKind = digit(0);
      c.typeDigit2 = digit(1);
      d[0] = digit(2);
      d[1] = digit(3);
      d[2] = digit(4);
      c.typeDigit6 = digit(5);
      c.typeDigit7 = digit(6);
      break;
    case DeviceVariant::U:
      c.mediumKind = static_cast<std::uint8_t>(10 * digit(0) + digit(1));
      c.typeDigit2 = digit(2);
      d[0] = digit(3);
      d[1] = digit(4);
      d[2] = digit(5);
      c.typeDigit6 = digit(6);
      c.typeDigit7 = digit(7);
      break;
    default:
      c.mediumKind = digit(0);
      d[0] = digit(1);
      c.typeDigit6 = digit(2);
      c.typeDigit7 = digit(3);
      break;
  }
}

std::array<char, 8> CompositionText(const model::NodeRecord& node, int channelsWritten) {
  std::array<char, 8> text{};
  text[0] = static_cast<char>('0' + node.nodeType);
  // Seven role digits fit the text; the composition itself holds twenty.
  for (int i = 1; i < 8; ++i) {
    text[i] = i <= channelsWritten ? static_cast<char>('0' + node.composition[i - 1]) : '0';
  }
  return text;
}

void DecodeCompositionText(const char (&hex)[9], model::NodeRecord& node) {
  node.nodeType = Nibble(hex[0]);
  for (int i = 1; i < 8; ++i) node.composition[i - 1] = Nibble(hex[i]);
}

std::uint32_t CompositionWord(const model::NodeRecord& node, int firstChannel) {
  std::uint32_t word = 0;
  for (int j = 0; j < 10; ++j) {
    word |= static_cast<std::uint32_t>(node.composition[firstChannel + j] & 7) << (29 - 3 * j);
  }
  return word;
}

void DecodeCompositionWord(std::uint32_t word, model::NodeRecord& node, int firstChannel) {
  for (int j = 0; j < 10; ++j) {
    node.composition[firstChannel + j] = static_cast<std::uint8_t>((word >> (29 - 3 * j)) & 7);
  }
}

Value4 BigEndian(std::uint32_t word) {
  return {static_cast<std::uint8_t>(word >> 24), static_cast<std::uint8_t>(word >> 16),
          static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)};
}

std::uint32_t FromBigEndian(const Value4& b) {
  return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
         b[3];
}

Value4 ByteValue(int value) {
  return {static_cast<std::uint8_t>(value), 0, 0, 0};
}

Value4 IntBytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
          static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

Value4 FloatBytes(model::Float32 value) {
  return {static_cast<std::uint8_t>(value.bits), static_cast<std::uint8_t>(value.bits >> 8),
          static_cast<std::uint8_t>(value.bits >> 16), static_cast<std::uint8_t>(value.bits >> 24)};
}

model::Float32 FloatOf(const Value4& b) {
  return model::Float32{std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) |
                        (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3]} << 24)};
}

}  // namespace tarvo::device
