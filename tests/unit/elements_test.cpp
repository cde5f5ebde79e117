#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "keysets/layout.h"
#include "shell/elements.h"
#include "shell/panel_geometry.h"

namespace qp {
namespace {

using E = ElementEventType;

// The panel as the window builds it: fixed elements, set 1's keys, the hidden more block.
class Panel : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const ElementPlace& p : CreationPlaces()) ASSERT_TRUE(t.Create(p.element, p.parent, p.rect));
    t.SetChildWindow(kTargetFrame, true);
    t.SetChildWindow(kTargetBox, true);
    for (int i = 1; i <= 57; ++i) ASSERT_TRUE(t.Create(400 + i, kMoreBlock, *MoreKeyRect(i)));
    t.Show(kMoreBlock, false);
    for (int i = 1; i <= 76; ++i) ASSERT_TRUE(t.Create(i, kBackPanel, *KeyRectFor(1, i)));
    Layout(kPanelHeight);
  }

  // Moves the fixed elements for a panel of this height, as a relayout does.
  void Layout(int h) {
    for (const ElementPlace& p : RelayoutPlaces(kWidePanelWidth, h)) t.SetRect(p.element, p.rect);
  }

  static constexpr int kPanelHeight = 106 + 40;  // set 1, more block hidden

  // Client coordinates of the middle of an element.
  Point Middle(int number) const {
    const Rect r = *t.AbsoluteRect(number);
    return {r.x + r.w / 2, r.y + r.h / 2};
  }
  std::vector<ElementEvent> MoveTo(int number) {
    const Point p = Middle(number);
    return ptr.Move(t, p.x, p.y);
  }

  ElementTable t;
  PointerTracker ptr;
};

TEST_F(Panel, AbsoluteRectsAddUpParents) {
  EXPECT_EQ(t.AbsoluteRect(1), (Rect{4, 18, 26, 26}));
  EXPECT_EQ(t.AbsoluteRect(kTargetBox), (Rect{2 + 109 - 3, 2 + 146 - 19 - 3, 265, 24}));
  Layout(kPanelHeight + 80);
  EXPECT_EQ(t.AbsoluteRect(457), (Rect{2 + 2 + 468, 2 + 226 - 102 + 52, 26, 26}));
  EXPECT_FALSE(t.AbsoluteRect(500).has_value());
}

TEST_F(Panel, HitTestPrefersChildrenAndLaterElements) {
  EXPECT_EQ(t.HitTest(5, 19), 1);
  EXPECT_EQ(t.HitTest(Middle(76).x, Middle(76).y), 76);
  EXPECT_EQ(t.HitTest(3, 70), kBackPanel);  // between keys: the container itself
  EXPECT_EQ(t.HitTest(10, 5), kTitleStrip);
  EXPECT_EQ(t.HitTest(1, 1), 0);            // the window's own frame
  EXPECT_EQ(t.HitTest(-5, 50), 0);
  EXPECT_EQ(t.HitTest(INT_MAX, INT_MIN), 0);
  // Overlapping siblings: the one made later is on top, also after being replaced.
  ASSERT_TRUE(t.Create(1060, kBackPanel, {0, 0, 30, 30}));
  EXPECT_EQ(t.HitTest(5, 19), 1060);
  ASSERT_TRUE(t.Create(1, kBackPanel, *KeyRectFor(1, 1)));
  EXPECT_EQ(t.HitTest(5, 19), 1);
}

TEST_F(Panel, HiddenElementsAndTheirChildrenDoNotHit) {
  Layout(kPanelHeight + 80);
  const Point moreKey = Middle(401);
  EXPECT_EQ(t.HitTest(moreKey.x, moreKey.y), kBackPanel);
  t.Show(kMoreBlock, true);
  EXPECT_EQ(t.HitTest(moreKey.x, moreKey.y), 401);
  t.Show(1, false);
  EXPECT_EQ(t.HitTest(5, 19), kBackPanel);
  t.Show(kBackPanel, false);
  EXPECT_EQ(t.HitTest(moreKey.x, moreKey.y), 0);
  EXPECT_FALSE(t.IsShown(401));
}

TEST_F(Panel, ChildrenAreClippedToTheirParent) {
  // TargetBox reaches 3 pixels outside its frame on the left and top; there the panel is hit.
  const Rect frame = *t.AbsoluteRect(kTargetFrame);
  EXPECT_EQ(t.HitTest(frame.x - 2, frame.y + 5), kBackPanel);
  EXPECT_EQ(t.HitTest(frame.x + 5, frame.y + 5), kTargetBox);
}

TEST_F(Panel, CreateReplacesAndFreeTakesChildrenAlong) {
  t.SetData(5, 0x1F600);
  ASSERT_TRUE(t.Create(5, kBackPanel, {0, 0, 10, 10}));
  EXPECT_EQ(t.Data(5), 0);
  EXPECT_TRUE(t.Find(5)->enabled);
  t.Free(kMoreBlock);
  EXPECT_FALSE(t.Exists(401));
  EXPECT_FALSE(t.Exists(457));
  EXPECT_TRUE(t.Exists(kBackPanel));
  // Freeing the keys of a set leaves nothing behind, and freeing twice is harmless.
  for (int i = 1; i <= 342; ++i) t.Free(i);
  for (int i = 1; i <= 342; ++i) t.Free(i);
  EXPECT_FALSE(t.Exists(76));
  EXPECT_EQ(t.HitTest(5, 19), kBackPanel);
  ASSERT_TRUE(t.Create(342, kBackPanel, *KeyRectFor(13, 342)));
  EXPECT_EQ(t.Find(342)->parent, kBackPanel);
}

TEST_F(Panel, CreateRejectsBadNumbersAndParents) {
  EXPECT_FALSE(t.Create(0, kBackPanel, {}));
  EXPECT_FALSE(t.Create(-1, kBackPanel, {}));
  EXPECT_FALSE(t.Create(kMaxElementNumber + 1, kBackPanel, {}));
  EXPECT_FALSE(t.Create(1040, 1039, {}));         // no such parent
  EXPECT_FALSE(t.Create(1040, 1040, {}));         // its own parent
  EXPECT_FALSE(t.Create(kBackPanel, 1, {}));      // inside its own key
  EXPECT_FALSE(t.Create(kMoreBlock, 401, {}));
  EXPECT_TRUE(t.Exists(1));
  EXPECT_EQ(t.Find(kBackPanel)->parent, 0);
  EXPECT_FALSE(t.SetData(99999, 1));
  EXPECT_FALSE(t.Show(-3, true));
  EXPECT_EQ(t.Data(-3), 0);
  EXPECT_EQ(t.Find(kMaxElementNumber + 1), nullptr);
  // Negative sizes become empty, extreme offsets do not overflow.
  ASSERT_TRUE(t.Create(1050, kBackPanel, {INT_MAX, INT_MAX, -5, -5}));
  EXPECT_EQ(t.Find(1050)->rect.w, 0);
  ASSERT_TRUE(t.Create(1051, 1050, {INT_MAX, INT_MIN, 10, 10}));
  EXPECT_EQ(t.AbsoluteRect(1051)->x, INT_MAX);
  EXPECT_EQ(t.AbsoluteRect(1051)->y, INT_MIN + INT_MAX + 2);
}

TEST_F(Panel, ResizeKeepsThePosition) {
  ASSERT_TRUE(t.Resize(kBackPanel, 264, 94));
  EXPECT_EQ(t.Find(kBackPanel)->rect, (Rect{2, 2, 264, 94}));
  EXPECT_FALSE(t.Resize(1060, 0, 0));
}

TEST_F(Panel, PaintOrderPutsParentsFirstAndSkipsHidden) {
  const std::vector<int> order = t.PaintOrder();
  auto pos = [&](int n) { return std::find(order.begin(), order.end(), n) - order.begin(); };
  EXPECT_EQ(order.front(), kBackPanel);
  EXPECT_LT(pos(kTargetFrame), pos(kTargetBox));
  EXPECT_LT(pos(kTitleStrip), pos(1));
  EXPECT_EQ(std::count(order.begin(), order.end(), 401), 0);
  EXPECT_EQ(order.size(), 13u - 1 + 76);  // everything but the hidden block and its keys
}

TEST_F(Panel, HoverEntersMovesAndLeaves) {
  EXPECT_EQ(MoveTo(1), (std::vector<ElementEvent>{{1, E::MouseEnter}, {1, E::MouseMove}}));
  EXPECT_EQ(MoveTo(1), (std::vector<ElementEvent>{{1, E::MouseMove}}));
  EXPECT_EQ(MoveTo(2), (std::vector<ElementEvent>{
                           {1, E::MouseLeave}, {2, E::MouseEnter}, {2, E::MouseMove}}));
  EXPECT_EQ(ptr.Leave(t), (std::vector<ElementEvent>{{2, E::MouseLeave}}));
  EXPECT_TRUE(ptr.Leave(t).empty());
  // Onto the target list, a window of its own: the panel's elements are left.
  MoveTo(kOnTopBox);
  EXPECT_EQ(MoveTo(kTargetFrame), (std::vector<ElementEvent>{{kOnTopBox, E::MouseLeave}}));
}

TEST_F(Panel, PressAndReleaseOnAKeyClicks) {
  const Point p = Middle(20);
  ptr.Move(t, p.x, p.y);
  EXPECT_EQ(ptr.LeftDown(t, p.x, p.y), (std::vector<ElementEvent>{{20, E::LeftButtonDown}}));
  EXPECT_EQ(ptr.LeftUp(t, p.x + 3, p.y),
            (std::vector<ElementEvent>{{20, E::LeftButtonUp}, {20, E::LeftClick}}));
  // A press without a move first still enters the key.
  const Point q = Middle(21);
  EXPECT_EQ(ptr.LeftDown(t, q.x, q.y), (std::vector<ElementEvent>{
                                          {20, E::MouseLeave}, {21, E::MouseEnter},
                                          {21, E::LeftButtonDown}}));
}

TEST_F(Panel, ReleaseOutsideThePressedKeyGivesNoClick) {
  const Point key = Middle(20);
  const Point other = Middle(40);
  ptr.Move(t, key.x, key.y);
  ptr.LeftDown(t, key.x, key.y);
  // While held, moves belong to the pressed key and nobody else is entered.
  EXPECT_EQ(ptr.Move(t, other.x, other.y), (std::vector<ElementEvent>{{20, E::MouseMove}}));
  EXPECT_EQ(ptr.LeftUp(t, other.x, other.y),
            (std::vector<ElementEvent>{
                {20, E::LeftButtonUp}, {20, E::MouseLeave}, {40, E::MouseEnter}}));
  // Pressing, leaving and coming back before the release still clicks.
  ptr.LeftDown(t, other.x, other.y);
  ptr.Move(t, 3, 70);
  ptr.Move(t, other.x, other.y);
  const std::vector<ElementEvent> up = ptr.LeftUp(t, other.x, other.y);
  EXPECT_EQ(up.back(), (ElementEvent{40, E::LeftClick}));
}

TEST_F(Panel, ReleaseOutsideTheWindowEndsTheDrag) {
  ptr.LeftDown(t, 10, 5);
  EXPECT_EQ(ptr.captured(), kTitleStrip);
  EXPECT_EQ(ptr.Leave(t), std::vector<ElementEvent>{});  // capture keeps the moves coming
  EXPECT_EQ(ptr.Move(t, -300, 2000), (std::vector<ElementEvent>{{kTitleStrip, E::MouseMove}}));
  EXPECT_EQ(ptr.LeftUp(t, -300, 2000), (std::vector<ElementEvent>{
                                          {kTitleStrip, E::LeftButtonUp},
                                          {kTitleStrip, E::MouseLeave}}));
  EXPECT_EQ(ptr.captured(), 0);
  // A release with no press before it (the press was elsewhere) gives an up but no click.
  EXPECT_EQ(ptr.LeftUp(t, 10, 5), (std::vector<ElementEvent>{
                                      {kTitleStrip, E::MouseEnter}, {kTitleStrip, E::LeftButtonUp}}));
}

TEST_F(Panel, DisabledKeysGetNoEvents) {
  t.Enable(30, false);
  t.SetFace(30, kFaceDisabled);
  const Point p = Middle(30);
  EXPECT_TRUE(ptr.Move(t, p.x, p.y).empty());
  EXPECT_TRUE(ptr.LeftDown(t, p.x, p.y).empty());
  EXPECT_EQ(ptr.captured(), 0);  // and the panel under it does not start a drag
  EXPECT_TRUE(ptr.LeftUp(t, p.x, p.y).empty());
  EXPECT_TRUE(ptr.RightUp(t, p.x, p.y).empty());
  // Leaving a key for a disabled one only leaves; a key disabled while hovered is not told.
  MoveTo(31);
  EXPECT_EQ(MoveTo(30), (std::vector<ElementEvent>{{31, E::MouseLeave}}));
  MoveTo(31);
  t.Enable(31, false);
  EXPECT_TRUE(ptr.Leave(t).empty());
}

TEST_F(Panel, FreedElementsAreNotToldTheyWereLeft) {
  MoveTo(10);
  t.Free(10);
  EXPECT_EQ(ptr.Move(t, 3, 70), (std::vector<ElementEvent>{
                                    {kBackPanel, E::MouseEnter}, {kBackPanel, E::MouseMove}}));
  const Point key = Middle(11);
  ptr.LeftDown(t, key.x, key.y);
  t.Free(11);
  // The pressed key went away (a set switch): the release goes to what is under the pointer.
  EXPECT_EQ(ptr.LeftUp(t, 3, 70), (std::vector<ElementEvent>{
                                      {kBackPanel, E::MouseEnter}, {kBackPanel, E::LeftButtonUp}}));
}

TEST_F(Panel, RightClicksGoToTheElementUnderThePointer) {
  EXPECT_EQ(ptr.RightUp(t, 10, 5), (std::vector<ElementEvent>{
                                       {kTitleStrip, E::MouseEnter}, {kTitleStrip, E::RightClick}}));
  EXPECT_TRUE(ptr.RightUp(t, 1, 1).back() == (ElementEvent{kTitleStrip, E::MouseLeave}));
  EXPECT_EQ(ptr.RightUp(t, 1, 1), std::vector<ElementEvent>{});  // the frame: no element
}

}  // namespace
}  // namespace qp
