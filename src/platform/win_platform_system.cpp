// WinPlatform: system calls outside the panel window.
#include "platform/delivery_win.h"
#include "platform/system_win.h"
#include "platform/win_platform.h"

namespace qpw {

qp::Point WinPlatform::DisplaySize() { return qp::WinDisplaySize(); }
bool WinPlatform::ReadWorkArea(int& l, int& t, int& r, int& b) { return qp::WinReadWorkArea(l, t, r, b); }
int WinPlatform::OsVersionValue() { return qp::WinOsVersionValue(); }
void WinPlatform::OpenUrl(const qp::Text& url) { qp::WinOpenUrl(url); }
int WinPlatform::MessageBox(const qp::Text& text, const qp::Text& caption, int flags) {
  return qp::WinMessageBox(text, caption, flags);
}

std::vector<qp::TopWindowInfo> WinPlatform::EnumerateTopWindows() { return qp::WinEnumerateTopWindows(); }
qp::ForegroundInfo WinPlatform::Foreground() { return qp::WinForeground(); }
uintptr_t WinPlatform::FindWindowByTitle(const qp::Text& title) { return qp::WinFindWindowByTitle(title); }
bool WinPlatform::IsWindow(uintptr_t handle) { return qp::WinIsWindow(handle); }
bool WinPlatform::SetForegroundWindow(uintptr_t handle) { return qp::WinSetForegroundWindow(handle); }

bool WinPlatform::OpenClipboard() { return qp::WinOpenClipboard(); }
void WinPlatform::EmptyClipboard() { qp::WinEmptyClipboard(); }
void WinPlatform::CloseClipboard() { qp::WinCloseClipboard(); }
uintptr_t WinPlatform::AllocClipboardBlock(size_t units) { return qp::WinAllocClipboardBlock(units); }
bool WinPlatform::FillClipboardBlock(uintptr_t block, const qp::Text& text) {
  return qp::WinFillClipboardBlock(block, text);
}
bool WinPlatform::SetClipboardText(uintptr_t block) { return qp::WinSetClipboardText(block); }
void WinPlatform::FreeClipboardBlock(uintptr_t block) { qp::WinFreeClipboardBlock(block); }
size_t WinPlatform::SendInput(const std::vector<qp::KeyInputRecord>& records, size_t count) {
  return qp::WinSendInput(records, count);
}

uint64_t WinPlatform::NowMs() { return SteadyMs(); }
uint32_t WinPlatform::ProgramIntegrity() { return OwnProcessIntegrity(); }
uint32_t WinPlatform::WindowIntegrity(uintptr_t window) { return WindowProcessIntegrity(window); }
bool WinPlatform::ShowTrayNotice(const qp::Text& title, const qp::Text& text) { return ShowTrayBalloon(title, text); }

}  // namespace qpw
