#include "shell/png_image.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

namespace qp {

namespace {

struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep dest, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->pos) png_error(png, "truncated");
  std::memcpy(dest, reader->data + reader->pos, length);
  reader->pos += length;
}

// libpng's own handlers print to stderr; a bad picture is simply refused.
void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Everything that can longjmp stays in this frame, which holds no object with a
// destructor: the buffers belong to the caller and outlive a jump.
bool ReadRgba(png_structp png, png_infop info, MemoryReader* reader, std::vector<uint8_t>* rgba,
              std::vector<png_bytep>* rows, png_uint_32* width, png_uint_32* height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, reader, ReadFromMemory);
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  // A damaged transparency chunk would otherwise be dropped with a warning,
  // leaving an opaque picture: refuse damage anywhere.
  png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
  png_read_info(png, info);

  const png_byte color = png_get_color_type(png, info);
  const png_byte depth = png_get_bit_depth(png, info);
  const bool has_trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (color == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (color == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (has_trns) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  if (color == PNG_COLOR_TYPE_GRAY || color == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if ((color & PNG_COLOR_MASK_ALPHA) == 0 && !has_trns) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  if (*width == 0 || *height == 0 || png_get_rowbytes(png, info) != size_t{*width} * 4) {
    png_error(png, "unexpected layout");
  }
  rgba->resize(size_t{*width} * *height * 4);
  rows->resize(*height);
  for (png_uint_32 y = 0; y < *height; ++y) (*rows)[y] = rgba->data() + size_t{y} * *width * 4;
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);
  return true;
}

uint32_t Premultiplied(const uint8_t* rgba) {
  const uint32_t a = rgba[3];
  auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (mul(rgba[0]) << 16) | (mul(rgba[1]) << 8) | mul(rgba[2]);
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, Image& out) {
  out = Image{};
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemoryReader reader{data, size, 0};
  std::vector<uint8_t> rgba;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  bool ok = false;
  try {
    ok = ReadRgba(png, info, &reader, &rgba, &rows, &width, &height);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) return false;

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.pixels.resize(size_t{width} * height);
  for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = Premultiplied(&rgba[i * 4]);
  return true;
}

Image CutImage(const Image& src, int x, int width) {
  Image out;
  const bool consistent = src.width > 0 && src.height > 0 &&
                          src.pixels.size() == size_t(src.width) * size_t(src.height);
  if (!consistent || width < 1 || width > kMaxPngSide) return out;
  out.width = width;
  out.height = src.height;
  out.pixels.assign(size_t(width) * size_t(src.height), 0);
  for (int col = 0; col < width; ++col) {
    const long long from = static_cast<long long>(x) + col;
    if (from < 0 || from >= src.width) continue;
    for (int row = 0; row < src.height; ++row) {
      out.pixels[size_t(row) * size_t(width) + size_t(col)] =
          src.pixels[size_t(row) * size_t(src.width) + size_t(from)];
    }
  }
  return out;
}

}  // namespace qp
