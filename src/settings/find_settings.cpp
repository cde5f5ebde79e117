#include "settings/find_settings.h"

#include <string>

#include "find/find.h"

namespace qp {

namespace {

constexpr char kHotkeyKey[] = "FindHotkey";
constexpr char kPinnedKey[] = "FindPinned";
constexpr char kRecentKey[] = "FindRecent";
constexpr int64_t kModifierFlags = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x4000;

// Decimal digits only, blanks around them allowed; -1 otherwise.
int64_t ParseHotkey(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  int64_t value = 0;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (text[i] - '0');
    if (value > INT32_MAX) return -1;
  }
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return digits > 0 && i == text.size() ? value : -1;
}

void WriteList(PreferencesFile& prefs, const char* key, const std::vector<int32_t>& list) {
  std::string ignored;
  if (list.empty() && !prefs.ReadText(key, ignored)) return;
  prefs.WriteText(key, TextToUtf8(CodePointListToText(list)));
}

}  // namespace

bool ValidFindHotkey(int64_t packed) {
  if (packed == 0) return true;
  const int64_t key = packed & 0xFFFF;
  const int64_t modifiers = packed >> kFindHotkeyModifierShift;
  return packed > 0 && key >= 1 && key <= 254 && (modifiers & ~kModifierFlags) == 0;
}

void SetFindDefaults(AppState& state) {
  state.FindHotkey = kDefaultFindHotkey;
  state.FindPinned.clear();
  state.FindRecent.clear();
}

void ReadFindSettings(const PreferencesFile& prefs, AppState& state) {
  SetFindDefaults(state);
  std::string text;
  if (prefs.ReadText(kHotkeyKey, text)) {
    const int64_t packed = ParseHotkey(text);
    if (packed >= 0 && ValidFindHotkey(packed)) state.FindHotkey = static_cast<int32_t>(packed);
  }
  if (prefs.ReadText(kPinnedKey, text)) state.FindPinned = CodePointListFromText(Utf8ToText(text), kMaxPinned);
  if (prefs.ReadText(kRecentKey, text)) state.FindRecent = CodePointListFromText(Utf8ToText(text), kMaxRecent);
}

void WriteFindSettings(PreferencesFile& prefs, const AppState& state) {
  std::string ignored;
  if (state.FindHotkey != kDefaultFindHotkey || prefs.ReadText(kHotkeyKey, ignored)) {
    prefs.WriteInt(kHotkeyKey, ValidFindHotkey(state.FindHotkey) ? state.FindHotkey : kDefaultFindHotkey);
  }
  WriteList(prefs, kPinnedKey, state.FindPinned);
  WriteList(prefs, kRecentKey, state.FindRecent);
}

}  // namespace qp
