// The unpacked character table and the search index built over it; shared by the finder's
// files, not part of its interface.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace qp {

// Names given by rule: prefix + "-" + hex code point, or a Hangul syllable.
enum class RuleKind : uint8_t { PrefixHex = 0, Hangul = 1 };

struct RuleRange {
  int32_t first = 0;
  int32_t last = 0;
  RuleKind kind = RuleKind::PrefixHex;
  std::string prefix;            // "CJK UNIFIED IDEOGRAPH"
  std::vector<uint32_t> words;   // its words as search ids
};

struct BlockRange {
  int32_t first = 0;
  int32_t last = 0;
  std::string name;
};

// A slice of a pool: [begin, end).
struct Span {
  uint32_t begin = 0;
  uint32_t end = 0;
};

struct CharTable {
  bool ok = false;
  std::vector<BlockRange> blocks;
  std::vector<RuleRange> rules;
  std::vector<std::string> jamo[3];            // leading, vowel, trailing short names
  std::vector<std::string> capitalised;        // sorted; "=word" keeps the word upper case
  std::vector<std::pair<int32_t, std::string>> folds;  // Latin letter -> ASCII, sorted

  // As unpacked, until the index is built: name words (lower-cased, sorted; word k ends at
  // nameWordEnds[k] in nameWordPool), name and alias tokens (word index * 4 + separator), and
  // where each name's tokens start (every character's name, then all the aliases in order).
  std::string nameWordPool;
  std::vector<uint32_t> nameWordEnds;
  std::vector<uint32_t> tokens;
  std::vector<uint32_t> nameStarts;

  // One entry per stored character, in code point order; xStart[i]..xStart[i + 1] are
  // character i's entries of x.
  std::vector<int32_t> codePoints;
  std::string textPool;                // keywords and entity names, UTF-8
  std::vector<Span> keywordText;       // per keyword: its text in textPool
  std::vector<uint32_t> keywordStart;
  std::vector<uint32_t> entityStart;   // into textPool
  std::vector<std::pair<int32_t, const char16_t*>> tooltips;  // key sets' characters, sorted

  // Search index. Words folded (lower case, Latin accents off), sorted; id = position.
  std::string wordPool;
  std::vector<Span> words;
  // Phrases: word id * 4 + separator (as in tokens; 0 outside names). A character's phrases
  // are its name, its aliases, its entity name (these count as names: exactPhrases), then
  // its keywords and its key tooltip.
  std::vector<uint16_t> phraseWords;
  std::vector<uint32_t> phraseAt;      // phrase p: phraseWords[phraseAt[p]..phraseAt[p + 1])
  std::vector<uint32_t> phraseStart;
  std::vector<uint8_t> aliasCount;      // read with the names
  std::vector<uint8_t> exactPhrases;
  std::vector<uint8_t> capital;        // 1 when the name says CAPITAL
  std::vector<uint16_t> postings;      // per word: the characters holding it, ascending
  std::vector<uint32_t> postingAt;     // word w's: postings[postingAt[w]..postingAt[w + 1])
};

inline Span Phrase(const CharTable& t, uint32_t p) { return {t.phraseAt[p], t.phraseAt[p + 1]}; }
inline uint32_t PhraseCount(const CharTable& t) {
  return t.phraseAt.empty() ? 0 : static_cast<uint32_t>(t.phraseAt.size() - 1);
}

// Postings name characters and phrases name words (with their separator) in 16 bits: a table
// with more is refused as damaged.
inline constexpr size_t kMaxStoredCharacters = UINT16_MAX + 1;
inline constexpr size_t kMaxWords = (UINT16_MAX + 1) / 4;
inline constexpr int32_t kHangulFirst = 0xAC00;
inline constexpr int32_t kHangulCount = 19 * 21 * 28;

// The table, loaded on first use (LoadCharacterTable); `ok` false when the data is damaged.
const CharTable& Table();
// A fresh table, unpacked and indexed as the first use does it; the caller owns it. For
// timing, and for tests that change what it depends on (the edition).
CharTable* LoadFreshCharTable();
// Builds the search index of a freshly read table (char_index.cpp).
void BuildCharIndex(CharTable& t);
// Index of a stored character, or -1.
int32_t StoredIndex(const CharTable& t, int32_t codePoint);
// The rule range holding the code point, or nullptr.
const RuleRange* RuleFor(const CharTable& t, int32_t codePoint);

std::string_view WordText(const CharTable& t, uint32_t id);
std::string_view PoolText(const CharTable& t, Span s);
// Character i's entity name without "&" and ";", or empty.
std::string_view EntityText(const CharTable& t, size_t i);
// Lower case and Latin accents off, appended to `out` as UTF-8; false for a character that
// separates words.
bool FoldCodePoint(const CharTable& t, char32_t cp, std::string& out);
// The folded words of a text, in order. `upperLetter`, when given, receives for each word
// whether it was one upper-case ASCII letter ("E" in "E acute").
std::vector<std::string> FoldedWords(const CharTable& t, TextView text, std::vector<bool>* upperLetter = nullptr);
// The first search id at or after a word or prefix in sorted order.
uint32_t LowerWord(const CharTable& t, std::string_view word);

// Rule-given names: "CJK UNIFIED IDEOGRAPH-4E00", "HANGUL SYLLABLE GAG".
std::string HangulSyllableName(const CharTable& t, int32_t codePoint);  // "GAG", "" outside
// The same in lower case, written into `buffer`: "gag"; empty outside.
std::string_view HangulSyllableWord(const CharTable& t, int32_t codePoint, char (&buffer)[8]);
std::string RuleName(const CharTable& t, const RuleRange& r, int32_t codePoint);
// A stored character's name as Unicode writes it (its first alias for controls).
std::string StoredName(const CharTable& t, int32_t index);
// The text of a name or alias: Phrase(t, phrase).
std::string NameText(const CharTable& t, uint32_t phrase);
// "LATIN CAPITAL LETTER A WITH ACUTE" -> "Latin capital letter A with acute".
std::string ReadableName(const CharTable& t, std::string_view name);

}  // namespace qp
