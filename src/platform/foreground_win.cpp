// The foreground watch.
#include <windows.h>

#include "output/user_window.h"
#include "platform/delivery_win.h"
#include "platform/system_win.h"

namespace qpw {

namespace {

class WinEventHook {
 public:
  void Reset(HWINEVENTHOOK hook) {
    if (hook_) UnhookWinEvent(hook_);
    hook_ = hook;
  }
  ~WinEventHook() { Reset(nullptr); }

 private:
  HWINEVENTHOOK hook_ = nullptr;
};

WinEventHook g_foregroundHook;

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
  if (event != EVENT_SYSTEM_FOREGROUND || window == nullptr) return;
  qp::RememberUserWindow(qp::WinWindowFacts(reinterpret_cast<uintptr_t>(window)));
}

}  // namespace

void WatchForegroundWindow() {
  // Out of context, the events arrive as messages of this thread's loop: no code of this program
  // runs inside other processes, and the core is only ever called on this thread.
  g_foregroundHook.Reset(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForegroundEvent,
                                         0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
  qp::NoteForegroundWindow();
}

void ReportWindowBefore(uint32_t thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (thread == 0 || !GetGUIThreadInfo(thread, &info) || info.hwndActive == nullptr) {
    qp::RememberWindowBelow();
    return;
  }
  qp::RememberUserWindow(qp::WinWindowFacts(reinterpret_cast<uintptr_t>(GetAncestor(info.hwndActive, GA_ROOT))));
}

uint64_t SteadyMs() { return GetTickCount64(); }

}  // namespace qpw
