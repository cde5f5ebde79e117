#include "output/delivery.h"

#include "base/platform.h"
#include "output/delivery_notice.h"
#include "output/format.h"
#include "output/target_list.h"
#include "output/user_window.h"

namespace qp {

namespace {

// The key's "&name;" reference, or empty for a number outside the table.
Text EntityFor(int element) {
  const std::vector<Text>& table = App().EntityText;
  if (element < 0 || static_cast<size_t>(element) >= table.size()) return Text();
  return table[static_cast<size_t>(element)];
}

KeyInputRecord UnitRecord(char16_t unit, bool keyUp) {
  KeyInputRecord r;
  r.scanCode = unit;
  r.flags = keyUp ? (kKeyEventUnicode | kKeyEventKeyUp) : kKeyEventUnicode;
  return r;
}

// Clipboard managers and remote-desktop clients open the clipboard for a moment after every
// change; waiting briefly gets it in nearly every case.
bool OpenBusyClipboard() {
  Platform& p = Plat();
  for (int attempt = 0; attempt < kClipboardTries; ++attempt) {
    if (attempt > 0) p.SleepMs(kClipboardRetryMs);
    if (p.OpenClipboard()) return true;
  }
  return false;
}

// Synthesised input from this program is dropped without a word by a program running above it.
bool RunsAbove(uint32_t window, uint32_t program) { return window != 0 && program != 0 && window > program; }

// Brings the named window forward and types into it; reports a vanished target once.
void TypeIntoNamedTarget(const Text& text, bool onClipboard) {
  Platform& p = Plat();
  const Text title = p.TargetBoxText();
  if (title.empty() || title == kCopyOnlyTarget) {
    if (!onClipboard) TellUser(DeliveryProblem::ClipboardBusy, 0, Text(), false);
    return;
  }
  const uintptr_t window = p.FindWindowByTitle(title);
  if (!p.IsWindow(window)) {
    p.MessageBox(kTargetMissingText, kTargetMissingCaption, kMbOk);
    return;
  }
  BringForwardAndType(window, title, text, onClipboard);
}

}  // namespace

int32_t DeliveryOutputMode(const AppState& state, const Edition& edition) {
  if (edition.kind == EditionKind::Standard) return static_cast<int32_t>(OutputMode::Character);
  return state.OutStyle;
}

bool DeliversToNamedTarget(const AppState& state, const Edition& edition) {
  return edition.kind == EditionKind::Standard || state.NamedTarget != 0;
}

void DeliverKey(int element, int32_t codePoint) {
  const Text text = FormatForOutput(codePoint, DeliveryOutputMode(App(), CurrentEdition()), EntityFor(element));
  DeliverText(text);
}

void DeliverText(const Text& text) {
  const bool onClipboard = CopyToClipboard(text);
  if (DeliversToNamedTarget(App(), CurrentEdition())) {
    TypeIntoNamedTarget(text, onClipboard);
  } else {
    TypeIntoUserWindow(text, onClipboard);
  }
}

void BringForwardAndType(uintptr_t window, const Text& title, const Text& text, bool onClipboard) {
  // Typing into whatever has the focus instead would put the text in the wrong place.
  if (!Plat().SetForegroundWindow(window)) {
    TellUser(DeliveryProblem::FocusRefused, window, title, onClipboard);
    return;
  }
  Plat().SleepMs(kActivationPauseMs);
  TypeIntoWindow(window, title, text, onClipboard);
}

void TypeIntoWindow(uintptr_t window, const Text& title, const Text& text, bool onClipboard) {
  Platform& p = Plat();
  if (window != 0 && RunsAbove(p.WindowIntegrity(window), p.ProgramIntegrity())) {
    TellUser(DeliveryProblem::TargetElevated, window, title, onClipboard);
    return;
  }
  if (!TypeText(text)) TellUser(DeliveryProblem::InputBlocked, window, title, onClipboard);
}

bool TypeText(const Text& text) {
  if (text.empty()) return true;
  std::vector<KeyInputRecord>& records = App().InputRecords;
  if (records.size() < text.size()) records.resize(text.size());

  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    // A key-down of a unit already down would be taken as auto-repeat, so release it first.
    if (i > 0 && unit == text[i - 1]) {
      // The buffer was sized for key-downs only; each key-up needs one more record, beyond
      // what an earlier, longer text may have left.
      const size_t needed = text.size() + (count - i) + 1;
      if (records.size() < needed) records.resize(needed);
      records[count++] = UnitRecord(unit, true);
    }
    records[count++] = UnitRecord(unit, false);
  }
  return Plat().SendInput(records, count) >= count;
}

bool CopyToClipboard(const Text& text) {
  Platform& p = Plat();
  if (!OpenBusyClipboard()) return false;
  // Emptied first, so that a copy that fails leaves no stale text to be pasted by mistake.
  p.EmptyClipboard();
  bool written = false;
  const uintptr_t block = p.AllocClipboardBlock(text.size());
  if (block != 0) {
    written = p.FillClipboardBlock(block, text) && p.SetClipboardText(block);
    if (!written) p.FreeClipboardBlock(block);
  }
  p.CloseClipboard();
  return written;
}

}  // namespace qp
