#include "output/delivery.h"

#include "base/platform.h"
#include "output/format.h"
#include "output/target_list.h"

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

// Empties the clipboard on its own, before the copy opens it again.
void ClearClipboard() {
  Platform& p = Plat();
  if (!p.OpenClipboard()) return;
  p.EmptyClipboard();
  p.CloseClipboard();
}

// Brings the named window forward and types into it; reports a vanished target once.
void TypeIntoNamedTarget(const Text& text) {
  Platform& p = Plat();
  const Text title = p.TargetBoxText();
  if (title.empty() || title == kCopyOnlyTarget) return;
  const uintptr_t window = p.FindWindowByTitle(title);
  if (!p.IsWindow(window)) {
    p.MessageBox(kTargetMissingText, kTargetMissingCaption, kMbOk);
    return;
  }
  p.SetForegroundWindow(window);
  p.SleepMs(50);  // lets the target become active before the input arrives
  TypeText(text);
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
  const AppState& state = App();
  const Edition& edition = CurrentEdition();
  const Text text = FormatForOutput(codePoint, DeliveryOutputMode(state, edition), EntityFor(element));
  ClearClipboard();
  CopyToClipboard(text);
  if (DeliversToNamedTarget(state, edition)) {
    TypeIntoNamedTarget(text);
  } else {
    TypeText(text);
  }
}

void TypeText(const Text& text) {
  if (text.empty()) return;
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
  Plat().SendInput(records, count);
}

void CopyToClipboard(const Text& text) {
  Platform& p = Plat();
  if (!p.OpenClipboard()) return;
  const uintptr_t block = p.AllocClipboardBlock(text.size());
  if (block != 0) {
    p.EmptyClipboard();
    if (p.FillClipboardBlock(block, text)) p.SetClipboardText(block);
  }
  p.CloseClipboard();
}

}  // namespace qp
