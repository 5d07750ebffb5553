#pragma once

#include <array>
#include <cstdint>

#include "device/frame.h"
#include "model/parameter_set.h"

namespace tarvo::device {

// The value of a hexadecimal digit character ('0'..'9', 'A'..'F'), -1 for any other character.
int HexValue(char c);

// Eight characters packed two per byte, each counting its hexadecimal value (0 for a character
// that is not a hexadecimal digit), the first of a pair in the high half.
Value4 PackHexText(const char* chars);
// Eight digit values packed two per byte, the first of a pair in the high half.
Value4 PackDigits(const std::uint8_t* digits);

// Channel parameter 0 as it travels on the wire, by variant.
Value4 EncodeTypeCode(model::DeviceVariant variant, const model::ChannelRecord& channel);
// Channel parameter 0 taken as eight hexadecimal characters into the type-code elements.
void DecodeTypeCode(model::DeviceVariant variant, const char (&hex)[9],
                    model::ChannelRecord& channel);

// Node type and the role digits of channels 1..7 as eight characters; channels above
// channelsWritten count as '0'.
std::array<char, 8> CompositionText(const model::NodeRecord& node, int channelsWritten);
void DecodeCompositionText(const char (&hex)[9], model::NodeRecord& node);

// Ten 3-bit role codes of the channels from firstChannel (0-based), the first in bits 31..29.
std::uint32_t CompositionWord(const model::NodeRecord& node, int firstChannel);
void DecodeCompositionWord(std::uint32_t word, model::NodeRecord& node, int firstChannel);

// A 32-bit word most significant byte first, and back.
Value4 BigEndian(std::uint32_t word);
std::uint32_t FromBigEndian(const Value4& bytes);

// A small number in the first byte, the rest 0.
Value4 ByteValue(int value);
// A 32-bit integer, least significant byte first.
Value4 IntBytes(std::int32_t value);

// A float as its 4 bytes, least significant first, and back.
Value4 FloatBytes(model::Float32 value);
model::Float32 FloatOf(const Value4& bytes);

}  // namespace tarvo::device
