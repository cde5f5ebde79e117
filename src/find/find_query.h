// Reading a query: the forms that name one code point, and the words to match.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/text.h"
#include "find/char_table.h"

namespace qp {

// A query longer than this (in UTF-16 units, blanks trimmed) finds nothing: no name is
// near it, and a pasted page must not cost the keystroke budget.
inline constexpr size_t kMaxQueryUnits = 200;
inline constexpr size_t kMaxQueryWords = 16;

struct QueryWord {
  std::string text;        // folded
  uint32_t lo = 0;         // search ids starting with text: [lo, hi)
  uint32_t hi = 0;
  uint32_t exactId = UINT32_MAX;  // the id equal to text, if any
  bool hex = false;        // all hex digits: may match a code point written in a name
  bool letters = false;    // all ASCII letters: may match a Hangul syllable
  bool upperLetter = false;  // one letter, typed upper case
};

// What the query's form says, beside its words.
struct QueryForm {
  bool only = false;        // "U+..", "0x..", "&#..;", "&name;": that one character or nothing
  int32_t codePoint = -1;   // the character it names, shown first; -1 none
};

TextView TrimBlanks(TextView query);
// Whether the finder has a name for the code point.
bool Nameable(const CharTable& t, int32_t codePoint);
QueryForm ReadQueryForm(const CharTable& t, TextView trimmed);
// The query's words with their places in the word list; false when a word matches no word
// at all (nothing can match), or when there are too many.
bool ReadQueryWords(const CharTable& t, TextView trimmed, std::vector<QueryWord>& out);

}  // namespace qp
