#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/edition.h"
#include "fake_platform.h"
#include "output/delivery.h"
#include "output/target_list.h"

namespace qp {
namespace {

// A sent record in short form: 'v' key-down or '^' key-up, then the unit.
std::u16string Describe(const std::vector<KeyInputRecord>& records) {
  std::u16string out;
  for (const KeyInputRecord& r : records) {
    out += r.flags == kKeyEventUnicode ? u'v' : r.flags == (kKeyEventUnicode | kKeyEventKeyUp) ? u'^' : u'?';
    out += static_cast<char16_t>(r.scanCode);
  }
  return out;
}

class DeliveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetApp();
    SetCurrentEdition(EditionKind::Pro);
    App().OutStyle = 1;
  }
  void TearDown() override { SetCurrentEdition(EditionKind::Pro); }

  // Target box as a refresh would leave it, with `selected` chosen.
  void ListTargets(const std::vector<Text>& titles, int selected) {
    fake.targetItems = {kCopyOnlyTarget};
    for (const Text& t : titles) fake.targetItems.push_back(t);
    fake.targetSelection = selected;
  }

  FakePlatform fake;
  FakePlatformScope scope{fake};
};

// One opening of the clipboard empties and fills it.
const std::vector<std::string> kClipboardSteps = {"OpenClipboard",      "EmptyClipboard",   "AllocClipboardBlock",
                                                  "FillClipboardBlock", "SetClipboardText", "CloseClipboard"};

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

// ---- the records ---------------------------------------------------------------------------

TEST_F(DeliveryTest, RepeatedUnitsAreReleasedBeforeTheyArePressedAgain) {
  App().OutStyle = 7;  // "\U000020AC"
  DeliverKey(5, 0x20AC);
  ASSERT_EQ(fake.sentInputs.size(), 1u);
  const std::vector<KeyInputRecord>& sent = fake.sentInputs[0];
  EXPECT_EQ(sent.size(), 13u);
  EXPECT_EQ(Describe(sent), u"v\\vUv0^0v0^0v0^0v0v2v0vAvC");
  for (const KeyInputRecord& r : sent) {
    EXPECT_EQ(r.virtualKey, 0);
    EXPECT_EQ(r.time, 0u);
    EXPECT_EQ(r.extraInfo, 0u);
  }
}

TEST_F(DeliveryTest, OnlyTheLastPairOfEqualUnitsGetsAKeyUp) {
  App().OutStyle = 10;  // "0x1F600"
  DeliverKey(5, 0x1F600);
  ASSERT_EQ(fake.sentInputs.size(), 1u);
  EXPECT_EQ(fake.sentInputs[0].size(), 8u);
  EXPECT_EQ(Describe(fake.sentInputs[0]), u"v0vxv1vFv6v0^0v0");
}

TEST_F(DeliveryTest, CharacterAboveTheBasicPlaneIsTwoKeyDowns) {
  DeliverKey(5, 0x1F600);
  ASSERT_EQ(fake.sentInputs.size(), 1u);
  ASSERT_EQ(fake.sentInputs[0].size(), 2u);
  EXPECT_EQ(fake.sentInputs[0][0].scanCode, 0xD83D);
  EXPECT_EQ(fake.sentInputs[0][1].scanCode, 0xDE00);
  EXPECT_EQ(Describe(fake.sentInputs[0]).find(u'^'), std::u16string::npos);
}

TEST_F(DeliveryTest, EachClickIsItsOwnInputCallWithNoKeyUpBetween) {
  DeliverKey(5, 0xE9);
  DeliverKey(5, 0xE9);
  ASSERT_EQ(fake.sentInputs.size(), 2u);
  EXPECT_EQ(Describe(fake.sentInputs[0]), u"v\u00E9");
  EXPECT_EQ(Describe(fake.sentInputs[1]), u"v\u00E9");
  EXPECT_EQ(fake.CountOf("SendInput"), 2);
}

TEST_F(DeliveryTest, RecordBufferGrowsAsNeededAndNeverShrinks) {
  std::vector<KeyInputRecord>& records = App().InputRecords;
  ASSERT_EQ(records.size(), 1u);
  TypeText(u"\\U000020AC");  // ten units and three key-ups
  EXPECT_EQ(records.size(), 13u);

  TypeText(u"ab");  // only this call's records are sent
  EXPECT_EQ(records.size(), 13u);
  ASSERT_EQ(fake.sentInputs.size(), 2u);
  EXPECT_EQ(Describe(fake.sentInputs[1]), u"vavb");

  TypeText(u"aaaa");  // fits: no growth
  EXPECT_EQ(records.size(), 13u);
  EXPECT_EQ(Describe(fake.sentInputs[2]), u"va^ava^ava^ava");

  const Text runs(12, u'z');  // 12 key-downs and 11 key-ups
  TypeText(runs);
  EXPECT_EQ(records.size(), 23u);
  EXPECT_EQ(fake.sentInputs[3].size(), 23u);
  EXPECT_EQ(fake.sendInputMisuse, 0);
}

TEST_F(DeliveryTest, EmptyTextSendsNothing) {
  TypeText(Text());
  EXPECT_TRUE(fake.calls.empty());
}

// ---- the clipboard ------------------------------------------------------------------------

TEST_F(DeliveryTest, ClickCopiesThenTypes) {
  DeliverKey(5, 0x20AC);
  EXPECT_EQ(fake.calls, Then(kClipboardSteps, {"Foreground", "SendInput"}));
  EXPECT_TRUE(fake.clipboardHasText);
  EXPECT_EQ(fake.clipboardText, u"\u20AC");
  EXPECT_EQ(fake.clipboardMisuse, 0);
  EXPECT_FALSE(fake.clipboardOpen);
}

TEST_F(DeliveryTest, ClipboardHeldForAMomentIsWaitedFor) {
  fake.clipboardBusyOpens = 4;
  DeliverKey(5, 0x20AC);
  EXPECT_EQ(fake.clipboardText, u"\u20AC");
  EXPECT_EQ(fake.CountOf("OpenClipboard"), 5);
  EXPECT_EQ(fake.sleeps, std::vector<int>(4, kClipboardRetryMs));
  EXPECT_EQ(fake.sentInputs.size(), 1u);
  EXPECT_TRUE(fake.notices.empty());
}

TEST_F(DeliveryTest, ClipboardHeldThroughoutIsGivenUpWithinABoundedWaitAndTypingGoesOn) {
  fake.clipboardText = u"held";
  fake.clipboardHasText = true;
  fake.openClipboardFails = true;
  DeliverKey(5, 0x20AC);
  EXPECT_EQ(fake.CountOf("OpenClipboard"), kClipboardTries);
  int waited = 0;
  for (int ms : fake.sleeps) waited += ms;
  EXPECT_LE(waited, 200);
  EXPECT_EQ(fake.clipboardText, u"held");
  EXPECT_EQ(fake.sentInputs.size(), 1u);
  EXPECT_TRUE(fake.notices.empty());  // the text arrived
}

TEST_F(DeliveryTest, FailedCopyClosesTheClipboardAndFreesItsBlock) {
  struct Case {
    bool allocFails, fillFails, setFails;
  };
  for (const Case c : {Case{true, false, false}, Case{false, true, false}, Case{false, false, true}}) {
    fake.allocFails = c.allocFails;
    fake.fillFails = c.fillFails;
    fake.setClipboardFails = c.setFails;
    fake.clipboardText = u"old";
    fake.clipboardHasText = true;
    EXPECT_FALSE(CopyToClipboard(u"x"));
    EXPECT_FALSE(fake.clipboardHasText);  // no stale text left to paste
    EXPECT_FALSE(fake.clipboardOpen);
    EXPECT_EQ(fake.LeakedBlocks(), 0u);
    EXPECT_EQ(fake.clipboardMisuse, 0);
  }
}

TEST_F(DeliveryTest, EntityModeUsesTheKeysSlotAndSurvivesOddNumbers) {
  App().OutStyle = 2;
  App().EntityText[7] = u"&euro;";
  DeliverKey(7, 0x20AC);
  EXPECT_EQ(fake.clipboardText, u"&euro;");
  DeliverKey(-1, 0x20AC);  // no slot: the numeric form
  EXPECT_EQ(fake.clipboardText, u"&#8364;");
  DeliverKey(100000, 0x20AC);
  EXPECT_EQ(fake.clipboardText, u"&#8364;");
}

// ---- the named target ------------------------------------------------------------------------

TEST_F(DeliveryTest, CopyOnlyOrNoSelectionStopsAfterTheClipboard) {
  App().NamedTarget = 1;
  for (int selected : {0, -1}) {
    fake.calls.clear();
    ListTargets({u"Notes"}, selected);
    DeliverKey(5, 0xE9);
    EXPECT_EQ(fake.calls, Then(kClipboardSteps, {"TargetBoxText"})) << selected;
    EXPECT_EQ(fake.clipboardText, u"\u00E9");
  }
  EXPECT_TRUE(fake.sentInputs.empty());
  EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(DeliveryTest, NamedTargetIsBroughtForwardThenTyped) {
  App().NamedTarget = 1;
  fake.AddWindow(u"Other");
  const uintptr_t notes = fake.AddWindow(u"Notes").handle;
  ListTargets({u"Other", u"Notes"}, 2);
  DeliverKey(5, 0xE9);
  EXPECT_EQ(fake.CallsAmong({"TargetBoxText", "FindWindowByTitle", "IsWindow", "SetForegroundWindow", "SleepMs",
                             "SendInput"}),
            (std::vector<std::string>{"TargetBoxText", "FindWindowByTitle", "IsWindow", "SetForegroundWindow",
                                      "SleepMs", "SendInput"}));
  EXPECT_EQ(fake.foregroundRequests, std::vector<uintptr_t>{notes});
  EXPECT_EQ(fake.sleeps, std::vector<int>{50});
  ASSERT_EQ(fake.sentInputs.size(), 1u);
  EXPECT_EQ(Describe(fake.sentInputs[0]), u"v\u00E9");
}

TEST_F(DeliveryTest, MissingTargetIsReportedOncePerClickAndNothingIsTyped) {
  App().NamedTarget = 1;
  const uintptr_t gone = fake.AddWindow(u"Closed since").handle;
  fake.goneHandles.insert(gone);
  ListTargets({u"Closed since", u"Never there"}, 1);
  DeliverKey(5, 0xE9);
  fake.targetSelection = 2;
  DeliverKey(5, 0xE9);

  ASSERT_EQ(fake.messageBoxes.size(), 2u);
  for (const FakeMessageBox& box : fake.messageBoxes) {
    EXPECT_EQ(box.caption, u"Error");
    EXPECT_EQ(box.text, u"Could Not find target application Or document");
    EXPECT_EQ(box.flags, kMbOk);
  }
  EXPECT_TRUE(fake.sentInputs.empty());
  EXPECT_EQ(fake.CountOf("SetForegroundWindow"), 0);
  EXPECT_EQ(fake.CountOf("SleepMs"), 0);
  EXPECT_EQ(fake.clipboardText, u"\u00E9");
}

TEST_F(DeliveryTest, TitleListedCutShortIsNotFoundAtDelivery) {
  App().NamedTarget = 1;
  fake.AddWindow(Text(300, u'w'));
  fake.SetForegroundTitle(Text(300, u'w'));
  RefreshTargetList();
  ASSERT_EQ(fake.SelectedTarget(), Text(254, u'w'));
  DeliverKey(5, 0xE9);
  EXPECT_EQ(fake.messageBoxes.size(), 1u);
  EXPECT_TRUE(fake.sentInputs.empty());
}

// ---- the standard edition --------------------------------------------------------------------

TEST_F(DeliveryTest, StandardEditionTypesTheCharacterIntoTheNamedWindowOnly) {
  SetCurrentEdition(EditionKind::Standard);
  App().NamedTarget = 0;  // not a setting of this edition
  App().OutStyle = 10;
  fake.AddWindow(u"Notes");

  ListTargets({u"Notes"}, 0);
  DeliverKey(5, 0x1F600);
  EXPECT_EQ(fake.clipboardText, u"\U0001F600");
  EXPECT_TRUE(fake.sentInputs.empty());

  fake.targetSelection = 1;
  DeliverKey(5, 0x1F600);
  EXPECT_EQ(fake.foregroundRequests.size(), 1u);
  ASSERT_EQ(fake.sentInputs.size(), 1u);
  EXPECT_EQ(Describe(fake.sentInputs[0]), u"v\xD83Dv\xDE00");
}

TEST(DeliveryDecision, EditionDecidesModeAndTarget) {
  AppState s;
  s.OutStyle = 9;
  s.NamedTarget = 0;
  EXPECT_EQ(DeliveryOutputMode(s, ProEdition()), 9);
  EXPECT_FALSE(DeliversToNamedTarget(s, ProEdition()));
  EXPECT_EQ(DeliveryOutputMode(s, StandardEdition()), 1);
  EXPECT_TRUE(DeliversToNamedTarget(s, StandardEdition()));
  s.NamedTarget = 1;
  EXPECT_TRUE(DeliversToNamedTarget(s, ProEdition()));
}

}  // namespace
}  // namespace qp
