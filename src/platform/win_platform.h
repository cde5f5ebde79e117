// The program's Platform on Windows: the panel window's operations and the system calls.
#pragma once
#include "base/platform.h"

namespace qpw {

class WinPlatform : public qp::Platform {
 public:
  bool MainWindowExists() override;
  void ShowMainWindow(bool show) override;
  qp::Rect MainWindowRect() override;
  qp::Rect MainClientRect() override;
  void PlaceMainWindow(const qp::Rect& client) override;
  void MoveMainWindow(int x, int y) override;
  void SetMainTopmost(bool topmost) override;
  void SetMainTitle(const qp::Text& title) override;
  void SetTrayTip(const qp::Text& tip) override;
  void EnableMenuItem(int item, bool enabled) override;
  void ShowPopupMenu() override;
  void RedrawElement(int number) override;
  void RedrawPanel() override;
  void RepaintWithScheme() override;
  void DrainPendingInput() override;
  void SleepMs(int ms) override;

  qp::Point CursorPos() override;
  qp::Point PressPointInClient() override;
  qp::Point EventCursorPos() override;
  void CaptureMouse(bool capture) override;

  qp::Point DisplaySize() override;
  bool ReadWorkArea(int& left, int& top, int& right, int& bottom) override;
  int OsVersionValue() override;
  void OpenUrl(const qp::Text& url) override;
  int MessageBox(const qp::Text& text, const qp::Text& caption, int flags) override;

  void TargetBoxClear() override;
  void TargetBoxAdd(const qp::Text& item) override;
  int TargetBoxCount() override;
  qp::Text TargetBoxItem(int index) override;
  void TargetBoxSelect(int index) override;
  qp::Text TargetBoxText() override;
  int TargetBoxFindExact(const qp::Text& text) override;
  void TargetBoxDropDown() override;

  std::vector<qp::TopWindowInfo> EnumerateTopWindows() override;
  qp::ForegroundInfo Foreground() override;
  uintptr_t FindWindowByTitle(const qp::Text& title) override;
  bool IsWindow(uintptr_t handle) override;
  bool SetForegroundWindow(uintptr_t handle) override;

  bool OpenClipboard() override;
  void EmptyClipboard() override;
  void CloseClipboard() override;
  uintptr_t AllocClipboardBlock(size_t units) override;
  bool FillClipboardBlock(uintptr_t block, const qp::Text& text) override;
  bool SetClipboardText(uintptr_t block) override;
  void FreeClipboardBlock(uintptr_t block) override;
  size_t SendInput(const std::vector<qp::KeyInputRecord>& records, size_t count) override;

  uint64_t NowMs() override;
  uint32_t ProgramIntegrity() override;
  uint32_t WindowIntegrity(uintptr_t window) override;
  bool ShowTrayNotice(const qp::Text& title, const qp::Text& text) override;

  bool QueryTaskbar(uint32_t& state, uint32_t& edge, int& left, int& top, int& right, int& bottom) override;
  void EndProgram() override;
  void CheckMenuItem(int item, bool checked) override;
  // In session_events_win.cpp.
  void RestoreTrayIcon() override;
  bool OnAnyMonitor(const qp::Rect& r) override;
  bool MonitorNearest(const qp::Rect& r, qp::MonitorArea& monitor) override;
  int MainWindowDpi() override;
};

}  // namespace qpw
