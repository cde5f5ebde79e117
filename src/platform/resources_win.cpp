#include "platform/resources_win.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/dpi_scale.h"
#include "dpi/image_scale.h"
#include "platform/dpi_win.h"
#include "platform/scoped_win.h"
#include "resource_ids.h"
#include "shell/png_image.h"

namespace qpw {

namespace {

FontMemory g_fontResource;
Font g_fonts[6];
struct PanelImageSlot {
  Bitmap bitmap;
  int width = 0;
  int height = 0;
};
PanelImageSlot g_images[10];

bool ResourceBytes(int id, const uint8_t** data, DWORD* size) {
  HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return false;
  HGLOBAL loaded = LoadResource(nullptr, res);
  if (!loaded) return false;
  *data = static_cast<const uint8_t*>(LockResource(loaded));
  *size = SizeofResource(nullptr, res);
  return *data != nullptr && *size > 0;
}

// A packed resource: its length as 4 little-endian bytes, then zlib's stream. Empty when the
// bytes are not what they claim to be.
std::vector<uint8_t> Unpack(const uint8_t* data, DWORD size) {
  if (size < 4) return {};
  const uLongf length = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uLongf>(data[3]) << 24);
  if (length == 0 || length > 16 * 1024 * 1024) return {};
  std::vector<uint8_t> out(length);
  uLongf got = length;
  if (uncompress(out.data(), &got, data + 4, size - 4) != Z_OK || got != length) return {};
  return out;
}

HFONT MakeFont(const wchar_t* face, int points, int weight, int dpiY) { return PointFont(face, points, weight, dpiY); }

// The picture drawn for a DPI, or nullptr when that DPI has none: each drawn scale has its own
// block of resource numbers.
bool PictureBytes(int resource, int imageDpi, const uint8_t** data, DWORD* size) {
  int block = 0;
  for (int drawn : qp::kImageDpis) {
    if (drawn == imageDpi) return ResourceBytes(resource + kPictureScaleStep * block, data, size);
    ++block;
  }
  return false;
}

HBITMAP ImageToDib(const qp::Image& image) {
  if (image.width <= 0 || image.height <= 0) return nullptr;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = image.width;
  bi.bmiHeader.biHeight = -image.height;  // rows from the top
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) return dib;
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
  return dib;
}

}  // namespace

void LoadPanelFonts() {
  const uint8_t* data = nullptr;
  DWORD size = 0;
  if (ResourceBytes(IDR_FONT, &data, &size)) {
    // The system keeps its own copy of the font.
    std::vector<uint8_t> font = Unpack(data, size);
    DWORD count = 0;
    if (!font.empty()) {
      g_fontResource.Reset(AddFontMemResourceEx(font.data(), static_cast<DWORD>(font.size()), nullptr, &count));
    }
  }
  RebuildPanelFonts(PanelDpi());
}

void RebuildPanelFonts(int dpiY) {
  g_fonts[0].Reset(MakeFont(L"Tarsel Sans", 11, FW_BOLD, dpiY));
  g_fonts[1].Reset(MakeFont(L"Tarsel Sans", 12, FW_BOLD, dpiY));
  g_fonts[2].Reset(MakeFont(L"Tarsel Sans", 13, FW_BOLD, dpiY));
  g_fonts[3].Reset(MakeFont(L"Tahoma", 7, FW_NORMAL, dpiY));
  g_fonts[4].Reset(MakeFont(L"Tahoma", 8, FW_NORMAL, dpiY));
  g_fonts[5].Reset(MakeFont(L"Tahoma", 9, FW_BOLD, dpiY));
}

void ReleasePanelFonts() {
  for (Font& f : g_fonts) f.Reset();
  g_fontResource.Reset();
}

HFONT PanelFont(int number) {
  if (number < 0 || number > 5) return nullptr;
  return g_fonts[number].get();
}

void LoadPanelImages() {
  struct Cut {
    int resource;
    int firstImage;
    int width;
    int height;
    int count;
  };
  const int dpi = PanelDpi();
  const int imageDpi = qp::ImageDpiFor(dpi);
  // Each picture holds several images side by side.
  const Cut cuts[] = {{IDR_PNG_REFRESH, 1, 15, 12, 2},
                      {IDR_PNG_SETTINGS, 3, 16, 16, 2},
                      {IDR_PNG_CLOSE, 5, 14, 14, 3},
                      {IDR_PNG_HELP, 8, 16, 16, 2}};
  for (const Cut& cut : cuts) {
    const uint8_t* data = nullptr;
    DWORD size = 0;
    qp::Image picture;
    // A DPI without pictures of its own (an old build's resources) resizes the 100 % ones.
    int drawnDpi = imageDpi;
    if (!PictureBytes(cut.resource, drawnDpi, &data, &size) || !qp::DecodePng(data, size, picture)) {
      drawnDpi = qp::kBaseDpi;
      if (!ResourceBytes(cut.resource, &data, &size) || !qp::DecodePng(data, size, picture)) continue;
    }
    const int drawnWidth = qp::ScaleLength(cut.width, drawnDpi);
    for (int k = 0; k < cut.count; ++k) {
      qp::Image image = qp::CutImage(picture, k * drawnWidth, drawnWidth);
      if (drawnDpi != dpi) image = qp::ResizeImage(image, qp::ScaleLength(cut.width, dpi), qp::ScaleLength(cut.height, dpi));
      PanelImageSlot& slot = g_images[cut.firstImage + k];
      slot.bitmap.Reset(ImageToDib(image));
      slot.width = image.width;
      slot.height = image.height;
    }
  }
}

void ReleasePanelImages() {
  for (PanelImageSlot& slot : g_images) {
    slot.bitmap.Reset();
    slot.width = slot.height = 0;
  }
}

HBITMAP PanelImage(int number, int* width, int* height) {
  if (number < 1 || number > 9) return nullptr;
  if (width) *width = g_images[number].width;
  if (height) *height = g_images[number].height;
  return g_images[number].bitmap.get();
}

HICON ProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLPAD), IMAGE_ICON, size,
                                       size, LR_DEFAULTCOLOR | LR_SHARED));
}

void DrawPanelImage(HDC dc, int number, int x, int y) {
  int w = 0, h = 0;
  HBITMAP bmp = PanelImage(number, &w, &h);
  if (!bmp) return;
  MemoryDc mem(CreateCompatibleDC(dc));
  if (!mem) return;
  Selected image(mem.get(), bmp);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, w, h, mem.get(), 0, 0, w, h, blend);
}

}  // namespace qpw
