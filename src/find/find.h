// The character finder's portable part: what it knows of every character, how a query is
// matched and ranked, and the pinned and recently typed characters. The Find window
// (platform/find_window_win.cpp) shows what these return and types through the same
// delivery as a key click.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/text.h"

namespace qp {

// Everything the finder shows of one code point.
struct CharDetails {
  int32_t codePoint = 0;
  Text name;                   // as Unicode writes it: "GREEK SMALL LETTER ALPHA"; derived names too
  Text readableName;           // for people: "Greek small letter alpha"
  Text block;                  // "Greek and Coptic"
  std::vector<Text> aliases;   // formal aliases
  std::vector<Text> keywords;  // English keywords ("heart", "smile")
  Text entity;                 // "&alpha;", or empty
  Text keyTooltip;             // the tooltip of the key that carries it on the program's sets, or empty
};

// Unpacks the stored character table. The first call does the work; later calls return at
// once. False when the stored data is damaged: the finder then finds nothing.
bool LoadCharacterTable();

// False for a code point the finder has no name for (unassigned, surrogates, out of range).
bool DescribeCharacter(int32_t codePoint, CharDetails& out);

// Only the name for people (what a result row shows), without the rest of the details; empty
// where DescribeCharacter is false.
Text ReadableCharacterName(int32_t codePoint);

// Bounds of the lists kept across runs (Pro) or for the run (standard edition).
inline constexpr size_t kMaxPinned = 32;
inline constexpr size_t kMaxRecent = 32;

// Pinned characters in the user's order; recent ones newest first. No duplicates in either.
struct FindLists {
  std::vector<int32_t> pinned;
  std::vector<int32_t> recent;
};

// A character was typed (from Find or from a key of the panel): to the front of recent.
void NoteTyped(FindLists& lists, int32_t codePoint);
// Pins an unpinned character (at the end), unpins a pinned one.
void TogglePin(FindLists& lists, int32_t codePoint);

// Best first, at most `limit`. A blank query gives the pinned characters, then the recent ones.
std::vector<int32_t> FindCharacters(const Text& query, const FindLists& lists, size_t limit);

// The lists as a configuration value ("3B1 E9 1F600": hex code points, blank-separated) and
// back; a malformed or out-of-range entry is skipped, the bounds are kept.
Text CodePointListToText(const std::vector<int32_t>& list);
std::vector<int32_t> CodePointListFromText(TextView value, size_t maxEntries);

}  // namespace qp
