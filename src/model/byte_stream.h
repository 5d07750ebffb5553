#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "model/float32.h"

namespace tarvo::model {

// Little-endian field writer: every value is written byte by byte, never as a struct dump.
class ByteWriter {
 public:
  void Byte(std::uint8_t value) { bytes_.push_back(value); }
  void Bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<std::uint8_t>(value >> shift));
  }
  void Int(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void Float(Float32 value) { U32(value.bits); }

  const std::vector<std::uint8_t>& Result() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Little-endian field reader over a byte range. A read past the end yields zeros and marks the
// reader failed, so the caller checks Ok() once at the end.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t Byte() {
    std::uint8_t value = 0;
    Bytes(&value, 1);
    return value;
  }
  void Bytes(void* out, std::size_t size) {
    if (size > bytes_.size() - position_) {
      std::memset(out, 0, size);
      position_ = bytes_.size();
      failed_ = true;
      return;
    }
    std::memcpy(out, bytes_.data() + position_, size);
    position_ += size;
  }
  void Skip(std::size_t size) {
    if (size > bytes_.size() - position_) {
      position_ = bytes_.size();
      failed_ = true;
      return;
    }
    position_ += size;
  }
  std::uint32_t U32() {
    std::uint8_t b[4];
    Bytes(b, 4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  }
  std::int32_t Int() { return static_cast<std::int32_t>(U32()); }
  Float32 Float() { return Float32{U32()}; }

  bool Ok() const { return !failed_; }
  std::size_t Position() const { return position_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

}  // namespace tarvo::model
