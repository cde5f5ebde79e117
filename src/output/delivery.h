// What a click on a character key does: format the key's code point, put the text on the
// clipboard, and type it as synthesised Unicode key strokes into the focused window or into
// the window named in the target box.
#pragma once
#include <cstdint>

#include "base/app_state.h"
#include "base/edition.h"
#include "base/text.h"

namespace qp {

// Keyboard-input flags of the records that TypeText writes.
inline constexpr uint32_t kKeyEventUnicode = 0x4;
inline constexpr uint32_t kKeyEventKeyUp = 0x2;

// Caption and text of the report when the named target window is gone.
inline constexpr char16_t kTargetMissingCaption[] = u"Error";
inline constexpr char16_t kTargetMissingText[] = u"Could Not find target application Or document";

// The output mode a click uses: the setting, or the character alone in the standard edition.
int32_t DeliveryOutputMode(const AppState& state, const Edition& edition);
// Whether a click types only into the window named in the target box: the setting, or always
// in the standard edition.
bool DeliversToNamedTarget(const AppState& state, const Edition& edition);

// The whole click on key `element` (1..457), whose stored code point the caller passes.
void DeliverKey(int element, int32_t codePoint);

// Sends the text as key-downs (a key-up only between two equal units) in one input call;
// nothing for empty text.
void TypeText(const Text& text);

// Replaces the clipboard content with the text; silently skipped when the clipboard is busy.
void CopyToClipboard(const Text& text);

}  // namespace qp
