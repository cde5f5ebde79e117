#include "find/find_query.h"

namespace qp {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0 || c == 0x3000; }

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Digits in the given base, the whole of `digits`; -1 when empty, malformed or past U+10FFFF.
int32_t ParseCodePoint(TextView digits, int base) {
  if (digits.empty()) return -1;
  int64_t value = 0;
  for (char16_t c : digits) {
    const int d = HexValue(c);
    if (d < 0 || d >= base) return -1;
    value = value * base + d;
    if (value > 0x10FFFF) return -1;
  }
  return static_cast<int32_t>(value);
}

// "&name;" (the semicolon optional): the character of that entity name, the exact spelling
// first ("&Alpha;" is not "&alpha;"), else ignoring case.
int32_t EntityCodePoint(const CharTable& t, TextView name) {
  const std::string wanted = TextToUtf8(name);
  int32_t loose = -1;
  for (size_t i = 0; i < t.codePoints.size(); ++i) {
    const std::string_view e = EntityText(t, i);
    if (e.size() != wanted.size()) continue;
    if (e == wanted) return t.codePoints[i];
    bool same = true;
    for (size_t k = 0; k < e.size() && same; ++k) same = (e[k] | 0x20) == (wanted[k] | 0x20);
    if (same && loose < 0) loose = t.codePoints[i];
  }
  return loose;
}

// The one character a pasted text is, or -1.
int32_t SingleCharacter(TextView q) {
  if (q.size() == 1) {
    const char16_t c = q[0];
    const bool asciiWord = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    if (asciiWord || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    return c;
  }
  if (q.size() == 2 && q[0] >= 0xD800 && q[0] <= 0xDBFF && q[1] >= 0xDC00 && q[1] <= 0xDFFF) {
    return 0x10000 + ((q[0] - 0xD800) << 10) + (q[1] - 0xDC00);
  }
  return -1;
}

// "1f600", "4E00": four to six hex digits with at least one decimal digit, so that words
// such as "face" or "cafe" stay words.
int32_t BareHex(TextView q) {
  if (q.size() < 4 || q.size() > 6) return -1;
  bool digit = false;
  for (char16_t c : q) digit = digit || (c >= u'0' && c <= u'9');
  return digit ? ParseCodePoint(q, 16) : -1;
}

bool AllOf(const std::string& s, bool (*pred)(char)) {
  for (char c : s) {
    if (!pred(c)) return false;
  }
  return !s.empty();
}

}  // namespace

TextView TrimBlanks(TextView query) {
  size_t begin = 0;
  size_t end = query.size();
  while (begin < end && IsBlank(query[begin])) ++begin;
  while (end > begin && IsBlank(query[end - 1])) --end;
  return query.substr(begin, end - begin);
}

bool Nameable(const CharTable& t, int32_t codePoint) {
  // NUL ends strings on the way to the window: it is nothing a user could type.
  if (!t.ok || codePoint <= 0 || codePoint > 0x10FFFF) return false;
  if (StoredIndex(t, codePoint) >= 0) return true;
  const RuleRange* r = RuleFor(t, codePoint);
  return r && (r->kind != RuleKind::Hangul || !HangulSyllableName(t, codePoint).empty());
}

QueryForm ReadQueryForm(const CharTable& t, TextView q) {
  QueryForm form;
  if (q.size() > kMaxQueryUnits) return form;
  auto only = [&](int32_t cp) {
    form.only = true;
    form.codePoint = Nameable(t, cp) ? cp : -1;
    return form;
  };
  TextView body = q;
  const bool semicolon = !body.empty() && body.back() == u';';
  if (semicolon) body.remove_suffix(1);
  if (StartsWithNoCase(q, u"u+")) return only(ParseCodePoint(q.substr(2), 16));
  if (StartsWithNoCase(q, u"0x")) return only(ParseCodePoint(q.substr(2), 16));
  if (StartsWithNoCase(body, u"&#x")) return only(ParseCodePoint(body.substr(3), 16));
  if (StartsWithNoCase(body, u"&#")) return only(ParseCodePoint(body.substr(2), 10));
  if (body.size() > 1 && body[0] == u'&') return only(EntityCodePoint(t, body.substr(1)));
  int32_t cp = SingleCharacter(q);
  if (cp < 0) cp = BareHex(q);
  if (Nameable(t, cp)) form.codePoint = cp;
  return form;
}

bool ReadQueryWords(const CharTable& t, TextView q, std::vector<QueryWord>& out) {
  out.clear();
  if (q.size() > kMaxQueryUnits) return false;
  std::vector<bool> upper;
  std::vector<std::string> words = FoldedWords(t, q, &upper);
  if (words.empty() || words.size() > kMaxQueryWords) return false;
  for (size_t i = 0; i < words.size(); ++i) {
    QueryWord qw;
    qw.text = std::move(words[i]);
    qw.lo = LowerWord(t, qw.text);
    qw.hi = LowerWord(t, qw.text + '\xFF');
    if (qw.lo < t.words.size() && WordText(t, qw.lo) == qw.text) qw.exactId = qw.lo;
    qw.hex = AllOf(qw.text, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
    qw.letters = AllOf(qw.text, [](char c) { return c >= 'a' && c <= 'z'; });
    qw.upperLetter = upper[i];
    if (qw.lo == qw.hi && !qw.hex && !qw.letters) return false;
    out.push_back(std::move(qw));
  }
  return true;
}

}  // namespace qp
