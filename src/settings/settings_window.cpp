#include "settings/settings_window.h"

#include "base/app_state.h"
#include "base/platform.h"
#include "keysets/catalogue.h"
#include "keysets/layout.h"
#include "output/format.h"
#include "output/target_list.h"
#include "settings/desktop_shortcut.h"
#include "settings/settings_store.h"
#include "shell/docking.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qp {

namespace {

SettingsWindowUi* g_ui = nullptr;
bool g_open = false;
// A message box during the shortcut step runs a nested loop that could close us again.
bool g_closing = false;

constexpr int kControlX = 20;
constexpr int kControlWidth = 270;
constexpr int kOptionHeight = 18;
constexpr int kOptionTop = 10;
constexpr int kGroupEndWidth = 200;

struct GeneralBox {
  int id;
  int y;
  const char16_t* text;
};
// In the order they stand on the page.
constexpr GeneralBox kGeneralBoxes[] = {
    {kShortcutCheck, 20, u"create shortcut icon on Desktop (see Help)"},
    {kOnTopCheck, 60, u"always on top (no panel checkbox)"},
    {kDockCheck, 100, u"enable proximity docking to screen corners"},
    {kStartHiddenCheck, 140, u"start hidden (taskbar icon only)"},
    {kNamedTargetCheck, 180, u"type to named target window"},
    {kMultiRunCheck, 220, u"allow multiple program instances"},
    {kDarkCheck, 260, u"dark keyboard panel"},
};

constexpr const char16_t* kRuneRowTexts[kRuneRowCount] = {
    u"Elder Futhark",
    u" Younger Futhark long-branch",
    u" Younger Futhark short-twig",
    u" Anglo-Saxon Futhorc",
    u" Scandinavian Medieval Futhork",
    u" Loremark English Runes",
};

int32_t GeneralSetting(const AppState& a, int id) {
  switch (id) {
    case kShortcutCheck: return a.ShortcutIcon;
    case kOnTopCheck: return a.AlwaysOnTop;
    case kDockCheck: return a.Dock;
    case kStartHiddenCheck: return a.StartNoShow;
    case kNamedTargetCheck: return a.NamedTarget;
    case kMultiRunCheck: return a.AllowMultiRun;
    case kDarkCheck: return a.Dark;
    default: return 0;
  }
}

bool Checked(int id) { return g_ui && g_ui->IsChecked(id); }

void ShowOnTopBoxForSetting() {
  Elements().Show(kOnTopBox, App().AlwaysOnTop != 1);
  Plat().RedrawPanel();
}

void OnTopChanged() {
  AppState& a = App();
  if (Checked(kOnTopCheck)) {
    a.AlwaysOnTop = 1;
    Plat().SetMainTopmost(true);
    Elements().SetData(kOnTopBox, 1);
    SetElementFace(kOnTopBox, 0);
  } else {
    // The panel stays topmost until the user switches the panel's own box off.
    a.AlwaysOnTop = 0;
  }
  ShowOnTopBoxForSetting();
}

void DarkChanged() {
  AppState& a = App();
  const bool ticked = Checked(kDarkCheck);
  if (ticked == (a.Dark != 0)) return;
  a.Dark = ticked ? 1 : 0;
  LoadKeyPanel();
}

void DockChanged() {
  if (Checked(kDockCheck)) {
    App().Dock = 1;
    // Without a work area a drag before the window closes would dock against zeros, which
    // throws the panel above and left of the screen.
    RefreshWorkArea();
  } else {
    App().Dock = 0;
  }
}

void NamedTargetChanged() {
  AppState& a = App();
  const bool ticked = Checked(kNamedTargetCheck);
  a.NamedTarget = ticked ? 1 : 0;
  for (int n : {kTargetFrame, kDropButton, kRefreshButton, kTypeInLabel}) Elements().Show(n, ticked);
  Plat().RedrawPanel();
  if (ticked) RefreshTargetList();
  // Compact Esperanto depends on the target row.
  if (a.KeySet == kEsperantoSet && Elements().Data(kMoreButton) == kMoreHidden) {
    LoadCurrentKeySet();
    Plat().RedrawPanel();
  }
}

void RebuildRunicSet() {
  if (ShownKeySet() != kRunicSet) return;
  LoadCurrentKeySet();
  Plat().RedrawPanel();
}

void RuneRowChanged(int id) {
  int32_t* flag = RuneRowFlag(App(), id - kFirstRuneRowCheck);
  if (!flag) return;
  *flag = Checked(id) ? 1 : 0;
  RebuildRunicSet();
}

// The rune filter tab lives exactly as long as the runic set is shown: it goes once KeySet holds
// the new set, before the old keys do, and comes once the runic set is built.
void ChooseKeySetOption(int n) {
  if (n == App().KeySet) return;
  SelectKeySet(n, DropRuneFilterPage);
  if (n == kRunicSet) AddRuneFilterPageIfMissing();
}

void RuneOrderChanged(int id) {
  if (!Checked(id)) return;
  App().RuneOrder = id == kTransliterationOrderOption ? 1 : 0;
  RebuildRunicSet();
}

}  // namespace

const char16_t* SettingsTabCaption(int tab) {
  switch (tab) {
    case kGeneralTab: return u"General";
    case kKeySetsTab: return u"Key Sets";
    case kOutputTab: return u"Output";
    case kRuneFilterTab: return u"Rune Filter";
    default: return u"";
  }
}

std::vector<SettingsControl> SettingsPageControls(int page) {
  std::vector<SettingsControl> out;
  using K = ControlKind;
  switch (page) {
    case -1:
      out.push_back({kDoneButton, -1, K::PushButton, u"done",
                     Rect{240, kSettingsClientHeight - 30, 55, 25}, false});
      break;
    case kGeneralTab:
      for (const GeneralBox& b : kGeneralBoxes) {
        out.push_back({b.id, page, K::CheckBox, b.text, Rect{kControlX, b.y, kControlWidth, 20}, false});
      }
      break;
    case kKeySetsTab: {
      for (int k = 1; k <= kKeySetCount; ++k) {
        out.push_back({kKeySetOptionBase + k, page, K::OptionButton, KeySetName(k),
                       Rect{kControlX, kOptionTop + (k - 1) * kOptionHeight, kControlWidth, kOptionHeight}, k == 1});
      }
      // An empty label closes the group of option buttons.
      out.push_back({0, page, K::Label, u"",
                     Rect{kControlX, kOptionTop + kKeySetCount * kOptionHeight, kGroupEndWidth, kOptionHeight}, true});
      break;
    }
    case kOutputTab: {
      for (int m = 1; m <= kOutputModeCount; ++m) {
        const int width = m == 1 ? 220 : m == 7 ? 370 : kControlWidth;
        out.push_back({kOutputOptionBase + m, page, K::OptionButton, kOutputModes[m - 1].label,
                       Rect{kControlX, kOptionTop + (m - 1) * kOptionHeight, width, kOptionHeight}, m == 1});
      }
      out.push_back({0, page, K::Label, u"",
                     Rect{kControlX, kOptionTop + kOutputModeCount * kOptionHeight, kGroupEndWidth, kOptionHeight},
                     true});
      break;
    }
    case kRuneFilterTab: {
      int y = 10;
      for (int row = 0; row < kRuneRowCount; ++row, y += 30) {
        out.push_back({kFirstRuneRowCheck + row, page, K::CheckBox, kRuneRowTexts[row],
                       Rect{kControlX, y, kControlWidth, 20}, false});
      }
      const int lastBoxY = y - 30;
      out.push_back({0, page, K::Label, u"Key sequence:", Rect{kControlX, lastBoxY + 50, 200, 18}, false});
      const int unicodeY = lastBoxY + 70;
      out.push_back({kUnicodeOrderOption, page, K::OptionButton, u" Unicode/Futhark original order",
                     Rect{kControlX, unicodeY, kControlWidth, 20}, true});
      out.push_back({kTransliterationOrderOption, page, K::OptionButton, u" Latin transliteration alphabetic order",
                     Rect{kControlX, unicodeY + 30, kControlWidth, 20}, false});
      out.push_back({0, page, K::Label, u"", Rect{kControlX, unicodeY + 30 + 20, kGroupEndWidth, 18}, true});
      break;
    }
    default:
      break;
  }
  return out;
}

Rect SettingsTabRect() { return Rect{5, 5, 290, kSettingsClientHeight - 40}; }

int KeySetOptionFor(int keySet) {
  return kKeySetOptionBase + (keySet >= 2 && keySet <= kKeySetCount ? keySet : 1);
}

int OutputOptionFor(int outStyle) {
  return kOutputOptionBase + (outStyle >= 2 && outStyle <= kOutputModeCount ? outStyle : 1);
}

SettingsWindowPlan PlanSettingsWindow(int tab) {
  AppState& a = App();
  SettingsWindowPlan plan;
  const Rect outer = Plat().MainWindowRect();
  const Rect client = Plat().MainClientRect();
  // Beside the panel on the panel's own monitor: the edges it keeps off are that monitor's.
  const MonitorFrame frame = MonitorFrameAt(DockInput{}, outer);
  const Rect at = ToFrame(frame, outer);
  plan.position = ToScreen(frame, SettingsWindowPosition(at.x, at.y, client.h, a.PanelWidth, Plat().MainWindowDpi()));
  for (const GeneralBox& b : kGeneralBoxes) {
    if (GeneralSetting(a, b.id) != 0) plan.checked.push_back(b.id);
  }
  plan.keySetOption = KeySetOptionFor(a.KeySet);
  plan.outputOption = OutputOptionFor(a.OutStyle);
  plan.runeFilterTab = a.KeySet == kRunicSet;
  if (tab != -1) a.ConfPanel = tab;
  const int tabCount = plan.runeFilterTab ? kPlainTabCount + 1 : kPlainTabCount;
  // A stored tab that is not there (the rune filter after leaving the runic set, or a
  // hand-edited value) opens on "General"; ConfPanel keeps what it held.
  plan.tab = a.ConfPanel >= 0 && a.ConfPanel < tabCount ? a.ConfPanel : kGeneralTab;
  plan.topmost = Elements().Data(kOnTopBox) == 1;
  return plan;
}

RuneFilterPlan PlanRuneFilterPage() {
  RuneFilterPlan plan;
  AppState& a = App();
  for (int row = 0; row < kRuneRowCount; ++row) {
    const int32_t* flag = RuneRowFlag(a, row);
    if (flag && *flag == 1) plan.checked.push_back(kFirstRuneRowCheck + row);
  }
  plan.orderOption = a.RuneOrder == 1 ? kTransliterationOrderOption : kUnicodeOrderOption;
  return plan;
}

void SetSettingsWindowUi(SettingsWindowUi* ui) {
  g_ui = ui;
  g_open = false;
}

bool SettingsWindowOpen() { return g_ui && g_open; }

void OpenSettingsWindow(int tab) {
  if (!g_ui || g_closing) return;
  if (g_open) {
    // Rebuilt from the settings: unsaved close-time boxes are dropped.
    g_ui->Destroy();
    g_open = false;
  }
  const SettingsWindowPlan plan = PlanSettingsWindow(tab);
  if (!g_ui->Create(plan)) return;
  g_open = true;
  if (plan.runeFilterTab) g_ui->AddRuneFilterPage(PlanRuneFilterPage());
  g_ui->SelectTab(plan.tab);
}

void CloseSettingsWindow() {
  if (!SettingsWindowOpen() || g_closing) return;
  g_closing = true;
  AppState& a = App();
  const bool shortcut = Checked(kShortcutCheck);
  const bool dock = Checked(kDockCheck);
  const bool startHidden = Checked(kStartHiddenCheck);
  const bool multiRun = Checked(kMultiRunCheck);
  a.ShortcutIcon = shortcut ? 1 : 0;
  // Clearing the box never deletes a shortcut.
  if (shortcut) CreateDesktopShortcut();
  a.Dock = dock ? 1 : 0;
  if (dock) RefreshWorkArea();
  a.StartNoShow = startHidden ? 1 : 0;
  a.AllowMultiRun = multiRun ? 1 : 0;
  SaveSettingsNow();
  if (g_ui) g_ui->Destroy();
  g_open = false;
  g_closing = false;
}

void SettingsControlEvent(int element, ElementEventType type) {
  if (!SettingsWindowOpen()) return;
  if (element >= kKeySetOptionBase + 1 && element <= kKeySetOptionBase + kKeySetCount) {
    if (Checked(element)) ChooseKeySetOption(element - kKeySetOptionBase);
    return;
  }
  if (element >= kOutputOptionBase + 1 && element <= kOutputOptionBase + kOutputModeCount) {
    if (Checked(element)) App().OutStyle = element - kOutputOptionBase;
    return;
  }
  if (element >= kFirstRuneRowCheck && element <= kLastRuneRowCheck) return RuneRowChanged(element);
  switch (element) {
    case kOnTopCheck: return OnTopChanged();
    case kDarkCheck: return DarkChanged();
    case kDockCheck: return DockChanged();
    case kNamedTargetCheck: return NamedTargetChanged();
    case kUnicodeOrderOption:
    case kTransliterationOrderOption: return RuneOrderChanged(element);
    case kDoneButton: return CloseSettingsWindow();
    case kSettingsTabs:
      if (type == ElementEventType::Change) App().ConfPanel = g_ui->SelectedTab();
      return;
    default:
      // 1010, 1013 and 1014 are read when the window closes.
      return;
  }
}

void AddRuneFilterPageIfMissing() {
  if (!SettingsWindowOpen() || App().KeySet != kRunicSet) return;
  if (g_ui->TabCount() == kPlainTabCount) g_ui->AddRuneFilterPage(PlanRuneFilterPage());
}

void DropRuneFilterPage() {
  if (!SettingsWindowOpen() || App().KeySet == kRunicSet) return;
  if (g_ui->TabCount() == kPlainTabCount + 1) {
    g_ui->RemoveTab(kRuneFilterTab);
    g_ui->SelectTab(kKeySetsTab);
  }
}

}  // namespace qp
