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
// The same facts for any window; nothing but `exists` (false) for none or a closed one.
ForegroundInfo WinWindowFacts(uintptr_t handle);
uintptr_t WinFindWindowByTitle(const Text& title);  // FindWindowW(no class, title); 0 for none
bool WinIsWindow(uintptr_t handle);
bool WinSetForegroundWindow(uintptr_t handle);  // true when granted

// ---- clipboard ----
bool WinOpenClipboard();  // owned by the main window
void WinEmptyClipboard();
void WinCloseClipboard();
uintptr_t WinAllocClipboardBlock(size_t units);  // movable, zeroed, (units + 1) * 2 bytes
bool WinFillClipboardBlock(uintptr_t block, const Text& text);
bool WinSetClipboardText(uintptr_t block);  // CF_UNICODETEXT; true when the system took the block
void WinFreeClipboardBlock(uintptr_t block);

// ---- input and messages ----
size_t WinSendInput(const std::vector<KeyInputRecord>& records, size_t count);  // records accepted
// Owned by this program's active window, or else by the main window.
int WinMessageBox(const Text& text, const Text& caption, int flags);

// ---- shell and screen ----
void WinOpenUrl(const Text& url);
Point WinDisplaySize();  // display 0; zeros when it cannot be measured
bool WinReadWorkArea(int& left, int& top, int& right, int& bottom);
int WinOsVersionValue();

}  // namespace qp
