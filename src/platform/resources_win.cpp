#include "platform/resources_win.h"

#include <cstdint>
#include <cstring>

#include "dpi/dpi_scale.h"
#include "dpi/image_scale.h"
#include "platform/dpi_win.h"
#include "resource_ids.h"
#include "shell/png_image.h"

namespace qpw {

namespace {

HANDLE g_fontResource = nullptr;
HFONT g_fonts[6] = {};
struct PanelImageSlot {
  HBITMAP bitmap = nullptr;
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
    DWORD count = 0;
    g_fontResource = AddFontMemResourceEx(const_cast<uint8_t*>(data), size, nullptr, &count);
  }
  RebuildPanelFonts(PanelDpi());
}

void RebuildPanelFonts(int dpiY) {
  for (HFONT& f : g_fonts) {
    if (f) DeleteObject(f);
    f = nullptr;
  }
  g_fonts[0] = MakeFont(L"Tarsel Sans", 11, FW_BOLD, dpiY);
  g_fonts[1] = MakeFont(L"Tarsel Sans", 12, FW_BOLD, dpiY);
  g_fonts[2] = MakeFont(L"Tarsel Sans", 13, FW_BOLD, dpiY);
  g_fonts[3] = MakeFont(L"Tahoma", 7, FW_NORMAL, dpiY);
  g_fonts[4] = MakeFont(L"Tahoma", 8, FW_NORMAL, dpiY);
  g_fonts[5] = MakeFont(L"Tahoma", 9, FW_BOLD, dpiY);
}

void ReleasePanelFonts() {
  for (HFONT& f : g_fonts) {
    if (f) DeleteObject(f);
    f = nullptr;
  }
  if (g_fontResource) RemoveFontMemResourceEx(g_fontResource);
  g_fontResource = nullptr;
}

HFONT PanelFont(int number) {
  if (number < 0 || number > 5) return nullptr;
  return g_fonts[number];
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
      slot.bitmap = ImageToDib(image);
      slot.width = image.width;
      slot.height = image.height;
    }
  }
}

void ReleasePanelImages() {
  for (PanelImageSlot& slot : g_images) {
    if (slot.bitmap) DeleteObject(slot.bitmap);
    slot = PanelImageSlot{};
  }
}

HBITMAP PanelImage(int number, int* width, int* height) {
  if (number < 1 || number > 9) return nullptr;
  if (width) *width = g_images[number].width;
  if (height) *height = g_images[number].height;
  return g_images[number].bitmap;
}

HICON ProgramIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLPAD), IMAGE_ICON, size,
                                       size, LR_DEFAULTCOLOR | LR_SHARED));
}

void DrawPanelImage(HDC dc, int number, int x, int y) {
  int w = 0, h = 0;
  HBITMAP bmp = PanelImage(number, &w, &h);
  if (!bmp) return;
  HDC mem = CreateCompatibleDC(dc);
  if (!mem) return;
  HGDIOBJ old = SelectObject(mem, bmp);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, w, h, mem, 0, 0, w, h, blend);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace qpw
