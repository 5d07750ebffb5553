#include "support/old_par_file.h"

#include <cstring>

#include "model/byte_stream.h"

namespace tarvo::testing {

using model::ByteWriter;
using model::Float32;

// An older file, written field by field the way that version laid it out.
std::vector<std::uint8_t> OldFile(float version, std::uint8_t executionCode, int channels,
                                  int nodes) {
  const bool v106 = version > 1.06f, v109 = version > 1.09f, v112 = version > 1.12f,
             v105 = version > 1.05f;
  ByteWriter out;
  out.Float(Float32::Of(version));
  out.Byte(executionCode);
  out.Byte(0x21);
  out.Byte(0xAB);
  out.Byte(0xCD);
  out.Int(0);  // check-for-start switch
  out.Int(2);  // COM port
  out.Int(1);  // speed
  out.Int(channels);
  out.Int(nodes);
  if (v109) out.Int(1);
  out.Bytes("\x07\x00\x16\x1E", 4);
  out.Float(Float32::Of(1.6f));
  out.Float(Float32::Of(0.1f));
  out.Float(Float32::Of(5.0f));
  out.Float(Float32::Of(-20.0f));
  out.Bytes("11000000", 9);
  out.Bytes("91200000", 9);
  out.Bytes("34567890", 9);
  if (v106) out.Byte(1);
  if (v109) {
    out.Bytes("92100000", 9);
    out.Bytes("11111110", 9);
  }
  for (int c = 0; c < 20; ++c) {
    const std::uint8_t head12[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    out.Bytes(head12, 12);
    for (int s = 0; s < 32; ++s) out.Float(Float32::Of(static_cast<float>(c * 100 + s)));
    if (v106) {
      out.Bytes("\x01\x01\xFF\xFF", 4);
      for (int i = 0; i < 16; ++i) out.Float(Float32::Of(0.5f));
      for (int i = 0; i < 14; ++i) out.Float(Float32::Of(7.0f));
    } else {
      for (int i = 0; i < 25; ++i) out.Float(Float32::Of(99.0f));  // the old 100-byte block
    }
    for (int i = 0; i < 14; ++i) out.Float(Float32::Of(8.0f));
    if (v112) {
      out.Bytes("\x02\x02\x01\x00", 4);
      out.Int(0x0F);
    }
  }
  for (int n = 0; n < 16; ++n) {
    out.Byte(3);
    std::vector<std::uint8_t> composition(20, 1);
    out.Bytes(composition.data(), 20);
    out.Int(1000);
    out.Float(Float32::Of(2.5f));
    out.Byte(10);
    if (v109) {
      out.Float(Float32::Of(1.0f));
      out.Int(1);
      out.Float(Float32::Of(2.0f));
      out.Float(Float32::Of(3.0f));
      out.Int(2);
      out.Float(Float32::Of(4.0f));
    }
    if (v112) {
      std::vector<std::uint8_t> tnsh(16, 9);
      out.Bytes(tnsh.data(), 16);
    }
  }
  if (v105) {
    out.Int(1);
    out.Int(0);
    std::vector<std::uint8_t> header(512, 0), footer(256, 0);
    std::memcpy(header.data(), " Шапка", 11);
    out.Bytes(header.data(), 512);
    out.Bytes(footer.data(), 256);
  }
  return out.Result();
}

}  // namespace tarvo::testing
