#include "shell/elements.h"

#include <algorithm>

namespace qp {

namespace {

bool InRange(int number) { return number >= 1 && number <= kMaxElementNumber; }

Rect NonNegative(Rect r) {
  if (r.w < 0) r.w = 0;
  if (r.h < 0) r.h = 0;
  return r;
}

// Is (px, py), given relative to the parent's origin, inside r?
bool ContainsRelative(const Rect& r, int64_t px, int64_t py) {
  return px >= r.x && py >= r.y && px < int64_t{r.x} + r.w && py < int64_t{r.y} + r.h;
}

}  // namespace

ElementTable::ElementTable() : slots_(kMaxElementNumber + 1) {}

ElementTable::Slot* ElementTable::Live(int number) {
  if (!InRange(number) || !slots_[number].exists) return nullptr;
  return &slots_[number];
}

const ElementTable::Slot* ElementTable::Live(int number) const {
  if (!InRange(number) || !slots_[number].exists) return nullptr;
  return &slots_[number];
}

bool ElementTable::Contains(int ancestor, int number) const {
  // Parents always exist before their children, so the chain ends at 0; the step limit is only
  // a guard.
  for (int steps = 0; steps <= kMaxElementNumber && number != 0; ++steps) {
    const Slot* s = Live(number);
    if (s == nullptr) return false;
    number = s->element.parent;
    if (number == ancestor) return true;
  }
  return false;
}

bool ElementTable::Create(int number, int parent, const Rect& rect) {
  if (!InRange(number) || parent == number) return false;
  if (parent != 0 && Live(parent) == nullptr) return false;
  if (Live(number) != nullptr && Contains(number, parent)) return false;
  Free(number);

  Slot& s = slots_[number];
  s.element = Element{};
  s.element.number = number;
  s.element.parent = parent;
  s.element.rect = NonNegative(rect);
  s.exists = true;
  s.created = nextStamp_++;
  s.children = 0;
  if (Slot* p = Live(parent)) ++p->children;
  return true;
}

void ElementTable::Free(int number) {
  Slot* s = Live(number);
  if (s == nullptr) return;
  for (int n = 1; s->children > 0 && n <= kMaxElementNumber; ++n) {
    if (slots_[n].exists && slots_[n].element.parent == number) Free(n);
  }
  if (Slot* p = Live(s->element.parent)) --p->children;
  *s = Slot{};
}

bool ElementTable::Exists(int number) const { return Live(number) != nullptr; }

const Element* ElementTable::Find(int number) const {
  const Slot* s = Live(number);
  return s ? &s->element : nullptr;
}

bool ElementTable::SetRect(int number, const Rect& rect) {
  Slot* s = Live(number);
  if (s == nullptr) return false;
  s->element.rect = NonNegative(rect);
  return true;
}

bool ElementTable::Resize(int number, int w, int h) {
  const Element* e = Find(number);
  return e && SetRect(number, {e->rect.x, e->rect.y, w, h});
}

bool ElementTable::Show(int number, bool visible) { return SetField(number, &Element::visible, visible); }
bool ElementTable::Enable(int number, bool enabled) { return SetField(number, &Element::enabled, enabled); }
bool ElementTable::SetChildWindow(int number, bool childWindow) {
  return SetField(number, &Element::childWindow, childWindow);
}
bool ElementTable::SetData(int number, int32_t data) { return SetField(number, &Element::data, data); }
bool ElementTable::SetTooltip(int number, const Text& tooltip) { return SetField(number, &Element::tooltip, tooltip); }
bool ElementTable::SetFace(int number, int face) { return SetField(number, &Element::face, face); }

int32_t ElementTable::Data(int number) const {
  const Element* e = Find(number);
  return e ? e->data : 0;
}

std::optional<Rect> ElementTable::AbsoluteRect(int number) const {
  const Element* e = Find(number);
  if (e == nullptr) return std::nullopt;
  int64_t x = e->rect.x;
  int64_t y = e->rect.y;
  for (const Element* p = Find(e->parent); p != nullptr; p = Find(p->parent)) {
    x += p->rect.x;
    y += p->rect.y;
  }
  return Rect{ClampToInt(x), ClampToInt(y), e->rect.w, e->rect.h};
}

bool ElementTable::IsShown(int number) const {
  const Element* e = Find(number);
  if (e == nullptr) return false;
  for (; e != nullptr; e = Find(e->parent)) {
    if (!e->visible) return false;
  }
  return true;
}

int ElementTable::HitTest(int x, int y) const {
  // Walk down from the window: at each level the latest-created visible child under the point
  // wins, until no child of the current element is under it.
  int current = 0;
  int64_t originX = 0;
  int64_t originY = 0;
  for (;;) {
    int best = 0;
    uint64_t bestStamp = 0;
    for (int n = 1; n <= kMaxElementNumber; ++n) {
      const Slot& s = slots_[n];
      if (!s.exists || s.element.parent != current || !s.element.visible) continue;
      if (s.created > bestStamp && ContainsRelative(s.element.rect, x - originX, y - originY)) {
        best = n;
        bestStamp = s.created;
      }
    }
    if (best == 0) return current;
    originX += slots_[best].element.rect.x;
    originY += slots_[best].element.rect.y;
    current = best;
  }
}

void ElementTable::AppendChildrenInOrder(int parent, std::vector<int>& out) const {
  std::vector<int> kids;
  for (int n = 1; n <= kMaxElementNumber; ++n) {
    const Slot& s = slots_[n];
    if (s.exists && s.element.parent == parent && s.element.visible) kids.push_back(n);
  }
  std::sort(kids.begin(), kids.end(),
            [this](int a, int b) { return slots_[a].created < slots_[b].created; });
  for (int n : kids) {
    out.push_back(n);
    if (slots_[n].children > 0) AppendChildrenInOrder(n, out);
  }
}

std::vector<int> ElementTable::PaintOrder() const {
  std::vector<int> out;
  AppendChildrenInOrder(0, out);
  return out;
}

// ---- pointer events ---------------------------------------------------------------------

namespace {

bool Receives(const ElementTable& table, int number) {
  const Element* e = table.Find(number);
  return e != nullptr && e->enabled && !e->childWindow;
}

int TargetAt(const ElementTable& table, int x, int y) {
  const int hit = table.HitTest(x, y);
  return Receives(table, hit) ? hit : 0;
}

}  // namespace

void PointerTracker::HoverTo(const ElementTable& table, int target, std::vector<ElementEvent>& out) {
  if (target == hovered_) return;
  // A hovered element that was freed or disabled meanwhile is not told it was left.
  if (Receives(table, hovered_)) out.push_back({hovered_, ElementEventType::MouseLeave});
  hovered_ = target;
  if (target != 0) out.push_back({target, ElementEventType::MouseEnter});
}

std::vector<ElementEvent> PointerTracker::Move(const ElementTable& table, int x, int y) {
  std::vector<ElementEvent> out;
  if (captured_ != 0 && !Receives(table, captured_)) captured_ = 0;
  if (captured_ != 0) {
    out.push_back({captured_, ElementEventType::MouseMove});
    return out;
  }
  const int target = TargetAt(table, x, y);
  HoverTo(table, target, out);
  if (target != 0) out.push_back({target, ElementEventType::MouseMove});
  return out;
}

std::vector<ElementEvent> PointerTracker::LeftDown(const ElementTable& table, int x, int y) {
  std::vector<ElementEvent> out;
  captured_ = 0;  // a press without a release in between: the old capture is gone
  const int target = TargetAt(table, x, y);
  HoverTo(table, target, out);
  if (target != 0) {
    out.push_back({target, ElementEventType::LeftButtonDown});
    captured_ = target;
  }
  return out;
}

std::vector<ElementEvent> PointerTracker::LeftUp(const ElementTable& table, int x, int y) {
  std::vector<ElementEvent> out;
  const int target = TargetAt(table, x, y);
  const int pressed = Receives(table, captured_) ? captured_ : 0;
  captured_ = 0;
  if (pressed != 0) {
    out.push_back({pressed, ElementEventType::LeftButtonUp});
    if (target == pressed) out.push_back({pressed, ElementEventType::LeftClick});
    HoverTo(table, target, out);
    return out;
  }
  HoverTo(table, target, out);
  if (target != 0) out.push_back({target, ElementEventType::LeftButtonUp});
  return out;
}

std::vector<ElementEvent> PointerTracker::RightUp(const ElementTable& table, int x, int y) {
  std::vector<ElementEvent> out;
  const int target = TargetAt(table, x, y);
  if (captured_ == 0) HoverTo(table, target, out);
  if (target != 0) out.push_back({target, ElementEventType::RightClick});
  return out;
}

std::vector<ElementEvent> PointerTracker::Leave(const ElementTable& table) {
  std::vector<ElementEvent> out;
  if (captured_ == 0) HoverTo(table, 0, out);
  return out;
}

std::vector<ElementEvent> PointerTracker::CaptureLost(const ElementTable& table) {
  std::vector<ElementEvent> out;
  if (captured_ == 0) return out;
  captured_ = 0;
  HoverTo(table, 0, out);
  return out;
}

}  // namespace qp
