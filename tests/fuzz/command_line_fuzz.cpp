// The command line: any list of UTF-16 parameters. The input is UTF-16LE with a
// zero unit between parameters (Windows never passes a zero unit inside one).
// ParseIntegerText is checked against a reference that reads the number exactly
// and only then saturates; ParseCommandLine against the three rules, on a record
// that already holds values; and the key-set switch against both editions' ranges.
// Each parameter also serves as a window title of any length and content, for the
// other-instance probe and the target list.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/command_line.h"
#include "base/edition.h"
#include "base/instance_check.h"
#include "base/lower_case.h"
#include "base/platform.h"
#include "fuzz_check.h"
#include "output/target_list.h"

namespace {

using namespace qp;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// The number as read, held exactly (any digit count) as a digit string in `base`,
// then compared with the 32-bit limits.
int32_t ReferenceInteger(TextView t) {
  size_t i = t.find_first_not_of(u" \t");
  if (i == TextView::npos) return 0;
  bool negative = false;
  if (t[i] == u'+' || t[i] == u'-') negative = t[i++] == u'-';
  unsigned base = 10;
  if (i < t.size() && t[i] == u'$') base = 16, ++i;
  else if (i < t.size() && t[i] == u'%') base = 2, ++i;
  const std::u16string digits16 = base == 16 ? u"0123456789abcdef" : base == 2 ? u"01" : u"0123456789";
  std::vector<unsigned> digits;
  for (; i < t.size(); ++i) {
    char16_t c = t[i];
    if (c >= u'A' && c <= u'F') c = static_cast<char16_t>(c - u'A' + u'a');
    const size_t d = digits16.find(c);
    if (d == std::u16string::npos) break;
    if (!digits.empty() || d != 0) digits.push_back(static_cast<unsigned>(d));  // leading zeros say nothing
  }
  // 32 binary digits are already past 2^31; any longer number is too.
  if (digits.size() > 32) return negative ? kMin : kMax;
  unsigned __int128 v = 0;
  for (unsigned d : digits) v = v * base + d;
  if (negative) return v >= (unsigned __int128)1 << 31 ? kMin : -static_cast<int32_t>(v);
  return v > static_cast<unsigned __int128>(kMax) ? kMax : static_cast<int32_t>(v);
}

// Whether p, lower-cased unit by unit, starts with the ASCII text `ascii`.
bool LowerStartsWith(TextView p, const char* ascii) {
  size_t n = 0;
  for (; ascii[n] != '\0'; ++n) {
    if (n >= p.size() || LowerCaseUnit(p[n]) != static_cast<char16_t>(ascii[n])) return false;
  }
  return true;
}

std::vector<Text> SplitParameters(const uint8_t* data, size_t size) {
  std::vector<Text> params(1);
  for (size_t i = 0; i + 1 < size; i += 2) {
    const char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0) params.emplace_back();
    else params.back().push_back(unit);
  }
  return params;
}

TopWindowInfo ListableWindow(const Text& title) {
  TopWindowInfo w;
  w.visible = true;
  w.enabled = true;
  w.title = title;
  w.className = u"AppWindow";
  return w;
}

void CheckTitle(const Text& title) {
  const Text cut = CutWindowText(title);
  QP_FUZZ_CHECK(cut.size() <= kWindowTextUnits && title.compare(0, cut.size(), cut) == 0);
  QP_FUZZ_CHECK(cut.size() == title.size() || cut.size() == kWindowTextUnits);

  // Only what a window-text read keeps decides whether the window is listed.
  const bool listed = IsTargetCandidate(ListableWindow(title));
  QP_FUZZ_CHECK(IsTargetCandidate(ListableWindow(cut)) == listed);
  if (cut.size() == kWindowTextUnits) {
    QP_FUZZ_CHECK(IsTargetCandidate(ListableWindow(cut + Text(u"\0tail", 5))) == listed);
  }
  if (title.empty() || IsInstanceTitle(title, ProEdition()) || IsInstanceTitle(title, StandardEdition())) {
    QP_FUZZ_CHECK(!listed);
  }
  if (!title.empty() && title[0] != u'Q' && title[0] != u'P') QP_FUZZ_CHECK(listed);
  TopWindowInfo owned = ListableWindow(title);
  owned.hasParent = true;
  QP_FUZZ_CHECK(!IsTargetCandidate(owned));
  // Any class name is read the same way, and only three exact ones are left out.
  TopWindowInfo classed = ListableWindow(u"Notes");
  classed.className = title;
  const bool excluded = cut == u"ExploreWClass" || cut == u"Progman" || cut == u"MS_WINHELP";
  QP_FUZZ_CHECK(IsTargetCandidate(classed) == !excluded);

  // A running copy is known by the exact prefix, however long or odd the rest.
  for (const Edition* e : {&ProEdition(), &StandardEdition()}) {
    const TextView prefix(e->instancePrefix);
    QP_FUZZ_CHECK(IsInstanceTitle(title, *e) == (TextView(title).substr(0, prefix.size()) == prefix));
    QP_FUZZ_CHECK(IsInstanceTitle(Text(prefix) + title, *e));
    QP_FUZZ_CHECK(IsInstanceTitle((Text(prefix) + title).substr(0, kInstanceTitleChars), *e));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<Text> params = SplitParameters(data, size);

  for (const Text& p : params) {
    QP_FUZZ_CHECK(ParseIntegerText(p) == ReferenceInteger(p));
    // Blanks in front change nothing; a sign in front of a sign reads nothing.
    QP_FUZZ_CHECK(ParseIntegerText(u" \t" + p) == ParseIntegerText(p));
    QP_FUZZ_CHECK(ParseIntegerText(u"-+" + p) == 0);
    const int32_t value = ParseIntegerText(p);
    if (!p.empty() && p[0] != u' ' && p[0] != u'\t' && p[0] != u'+' && p[0] != u'-' && value != kMax) {
      QP_FUZZ_CHECK(ParseIntegerText(u"-" + p) == -value);
    }
    QP_FUZZ_CHECK(ParseIntegerText(p + u"\u0660") == value);  // a digit of another script ends the number
    CheckTitle(p);
  }

  // What the three rules give, parameter by parameter; the record starts out used.
  const int32_t earlierSwitch = params.empty() ? 0 : ReferenceInteger(params[0]) ^ 0x5A5A;
  int32_t noShow = 0, keySet = earlierSwitch;
  Text title;
  for (const Text& p : params) {
    if (p.size() == 7 && LowerStartsWith(p, "/noshow")) noShow = 1;
    else if (LowerStartsWith(p, "keyset=")) keySet = p.size() > 7 ? ReferenceInteger(TextView(p).substr(7)) : keySet;
    else if (!p.empty() && p[0] != u'/') title = p;
  }
  AppState state;
  state.NoShowSwitch = 1;
  state.KeySetSwitch = earlierSwitch;
  state.TargetNameArg = u"earlier title";
  state.KeySet = 7;
  ParseCommandLine(params, state);
  QP_FUZZ_CHECK(state.NoShowSwitch == noShow);
  QP_FUZZ_CHECK(state.KeySetSwitch == keySet);
  QP_FUZZ_CHECK(state.TargetNameArg == title);
  QP_FUZZ_CHECK(state.KeySet == 7);  // the switch is applied later, not by the reader

  AppState pro = state;
  ApplyKeySetSwitch(pro, ProEdition());
  QP_FUZZ_CHECK(pro.KeySet == (keySet > 0 ? keySet : 7));
  AppState standard = state;
  ApplyKeySetSwitch(standard, StandardEdition());
  QP_FUZZ_CHECK(standard.KeySet >= 1 && standard.KeySet <= StandardEdition().keySetCount);
  QP_FUZZ_CHECK(standard.KeySet == (keySet >= 1 && keySet <= 15 ? keySet : 1));
  return 0;
}
