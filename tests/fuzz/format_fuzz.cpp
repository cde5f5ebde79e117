// Output formats for any 32-bit code point, any mode number and any entity
// reference. Input: code point (4 bytes, little-endian), mode (4 bytes), then the
// entity reference as UTF-16LE; a short input is padded with zeros.
#include <cstdint>
#include <cstring>

#include "format_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t head[8] = {};
  std::memcpy(head, data, size < 8 ? size : 8);
  const auto word = [&](int at) {
    return static_cast<int32_t>(static_cast<uint32_t>(head[at]) | static_cast<uint32_t>(head[at + 1]) << 8 |
                                static_cast<uint32_t>(head[at + 2]) << 16 | static_cast<uint32_t>(head[at + 3]) << 24);
  };
  qp::Text ref;
  for (size_t i = 8; i + 1 < size; i += 2) ref.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));

  const int32_t codePoint = word(0);
  qp::fuzz::CheckFormat(codePoint, word(4), ref);
  // The same code point in every mode and just outside them, and the encoder with
  // the reference as its prefix.
  for (int32_t mode = 0; mode <= 13; ++mode) qp::fuzz::CheckFormat(codePoint, mode, ref);
  qp::fuzz::CheckPercentPrefix(codePoint, ref);
  return 0;
}
