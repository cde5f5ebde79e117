// The search index, built once after the table is unpacked: every word folded and sorted,
// each character's phrases as word ids, and each word's list of characters.
#include <algorithm>
#include <unordered_map>
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

// The key tooltips of characters asked for in ascending order.
class TooltipCursor {
 public:
  explicit TooltipCursor(const CharTable& t) : t_(t) {}
  const char16_t* Next(int32_t cp) {
    while (at_ < t_.tooltips.size() && t_.tooltips[at_].first < cp) ++at_;
    return at_ < t_.tooltips.size() && t_.tooltips[at_].first == cp ? t_.tooltips[at_].second : nullptr;
  }

 private:
  const CharTable& t_;
  size_t at_ = 0;
};

// Each character's phrases that are not names or aliases, folded once: its entity name
// (which counts as a name), keywords and key tooltip. Their words in order, each phrase's
// word count, each character's phrase count.
struct OtherPhrases {
  std::vector<std::string> words;
  std::vector<uint16_t> counts;
  std::vector<uint8_t> perCharacter;
  std::vector<uint8_t> entityFirst;
};

OtherPhrases FoldOtherPhrases(const CharTable& t) {
  OtherPhrases out;
  TooltipCursor tips(t);
  const size_t n = t.codePoints.size();
  out.perCharacter.resize(n);
  out.entityFirst.resize(n);
  auto add = [&out](std::vector<std::string>&& words) {
    out.counts.push_back(static_cast<uint16_t>(std::min<size_t>(words.size(), UINT16_MAX)));
    out.words.insert(out.words.end(), std::make_move_iterator(words.begin()),
                     std::make_move_iterator(words.begin() + out.counts.back()));
  };
  for (size_t i = 0; i < n; ++i) {
    const size_t before = out.counts.size();
    if (!EntityText(t, i).empty()) {
      add({Lower(EntityText(t, i))});
      out.entityFirst[i] = 1;
    }
    for (uint32_t k = t.keywordStart[i]; k < t.keywordStart[i + 1]; ++k) {
      add(FoldedWords(t, Utf8ToText(PoolText(t, t.keywordText[k]))));
    }
    if (const char16_t* tip = tips.Next(t.codePoints[i])) add(FoldedWords(t, tip));
    out.perCharacter[i] = static_cast<uint8_t>(std::min<size_t>(out.counts.size() - before, 255));
  }
  return out;
}

void BuildWordList(CharTable& t, const OtherPhrases& other) {
  std::unordered_set<std::string_view> distinct(other.words.begin(), other.words.end());
  std::vector<std::string> all(distinct.begin(), distinct.end());
  for (const RuleRange& r : t.rules) {
    for (std::string& w : FoldedWords(t, Utf8ToText(r.prefix))) all.push_back(std::move(w));
  }
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

// Each word's id by hashing rather than a search of the sorted list: the index looks up every
// word of every phrase once.
class WordIds {
 public:
  explicit WordIds(const CharTable& t) : t_(t) {
    ids_.reserve(t.words.size());
    for (uint32_t id = 0; id < t.words.size(); ++id) ids_.emplace(WordText(t, id), id);
  }
  uint32_t operator()(std::string_view word) const {
    auto it = ids_.find(word);
    return it != ids_.end() ? it->second : LowerWord(t_, word);
  }

 private:
  const CharTable& t_;
  std::unordered_map<std::string_view, uint32_t> ids_;
};

void AddPhrase(CharTable& t, const uint32_t* ids, size_t count) {
  Span p{static_cast<uint32_t>(t.phraseWords.size()), 0};
  t.phraseWords.insert(t.phraseWords.end(), ids, ids + count);
  p.end = static_cast<uint32_t>(t.phraseWords.size());
  t.phrases.push_back(p);
}

void BuildPostings(CharTable& t) {
  // Each character's distinct words, once: counted first, then laid out word by word.
  const size_t n = t.codePoints.size();
  std::vector<uint32_t> held;
  std::vector<uint32_t> heldStart(n + 1, 0);
  held.reserve(t.phraseWords.size());
  for (size_t i = 0; i < n; ++i) {
    const size_t begin = held.size();
    for (uint32_t p = t.phraseStart[i]; p < t.phraseStart[i + 1]; ++p) {
      for (uint32_t at = t.phrases[p].begin; at < t.phrases[p].end; ++at) held.push_back(t.phraseWords[at] >> 2);
    }
    std::sort(held.begin() + static_cast<std::ptrdiff_t>(begin), held.end());
    held.erase(std::unique(held.begin() + static_cast<std::ptrdiff_t>(begin), held.end()), held.end());
    heldStart[i + 1] = static_cast<uint32_t>(held.size());
  }
  std::vector<uint32_t> counts(t.words.size() + 1, 0);
  for (uint32_t id : held) ++counts[id + 1];
  for (size_t w = 1; w < counts.size(); ++w) counts[w] += counts[w - 1];
  t.wordPostings.resize(t.words.size());
  for (size_t w = 0; w < t.words.size(); ++w) t.wordPostings[w] = {counts[w], counts[w]};
  t.postings.resize(counts.back());
  // Characters in ascending order, so every word's list comes out ascending.
  for (size_t i = 0; i < n; ++i) {
    for (uint32_t at = heldStart[i]; at < heldStart[i + 1]; ++at) {
      t.postings[t.wordPostings[held[at]].end++] = static_cast<uint32_t>(i);
    }
  }
}

}  // namespace

void BuildCharIndex(CharTable& t) {
  const OtherPhrases other = FoldOtherPhrases(t);
  BuildWordList(t, other);
  const WordIds idOf(t);
  std::vector<uint32_t> nameIds(t.nameWords.size());
  for (size_t k = 0; k < t.nameWords.size(); ++k) nameIds[k] = idOf(Lower(t.nameWords[k]));
  for (RuleRange& r : t.rules) {
    for (const std::string& w : FoldedWords(t, Utf8ToText(r.prefix))) r.words.push_back(LowerWord(t, w));
  }
  const uint32_t capitalId = LowerWord(t, "capital");
  std::vector<uint32_t> ids;
  bool capital = false;
  auto addName = [&](uint32_t name) {
    ids.clear();
    for (uint32_t k = t.names[name].begin; k < t.names[name].end; ++k) {
      ids.push_back(nameIds[t.tokens[k] >> 2] * 4 + (t.tokens[k] & 3));
      capital = capital || (ids.back() >> 2) == capitalId;
    }
    AddPhrase(t, ids.data(), ids.size());
  };
  const size_t n = t.codePoints.size();
  t.phrases.reserve(t.names.size() + t.keywordText.size() + 2 * n);
  t.phraseWords.reserve(t.tokens.size() + 2 * t.keywordText.size() + 2 * n);
  t.phraseStart.push_back(0);
  size_t phrase = 0;
  size_t word = 0;
  for (size_t i = 0; i < n; ++i) {
    capital = false;
    addName(static_cast<uint32_t>(i));
    t.capital.push_back(capital ? 1 : 0);
    for (uint32_t a = t.aliases[i].begin; a < t.aliases[i].end; ++a) addName(a);
    t.aliasCount.push_back(static_cast<uint8_t>(std::min<uint32_t>(t.aliases[i].end - t.aliases[i].begin, 255)));
    t.exactPhrases.push_back(static_cast<uint8_t>(t.phrases.size() - t.phraseStart.back() + other.entityFirst[i]));
    for (size_t p = 0; p < other.perCharacter[i]; ++p, ++phrase) {
      ids.clear();
      for (size_t k = 0; k < other.counts[phrase]; ++k) ids.push_back(idOf(other.words[word++]) * 4);
      AddPhrase(t, ids.data(), ids.size());
    }
    t.phraseStart.push_back(static_cast<uint32_t>(t.phrases.size()));
  }
  BuildPostings(t);
  t.hangulWords.assign(kHangulCount * kHangulSlot, '\0');
  for (int32_t s = 0; s < kHangulCount; ++s) {
    const std::string name = Lower(HangulSyllableName(t, kHangulFirst + s));
    std::copy_n(name.begin(), std::min(name.size(), kHangulSlot - 1), t.hangulWords.begin() + s * kHangulSlot);
  }
  // The phrases hold all of this now.
  std::vector<std::string>().swap(t.nameWords);
  std::vector<uint32_t>().swap(t.tokens);
  std::vector<Span>().swap(t.names);
  std::vector<Span>().swap(t.aliases);
}

}  // namespace qp
