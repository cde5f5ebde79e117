// A panel as CreateMainWindow leaves it before the first key set is loaded, on a fake platform:
// start geometry, the fixed elements, a 1920 x 1080 screen and the window at (1000, 800).
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "base/app_state.h"
#include "base/edition.h"
#include "fake_platform.h"
#include "keysets/catalogue.h"
#include "keysets/layout.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "table_checks.h"

namespace qp {

class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    SetCurrentEdition(EditionKind::Pro);
    AppState& a = App();
    a.PanelWidth = kWidePanelWidth;
    a.PanelHeight = kStartPanelHeight;
    a.KeyAreaHeight = kStartKeyAreaHeight;
    a.KeySize = kKeySize;
    a.KeySet = 1;
    a.OutStyle = 1;
    a.Dock = 1;
    a.ScreenWidth = 1920;
    a.ScreenHeight = 1080;
    a.Elder = a.YoungerLB = a.YoungerST = a.AngloSaxon = a.Medieval = a.Loremark = 1;
    fake.mainWindowRect = fake.mainClientRect = Rect{1000, 800, 502, 143};
    CreatePanelElements();
  }
  void TearDown() override { SetCurrentEdition(EditionKind::Pro); }

  // Starts the log afresh, so a test sees only the calls of the step it checks.
  void ClearLog() {
    fake.calls.clear();
    fake.sleeps.clear();
    fake.redrawnElements.clear();
  }

  static std::vector<int> ExistingKeys() {
    std::vector<int> out;
    for (int n = 1; n <= 342; ++n) {
      if (Elements().Exists(n)) out.push_back(n);
    }
    return out;
  }

  // Slots from..to of EntityText that hold a text.
  static int FilledEntitySlots(int from, int to) {
    int filled = 0;
    for (int n = from; n <= to; ++n) filled += App().EntityText[static_cast<size_t>(n)].empty() ? 0 : 1;
    return filled;
  }

  // The keys 1..342 are exactly those of `set` (fuller number), each with its code point.
  static void ExpectKeysOfSet(int set) {
    const KeySetTable table = KeySetRecords(set);
    for (int n = 1; n <= 342; ++n) {
      const int32_t cp = n <= table.positions ? table.records[n].codePoint : 0;
      if (cp >= 1) {
        ASSERT_TRUE(Elements().Exists(n)) << "set " << set << " key " << n;
        EXPECT_EQ(Elements().Data(n), cp) << "set " << set << " key " << n;
      } else {
        EXPECT_FALSE(Elements().Exists(n)) << "set " << set << " key " << n;
      }
    }
    EXPECT_EQ(static_cast<int>(ExistingKeys().size()), KeySetKeyCount(set)) << "set " << set;
  }

  static Rect RectOf(int n) {
    const Element* e = Elements().Find(n);
    return e ? e->rect : Rect{-1, -1, -1, -1};
  }
  static int FaceOf(int n) {
    const Element* e = Elements().Find(n);
    return e ? e->face : -1;
  }

  FakePlatform fake;
  FakePlatformScope scope{fake};
};

}  // namespace qp
