// The search index, built once after the table is unpacked: every word folded and sorted,
// each character's phrases as word ids, and each word's list of characters.
#include <algorithm>
#include <unordered_set>

#include "find/char_table.h"

namespace qp {

namespace {

std::string Lower(std::string_view ascii) {
  std::string out(ascii);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The phrases of character i that are not names or aliases, as folded words: its entity
// name (which counts as a name: fn's second argument), keywords, key tooltip.
template <typename Fn>
void ForEachOtherPhrase(const CharTable& t, size_t i, Fn fn) {
  if (t.entity[i].end > t.entity[i].begin) fn(std::vector<std::string>{Lower(PoolText(t, t.entity[i]))}, true);
  for (uint32_t k = t.keywords[i].begin; k < t.keywords[i].end; ++k) {
    fn(FoldedWords(t, Utf8ToText(PoolText(t, t.keywordText[k]))), false);
  }
  auto tip = std::lower_bound(t.tooltips.begin(), t.tooltips.end(), t.codePoints[i],
                              [](const auto& entry, int32_t cp) { return entry.first < cp; });
  if (tip != t.tooltips.end() && tip->first == t.codePoints[i]) fn(FoldedWords(t, tip->second), false);
}

void BuildWordList(CharTable& t) {
  std::unordered_set<std::string> other;
  for (size_t i = 0; i < t.codePoints.size(); ++i) {
    ForEachOtherPhrase(t, i, [&other](std::vector<std::string>&& words, bool) {
      for (std::string& w : words) other.insert(std::move(w));
    });
  }
  for (const RuleRange& r : t.rules) {
    for (std::string& w : FoldedWords(t, Utf8ToText(r.prefix))) other.insert(std::move(w));
  }
  std::vector<std::string> all(other.begin(), other.end());
  for (const std::string& w : t.nameWords) all.push_back(Lower(w));
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  t.words.reserve(all.size());
  for (const std::string& w : all) {
    Span s{static_cast<uint32_t>(t.wordPool.size()), 0};
    t.wordPool += w;
    s.end = static_cast<uint32_t>(t.wordPool.size());
    t.words.push_back(s);
  }
}

void AddPhrase(CharTable& t, const uint32_t* ids, size_t count) {
  Span p{static_cast<uint32_t>(t.phraseWords.size()), 0};
  t.phraseWords.insert(t.phraseWords.end(), ids, ids + count);
  p.end = static_cast<uint32_t>(t.phraseWords.size());
  t.phrases.push_back(p);
}

void BuildPostings(CharTable& t) {
  std::vector<uint32_t> counts(t.words.size() + 1, 0);
  std::vector<uint32_t> held;
  auto heldWords = [&t, &held](size_t i) {
    held.clear();
    for (uint32_t p = t.charPhrases[i].begin; p < t.charPhrases[i].end; ++p) {
      held.insert(held.end(), t.phraseWords.begin() + t.phrases[p].begin, t.phraseWords.begin() + t.phrases[p].end);
    }
    std::sort(held.begin(), held.end());
    held.erase(std::unique(held.begin(), held.end()), held.end());
  };
  const size_t n = t.codePoints.size();
  for (size_t i = 0; i < n; ++i) {
    heldWords(i);
    for (uint32_t id : held) ++counts[id + 1];
  }
  for (size_t w = 1; w < counts.size(); ++w) counts[w] += counts[w - 1];
  t.wordPostings.resize(t.words.size());
  for (size_t w = 0; w < t.words.size(); ++w) t.wordPostings[w] = {counts[w], counts[w]};
  t.postings.resize(counts.back());
  // Characters in ascending order, so every word's list comes out ascending.
  for (size_t i = 0; i < n; ++i) {
    heldWords(i);
    for (uint32_t id : held) t.postings[t.wordPostings[id].end++] = static_cast<uint32_t>(i);
  }
}

}  // namespace

void BuildCharIndex(CharTable& t) {
  BuildWordList(t);
  std::vector<uint32_t> nameIds(t.nameWords.size());
  for (size_t k = 0; k < t.nameWords.size(); ++k) nameIds[k] = LowerWord(t, Lower(t.nameWords[k]));
  for (RuleRange& r : t.rules) {
    for (const std::string& w : FoldedWords(t, Utf8ToText(r.prefix))) r.words.push_back(LowerWord(t, w));
  }
  const uint32_t capitalId = LowerWord(t, "capital");
  std::vector<uint32_t> ids;
  auto addName = [&](uint32_t name) {
    ids.clear();
    for (uint32_t k = t.names[name].begin; k < t.names[name].end; ++k) ids.push_back(nameIds[t.tokens[k] >> 2]);
    AddPhrase(t, ids.data(), ids.size());
    return std::find(ids.begin(), ids.end(), capitalId) != ids.end();
  };
  const size_t n = t.codePoints.size();
  for (size_t i = 0; i < n; ++i) {
    Span own{static_cast<uint32_t>(t.phrases.size()), 0};
    t.capital.push_back(addName(static_cast<uint32_t>(i)) ? 1 : 0);
    for (uint32_t a = t.aliases[i].begin; a < t.aliases[i].end; ++a) addName(a);
    size_t exact = t.phrases.size() - own.begin;
    ForEachOtherPhrase(t, i, [&](std::vector<std::string>&& words, bool isName) {
      ids.clear();
      for (const std::string& w : words) ids.push_back(LowerWord(t, w));
      AddPhrase(t, ids.data(), ids.size());
      if (isName) ++exact;
    });
    own.end = static_cast<uint32_t>(t.phrases.size());
    t.charPhrases.push_back(own);
    t.exactPhrases.push_back(static_cast<uint8_t>(std::min<size_t>(exact, 255)));
  }
  BuildPostings(t);
  t.hangulWords.assign(kHangulCount * kHangulSlot, '\0');
  for (int32_t s = 0; s < kHangulCount; ++s) {
    const std::string name = Lower(HangulSyllableName(t, kHangulFirst + s));
    std::copy_n(name.begin(), std::min(name.size(), kHangulSlot - 1), t.hangulWords.begin() + s * kHangulSlot);
  }
}

}  // namespace qp
