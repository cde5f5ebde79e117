// What the finder shows of one character, and the pinned and recent lists.
#include "find/find.h"

#include <algorithm>

#include "find/char_table.h"
#include "find/find_query.h"

namespace qp {

namespace {

bool Valid(int32_t cp) { return cp > 0 && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF); }

bool HasDigit(std::string_view w) {
  return std::any_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One word of a name for people: proper names capitalised ("Greek"), acronyms upper case
// ("CJK"), a capital letter's letter upper case ("A"), code points as written ("4E00").
std::string ReadableWord(const CharTable& t, std::string word, bool first, bool capitalLetter) {
  if (HasDigit(word)) return word;
  if (word.size() == 1 && capitalLetter) return word;
  for (char& c : word) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (std::binary_search(t.capitalised.begin(), t.capitalised.end(), "=" + word)) {
    for (char& c : word) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return word;
  }
  if ((first || std::binary_search(t.capitalised.begin(), t.capitalised.end(), word)) && !word.empty() &&
      word[0] >= 'a' && word[0] <= 'z') {
    word[0] = static_cast<char>(word[0] - 'a' + 'A');
  }
  return word;
}

}  // namespace

std::string ReadableName(const CharTable& t, std::string_view name) {
  std::string out;
  bool capital = false;
  size_t at = 0;
  while (at < name.size()) {
    const size_t end = std::min(name.find_first_of(" -", at), name.size());
    if (end == at) {
      out.push_back(name[at++]);
      continue;
    }
    const std::string word(name.substr(at, end - at));
    out += ReadableWord(t, word, out.empty(), capital);
    // The nearest CAPITAL or SMALL before a letter says its case ("CAPITAL LETTER D WITH SMALL LETTER Z").
    if (word == "CAPITAL" || word == "SMALL") capital = word == "CAPITAL";
    at = end;
  }
  return out;
}

bool DescribeCharacter(int32_t codePoint, CharDetails& out) {
  const CharTable& t = Table();
  out = CharDetails();
  if (!Valid(codePoint) || !Nameable(t, codePoint)) return false;
  out.codePoint = codePoint;
  std::string name;
  const int32_t index = StoredIndex(t, codePoint);
  if (index >= 0) {
    name = StoredName(t, index);
    const size_t i = static_cast<size_t>(index);
    for (uint32_t a = 1; a <= t.aliasCount[i]; ++a) out.aliases.push_back(Utf8ToText(NameText(t, t.phraseStart[i] + a)));
    for (uint32_t k = t.keywordStart[i]; k < t.keywordStart[i + 1]; ++k) {
      out.keywords.push_back(Utf8ToText(PoolText(t, t.keywordText[k])));
    }
    const std::string_view entity = EntityText(t, i);
    if (!entity.empty()) out.entity = u"&" + Utf8ToText(entity) + u";";
  } else {
    name = RuleName(t, *RuleFor(t, codePoint), codePoint);
  }
  out.name = Utf8ToText(name);
  out.readableName = Utf8ToText(ReadableName(t, name));
  auto block = std::upper_bound(t.blocks.begin(), t.blocks.end(), codePoint,
                                [](int32_t cp, const BlockRange& b) { return cp < b.first; });
  if (block != t.blocks.begin() && codePoint <= (block - 1)->last) out.block = Utf8ToText((block - 1)->name);
  auto tip = std::lower_bound(t.tooltips.begin(), t.tooltips.end(), codePoint,
                              [](const auto& e, int32_t cp) { return e.first < cp; });
  if (tip != t.tooltips.end() && tip->first == codePoint) out.keyTooltip = tip->second;
  return true;
}

Text ReadableCharacterName(int32_t codePoint) {
  const CharTable& t = Table();
  if (!Valid(codePoint) || !Nameable(t, codePoint)) return Text();
  const int32_t index = StoredIndex(t, codePoint);
  const std::string name = index >= 0 ? StoredName(t, index) : RuleName(t, *RuleFor(t, codePoint), codePoint);
  return Utf8ToText(ReadableName(t, name));
}

void NoteTyped(FindLists& lists, int32_t codePoint) {
  if (!Valid(codePoint)) return;
  auto& recent = lists.recent;
  recent.erase(std::remove(recent.begin(), recent.end(), codePoint), recent.end());
  recent.insert(recent.begin(), codePoint);
  if (recent.size() > kMaxRecent) recent.resize(kMaxRecent);
}

void TogglePin(FindLists& lists, int32_t codePoint) {
  auto& pinned = lists.pinned;
  auto it = std::find(pinned.begin(), pinned.end(), codePoint);
  if (it != pinned.end()) {
    pinned.erase(it);
  } else if (Valid(codePoint) && pinned.size() < kMaxPinned) {
    pinned.push_back(codePoint);
  }
}

Text CodePointListToText(const std::vector<int32_t>& list) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  Text out;
  for (int32_t cp : list) {
    if (!Valid(cp)) continue;
    if (!out.empty()) out.push_back(u' ');
    int digits = 1;
    while (digits < 6 && (cp >> (4 * digits)) != 0) ++digits;
    for (int d = digits - 1; d >= 0; --d) out.push_back(kHex[(cp >> (4 * d)) & 15]);
  }
  return out;
}

std::vector<int32_t> CodePointListFromText(TextView value, size_t maxEntries) {
  std::vector<int32_t> out;
  size_t at = 0;
  while (at < value.size() && out.size() < maxEntries) {
    while (at < value.size() && (value[at] == u' ' || value[at] == u'\t' || value[at] == u',')) ++at;
    size_t end = at;
    int64_t cp = 0;
    bool good = true;
    while (end < value.size() && value[end] != u' ' && value[end] != u'\t' && value[end] != u',') {
      const char16_t c = value[end++];
      const int d = c >= u'0' && c <= u'9' ? c - u'0'
                    : c >= u'a' && c <= u'f' ? c - u'a' + 10
                    : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                             : -1;
      good = good && d >= 0 && end - at <= 6;
      if (good) cp = cp * 16 + d;
    }
    if (end > at && good && Valid(static_cast<int32_t>(cp)) &&
        std::find(out.begin(), out.end(), static_cast<int32_t>(cp)) == out.end()) {
      out.push_back(static_cast<int32_t>(cp));
    }
    at = end;
  }
  return out;
}

}  // namespace qp
