// The Windows calls behind the Platform operations for other programs' windows, the clipboard,
// synthesised input, message boxes, the shell and the screen. Plain functions, so that the
// program's Platform implementation only forwards to them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/app_state.h"
#include "base/platform.h"
#include "base/rect.h"
#include "base/text.h"

namespace qp {

// ---- windows of other programs ----
// Every top-level window in EnumWindows order, with its texts read into 255-unit buffers.
std::vector<TopWindowInfo> WinEnumerateTopWindows();
ForegroundInfo WinForeground();
uintptr_t WinFindWindowByTitle(const Text& title);  // FindWindowW(no class, title); 0 for none
bool WinIsWindow(uintptr_t handle);
void WinSetForegroundWindow(uintptr_t handle);

// ---- clipboard ----
bool WinOpenClipboard();  // no owner window
void WinEmptyClipboard();
void WinCloseClipboard();
uintptr_t WinAllocClipboardBlock(size_t units);  // movable, zeroed, (units + 1) * 2 bytes
bool WinFillClipboardBlock(uintptr_t block, const Text& text);
void WinSetClipboardText(uintptr_t block);  // CF_UNICODETEXT

// ---- input and messages ----
void WinSendInput(const std::vector<KeyInputRecord>& records, size_t count);
// Owned by this program's active window, or by none.
int WinMessageBox(const Text& text, const Text& caption, int flags);

// ---- shell and screen ----
void WinOpenUrl(const Text& url);
Point WinDisplaySize();  // display 0; zeros when it cannot be measured
bool WinReadWorkArea(int& left, int& top, int& right, int& bottom);
int WinOsVersionValue();

}  // namespace qp
