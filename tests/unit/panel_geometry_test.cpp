#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "keysets/layout.h"
#include "shell/panel_geometry.h"
#include "table_checks.h"

namespace qp {
namespace {

constexpr int kScreenW = 1920;
constexpr int kScreenH = 1080;

PanelState Loaded(int keySet, int keyAreaHeight) {
  PanelState p;
  p.keySet = keySet;
  ApplyKeyAreaHeight(p, keyAreaHeight);
  return p;
}

Rect Relayout(PanelState& p, const Rect& window) {
  return RelayoutWindow(p, window, kScreenW, kScreenH);
}

TEST(KeyAreaHeight, RelayoutOnlyWhenSomethingChanges) {
  PanelState p;
  p.keySet = 1;
  EXPECT_TRUE(ApplyKeyAreaHeight(p, 106));
  EXPECT_EQ(p.panelHeight, 146);
  EXPECT_EQ(p.keyAreaHeight, 106);
  EXPECT_FALSE(ApplyKeyAreaHeight(p, 106));
  EXPECT_EQ(p.panelHeight, 146);
  // A narrow panel must widen again even at the same height, and Esperanto always relays out.
  p.panelWidth = 264;
  EXPECT_TRUE(ApplyKeyAreaHeight(p, 106));
  p.panelWidth = 498;
  p.keySet = 7;
  EXPECT_TRUE(ApplyKeyAreaHeight(p, 106));
}

TEST(KeyAreaHeight, PanelKeepsItsBarsAndMoreBlock) {
  PanelState p = Loaded(1, 106);
  EXPECT_TRUE(ToggleMoreBlockState(p));
  EXPECT_EQ(p.panelHeight, 106 + 120);
  ApplyKeyAreaHeight(p, 485);
  EXPECT_EQ(p.panelHeight, 485 + 120);
  EXPECT_FALSE(ToggleMoreBlockState(p));
  EXPECT_EQ(p.panelHeight, 485 + 40);
  EXPECT_EQ(p.moreButtonData, kMoreHidden);
}

TEST(MoreBlockToggle, FlipsHeightAndButtonState) {
  PanelState p = Loaded(3, 106);
  EXPECT_TRUE(ToggleMoreBlockState(p));
  EXPECT_EQ(p.moreButtonData, kMoreShown);
  EXPECT_EQ(p.panelHeight, 226);
  EXPECT_FALSE(ToggleMoreBlockState(p));
  EXPECT_EQ(p.moreButtonData, kMoreHidden);
  EXPECT_EQ(p.panelHeight, 146);
  // The block state is read from the heights, not from the button.
  p.moreButtonData = kMoreShown;
  EXPECT_TRUE(ToggleMoreBlockState(p));
}

TEST(PanelWidth, NarrowOnlyForPlainEsperanto) {
  PanelState p = Loaded(7, 54);
  EXPECT_EQ(ChoosePanelWidth(p), 264);
  p.namedTarget = true;
  EXPECT_EQ(ChoosePanelWidth(p), 498);
  p.namedTarget = false;
  p.moreButtonData = kMoreShown;
  EXPECT_EQ(ChoosePanelWidth(p), 498);
  EXPECT_EQ(ChoosePanelWidth(Loaded(1, 106)), 498);
}

TEST(Relayout, KeepsTheBottomRightCorner) {
  PanelState p = Loaded(1, 106);
  const Rect moved = Relayout(p, {1000, 500, 502, 143});
  EXPECT_EQ(moved, (Rect{1000, 493, 502, 150}));

  // Esperanto with the block hidden: narrow, two rows.
  PanelState e = Loaded(7, KeyAreaHeightForSet(7, true));
  const Rect narrow = Relayout(e, {1000, 500, 502, 143});
  EXPECT_EQ(e.panelWidth, 264);
  EXPECT_EQ(narrow.w, 268);
  EXPECT_EQ(narrow.h, 98);
  EXPECT_EQ(narrow.x + narrow.w, 1502);
  EXPECT_EQ(narrow.y + narrow.h, 643);

  // Opening the block widens it again around the same corner.
  ToggleMoreBlockState(e);
  const Rect wide = Relayout(e, narrow);
  EXPECT_EQ(e.panelWidth, 498);
  EXPECT_EQ(wide, (Rect{1000, 643 - 178, 502, 178}));
}

TEST(Relayout, PullsAStrayWindowBackOntoTheScreen) {
  PanelState p = Loaded(1, 99);  // same height: only the position rules act
  EXPECT_EQ(Relayout(p, {1891, 500, 502, 143}).x, 1920 - 502);
  EXPECT_EQ(Relayout(p, {1890, 500, 502, 143}).x, 1890);
  EXPECT_EQ(Relayout(p, {-403, 500, 502, 143}).x, 0);
  EXPECT_EQ(Relayout(p, {-402, 500, 502, 143}).x, -402);
  EXPECT_EQ(Relayout(p, {100, 1021, 502, 143}).y, 1080 - 143);
  EXPECT_EQ(Relayout(p, {100, 1020, 502, 143}).y, 1020);
  EXPECT_EQ(Relayout(p, {100, -500, 502, 143}).y, -500);  // nothing holds it at the top

  // Going narrow near the left edge: the bound is measured from the narrow width.
  PanelState e = Loaded(7, 54);
  EXPECT_EQ(Relayout(e, {-402, 500, 502, 143}).x, 100 - 268);
  EXPECT_EQ(Relayout(e, {-403, 500, 502, 143}).x, 0);
}

TEST(Relayout, UnmeasuredScreenSendsTheWindowOffIt) {
  // Before the screen is measured both sizes are 0; the start placement fixes this later.
  PanelState p = Loaded(1, 106);
  EXPECT_EQ(RelayoutWindow(p, {0, 0, 502, 143}, 0, 0), (Rect{-502, -150, 502, 150}));
}

TEST(Relayout, ExtremeInputsStayInRange) {
  PanelState p;
  p.panelHeight = INT_MAX;
  p.keyAreaHeight = INT_MIN;
  EXPECT_TRUE(ApplyKeyAreaHeight(p, INT_MAX));
  EXPECT_EQ(p.panelHeight, INT_MAX);
  const Rect r = RelayoutWindow(p, {INT_MAX, INT_MIN, INT_MAX, INT_MIN}, INT_MIN, INT_MAX);
  EXPECT_EQ(r.h, INT_MAX);
  p.panelHeight = INT_MIN;
  p.keyAreaHeight = 0;
  ToggleMoreBlockState(p);
  EXPECT_EQ(p.panelHeight, INT_MIN);
  EXPECT_TRUE(FixedElementPlace(kSettingsButton, INT_MIN, INT_MIN).has_value());
}

TEST(ElementPlaces, CreationPlacesFollowTheBarChain) {
  const std::map<int, ElementPlace> expected = {
      {kBackPanel, {kBackPanel, 0, {2, 2, 498, 139}}},
      {kTitleStrip, {kTitleStrip, kBackPanel, {0, 0, 482, 16}}},
      {kCloseButton, {kCloseButton, kBackPanel, {482, 0, 16, 16}}},
      {kOnTopBox, {kOnTopBox, kBackPanel, {5, 122, 50, 14}}},
      {kTypeInLabel, {kTypeInLabel, kBackPanel, {65, 122, 42, 16}}},
      {kTargetFrame, {kTargetFrame, kBackPanel, {109, 120, 240, 16}}},
      {kTargetBox, {kTargetBox, kTargetFrame, {-3, -3, 265, 24}}},
      {kDropButton, {kDropButton, kBackPanel, {349, 120, 12, 16}}},
      {kRefreshButton, {kRefreshButton, kBackPanel, {364, 118, 20, 20}}},
      {kMoreButton, {kMoreButton, kBackPanel, {459, 118, 37, 20}}},
      {kHelpButton, {kHelpButton, kBackPanel, {434, 118, 20, 20}}},
      {kSettingsButton, {kSettingsButton, kBackPanel, {409, 118, 20, 20}}},
      {kMoreBlock, {kMoreBlock, kBackPanel, {2, 126, 494, 78}}},
  };
  const std::vector<ElementPlace> places = CreationPlaces();
  ASSERT_EQ(places.size(), expected.size());
  for (const ElementPlace& p : places) {
    const ElementPlace& want = expected.at(p.element);
    EXPECT_EQ(p.parent, want.parent) << p.element;
    EXPECT_EQ(p.rect, want.rect) << p.element;
  }
  // Parents come before their children; the more block is made last.
  EXPECT_EQ(places.front().element, kBackPanel);
  EXPECT_EQ(places.back().element, kMoreBlock);
  for (size_t i = 0; i < places.size(); ++i) {
    if (places[i].element == kTargetBox) {
      EXPECT_EQ(places[i - 1].element, kTargetFrame);
    }
  }
}

TEST(ElementPlaces, RelayoutFollowsWidthAndHeight) {
  std::map<int, Rect> at;
  for (const ElementPlace& p : RelayoutPlaces(264, 94)) at[p.element] = p.rect;
  EXPECT_EQ(at.size(), 12u);
  EXPECT_EQ(at.count(kTargetBox), 0u);  // it moves with its frame
  EXPECT_EQ(at[kBackPanel], (Rect{2, 2, 264, 94}));
  EXPECT_EQ(at[kTitleStrip].w, 248);
  EXPECT_EQ(at[kCloseButton].x, 248);
  EXPECT_EQ(at[kMoreButton], (Rect{225, 73, 37, 20}));
  EXPECT_EQ(at[kHelpButton].x, 200);
  EXPECT_EQ(at[kSettingsButton].x, 175);
  EXPECT_EQ(at[kOnTopBox].y, 77);
  EXPECT_EQ(at[kTypeInLabel], (Rect{65, 78, 42, 16}));  // one lower than at creation
  EXPECT_EQ(at[kTargetFrame].y, 75);
  EXPECT_EQ(at[kDropButton].y, 75);
  EXPECT_EQ(at[kRefreshButton].y, 73);
  EXPECT_EQ(at[kMoreBlock].y, 94 - 102);
  EXPECT_FALSE(FixedElementPlace(1024, 498, 139).has_value());
}

TEST(ElementPlaces, BarAndMoreBlockStayClearOfTheGrid) {
  for (int set = 1; set <= 21; ++set) {
    PanelState p = Loaded(set, KeyAreaHeightForSet(set, false));
    for (int shown = 0; shown < 2; ++shown) {
      if (shown) ToggleMoreBlockState(p);
      SCOPED_TRACE(testing::Message() << "set " << set << " more " << shown);
      const int gridEnd = kGridTop + p.keyAreaHeight + 1;
      std::vector<ElementPlace> bar = RelayoutPlaces(p.panelWidth, p.panelHeight);
      for (const ElementPlace& e : bar) {
        if (e.element == kBackPanel || e.element == kTitleStrip || e.element == kCloseButton) {
          continue;
        }
        if (e.element == kMoreBlock) {
          if (!shown) continue;
          EXPECT_EQ(e.rect.y, p.keyAreaHeight + 18);
        }
        EXPECT_GE(e.rect.y, gridEnd) << e.element;
        EXPECT_LE(e.rect.x + e.rect.w, p.panelWidth) << e.element;
        EXPECT_LE(e.rect.y + e.rect.h, p.panelHeight) << e.element;
        for (const ElementPlace& other : bar) {
          if (other.element == e.element || other.element == kBackPanel) continue;
          if (other.element == kMoreBlock && !shown) continue;
          EXPECT_FALSE(RectsOverlap(e.rect, other.rect)) << e.element << " " << other.element;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qp
