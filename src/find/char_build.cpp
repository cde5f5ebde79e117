// The search index, built once after the table is unpacked: every word folded and sorted,
// each character's phrases as word ids, and each word's list of characters.
#include <algorithm>

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

std::string_view NameWord(const CharTable& t, size_t k) {
  const uint32_t begin = k > 0 ? t.nameWordEnds[k - 1] : 0;
  return std::string_view(t.nameWordPool).substr(begin, t.nameWordEnds[k] - begin);
}

// The folded words of every phrase, each once, in sorted order: their positions are the ids.
void BuildWordList(CharTable& t, const OtherPhrases& other) {
  std::vector<std::string> ruleWords;
  for (const RuleRange& r : t.rules) {
    for (std::string& w : FoldedWords(t, Utf8ToText(r.prefix))) ruleWords.push_back(std::move(w));
  }
  std::vector<std::string_view> all;
  all.reserve(other.words.size() + t.nameWordEnds.size() + ruleWords.size());
  all.insert(all.end(), other.words.begin(), other.words.end());
  for (size_t k = 0; k < t.nameWordEnds.size(); ++k) all.push_back(NameWord(t, k));
  all.insert(all.end(), ruleWords.begin(), ruleWords.end());
  std::sort(all.begin(), all.end());
  all.erase(std::unique(all.begin(), all.end()), all.end());
  size_t poolSize = 0;
  for (std::string_view w : all) poolSize += w.size();
  t.wordPool.reserve(poolSize);
  t.words.reserve(all.size());
  for (std::string_view w : all) {
    Span s{static_cast<uint32_t>(t.wordPool.size()), 0};
    t.wordPool += w;
    s.end = static_cast<uint32_t>(t.wordPool.size());
    t.words.push_back(s);
  }
}

void AddPhrase(CharTable& t, const uint32_t* ids, size_t count) {
  for (size_t k = 0; k < count; ++k) t.phraseWords.push_back(static_cast<uint16_t>(ids[k]));
  t.phraseAt.push_back(static_cast<uint32_t>(t.phraseWords.size()));
}

// Calls fn once for each distinct word of character i; lastSeen[word] remembers the last
// character that counted it, which spares a sorted copy of every character's words.
template <typename Fn>
void EachWordOnce(const CharTable& t, uint32_t i, std::vector<uint32_t>& lastSeen, Fn fn) {
  for (uint32_t p = t.phraseStart[i]; p < t.phraseStart[i + 1]; ++p) {
    for (uint32_t at = t.phraseAt[p]; at < t.phraseAt[p + 1]; ++at) {
      const uint32_t id = t.phraseWords[at] >> 2;
      if (lastSeen[id] != i) {
        lastSeen[id] = i;
        fn(id);
      }
    }
  }
}

void BuildPostings(CharTable& t) {
  // Counted first, then laid out word by word.
  const uint32_t n = static_cast<uint32_t>(t.codePoints.size());
  std::vector<uint32_t> lastSeen(t.words.size(), UINT32_MAX);
  std::vector<uint32_t> counts(t.words.size() + 1, 0);
  for (uint32_t i = 0; i < n; ++i) EachWordOnce(t, i, lastSeen, [&counts](uint32_t id) { ++counts[id + 1]; });
  for (size_t w = 1; w < counts.size(); ++w) counts[w] += counts[w - 1];
  t.postingAt = counts;
  t.postings.resize(counts.back());
  std::fill(lastSeen.begin(), lastSeen.end(), UINT32_MAX);
  // Characters in ascending order, so every word's list comes out ascending.
  for (uint32_t i = 0; i < n; ++i) {
    EachWordOnce(t, i, lastSeen,
                 [&t, &counts, i](uint32_t id) { t.postings[counts[id]++] = static_cast<uint16_t>(i); });
  }
}

}  // namespace

namespace {

// Every character's phrases as word ids; the read names, tokens and aliases are given back
// here, so that the postings can take their place in the heap.
void BuildPhrases(CharTable& t) {
  OtherPhrases other = FoldOtherPhrases(t);
  BuildWordList(t, other);
  // The other phrases' words as ids, their texts and the name words' given back at once.
  std::vector<uint32_t> otherIds(other.words.size());
  for (size_t k = 0; k < otherIds.size(); ++k) otherIds[k] = LowerWord(t, other.words[k]);
  std::vector<std::string>().swap(other.words);
  std::vector<uint32_t> nameIds(t.nameWordEnds.size());
  for (size_t k = 0; k < nameIds.size(); ++k) nameIds[k] = LowerWord(t, NameWord(t, k));
  std::string().swap(t.nameWordPool);
  std::vector<uint32_t>().swap(t.nameWordEnds);
  for (RuleRange& r : t.rules) {
    for (const std::string& w : FoldedWords(t, Utf8ToText(r.prefix))) r.words.push_back(LowerWord(t, w));
  }
  const uint32_t capitalId = LowerWord(t, "capital");
  std::vector<uint32_t> ids;
  bool capital = false;
  auto addName = [&](uint32_t name) {
    ids.clear();
    for (uint32_t k = t.nameStarts[name]; k < t.nameStarts[name + 1]; ++k) {
      ids.push_back(nameIds[t.tokens[k] >> 2] * 4 + (t.tokens[k] & 3));
      capital = capital || (ids.back() >> 2) == capitalId;
    }
    AddPhrase(t, ids.data(), ids.size());
  };
  const size_t n = t.codePoints.size();
  // Sized once: the table stays for the run, and grown arrays would leave their old copies
  // behind as holes in the heap.
  t.phraseAt.reserve(t.nameStarts.size() + other.counts.size());
  t.phraseAt.push_back(0);
  t.phraseWords.reserve(t.tokens.size() + otherIds.size());
  t.phraseStart.reserve(n + 1);
  t.capital.reserve(n);
  t.exactPhrases.reserve(n);
  t.phraseStart.push_back(0);
  size_t phrase = 0;
  size_t word = 0;
  uint32_t nextAlias = static_cast<uint32_t>(n);  // the aliases follow the n names
  for (size_t i = 0; i < n; ++i) {
    capital = false;
    addName(static_cast<uint32_t>(i));
    t.capital.push_back(capital ? 1 : 0);
    for (uint32_t a = 0; a < t.aliasCount[i]; ++a) addName(nextAlias++);
    t.exactPhrases.push_back(static_cast<uint8_t>(PhraseCount(t) - t.phraseStart.back() + other.entityFirst[i]));
    for (size_t p = 0; p < other.perCharacter[i]; ++p, ++phrase) {
      ids.clear();
      for (size_t k = 0; k < other.counts[phrase]; ++k) ids.push_back(otherIds[word++] * 4);
      AddPhrase(t, ids.data(), ids.size());
    }
    t.phraseStart.push_back(PhraseCount(t));
  }
  // The phrases hold all of this now.
  std::vector<uint32_t>().swap(t.tokens);
  std::vector<uint32_t>().swap(t.nameStarts);
}

}  // namespace

void BuildCharIndex(CharTable& t) {
  BuildPhrases(t);
  BuildPostings(t);
}

}  // namespace qp
