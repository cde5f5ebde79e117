#include "base/command_line.h"

#include <limits>

#include "base/lower_case.h"

namespace qp {

namespace {

int DigitValue(char16_t c, int base) {
  int v = -1;
  if (c >= u'0' && c <= u'9') v = c - u'0';
  else if (c >= u'a' && c <= u'f') v = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F') v = c - u'A' + 10;
  return v < base ? v : -1;
}

}  // namespace

int32_t ParseIntegerText(TextView t) {
  size_t i = 0;
  while (i < t.size() && (t[i] == u' ' || t[i] == u'\t')) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) negative = t[i++] == u'-';
  int base = 10;
  if (i < t.size() && t[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < t.size() && t[i] == u'%') {
    base = 2;
    ++i;
  }
  // The magnitude stops growing once past the 32-bit range, so it never overflows.
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  int64_t magnitude = 0;
  for (; i < t.size(); ++i) {
    int d = DigitValue(t[i], base);
    if (d < 0) break;
    magnitude = magnitude * base + d;
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

void ParseCommandLine(const std::vector<Text>& params, AppState& state) {
  state.NoShowSwitch = 0;
  state.TargetNameArg.clear();
  for (const Text& p : params) {
    if (LowerCase(p) == u"/noshow") {
      state.NoShowSwitch = 1;
    } else if (LowerCase(TextView(p).substr(0, 7)) == u"keyset=") {
      TextView value = TextView(p).substr(7);
      if (!value.empty()) state.KeySetSwitch = ParseIntegerText(value);
    } else if (!p.empty() && p[0] != u'/') {
      state.TargetNameArg = p;
    }
  }
}

void ApplyKeySetSwitch(AppState& state, const Edition& edition) {
  if (edition.kind == EditionKind::Pro) {
    if (state.KeySetSwitch > 0) state.KeySet = state.KeySetSwitch;
    return;
  }
  const bool known = state.KeySetSwitch >= 1 && state.KeySetSwitch <= edition.keySetCount;
  state.KeySet = known ? state.KeySetSwitch : 1;
}

}  // namespace qp
