#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "control/dispatch.h"
#include "base/edition.h"
#include "fake_platform.h"
#include "output/delivery.h"
#include "output/delivery_notice.h"
#include "output/target_list.h"
#include "output/user_window.h"

namespace qp {
namespace {

constexpr uint32_t kMedium = 0x2000;
constexpr uint32_t kHigh = 0x3000;

class UserWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    SetCurrentEdition(EditionKind::Pro);
    App().OutStyle = 1;
    notes = fake.AddWindow(u"Notes").handle;
    console = fake.AddWindow(u"Admin Console").handle;
  }

  bool Typed() const { return !fake.sentInputs.empty(); }
  Text Notice() const { return fake.notices.empty() ? Text() : fake.notices.back().text; }
  static bool Has(const Text& text, const Text& part) { return text.find(part) != Text::npos; }

  FakePlatform fake;
  FakePlatformScope scope{fake};
  uintptr_t notes = 0;
  uintptr_t console = 0;
};

// ---- which window a click types into -------------------------------------------------------

TEST_F(UserWindowTest, OnlyWindowsOfOtherProgramsAreRemembered) {
  ForegroundInfo taskbar, desktop, own;
  taskbar.exists = desktop.exists = own.exists = true;
  taskbar.isTaskbar = desktop.isDesktop = own.ownProgram = true;
  taskbar.handle = desktop.handle = own.handle = 0x7000;

  fake.Focus(notes);
  NoteForegroundWindow();
  for (const ForegroundInfo& ignored : {taskbar, desktop, own, ForegroundInfo()}) RememberUserWindow(ignored);
  EXPECT_EQ(App().UserWindow, notes);
  EXPECT_EQ(App().UserWindowTitle, u"Notes");

  fake.Focus(console);
  NoteForegroundWindow();
  EXPECT_EQ(App().UserWindow, console);
}

TEST_F(UserWindowTest, WithoutWordFromTheSystemTheWindowBelowTheProgramsOwnIsRemembered) {
  fake.windows.clear();
  fake.AddWindow(u"Quillpad Pro ~ Latin - Western Europe");  // the panel, topmost
  fake.AddWindow(u"Hidden").visible = false;
  fake.AddWindow(u"");                           // the taskbar has no title
  const uintptr_t editor = fake.AddWindow(u"Editor").handle;
  fake.AddWindow(u"Behind");
  RememberWindowBelow();
  EXPECT_EQ(App().UserWindow, editor);
  EXPECT_EQ(App().UserWindowTitle, u"Editor");
}

TEST_F(UserWindowTest, WithTheProgramInFrontTheRememberedWindowGetsTheFocusBackFirst) {
  fake.Focus(notes);
  NoteForegroundWindow();
  fake.FocusOwnWindow();  // shown from the tray, or after its menu or settings window
  DeliverKey(5, 0xE9);
  EXPECT_EQ(fake.foregroundRequests, std::vector<uintptr_t>{notes});
  EXPECT_EQ(fake.CallsAmong({"SetForegroundWindow", "SleepMs", "SendInput"}),
            (std::vector<std::string>{"SetForegroundWindow", "SleepMs", "SendInput"}));
  EXPECT_EQ(fake.sleeps, std::vector<int>{kActivationPauseMs});
  EXPECT_EQ(fake.foreground.handle, notes);
  EXPECT_EQ(fake.clipboardText, u"\u00E9");
  EXPECT_TRUE(fake.notices.empty());
}

TEST_F(UserWindowTest, WithoutAWindowToGiveBackNothingIsTypedAndTheUserIsTold) {
  struct Case {
    const char* what;
    bool remembered, gone, granted;
    const char16_t* told;
  };
  const Case cases[] = {
      {"never another window", false, false, true, u"no window to type into"},
      {"remembered window closed", true, true, true, u"no window to type into"},
      {"focus refused", true, false, false, u"did not let \"Notes\" come to the front"},
  };
  for (const Case& c : cases) {
    ResetApp();
    App().OutStyle = 1;
    fake.notices.clear();
    fake.sentInputs.clear();
    fake.goneHandles.clear();
    if (c.remembered) {
      fake.Focus(notes);
      NoteForegroundWindow();
    }
    if (c.gone) fake.goneHandles.insert(notes);
    fake.foregroundGranted = c.granted;
    fake.FocusOwnWindow();
    DeliverKey(5, 0xE9);
    EXPECT_FALSE(Typed()) << c.what;
    EXPECT_TRUE(Has(Notice(), c.told)) << c.what;
    EXPECT_TRUE(Has(Notice(), u"the text is on the clipboard: press Ctrl+V")) << c.what;
    EXPECT_EQ(fake.clipboardText, u"\u00E9") << c.what;
  }
}

// ---- what the system would drop -------------------------------------------------------------

TEST_F(UserWindowTest, ElevatedOrBlockedTargetsAreReportedInsteadOfPretending) {
  struct Case {
    const char* what;
    bool named;
    uint32_t targetLevel;
    size_t accepted;
    bool typed;
    const char16_t* told;  // empty: no notice
  };
  const size_t all = static_cast<size_t>(-1);
  const Case cases[] = {
      {"same level", false, kMedium, all, true, u""},
      {"level unreadable", false, 0, all, true, u""},
      {"lower level", false, 0x1000, all, true, u""},
      {"elevated, focused", false, kHigh, all, false, u"\"Admin Console\" runs as administrator"},
      {"elevated, named", true, kHigh, all, false, u"\"Admin Console\" runs as administrator"},
      {"input blocked, focused", false, kMedium, 0, true, u"Typing into \"Admin Console\" was blocked"},
      {"input blocked, named", true, kMedium, 1, true, u"Typing into \"Admin Console\" was blocked"},
  };
  for (const Case& c : cases) {
    ResetApp();
    App().OutStyle = 10;  // "0xE9": four records
    App().NamedTarget = c.named ? 1 : 0;
    fake.targetItems = {kCopyOnlyTarget, u"Admin Console"};
    fake.targetSelection = 1;
    fake.notices.clear();
    fake.sentInputs.clear();
    fake.windowIntegrity[console] = c.targetLevel;
    fake.acceptedInputs = c.accepted;
    fake.Focus(c.named ? notes : console);
    DeliverKey(5, 0xE9);
    EXPECT_EQ(Typed(), c.typed) << c.what;
    EXPECT_TRUE(fake.foregroundRequests.size() == (c.named ? 1u : 0u)) << c.what;
    fake.foregroundRequests.clear();
    const Text told = c.told;
    EXPECT_EQ(fake.notices.size(), told.empty() ? 0u : 1u) << c.what;
    if (!told.empty()) {
      EXPECT_TRUE(Has(Notice(), told)) << c.what;
      EXPECT_TRUE(Has(Notice(), u"press Ctrl+V in \"Admin Console\"")) << c.what;
      EXPECT_EQ(fake.notices.back().title, u"Quillpad Pro") << c.what;
    }
    EXPECT_EQ(fake.clipboardText, u"0xE9") << c.what;
  }
}

TEST_F(UserWindowTest, NamedTargetThatCannotComeToTheFrontIsNotTypedAround) {
  App().NamedTarget = 1;
  fake.targetItems = {kCopyOnlyTarget, u"Notes"};
  fake.targetSelection = 1;
  fake.Focus(console);
  fake.foregroundGranted = false;
  DeliverKey(5, 0xE9);
  EXPECT_FALSE(Typed());  // the console still has the focus: typing would go there
  EXPECT_TRUE(Has(Notice(), u"did not let \"Notes\" come to the front"));
  EXPECT_EQ(fake.CountOf("SleepMs"), 0);
}

// ---- the clipboard stayed busy ----------------------------------------------------------------

TEST_F(UserWindowTest, NoticeDoesNotPointToAClipboardThatStayedBusy) {
  fake.openClipboardFails = true;
  App().NamedTarget = 1;
  fake.targetItems = {kCopyOnlyTarget};
  fake.targetSelection = 0;
  DeliverKey(5, 0xE9);  // copy only: the click did nothing at all
  EXPECT_EQ(Notice(), u"Another program held the clipboard; click the key again.");

  App().NamedTarget = 0;
  fake.Focus(console);
  fake.windowIntegrity[console] = kHigh;
  DeliverKey(5, 0xE9);
  EXPECT_FALSE(Has(Notice(), u"Ctrl+V"));
  EXPECT_TRUE(Has(Notice(), u"the clipboard was busy; click the key again."));
}

// ---- how often the user is told ------------------------------------------------------------------

TEST_F(UserWindowTest, AtMostOneNoticePerWindowPerMinute) {
  fake.windowIntegrity[console] = kHigh;
  fake.windowIntegrity[notes] = kHigh;
  auto clickInto = [this](uintptr_t window, uint64_t atMs) {
    fake.nowMs = atMs;
    fake.Focus(window);
    DeliverKey(5, 0xE9);
    return fake.notices.size();
  };
  EXPECT_EQ(clickInto(console, 0), 1u);
  EXPECT_EQ(clickInto(console, 1000), 1u);
  EXPECT_EQ(clickInto(notes, 2000), 2u);  // another window has its own minute
  EXPECT_EQ(clickInto(console, kNoticeIntervalMs - 1), 2u);
  EXPECT_EQ(clickInto(console, kNoticeIntervalMs), 3u);
  EXPECT_EQ(clickInto(notes, kNoticeIntervalMs + 1000), 3u);

  // A balloon the shell refused does not use up the minute.
  fake.trayNoticeFails = true;
  EXPECT_EQ(clickInto(console, 3 * kNoticeIntervalMs), 3u);
  fake.trayNoticeFails = false;
  EXPECT_EQ(clickInto(console, 3 * kNoticeIntervalMs + 10), 4u);
  EXPECT_TRUE(fake.sentInputs.empty());
}

TEST(DeliveryNotice, LongTitlesAreCutSoTheAdviceFitsABalloon) {
  const Text text = DeliveryNoticeText(DeliveryProblem::InputBlocked, Text(300, u'w'), true);
  EXPECT_LE(text.size(), 255u);
  EXPECT_TRUE(text.find(u"press Ctrl+V") != Text::npos);
}

// ---- the moments before the program comes to the front ------------------------------------------

TEST_F(UserWindowTest, TrayAndMenuRememberTheWindowInFrontBeforeThePanelTakesIt) {
  const Event trayLeft{EventKind::Tray, kMainWindow, 0, ElementEventType::LeftClick, 0, kTrayLeftDown};
  const Event trayRight{EventKind::Tray, kMainWindow, 0, ElementEventType::LeftClick, 0, kTrayRightDown};
  const Event rightClick{EventKind::RightClick, kMainWindow, 0, ElementEventType::LeftClick, 0, 0};
  for (const Event& e : {trayLeft, trayRight, rightClick}) {
    App().UserWindow = 0;
    fake.Focus(notes);
    Dispatch(e);
    EXPECT_EQ(App().UserWindow, notes) << static_cast<int>(e.kind);
  }
}

}  // namespace
}  // namespace qp
