#include "shell/panel.h"

#include "base/app_state.h"
#include "base/edition.h"
#include "base/ids.h"
#include "base/platform.h"
#include "keysets/catalogue.h"
#include "keysets/key_face.h"
#include "keysets/layout.h"
#include "keysets/rune_filter.h"
#include "output/target_list.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qp {

static_assert(kMoreKeyBase + kMoreBlockPositions == kLastMoreKey, "the more block's keys end at kLastMoreKey");

namespace {

ElementTable g_elements;
int g_openContainer = kBackPanel;  // where CreateKey puts new elements
Text g_titleText;
Text g_labels[kLastLabel - kFirstLabel + 1];  // by element number from kFirstLabel

const char16_t* const kOghamLabels[] = {u"Aicme\u00A0Beithe", u"Aicme\u00A0h\u00DAatha", u"Aicme\u00A0Muine",
                                        u"Aicme\u00A0Ailme", u"Forfeda"};
constexpr char16_t kPhoneticLabelText[] = u"non-spacing diacritics - combining characters";

PanelState PanelFromApp() {
  const AppState& a = App();
  PanelState p;
  p.panelWidth = a.PanelWidth;
  p.panelHeight = a.PanelHeight;
  p.keyAreaHeight = a.KeyAreaHeight;
  p.keySize = a.KeySize;
  p.keySet = ShownKeySet();
  p.moreButtonData = g_elements.Data(kMoreButton);
  p.namedTarget = a.NamedTarget != 0;
  return p;
}

void PanelToApp(const PanelState& p) {
  AppState& a = App();
  a.PanelWidth = p.panelWidth;
  a.PanelHeight = p.panelHeight;
  a.KeyAreaHeight = p.keyAreaHeight;
}

// Sets whose records carry entity names that the loader stores; the others never fill it.
bool FillsEntityText(int set) {
  return CurrentEdition().hasOutputModes && set != 14 && set != 15 && set != 19 && set != 20;
}

Text KeyTooltip(int set, int position, const KeyRecord& record) {
  if (CurrentEdition().kind == EditionKind::Standard) return StandardTooltip(set, position);
  return record.tooltip;
}

void CreateLabel(int number, const Rect& r, const Text& text) {
  if (!IsLabelElement(number)) return;
  if (g_elements.Create(number, kBackPanel, r)) g_labels[number - kFirstLabel] = text;
}

void SetTitleAndTray() {
  Text title = WindowTitleForShownSet();
  Plat().SetMainTitle(title);
  SetTitleStripText(Text(CurrentEdition().titlePrefix) + KeySetName(ShownKeySet()));
  Plat().SetTrayTip(TrayTipForShownSet());
}

}  // namespace

ElementTable& Elements() { return g_elements; }

int ShownKeySet() {
  const AppState& a = App();
  if (CurrentEdition().kind == EditionKind::Standard) return StandardToFullerSet(a.KeySet);
  return a.KeySet >= 1 && a.KeySet <= kKeySetCount ? a.KeySet : 1;
}

Text WindowTitleForShownSet() {
  int set = ShownKeySet();
  Text title = Text(CurrentEdition().titlePrefix) + KeySetName(set);
  if (set == kRunicSet) title += RuneTitleSuffix(App());
  return title;
}

Text TrayTipForShownSet() { return Text(CurrentEdition().trayPrefix) + u"\r\n" + KeySetName(ShownKeySet()); }

const Text& TitleStripText() { return g_titleText; }

Text LabelText(int element) {
  if (IsLabelElement(element)) return g_labels[element - kFirstLabel];
  if (element == kTypeInLabel) return u"type in ";
  return Text();
}

void CreatePanelElements() {
  for (const ElementPlace& place : CreationPlaces(App().KeySize)) {
    g_elements.Create(place.element, place.parent, place.rect);
    if (place.element == kOnTopBox) {
      // The panel always starts topmost, whatever AlwaysOnTop says.
      g_elements.SetData(kOnTopBox, 1);
      Plat().SetMainTopmost(true);
      if (App().AlwaysOnTop == 1) g_elements.Show(kOnTopBox, false);
    }
  }
  g_elements.SetChildWindow(kTargetFrame, true);
  g_elements.SetChildWindow(kTargetBox, true);
  g_elements.Show(kMoreBlock, false);
  g_elements.SetData(kMoreButton, kMoreHidden);
  g_elements.SetTooltip(kSettingsButton, CurrentEdition().kind == EditionKind::Standard
                                             ? Text(u"change key set")
                                             : Text(u"settings, keys, output"));
  g_elements.SetTooltip(kRefreshButton, u"refresh target list");
  g_openContainer = kBackPanel;
}

void ApplySchemeColors() {
  AppState& a = App();
  const PanelScheme& scheme = SchemeFor(a.Dark != 0);
  a.PanelBackColor = static_cast<int32_t>(scheme.panelBack);
  a.PanelTextColor = static_cast<int32_t>(scheme.panelText);
  a.PanelLabelColor = static_cast<int32_t>(scheme.panelLabel);
  Plat().RepaintWithScheme();
  SetElementFace(kCloseButton, scheme.closeImage);
}

void LoadKeyPanel() {
  ApplySchemeColors();
  SetElementFace(kHelpButton, 8);
  SetElementFace(kSettingsButton, 3);
  SetElementFace(kOnTopBox, 0);
  SetElementFace(kDropButton, 0);
  SetElementFace(kMoreButton, 0);
  SetElementFace(kRefreshButton, 0);
  BuildMoreBlock();
  LoadCurrentKeySet();
  // Everything repaints with the new set and colours.
  Plat().RedrawPanel();
}

void ClearKeySet() {
  if (g_elements.Exists(kOghamFirstLabel)) {
    for (int n = kOghamFirstLabel; n <= kLastLabel; ++n) g_elements.Free(n);
  }
  if (g_elements.Exists(kPhoneticLabel)) g_elements.Free(kPhoneticLabel);
  for (int n = kFirstSetKey; n <= kLastSetKey; ++n) {
    g_elements.Free(n);
    App().EntityText[static_cast<size_t>(n)].clear();
  }
}

void BuildMoreBlock() {
  KeySetTable table = MoreBlockRecords();
  g_openContainer = kMoreBlock;
  for (int i = 1; i <= table.positions; ++i) {
    const KeyRecord& rec = table.records[i];
    auto r = MoreKeyRect(i);
    if (!r || rec.codePoint < 1) continue;
    int number = kMoreKeyBase + i;
    if (!CreateKey(number, r->x, r->y, r->w, r->h, rec.codePoint)) continue;
    g_elements.SetTooltip(number, rec.tooltip);
    if (CurrentEdition().hasOutputModes && rec.entityName[0] != '\0') {
      App().EntityText[static_cast<size_t>(number)] = u"&" + Latin1ToText(rec.entityName) + u";";
    }
  }
  g_openContainer = kBackPanel;
  g_elements.Show(kMoreBlock, g_elements.Data(kMoreButton) == kMoreShown);
}

int CreateKey(int number, int x, int y, int w, int h, int32_t codePoint) {
  if (!g_elements.Create(number, g_openContainer, Rect{x, y, w, h})) return 0;
  g_elements.SetData(number, codePoint);
  g_elements.SetFace(number, kFaceNormal);
  return 1;
}

void LoadCurrentKeySet() {
  AppState& a = App();
  const int set = ShownKeySet();
  const KeySetTable table = KeySetRecords(set);
  const bool compact = set == kEsperantoSet && g_elements.Data(kMoreButton) == kMoreHidden && a.NamedTarget == 0;
  SetKeyAreaHeight(KeyAreaHeightForSet(set, compact));
  g_openContainer = kBackPanel;
  if (set == kPhoneticSet) CreateLabel(kPhoneticLabel, PhoneticLabelRect(false), kPhoneticLabelText);
  const RuneRow* runes = set == kRunicSet ? RuneRows() : nullptr;
  for (int i = 1; i <= table.positions; ++i) {
    int pause = PauseBeforePositionMs(set, i);
    if (pause > 0) Plat().SleepMs(pause);
    const KeyRecord& rec = table.records[i];
    if (rec.codePoint < 1) continue;
    if (set == kPhoneticSet && i == kPhoneticMarksStart) g_elements.SetRect(kPhoneticLabel, PhoneticLabelRect(true));
    KeyLayoutOptions options;
    options.esperantoCompact = compact;
    if (runes && a.RuneOrder == 1) options.runeOrderNumber = runes[i].order;
    auto r = KeyRectFor(set, i, options);
    if (!r || !CreateKey(i, r->x, r->y, r->w, r->h, rec.codePoint)) continue;
    g_elements.SetTooltip(i, KeyTooltip(set, i, rec));
    if (FillsEntityText(set) && rec.entityName[0] != '\0') {
      a.EntityText[static_cast<size_t>(i)] = u"&" + Latin1ToText(rec.entityName) + u";";
    }
    if (runes && !RuneEnabled(a, runes[i])) {
      g_elements.Enable(i, false);
      g_elements.SetFace(i, kFaceDisabled);
    }
  }
  if (set == kOghamSet) {
    const LabelPlace* labels = OghamLabelPlaces();
    for (int k = 0; k < kOghamLabelCount; ++k) CreateLabel(labels[k].element, labels[k].rect, kOghamLabels[k]);
  }
  int after = LoadPausesFor(set).afterLoopMs;
  if (after > 0) Plat().SleepMs(after);
  SetTitleAndTray();
}

void SelectKeySet(int n, void (*leaving)()) {
  if (n == App().KeySet) return;
  App().KeySet = n;
  if (leaving) leaving();
  ClearKeySet();
  LoadCurrentKeySet();
  Plat().RedrawPanel();
}

void SetKeyAreaHeight(int h) {
  PanelState p = PanelFromApp();
  if (!ApplyKeyAreaHeight(p, h)) return;
  PanelToApp(p);
  RelayoutPanel();
}

void RelayoutPanel() {
  AppState& a = App();
  PanelState p = PanelFromApp();
  // Kept on the monitor it is on: the edges it is held inside are that monitor's.
  const Rect window = Plat().MainClientRect();
  const MonitorFrame f = MonitorFrameAt(PrimaryDockInput(window, Plat().MainWindowDpi()), window);
  Rect client = ToScreen(f, RelayoutWindow(p, f.in.window, f.in.screenWidth, f.in.screenHeight, f.in.dpi));
  PanelToApp(p);
  Plat().PlaceMainWindow(client);
  g_elements.Resize(kBackPanel, a.PanelWidth, a.PanelHeight);
  for (const ElementPlace& place : RelayoutPlaces(a.PanelWidth, a.PanelHeight, a.KeySize)) {
    g_elements.SetRect(place.element, place.rect);
  }
  SetTitleStripText(g_titleText);
  Plat().RedrawPanel();
  // Whatever the user did while the panel changed shape refers to keys that have moved.
  Plat().DrainPendingInput();
  Plat().SleepMs(50);
}

void ToggleMoreBlock() {
  PanelState p = PanelFromApp();
  bool shown = ToggleMoreBlockState(p);
  PanelToApp(p);
  g_elements.Show(kMoreBlock, shown);
  g_elements.SetData(kMoreButton, shown ? kMoreShown : kMoreHidden);
  SetElementFace(kMoreButton, 0);
  RelayoutPanel();
  if (CurrentEdition().kind == EditionKind::Pro && ShownKeySet() == kEsperantoSet) LoadCurrentKeySet();
}

void ShowPanel(bool show) {
  Platform& plat = Plat();
  plat.ShowMainWindow(show);
  plat.EnableMenuItem(kMenuShow, !show);
  plat.EnableMenuItem(kMenuClose, show);
  if (show) {
    ReselectTarget();
    Point size = plat.DisplaySize();
    App().ScreenWidth = size.x;
    App().ScreenHeight = size.y;
  }
}

void SetElementFace(int element, int face) {
  if (!g_elements.Exists(element)) return;
  g_elements.SetFace(element, face);
  Plat().RedrawElement(element);
}

void SetTitleStripText(const Text& text) {
  g_titleText = text;
  Plat().RedrawElement(kTitleStrip);
}

}  // namespace qp
