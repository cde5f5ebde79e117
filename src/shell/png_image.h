// The panel's button pictures: PNG data held in the program, decoded from memory
// and cut into the numbered images that the buttons draw.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qp {

// Pixels as 0xAARRGGBB words (B, G, R, A in memory), colour premultiplied by
// alpha, rows from the top: the layout AlphaBlend takes from a 32-bit DIB section.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height, row by row
};

// Larger pictures are refused: ours are a few dozen pixels, and a corrupt header
// must not ask for gigabytes.
constexpr int kMaxPngSide = 4096;

// Decodes a whole PNG stream (any colour type and depth; palettes, tRNS and
// interlacing expanded). Returns false, leaving `out` empty, for anything that
// is not a complete, valid picture.
bool DecodePng(const uint8_t* data, size_t size, Image& out);

// Columns x .. x + width - 1 of `src`, full height. Columns outside `src` come
// out transparent; a width below 1 or above kMaxPngSide, or a `src` whose pixels
// do not match its size, gives an empty image.
Image CutImage(const Image& src, int x, int width);

}  // namespace qp
