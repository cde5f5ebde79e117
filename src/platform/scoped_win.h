// The owners of everything the Windows layer makes or borrows: each gives its handle back the
// one right way when it goes, on every path. Handles the system keeps (shared icons, stock
// objects, windows a parent destroys) are not owned.
#pragma once
#include <windows.h>

#include <utility>

namespace qpw {

// One owner type per kind of handle; Close gives the handle back.
template <typename H, typename Close>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(H handle) : handle_(handle) {}
  ~Scoped() { Reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  void Reset(H handle = nullptr) {
    if (handle_) Close{}(handle_);
    handle_ = handle;
  }
  H Release() { return std::exchange(handle_, nullptr); }
  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  H handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DeleteMemoryDc {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct DestroyMenuHandle {
  void operator()(HMENU h) const { DestroyMenu(h); }
};
struct DestroyAcceleratorHandle {
  void operator()(HACCEL h) const { DestroyAcceleratorTable(h); }
};
struct DestroyIconHandle {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct CloseKernelHandle {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct RemoveFontMemory {
  void operator()(HANDLE h) const { RemoveFontMemResourceEx(h); }
};
struct DestroyLiveWindow {
  // A window its parent has already destroyed is left alone.
  void operator()(HWND h) const {
    if (IsWindow(h)) DestroyWindow(h);
  }
};

using Brush = Scoped<HBRUSH, DeleteGdiObject>;
using Pen = Scoped<HPEN, DeleteGdiObject>;
using Font = Scoped<HFONT, DeleteGdiObject>;
using Bitmap = Scoped<HBITMAP, DeleteGdiObject>;
using Region = Scoped<HRGN, DeleteGdiObject>;
using MemoryDc = Scoped<HDC, DeleteMemoryDc>;                  // CreateCompatibleDC
using Menu = Scoped<HMENU, DestroyMenuHandle>;                  // CreatePopupMenu, CreateMenu
using AcceleratorTable = Scoped<HACCEL, DestroyAcceleratorHandle>;
using Icon = Scoped<HICON, DestroyIconHandle>;                  // icons loaded without LR_SHARED
using KernelHandle = Scoped<HANDLE, CloseKernelHandle>;         // files, processes, threads
using FontMemory = Scoped<HANDLE, RemoveFontMemory>;            // AddFontMemResourceEx
using OwnedWindow = Scoped<HWND, DestroyLiveWindow>;

// CreateFileW's handle: INVALID_HANDLE_VALUE, its failure value, becomes an empty owner.
inline KernelHandle AdoptFile(HANDLE h) { return KernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }

// A COM interface pointer, released when it goes.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() { Reset(); }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  // Releases what it holds and takes over `p`, whose reference it now owns.
  void Reset(T* p = nullptr) {
    if (p_) p_->Release();
    p_ = p;
  }
  // For the out-parameter of QueryInterface and its kind: what was held goes first.
  T** put() {
    Reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// Selects an object into a DC for the lifetime of this owner.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~Selected() {
    if (old_) SelectObject(dc_, old_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory DC with its own bitmap, for drawing off screen.
class MemorySurface {
 public:
  MemorySurface(HDC reference, int width, int height)
      : dc_(CreateCompatibleDC(reference)), bitmap_(CreateCompatibleBitmap(reference, width, height)) {
    if (dc_ && bitmap_) old_ = SelectObject(dc_.get(), bitmap_.get());
  }
  ~MemorySurface() {
    if (old_) SelectObject(dc_.get(), old_);
  }
  MemorySurface(const MemorySurface&) = delete;
  MemorySurface& operator=(const MemorySurface&) = delete;
  HDC dc() const { return dc_.get(); }
  bool ok() const { return dc_ && bitmap_ && old_; }

 private:
  MemoryDc dc_;
  Bitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

// GetDC/ReleaseDC pair.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Answers WM_PAINT through a memory surface, so that a repaint never flickers: paint(dc, client,
// update) draws the whole client area (or only the update rectangle) off screen, and the update
// rectangle is copied to the window. Without a surface it draws straight to the window.
template <typename Fn>
void PaintBuffered(HWND hwnd, Fn paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  MemorySurface surface(dc, client.right, client.bottom);
  if (surface.ok()) {
    paint(surface.dc(), client, ps.rcPaint);
    const RECT& u = ps.rcPaint;
    BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, surface.dc(), u.left, u.top, SRCCOPY);
  } else {
    paint(dc, client, ps.rcPaint);
  }
  EndPaint(hwnd, &ps);
}

}  // namespace qpw
