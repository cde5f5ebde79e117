// The panel's elements, addressed by number, and the pointer events they receive.
// Nearly everything is drawn into the one panel window; this table is what tells the
// elements apart: where each one is, whether it shows, and which one the pointer is over.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "base/ids.h"
#include "base/rect.h"
#include "base/text.h"

namespace qp {

// Face states a drawn element can be painted in.
constexpr int kFaceNormal = 0;
constexpr int kFaceHover = 1;
constexpr int kFacePressed = 2;
constexpr int kFaceDisabled = 4;

struct Element {
  int number = 0;
  int parent = 0;
  Rect rect;  // relative to the parent's top-left corner
  bool visible = true;
  bool enabled = true;
  bool childWindow = false;  // a real child window, which gets its own pointer messages
  int32_t data = 0;
  Text tooltip;
  int face = kFaceNormal;
};

class ElementTable {
 public:
  ElementTable();

  // Creates element `number` inside `parent` (0 for the window), visible and enabled, replacing
  // an element of that number together with its children. Fails for numbers outside 1..1070,
  // a missing parent, or a parent that the replaced element contains.
  bool Create(int number, int parent, const Rect& rect);
  // Removes the element and everything inside it; unknown numbers are ignored.
  void Free(int number);

  bool Exists(int number) const;
  const Element* Find(int number) const;

  bool SetRect(int number, const Rect& rect);
  bool Resize(int number, int w, int h);
  bool Show(int number, bool visible);
  bool Enable(int number, bool enabled);
  bool SetChildWindow(int number, bool childWindow);
  bool SetData(int number, int32_t data);
  bool SetTooltip(int number, const Text& tooltip);
  bool SetFace(int number, int face);
  // Data value of the element; 0 when it does not exist.
  int32_t Data(int number) const;

  // Rectangle in window client coordinates (what must be redrawn when the element changes).
  std::optional<Rect> AbsoluteRect(int number) const;
  // True when the element and all its parents are visible.
  bool IsShown(int number) const;
  // The element under (x, y) in client coordinates, 0 for none: children over their parent,
  // later-created over earlier; hidden elements and their children are passed over, and a
  // parent is clipped to its own rectangle.
  int HitTest(int x, int y) const;
  // Shown elements in painting order: each parent before its children, siblings as created.
  std::vector<int> PaintOrder() const;

 private:
  struct Slot {
    Element element;
    bool exists = false;
    uint64_t created = 0;  // creation stamp, for stacking
    int children = 0;
  };

  Slot* Live(int number);
  const Slot* Live(int number) const;
  // Sets one field of an existing element; false for an element that does not exist.
  template <typename T>
  bool SetField(int number, T Element::*field, const T& value) {
    Slot* s = Live(number);
    if (s) s->element.*field = value;
    return s != nullptr;
  }
  bool Contains(int ancestor, int number) const;
  void AppendChildrenInOrder(int parent, std::vector<int>& out) const;

  std::vector<Slot> slots_;
  uint64_t nextStamp_ = 1;
};

enum class ElementEventType {
  LeftClick,
  RightClick,
  MouseEnter,
  MouseLeave,
  MouseMove,
  LeftButtonDown,
  LeftButtonUp,
  Change,  // a tab strip or list changed its selection (reported by real controls)
};

struct ElementEvent {
  int element;
  ElementEventType type;
};

inline bool operator==(const ElementEvent& a, const ElementEvent& b) {
  return a.element == b.element && a.type == b.type;
}

// Turns the panel window's pointer messages into events of drawn elements. Only existing,
// enabled, drawn elements receive events: a disabled key under the pointer is dead space.
// The element pressed with the left button holds the capture until the release: moves go to it
// wherever the pointer is, hover changes wait, the release goes to it, and a click follows only
// when the pointer is still over it.
class PointerTracker {
 public:
  std::vector<ElementEvent> Move(const ElementTable& table, int x, int y);
  std::vector<ElementEvent> LeftDown(const ElementTable& table, int x, int y);
  std::vector<ElementEvent> LeftUp(const ElementTable& table, int x, int y);
  std::vector<ElementEvent> RightUp(const ElementTable& table, int x, int y);
  // The pointer left the window (or moved onto a child window).
  std::vector<ElementEvent> Leave(const ElementTable& table);
  // The capture was taken away while an element held it: that element is let go without a
  // release or a click, and left. Nothing when no element held it.
  std::vector<ElementEvent> CaptureLost(const ElementTable& table);

  int hovered() const { return hovered_; }
  int captured() const { return captured_; }

 private:
  void HoverTo(const ElementTable& table, int target, std::vector<ElementEvent>& out);

  int hovered_ = 0;
  int captured_ = 0;
};

}  // namespace qp
