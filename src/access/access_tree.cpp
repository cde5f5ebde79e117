#include "access/access_tree.h"

#include <algorithm>

#include "base/platform.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace qp {

namespace {

bool IsKey(int n) { return (n >= 1 && n <= 342) || (n >= 401 && n <= 457); }
bool IsLabel(int n) { return n == kTypeInLabel || (n >= 1024 && n <= 1029); }

bool IsReadable(int n) {
  switch (n) {
    case kCloseButton:
    case kDropButton:
    case kHelpButton:
    case kSettingsButton:
    case kTitleStrip:
    case kOnTopBox:
    case kTargetBox:
    case kRefreshButton:
    case kMoreButton:
      return true;
    default:
      return IsKey(n) || IsLabel(n);
  }
}

// Labels end in spaces or use no-break spaces for drawing; a reader wants plain words.
Text Tidy(Text t) {
  std::replace(t.begin(), t.end(), u'\u00A0', u' ');
  while (!t.empty() && t.back() == u' ') t.pop_back();
  return t;
}

Text BarButtonName(int n, const Element& e) {
  switch (n) {
    case kCloseButton:
      return u"close";
    case kHelpButton:
      return u"help";
    case kDropButton:
      return u"open target list";
    case kMoreButton:
      return e.data == kMoreShown ? u"less" : u"more";
    default:
      return e.tooltip;
  }
}

void FillKey(AccessNode& node, const Element& e) {
  node.role = AccessRole::PushButton;
  Text character;
  AppendCodePoint(character, static_cast<char32_t>(e.data));
  node.name = e.tooltip.empty() ? character : e.tooltip;
  node.value = character;
  node.description = CodePointLabel(e.data);
  if (!e.enabled) node.states |= kAccessUnavailable;
}

}  // namespace

Text CodePointLabel(int32_t codePoint) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  Text digits;
  for (uint32_t v = static_cast<uint32_t>(codePoint); v != 0 || digits.size() < 4; v >>= 4) {
    digits.insert(digits.begin(), kHex[v & 0xF]);
  }
  return u"U+" + digits;
}

std::vector<int> AccessChildren(const ElementTable& table) {
  struct Place {
    int y, x, n;
  };
  std::vector<Place> places;
  for (int n : table.PaintOrder()) {
    if (!IsReadable(n)) continue;
    auto r = table.AbsoluteRect(n);
    if (r) places.push_back({r->y, r->x, n});
  }
  std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
    return a.y != b.y ? a.y < b.y : a.x != b.x ? a.x < b.x : a.n < b.n;
  });
  std::vector<int> out;
  out.reserve(places.size());
  for (const Place& p : places) out.push_back(p.n);
  return out;
}

std::optional<AccessNode> AccessNodeFor(int element) {
  const ElementTable& table = Elements();
  const Element* e = table.Find(element);
  if (e == nullptr || !IsReadable(element) || !table.IsShown(element)) return std::nullopt;
  AccessNode node;
  node.id = element;
  if (IsKey(element)) {
    FillKey(node, *e);
  } else if (element == kTitleStrip) {
    node.name = TitleStripText();
  } else if (IsLabel(element)) {
    node.name = Tidy(LabelText(element));
  } else if (element == kOnTopBox) {
    node.role = AccessRole::CheckButton;
    node.name = u"on top";
    if (e->data != 0) node.states |= kAccessChecked;
  } else if (element == kTargetBox) {
    node.role = AccessRole::ComboBox;
    node.name = Tidy(LabelText(kTypeInLabel));
    node.value = Plat().TargetBoxText();
  } else {
    node.role = AccessRole::PushButton;
    node.name = BarButtonName(element, *e);
    if (!e->enabled) node.states |= kAccessUnavailable;
  }
  switch (node.role) {
    case AccessRole::PushButton:
      node.defaultAction = u"Press";
      break;
    case AccessRole::CheckButton:
      node.defaultAction = (node.states & kAccessChecked) != 0 ? u"Uncheck" : u"Check";
      break;
    case AccessRole::ComboBox:
      node.defaultAction = u"Open";
      break;
    case AccessRole::StaticText:
      break;
  }
  return node;
}

int AccessActionElement(int element) {
  auto node = AccessNodeFor(element);
  if (!node || node->defaultAction.empty() || (node->states & kAccessUnavailable) != 0) return 0;
  return element == kTargetBox ? kDropButton : element;
}

}  // namespace qp
