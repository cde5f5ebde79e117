// The character table as the generator (tools/gen_chardata.py) stores it: zlib-compressed
// bytes and the size they unpack to. Read through char_table.h.
#pragma once
#include <cstddef>

namespace qp {

extern const size_t kCharDataSize;
extern const size_t kCharDataPackedSize;
extern const unsigned char kCharDataPacked[];

}  // namespace qp
