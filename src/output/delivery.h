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

// The pause that lets a window brought to the front become active before input arrives.
inline constexpr int kActivationPauseMs = 50;
// A busy clipboard is tried this often, this many milliseconds apart, before the copy gives up.
inline constexpr int kClipboardTries = 10;
inline constexpr int kClipboardRetryMs = 20;

// The whole click on key `element` (1..457), whose stored code point the caller passes.
void DeliverKey(int element, int32_t codePoint);

// Puts formatted text on the clipboard and types it where the settings say: into the window
// the user works in, or into the named target. Every feature that types text comes here.
void DeliverText(const Text& text);

// Types into `window` (titled `title`; 0 for no window in front) unless its program runs at a
// higher integrity level than this one, and tells the user when the text did not go in.
void TypeIntoWindow(uintptr_t window, const Text& title, const Text& text, bool onClipboard);
// Brings the window forward, waits for it to take the focus and types, as TypeIntoWindow; a
// window that may not come forward is not typed around: the user is told instead.
void BringForwardAndType(uintptr_t window, const Text& title, const Text& text, bool onClipboard);

// Sends the text as key-downs (a key-up only between two equal units) in one input call;
// nothing for empty text. False when the system accepted fewer records than were sent.
bool TypeText(const Text& text);

// Replaces the clipboard content with the text in one opening of the clipboard, waiting a
// little for a clipboard another program holds; false when the text is not on it.
bool CopyToClipboard(const Text& text);

}  // namespace qp
