// A Platform for unit tests. Every call is logged by method name, in order, so a test can
// assert exact sequences; the fake keeps a target box, a window list with a foreground
// window, a clipboard and the main window's state, and each step that can fail on a real
// system can be made to fail here. Install it with FakePlatformScope.
#pragma once
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/lower_case.h"
#include "base/platform.h"

namespace qp {

struct FakeMessageBox {
  Text text;
  Text caption;
  int flags = 0;
};

struct FakeNotice {
  Text title;
  Text text;
};

class FakePlatform : public Platform {
 public:
  // ---- the log ---------------------------------------------------------------------------
  std::vector<std::string> calls;
  // The calls whose names are in `names`, in order: a sequence without unrelated calls.
  std::vector<std::string> CallsAmong(const std::set<std::string>& names) const {
    std::vector<std::string> out;
    for (const std::string& c : calls) {
      if (names.count(c)) out.push_back(c);
    }
    return out;
  }
  int CountOf(const std::string& name) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), name));
  }

  // ---- main window ---------------------------------------------------------------------
  bool mainWindowExists = true;
  bool mainShown = false;
  Rect mainWindowRect{100, 100, 502, 143};
  Rect mainClientRect{100, 100, 502, 143};
  bool mainTopmost = false;
  Text mainTitle;
  Text trayTip;
  std::map<int, bool> menuItemEnabled;
  std::vector<int> redrawnElements;
  std::vector<int> sleeps;

  bool MainWindowExists() override { Log("MainWindowExists"); return mainWindowExists; }
  void ShowMainWindow(bool show) override { Log("ShowMainWindow"); mainShown = show; }
  Rect MainWindowRect() override { Log("MainWindowRect"); return mainWindowRect; }
  Rect MainClientRect() override { Log("MainClientRect"); return mainClientRect; }
  void PlaceMainWindow(const Rect& client) override {
    Log("PlaceMainWindow");
    const int frameW = mainWindowRect.w - mainClientRect.w;
    const int frameH = mainWindowRect.h - mainClientRect.h;
    mainClientRect = client;
    mainWindowRect = Rect{client.x, client.y, client.w + frameW, client.h + frameH};
  }
  void MoveMainWindow(int x, int y) override {
    Log("MoveMainWindow");
    mainClientRect.x += x - mainWindowRect.x;
    mainClientRect.y += y - mainWindowRect.y;
    mainWindowRect.x = x;
    mainWindowRect.y = y;
  }
  void SetMainTopmost(bool topmost) override { Log("SetMainTopmost"); mainTopmost = topmost; }
  void SetMainTitle(const Text& title) override { Log("SetMainTitle"); mainTitle = title; }
  void SetTrayTip(const Text& tip) override { Log("SetTrayTip"); trayTip = tip.substr(0, 63); }
  void EnableMenuItem(int item, bool enabled) override {
    Log("EnableMenuItem");
    menuItemEnabled[item] = enabled;
  }
  void ShowPopupMenu() override { Log("ShowPopupMenu"); }
  void RedrawElement(int number) override { Log("RedrawElement"); redrawnElements.push_back(number); }
  void RedrawPanel() override { Log("RedrawPanel"); }
  void RepaintWithScheme() override { Log("RepaintWithScheme"); }
  void DrainPendingInput() override { Log("DrainPendingInput"); }
  void SleepMs(int ms) override { Log("SleepMs"); sleeps.push_back(ms); }

  // ---- pointer ---------------------------------------------------------------------------
  Point cursor;
  bool mouseCaptured = false;
  Point CursorPos() override { Log("CursorPos"); return cursor; }
  void CaptureMouse(bool capture) override { Log("CaptureMouse"); mouseCaptured = capture; }

  // ---- screen and shell --------------------------------------------------------------------
  Point displaySize{1920, 1080};
  bool workAreaFails = false;
  int workLeft = 0, workTop = 0, workRight = 1920, workBottom = 1040;
  int osVersion = 110;
  std::vector<Text> openedUrls;
  std::vector<FakeMessageBox> messageBoxes;
  int messageBoxAnswer = kIdYes;

  Point DisplaySize() override { Log("DisplaySize"); return displaySize; }
  bool ReadWorkArea(int& left, int& top, int& right, int& bottom) override {
    Log("ReadWorkArea");
    if (workAreaFails) return false;
    left = workLeft;
    top = workTop;
    right = workRight;
    bottom = workBottom;
    return true;
  }
  int OsVersionValue() override { Log("OsVersionValue"); return osVersion; }
  int mainDpi = 96;
  int MainWindowDpi() override { return mainDpi; }
  void OpenUrl(const Text& url) override { Log("OpenUrl"); openedUrls.push_back(url); }
  int MessageBox(const Text& text, const Text& caption, int flags) override {
    Log("MessageBox");
    messageBoxes.push_back({text, caption, flags});
    return messageBoxAnswer;
  }

  // ---- the target box ----------------------------------------------------------------------
  std::vector<Text> targetItems;
  int targetSelection = -1;

  void TargetBoxClear() override { Log("TargetBoxClear"); targetItems.clear(); targetSelection = -1; }
  void TargetBoxAdd(const Text& item) override { Log("TargetBoxAdd"); targetItems.push_back(item); }
  int TargetBoxCount() override { Log("TargetBoxCount"); return static_cast<int>(targetItems.size()); }
  Text TargetBoxItem(int index) override {
    Log("TargetBoxItem");
    return InTargetBox(index) ? targetItems[static_cast<size_t>(index)] : Text();
  }
  // Like a drop-down list: an index outside the list clears the selection.
  void TargetBoxSelect(int index) override {
    Log("TargetBoxSelect");
    targetSelection = InTargetBox(index) ? index : -1;
  }
  Text TargetBoxText() override {
    Log("TargetBoxText");
    return InTargetBox(targetSelection) ? targetItems[static_cast<size_t>(targetSelection)] : Text();
  }
  int TargetBoxFindExact(const Text& text) override {
    Log("TargetBoxFindExact");
    const Text wanted = LowerCase(text);
    for (size_t i = 0; i < targetItems.size(); ++i) {
      if (LowerCase(targetItems[i]) == wanted) return static_cast<int>(i);
    }
    return -1;
  }
  void TargetBoxDropDown() override { Log("TargetBoxDropDown"); }
  // The selected entry's text, without logging: for assertions.
  Text SelectedTarget() const {
    return InTargetBox(targetSelection) ? targetItems[static_cast<size_t>(targetSelection)] : Text();
  }

  // ---- windows of other programs -------------------------------------------------------------
  // The desktop's top-level windows in enumeration order; titles may be longer than a real
  // read would give, which is how a test models a title the system would cut.
  std::vector<TopWindowInfo> windows;
  ForegroundInfo foreground;
  std::set<uintptr_t> goneHandles;  // found by title but closed before IsWindow
  std::vector<uintptr_t> foregroundRequests;

  // A listable window: visible, enabled, not minimised, unowned.
  TopWindowInfo& AddWindow(const Text& title, const Text& className = u"AppWindow") {
    TopWindowInfo w;
    w.handle = 0x1000 + windows.size() * 0x10;
    w.visible = true;
    w.enabled = true;
    w.title = title;
    w.className = className;
    windows.push_back(w);
    return windows.back();
  }
  void SetForegroundTitle(const Text& title) {
    foreground = ForegroundInfo();
    foreground.exists = true;
    foreground.title = title;
  }
  // A listed window of another program comes to the front, as the user's click would do it.
  void Focus(uintptr_t handle) {
    foreground = ForegroundInfo();
    for (const TopWindowInfo& w : windows) {
      if (w.handle != handle) continue;
      foreground.exists = true;
      foreground.handle = handle;
      foreground.title = w.title;
    }
  }
  // One of the program's own windows (the panel, the settings window) comes to the front.
  void FocusOwnWindow(const Text& title = u"Quillpad Pro ~ Latin - Western Europe") {
    foreground = ForegroundInfo();
    foreground.exists = true;
    foreground.handle = 0x9000;
    foreground.ownProgram = true;
    foreground.title = title;
  }

  std::vector<TopWindowInfo> EnumerateTopWindows() override {
    Log("EnumerateTopWindows");
    std::vector<TopWindowInfo> read = windows;
    for (TopWindowInfo& w : read) {
      w.title = w.title.substr(0, 254);
      w.className = w.className.substr(0, 254);
    }
    return read;
  }
  ForegroundInfo Foreground() override {
    Log("Foreground");
    ForegroundInfo f = foreground;
    f.title = f.title.substr(0, 254);
    return f;
  }
  // Whole-title comparison, as the system's search does.
  uintptr_t FindWindowByTitle(const Text& title) override {
    Log("FindWindowByTitle");
    for (const TopWindowInfo& w : windows) {
      if (w.title == title) return w.handle;
    }
    return 0;
  }
  bool IsWindow(uintptr_t handle) override {
    Log("IsWindow");
    if (handle == 0 || goneHandles.count(handle)) return false;
    return std::any_of(windows.begin(), windows.end(),
                       [handle](const TopWindowInfo& w) { return w.handle == handle; });
  }
  bool foregroundGranted = true;
  bool SetForegroundWindow(uintptr_t handle) override {
    Log("SetForegroundWindow");
    foregroundRequests.push_back(handle);
    if (foregroundGranted) Focus(handle);
    return foregroundGranted;
  }

  // ---- clipboard and input ----------------------------------------------------------------------
  bool openClipboardFails = false;
  int clipboardBusyOpens = 0;  // this many opens fail before the clipboard is free
  bool setClipboardFails = false;
  bool allocFails = false;
  bool fillFails = false;
  bool clipboardOpen = false;
  bool clipboardHasText = false;
  Text clipboardText;
  // Calls that a real clipboard would refuse: empty, set or close while not open, open twice,
  // an unknown or unfilled block.
  int clipboardMisuse = 0;
  // Each SendInput call's records, only the `count` sent.
  std::vector<std::vector<KeyInputRecord>> sentInputs;
  int sendInputMisuse = 0;  // count beyond the records given
  size_t acceptedInputs = static_cast<size_t>(-1);  // records the system takes per call

  bool OpenClipboard() override {
    Log("OpenClipboard");
    if (openClipboardFails) return false;
    if (clipboardBusyOpens > 0) {
      --clipboardBusyOpens;
      return false;
    }
    if (clipboardOpen) ++clipboardMisuse;
    clipboardOpen = true;
    return true;
  }
  void EmptyClipboard() override {
    Log("EmptyClipboard");
    if (!clipboardOpen) ++clipboardMisuse;
    clipboardHasText = false;
    clipboardText.clear();
  }
  void CloseClipboard() override {
    Log("CloseClipboard");
    if (!clipboardOpen) ++clipboardMisuse;
    clipboardOpen = false;
  }
  uintptr_t AllocClipboardBlock(size_t units) override {
    Log("AllocClipboardBlock");
    if (allocFails) return 0;
    const uintptr_t block = nextBlock_++;
    blocks_[block] = Block{units, Text(), false};
    return block;
  }
  bool FillClipboardBlock(uintptr_t block, const Text& text) override {
    Log("FillClipboardBlock");
    auto it = blocks_.find(block);
    if (it == blocks_.end() || text.size() > it->second.units) {
      ++clipboardMisuse;
      return false;
    }
    if (fillFails) return false;
    it->second.text = text;
    it->second.filled = true;
    return true;
  }
  bool SetClipboardText(uintptr_t block) override {
    Log("SetClipboardText");
    auto it = blocks_.find(block);
    if (!clipboardOpen || it == blocks_.end() || !it->second.filled) {
      ++clipboardMisuse;
      return false;
    }
    if (setClipboardFails) return false;
    clipboardText = it->second.text;
    clipboardHasText = true;
    blocks_.erase(it);  // the system owns it now
    return true;
  }
  void FreeClipboardBlock(uintptr_t block) override {
    Log("FreeClipboardBlock");
    if (blocks_.erase(block) == 0) ++clipboardMisuse;
  }
  // Blocks allocated and neither taken by the clipboard nor freed.
  size_t LeakedBlocks() const { return blocks_.size(); }
  size_t SendInput(const std::vector<KeyInputRecord>& records, size_t count) override {
    Log("SendInput");
    if (count > records.size()) ++sendInputMisuse;
    const size_t sent = std::min(count, records.size());
    sentInputs.emplace_back(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(sent));
    return std::min(sent, acceptedInputs);
  }

  // ---- clock, integrity levels and notices ------------------------------------------------------
  uint64_t nowMs = 5000000;
  uint32_t programIntegrity = 0x2000;
  std::map<uintptr_t, uint32_t> windowIntegrity;  // absent: the program's own level
  std::vector<FakeNotice> notices;
  bool trayNoticeFails = false;

  uint64_t NowMs() override { Log("NowMs"); return nowMs; }
  uint32_t ProgramIntegrity() override { Log("ProgramIntegrity"); return programIntegrity; }
  uint32_t WindowIntegrity(uintptr_t window) override {
    Log("WindowIntegrity");
    auto it = windowIntegrity.find(window);
    return it == windowIntegrity.end() ? programIntegrity : it->second;
  }
  bool ShowTrayNotice(const Text& title, const Text& text) override {
    Log("ShowTrayNotice");
    if (trayNoticeFails) return false;
    notices.push_back({title, text});
    return true;
  }

  // ---- taskbar and the end of the program ---------------------------------------------------
  // A bottom taskbar 40 pixels high on the 1920 x 1080 display, unless a test says otherwise.
  bool taskbarAnswers = true;
  uint32_t taskbarState = 0;
  uint32_t taskbarEdge = 3;  // ABE_BOTTOM
  int taskbarLeft = 0, taskbarTop = 1040, taskbarRight = 1920, taskbarBottom = 1080;

  bool QueryTaskbar(uint32_t& state, uint32_t& edge, int& left, int& top, int& right, int& bottom) override {
    Log("QueryTaskbar");
    if (!taskbarAnswers) return Platform::QueryTaskbar(state, edge, left, top, right, bottom);
    state = taskbarState;
    edge = taskbarEdge;
    left = taskbarLeft;
    top = taskbarTop;
    right = taskbarRight;
    bottom = taskbarBottom;
    return true;
  }
  void EndProgram() override { Log("EndProgram"); }

  // ---- the shell restarting, monitors ----------------------------------------------------------
  std::vector<Rect> monitors;  // none listed: every rectangle counts as on a monitor
  void RestoreTrayIcon() override { Log("RestoreTrayIcon"); }
  bool OnAnyMonitor(const Rect& r) override {
    Log("OnAnyMonitor");
    if (monitors.empty()) return true;
    for (const Rect& m : monitors) {
      if (int64_t{r.x} + r.w > m.x && r.x < int64_t{m.x} + m.w && int64_t{r.y} + r.h > m.y && r.y < int64_t{m.y} + m.h) {
        return true;
      }
    }
    return false;
  }
  // Monitors by their areas; none listed: the system names no monitor.
  std::vector<MonitorArea> monitorAreas;
  bool MonitorNearest(const Rect& r, MonitorArea& monitor) override {
    int64_t best = -1;
    for (const MonitorArea& m : monitorAreas) {
      const int64_t w = std::min<int64_t>(int64_t{r.x} + r.w, m.bounds.right) - std::max<int64_t>(r.x, m.bounds.left);
      const int64_t h = std::min<int64_t>(int64_t{r.y} + r.h, m.bounds.bottom) - std::max<int64_t>(r.y, m.bounds.top);
      const int64_t shared = w > 0 && h > 0 ? w * h : 0;
      if (shared > best) best = shared, monitor = m;
    }
    return best >= 0;
  }

 private:
  struct Block {
    size_t units = 0;
    Text text;
    bool filled = false;
  };
  std::map<uintptr_t, Block> blocks_;
  uintptr_t nextBlock_ = 0x5000;

  void Log(const char* name) { calls.emplace_back(name); }
  bool InTargetBox(int index) const { return index >= 0 && static_cast<size_t>(index) < targetItems.size(); }
};

// Installs a fake platform for the scope of a test and removes it afterwards.
class FakePlatformScope {
 public:
  explicit FakePlatformScope(FakePlatform& fake) { SetPlatform(&fake); }
  ~FakePlatformScope() { SetPlatform(nullptr); }
  FakePlatformScope(const FakePlatformScope&) = delete;
  FakePlatformScope& operator=(const FakePlatformScope&) = delete;
};

}  // namespace qp
