#include "shell/png_image.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qp {
namespace {

std::vector<uint8_t> ReadResource(const std::string& name) {
  std::ifstream in(std::string(QP_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Image DecodeResource(const std::string& name) {
  const std::vector<uint8_t> bytes = ReadResource(name);
  Image img;
  EXPECT_FALSE(bytes.empty()) << name;
  EXPECT_TRUE(DecodePng(bytes.data(), bytes.size(), img)) << name;
  return img;
}

uint32_t A(uint32_t p) { return p >> 24; }
uint32_t R(uint32_t p) { return (p >> 16) & 0xFF; }
uint32_t G(uint32_t p) { return (p >> 8) & 0xFF; }
uint32_t B(uint32_t p) { return p & 0xFF; }

// ---- PNG streams built here, so that every colour type can be fed in --------------

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const std::string& type, const std::vector<uint8_t>& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type.begin(), type.end());
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBe32(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
};

// `rows` are the raw scanlines, each starting with its filter byte (0 = none).
std::vector<uint8_t> MakePng(uint32_t width, uint32_t height, uint8_t depth, uint8_t colour,
                             const std::vector<uint8_t>& rows, const std::vector<Chunk>& before_data = {}) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBe32(ihdr, width);
  PutBe32(ihdr, height);
  ihdr.insert(ihdr.end(), {depth, colour, 0, 0, 0});
  PutChunk(out, "IHDR", ihdr);
  for (const Chunk& c : before_data) PutChunk(out, c.type, c.data);
  uLongf packed_size = compressBound(static_cast<uLong>(rows.size()));
  std::vector<uint8_t> packed(packed_size);
  EXPECT_EQ(compress(packed.data(), &packed_size, rows.data(), static_cast<uLong>(rows.size())), Z_OK);
  packed.resize(packed_size);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

bool Decode(const std::vector<uint8_t>& png, Image& out) { return DecodePng(png.data(), png.size(), out); }

// ---- the committed pictures -------------------------------------------------------

void ExpectPremultiplied(const Image& img, const std::string& name) {
  ASSERT_EQ(img.pixels.size(), size_t(img.width) * size_t(img.height)) << name;
  int solid = 0;
  for (uint32_t p : img.pixels) {
    ASSERT_LE(R(p), A(p)) << name;
    ASSERT_LE(G(p), A(p)) << name;
    ASSERT_LE(B(p), A(p)) << name;
    solid += A(p) >= 200;
  }
  // A shape on a clear ground: the corner shows the panel, the shape itself covers.
  EXPECT_EQ(img.pixels[0], 0u) << name;
  EXPECT_GT(solid, 8) << name;
}

// Every visible pixel has the colour `rgb`, scaled by its own alpha.
void ExpectColour(const Image& img, uint32_t r, uint32_t g, uint32_t b, const std::string& name) {
  for (uint32_t p : img.pixels) {
    const uint32_t a = A(p);
    ASSERT_NEAR(R(p), (r * a + 127) / 255, 1) << name;
    ASSERT_NEAR(G(p), (g * a + 127) / 255, 1) << name;
    ASSERT_NEAR(B(p), (b * a + 127) / 255, 1) << name;
  }
}

// Mostly this hue: among opaque pixels, channel `strong` leads `weak` by a margin.
void ExpectHue(const Image& img, uint32_t (*strong)(uint32_t), uint32_t (*weak)(uint32_t),
               const std::string& name) {
  int opaque = 0;
  for (uint32_t p : img.pixels) {
    if (A(p) != 255) continue;
    ++opaque;
    EXPECT_GT(strong(p), weak(p) + 60) << name;
  }
  EXPECT_GT(opaque, 0) << name;
}

void ExpectGrey(const Image& img, const std::string& name) {
  for (uint32_t p : img.pixels) {
    ASSERT_NEAR(R(p), B(p), 10) << name;
    ASSERT_NEAR(G(p), B(p), 10) << name;
  }
}

TEST(PngImage, RefreshPictureCutsIntoDarkBlueAndWhiteArrows) {
  const Image pic = DecodeResource("refresh.png");
  ASSERT_EQ(pic.width, 30);
  ASSERT_EQ(pic.height, 12);
  const Image light = CutImage(pic, 0, 15);
  const Image dark = CutImage(pic, 15, 15);
  ExpectPremultiplied(light, "refresh 1");
  ExpectPremultiplied(dark, "refresh 2");
  ExpectHue(light, B, R, "refresh 1");
  ExpectColour(dark, 255, 255, 255, "refresh 2");
}

TEST(PngImage, SettingsPictureCutsIntoGreyAndBlueCogs) {
  const Image pic = DecodeResource("settings.png");
  ASSERT_EQ(pic.width, 32);
  ASSERT_EQ(pic.height, 16);
  const Image normal = CutImage(pic, 0, 16);
  const Image hover = CutImage(pic, 16, 16);
  ExpectPremultiplied(normal, "settings 3");
  ExpectPremultiplied(hover, "settings 4");
  ExpectGrey(normal, "settings 3");
  ExpectHue(hover, B, R, "settings 4");
  // A cog has a hole in its middle.
  EXPECT_EQ(A(normal.pixels[8 * 16 + 8]), 0u);
}

TEST(PngImage, ClosePictureCutsIntoBlackWhiteAndRedCrosses) {
  const Image pic = DecodeResource("close.png");
  ASSERT_EQ(pic.width, 42);
  ASSERT_EQ(pic.height, 14);
  const Image light = CutImage(pic, 0, 14);
  const Image dark = CutImage(pic, 14, 14);
  const Image hover = CutImage(pic, 28, 14);
  ExpectPremultiplied(light, "close 5");
  ExpectPremultiplied(dark, "close 6");
  ExpectPremultiplied(hover, "close 7");
  ExpectColour(light, 0, 0, 0, "close 5");
  ExpectColour(dark, 255, 255, 255, "close 6");
  ExpectHue(hover, R, G, "close 7");
  // The two strokes cross in the middle.
  EXPECT_EQ(A(light.pixels[7 * 14 + 7]), 255u);
  EXPECT_EQ(A(light.pixels[7 * 14 + 1]), 0u);
}

TEST(PngImage, HelpPictureCutsIntoGreyAndBlueBadgesWithAWhiteMark) {
  const Image pic = DecodeResource("help.png");
  ASSERT_EQ(pic.width, 32);
  ASSERT_EQ(pic.height, 16);
  for (int x : {0, 16}) {
    const Image badge = CutImage(pic, x, 16);
    ExpectPremultiplied(badge, "help");
    int white = 0;
    for (uint32_t p : badge.pixels) white += p == 0xFFFFFFFFu;
    EXPECT_GT(white, 6) << "question mark at x " << x;
    EXPECT_EQ(A(badge.pixels[0]), 0u) << "round, not square";
  }
  // The badge's face, left of the mark: grey, then blue.
  const uint32_t face_normal = CutImage(pic, 0, 16).pixels[8 * 16 + 2];
  const uint32_t face_hover = CutImage(pic, 16, 16).pixels[8 * 16 + 2];
  EXPECT_EQ(A(face_normal), 255u);
  EXPECT_NEAR(R(face_normal), B(face_normal), 10);
  EXPECT_GT(B(face_hover), R(face_hover) + 60);
}

// ---- colour types and premultiplication -------------------------------------------

TEST(PngImage, PremultipliesRgbaIntoBgraWords) {
  const std::vector<uint8_t> rows = {0, 200, 100, 50, 128, 10, 20, 30, 0, 255, 0, 0, 255};
  Image img;
  ASSERT_TRUE(Decode(MakePng(3, 1, 8, 6, rows), img));
  ASSERT_EQ(img.width, 3);
  ASSERT_EQ(img.height, 1);
  EXPECT_EQ(img.pixels[0], 0x80643219u);  // 200, 100, 50 at half alpha
  EXPECT_EQ(img.pixels[1], 0x00000000u);  // fully clear: colour dropped
  EXPECT_EQ(img.pixels[2], 0xFFFF0000u);  // opaque red: R in bits 16..23
}

TEST(PngImage, ExpandsPalettesWithTransparencyEntries) {
  const std::vector<uint8_t> plte = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  const std::vector<uint8_t> trns = {0x40, 0x00};  // the third entry stays opaque
  // 2 bits per index: 0, 1, 2, 2 packed into one byte.
  const std::vector<uint8_t> rows = {0, 0x1A};
  Image img;
  ASSERT_TRUE(Decode(MakePng(4, 1, 2, 3, rows, {{"PLTE", plte}, {"tRNS", trns}}), img));
  ASSERT_EQ(img.pixels.size(), 4u);
  EXPECT_EQ(img.pixels[0], 0x40400000u);
  EXPECT_EQ(img.pixels[1], 0x00000000u);
  EXPECT_EQ(img.pixels[2], 0xFF0000FFu);
  EXPECT_EQ(img.pixels[3], 0xFF0000FFu);
}

TEST(PngImage, ExpandsGreyAndKeyedRgbToOpaqueOrClearPixels) {
  Image img;
  // 16-bit grey, two rows of one pixel: top white, bottom black.
  ASSERT_TRUE(Decode(MakePng(1, 2, 16, 0, {0, 0xFF, 0xFF, 0, 0x00, 0x00}), img));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0xFFFFFFFFu, 0xFF000000u}));
  // 1-bit grey: 1, 0, 1.
  ASSERT_TRUE(Decode(MakePng(3, 1, 1, 0, {0, 0xA0}), img));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0xFFFFFFFFu, 0xFF000000u, 0xFFFFFFFFu}));
  // RGB whose colour key (1, 2, 3) marks the clear pixels.
  const std::vector<uint8_t> key = {0, 1, 0, 2, 0, 3};
  ASSERT_TRUE(Decode(MakePng(2, 1, 8, 2, {0, 1, 2, 3, 9, 8, 7}, {{"tRNS", key}}), img));
  EXPECT_EQ(img.pixels, (std::vector<uint32_t>{0x00000000u, 0xFF090807u}));
}

// ---- bad input --------------------------------------------------------------------

TEST(PngImage, RejectsWhatIsNotAPng) {
  Image img;
  img.width = 5;
  EXPECT_FALSE(DecodePng(nullptr, 100, img));
  EXPECT_EQ(img.width, 0) << "out is cleared on failure";
  const std::vector<uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  EXPECT_FALSE(Decode(text, img));
  EXPECT_FALSE(Decode({}, img));
}

TEST(PngImage, RejectsEveryTruncation) {
  const std::vector<uint8_t> bytes = ReadResource("refresh.png");
  ASSERT_GT(bytes.size(), 100u);
  for (size_t n = 0; n < bytes.size(); ++n) {
    Image img;
    // Copied so that a read past the end is caught by the sanitizers.
    const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_FALSE(DecodePng(part.data(), part.size(), img)) << "first " << n << " bytes";
    ASSERT_TRUE(img.pixels.empty());
  }
}

TEST(PngImage, RejectsCorruptData) {
  const std::vector<uint8_t> rows = {0, 1, 2, 3, 4, 0, 5, 6, 7, 8};
  const std::vector<uint8_t> good = MakePng(1, 2, 8, 6, rows);
  Image img;
  ASSERT_TRUE(Decode(good, img));

  // A flipped byte in the compressed data: the chunk's checksum no longer matches.
  std::vector<uint8_t> bad = good;
  bad[bad.size() - 12 - 6] ^= 0x55;
  EXPECT_FALSE(Decode(bad, img));

  // A damaged ancillary chunk (the palette's transparency) is refused as well.
  const std::vector<uint8_t> plte = {255, 0, 0};
  std::vector<uint8_t> keyed = MakePng(1, 1, 8, 3, {0, 0}, {{"PLTE", plte}, {"tRNS", {0x40}}});
  ASSERT_TRUE(Decode(keyed, img));
  const size_t trns_value = 8 + 25 + 12 + 3 + 8;  // signature, IHDR, PLTE, then tRNS's header
  ASSERT_EQ(keyed[trns_value], 0x40);
  keyed[trns_value] = 0x41;
  EXPECT_FALSE(Decode(keyed, img));

  // Checksums right, but the pixel data is not a valid deflate stream.
  std::vector<uint8_t> garbage = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBe32(ihdr, 1);
  PutBe32(ihdr, 2);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  PutChunk(garbage, "IHDR", ihdr);
  PutChunk(garbage, "IDAT", {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0x00, 0x12});
  PutChunk(garbage, "IEND", {});
  EXPECT_FALSE(Decode(garbage, img));

  // Too little pixel data for the declared size.
  EXPECT_FALSE(Decode(MakePng(4, 4, 8, 6, rows), img));
  // An unknown filter type.
  EXPECT_FALSE(Decode(MakePng(1, 1, 8, 6, {9, 1, 2, 3, 4}), img));
  // Palette indices without a palette.
  EXPECT_FALSE(Decode(MakePng(1, 1, 8, 3, {0, 0}), img));
  EXPECT_TRUE(img.pixels.empty());
}

TEST(PngImage, RejectsImpossibleSizesBeforeAllocating) {
  Image img;
  EXPECT_FALSE(Decode(MakePng(0, 1, 8, 6, {0}), img));
  EXPECT_FALSE(Decode(MakePng(kMaxPngSide + 1, 1, 8, 6, {0}), img));
  EXPECT_FALSE(Decode(MakePng(0x7FFFFFFFu, 0x7FFFFFFFu, 8, 6, {0}), img));
}

// ---- cutting ------------------------------------------------------------------------

TEST(PngImage, CutTakesColumnsAndClearsWhatLiesOutside) {
  Image src;
  src.width = 3;
  src.height = 2;
  src.pixels = {1, 2, 3, 4, 5, 6};
  Image cut = CutImage(src, 1, 2);
  EXPECT_EQ(cut.width, 2);
  EXPECT_EQ(cut.height, 2);
  EXPECT_EQ(cut.pixels, (std::vector<uint32_t>{2, 3, 5, 6}));

  cut = CutImage(src, 2, 3);  // runs off the right edge
  EXPECT_EQ(cut.pixels, (std::vector<uint32_t>{3, 0, 0, 6, 0, 0}));
  cut = CutImage(src, -1, 2);  // starts left of the picture
  EXPECT_EQ(cut.pixels, (std::vector<uint32_t>{0, 1, 0, 4}));
  cut = CutImage(src, 2147483647, 2);  // no overflow when x + column is past INT_MAX
  EXPECT_EQ(cut.pixels, (std::vector<uint32_t>{0, 0, 0, 0}));
}

TEST(PngImage, CutOfNothingIsEmpty) {
  Image src;
  src.width = 3;
  src.height = 2;
  src.pixels = {1, 2, 3, 4, 5, 6};
  for (int width : {0, -4, kMaxPngSide + 1}) {
    const Image cut = CutImage(src, 0, width);
    EXPECT_EQ(cut.width, 0) << width;
    EXPECT_TRUE(cut.pixels.empty()) << width;
  }
  src.pixels.pop_back();  // pixels no longer match the size
  EXPECT_TRUE(CutImage(src, 0, 2).pixels.empty());
  EXPECT_TRUE(CutImage(Image{}, 0, 2).pixels.empty());
}

}  // namespace
}  // namespace qp
