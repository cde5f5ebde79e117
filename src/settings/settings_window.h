// The settings window (fuller edition): its controls, where it opens and what it shows, and
// what each control does. The window itself is built by the Windows layer through
// SettingsWindowUi; every decision stays here so that it can be tested with a fake.
#pragma once
#include <vector>

#include "base/ids.h"
#include "base/rect.h"
#include "shell/elements.h"

namespace qp {

// Tabs by index.
constexpr int kGeneralTab = 0;
constexpr int kKeySetsTab = 1;
constexpr int kOutputTab = 2;
constexpr int kRuneFilterTab = 3;
constexpr int kPlainTabCount = 3;

constexpr int kSettingsClientWidth = 300;
constexpr int kSettingsClientHeight = 470;
constexpr char16_t kSettingsTitle[] = u"Quillpad ~ Settings";

enum class ControlKind { CheckBox, OptionButton, Label, PushButton };

// One control. `page` is the tab index that holds it, or -1 for the window itself; the
// rectangle is relative to that page or window. Labels without an id have id 0. `groupStart`
// marks the first option button of a group and the label that closes it.
struct SettingsControl {
  int id;
  int page;
  ControlKind kind;
  const char16_t* text;
  Rect rect;
  bool groupStart;
};

// Tab captions by index.
const char16_t* SettingsTabCaption(int tab);
// The controls of one page (0..3), or of the window itself (-1), in creation order.
std::vector<SettingsControl> SettingsPageControls(int page);
// Where the tab control sits in the window.
Rect SettingsTabRect();

// What the window shows when it opens, from the program state.
struct SettingsWindowPlan {
  Point position;              // outer top-left corner on the screen
  std::vector<int> checked;    // General boxes to tick
  int keySetOption = 0;        // option button to select on "Key Sets"
  int outputOption = 0;        // option button to select on "Output"
  bool runeFilterTab = false;  // the fourth tab is present
  int tab = 0;                 // tab to select
  bool topmost = false;
};

// Rune filter page: which boxes are ticked and which order option is selected.
struct RuneFilterPlan {
  std::vector<int> checked;
  int orderOption = kUnicodeOrderOption;
};

// Option buttons for stored values; values outside the range select the first option.
int KeySetOptionFor(int keySet);
int OutputOptionFor(int outStyle);

// OpenSettingsWindow's decisions. A tab other than -1 is also stored in ConfPanel.
SettingsWindowPlan PlanSettingsWindow(int tab);
RuneFilterPlan PlanRuneFilterPage();

// The real window, as the logic sees it. Nothing here decides anything.
class SettingsWindowUi {
 public:
  virtual ~SettingsWindowUi() = default;
  // Builds the window with its three tabs, their controls and the "done" button as the plan
  // says; the rune filter tab is added through AddRuneFilterPage. False when it cannot be made.
  virtual bool Create(const SettingsWindowPlan& plan) = 0;
  virtual void Destroy() = 0;
  // A check box is ticked or an option button selected.
  virtual bool IsChecked(int id) = 0;
  virtual int SelectedTab() = 0;
  virtual int TabCount() = 0;
  // Appends the "Rune Filter" tab with its page.
  virtual void AddRuneFilterPage(const RuneFilterPlan& plan) = 0;
  virtual void RemoveTab(int index) = 0;
  // Selects the tab and shows its page.
  virtual void SelectTab(int index) = 0;
};

// The Windows layer installs its implementation once; tests install a fake.
void SetSettingsWindowUi(SettingsWindowUi* ui);

void OpenSettingsWindow(int tab);
void CloseSettingsWindow();
bool SettingsWindowOpen();
// A control of the window reported an event (the dispatch sends 1009..1068 here).
void SettingsControlEvent(int element, ElementEventType type);

// Key set changes made on the "Key Sets" tab add and drop the rune filter tab: it lives exactly
// as long as the runic set is shown.
void AddRuneFilterPageIfMissing();
void DropRuneFilterPage();

}  // namespace qp
