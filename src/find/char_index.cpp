// Folding, the names given by rule, and the search index built once after unpacking.
#include <algorithm>
#include <cstdio>

#include "base/lower_case.h"
#include "find/char_table.h"

namespace qp {

namespace {

// Punctuation, blanks and invisible marks: what stands between words.
bool IsSeparator(char32_t cp) {
  if (cp < 0x80) return !((cp >= '0' && cp <= '9') || (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z'));
  return (cp >= 0xA0 && cp <= 0xBF) || cp == 0xD7 || cp == 0xF7 || (cp >= 0x2000 && cp <= 0x206F) ||
         (cp >= 0x3000 && cp <= 0x3003) || (cp >= 0xFE00 && cp <= 0xFE0F) ||
         (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF;
}

}  // namespace

bool FoldCodePoint(const CharTable& t, char32_t cp, std::string& out) {
  if (cp >= 'A' && cp <= 'Z') cp += 'a' - 'A';  // the common case, without the table
  if (IsSeparator(cp)) return false;
  if (cp < 0x80) {  // ASCII letters and digits are lower case by now
    out.push_back(static_cast<char>(cp));
    return true;
  }
  if (cp < 0x10000) cp = LowerCaseUnit(static_cast<char16_t>(cp));
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
    return true;
  }
  auto it = std::lower_bound(t.folds.begin(), t.folds.end(), static_cast<int32_t>(cp),
                             [](const auto& f, int32_t c) { return f.first < c; });
  if (it != t.folds.end() && it->first == static_cast<int32_t>(cp)) {
    out += it->second;
  } else {
    AppendUtf8(out, cp);
  }
  return true;
}

std::vector<std::string> FoldedWords(const CharTable& t, TextView text, std::vector<bool>* upperLetter) {
  std::vector<std::string> words(1);
  std::vector<bool> upper(1, false);
  size_t units = 0;  // of the word being read
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (FoldCodePoint(t, cp, words.back())) {
      if (upperLetter) upper.back() = ++units == 1 && cp >= 'A' && cp <= 'Z';
    } else if (!words.back().empty()) {
      words.emplace_back();
      upper.push_back(false);
      units = 0;
    }
  }
  if (words.back().empty()) {
    words.pop_back();
    upper.pop_back();
  }
  if (upperLetter) *upperLetter = std::move(upper);
  return words;
}

std::string HangulSyllableName(const CharTable& t, int32_t codePoint) {
  const int32_t s = codePoint - kHangulFirst;
  if (s < 0 || s >= kHangulCount || t.jamo[2].size() != 28) return {};
  return t.jamo[0][s / (21 * 28)] + t.jamo[1][(s % (21 * 28)) / 28] + t.jamo[2][s % 28];
}

std::string_view HangulSyllableWord(const CharTable& t, int32_t codePoint, char (&buffer)[8]) {
  const int32_t s = codePoint - kHangulFirst;
  if (s < 0 || s >= kHangulCount || t.jamo[2].size() != 28) return {};
  size_t n = 0;
  for (const std::string* part : {&t.jamo[0][s / (21 * 28)], &t.jamo[1][(s % (21 * 28)) / 28], &t.jamo[2][s % 28]}) {
    for (char c : *part) {
      if (n < sizeof buffer) buffer[n++] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return std::string_view(buffer, n);
}

std::string RuleName(const CharTable& t, const RuleRange& r, int32_t codePoint) {
  if (r.kind == RuleKind::Hangul) return r.prefix + " " + HangulSyllableName(t, codePoint);
  char hex[16];
  std::snprintf(hex, sizeof hex, "-%04X", static_cast<unsigned>(codePoint));
  return r.prefix + hex;
}

std::string NameText(const CharTable& t, uint32_t phrase) {
  static const char* const kSeparators[4] = {" ", "-", " -", "- "};
  const Span s = Phrase(t, phrase);
  std::string out;
  for (uint32_t k = s.begin; k < s.end; ++k) {
    const uint32_t w = t.phraseWords[k];
    if (k > s.begin || (w & 3) != 0) out += kSeparators[w & 3];
    // Name words are upper-case ASCII: folding them lost nothing but the case.
    for (char c : WordText(t, w >> 2)) out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return out;
}

std::string StoredName(const CharTable& t, int32_t index) {
  const size_t i = static_cast<size_t>(index);
  const uint32_t name = t.phraseStart[i];
  if (Phrase(t, name).begin == Phrase(t, name).end && t.aliasCount[i] > 0) return NameText(t, name + 1);
  return NameText(t, name);
}

}  // namespace qp
