// FindCharacters: which characters a query's words match, and in what order.
//
// Every stored character's words are in one sorted list, so the words a query word starts
// are one range of ids; each id has the ascending list of characters holding it. A query
// word's characters go into a bitset, the bitsets are intersected, and the survivors are
// ranked. Names given by rule (ideographs, Hangul syllables) are matched range by range.
// The survivors come in code point order, so each rank keeps only its first `limit`.
#include <algorithm>

#include "find/find.h"
#include "find/find_query.h"

namespace qp {

namespace {

// Ranks, best first: the tier; then key sets' and the user's characters; then letter case
// as the query asks ("E acute" the capital, "e acute" the small letter); then, among words
// matched in order, how many words of that name the query left out (up to 3: "greek small
// alpha" is nearer GREEK SMALL LETTER ALPHA than ...ALPHA WITH TONOS).
enum Tier { kExactTier = 0, kInOrderTier = 1, kAnyOrderTier = 2 };
struct Match {
  Tier tier = kAnyOrderTier;
  uint32_t extra = 0;
};
constexpr int kRankCount = 3 * 2 * 4 * 2;

struct Search {
  Search(const CharTable& table, const std::vector<QueryWord>& w, const FindLists& l, size_t n)
      : t(table), words(w), lists(l), limit(n) {}
  const CharTable& t;
  const std::vector<QueryWord>& words;
  const FindLists& lists;
  size_t limit;
  bool wantCapital = false;
  std::vector<int32_t> ranks[kRankCount];

  // Key sets' characters, pinned and recent ones, ascending; Add is called in ascending
  // code point order, so one cursor walks it.
  std::vector<int32_t> favoured;
  size_t cursor = 0;

  void SetFavoured() {
    for (const auto& tip : t.tooltips) favoured.push_back(tip.first);
    favoured.insert(favoured.end(), lists.pinned.begin(), lists.pinned.end());
    favoured.insert(favoured.end(), lists.recent.begin(), lists.recent.end());
    std::sort(favoured.begin(), favoured.end());
  }
  bool Favoured(int32_t cp) {
    while (cursor < favoured.size() && favoured[cursor] < cp) ++cursor;
    return cursor < favoured.size() && favoured[cursor] == cp;
  }
  int Rank(Match m, bool favoured, bool capital) const {
    const uint32_t extra = m.tier == kInOrderTier ? std::min<uint32_t>(m.extra, 3) : 0;
    return ((m.tier * 2 + (favoured ? 0 : 1)) * 2 + (capital != wantCapital ? 1 : 0)) * 4 + static_cast<int>(extra);
  }
  void Add(int32_t cp, Match m, bool capital) {
    const int rank = Rank(m, Favoured(cp), capital);
    if (ranks[rank].size() < limit) ranks[rank].push_back(cp);
  }
  // Adds [first, last], all matching alike: once the rank of the characters not favoured is
  // full, only the favoured ones are visited.
  void AddRange(int32_t first, int32_t last, Match m) {
    const std::vector<int32_t>& plain = ranks[Rank(m, false, false)];
    int32_t cp = first;
    for (; cp <= last && plain.size() < limit; ++cp) Add(cp, m, false);
    while (cp <= last) {
      while (cursor < favoured.size() && favoured[cursor] < cp) ++cursor;
      if (cursor == favoured.size() || favoured[cursor] > last) return;
      cp = favoured[cursor];
      Add(cp++, m, false);
    }
  }
};

bool InRange(const QueryWord& w, uint32_t id) { return id >= w.lo && id < w.hi; }

Match StoredMatch(const Search& s, uint32_t index) {
  const CharTable& t = s.t;
  const uint32_t first = t.phraseStart[index];
  const uint32_t end = t.phraseStart[index + 1];
  const size_t m = s.words.size();
  for (uint32_t p = first; p < first + t.exactPhrases[index]; ++p) {
    const Span ph = Phrase(t, p);
    if (ph.end - ph.begin != m) continue;
    size_t k = 0;
    while (k < m && (t.phraseWords[ph.begin + k] >> 2) == s.words[k].exactId) ++k;
    if (k == m) return {kExactTier, 0};
  }
  Match best;
  for (uint32_t p = first; p < end; ++p) {
    size_t k = 0;
    const Span ph = Phrase(t, p);
    for (uint32_t at = ph.begin; at < ph.end && k < m; ++at) {
      if (InRange(s.words[k], t.phraseWords[at] >> 2)) ++k;
    }
    const uint32_t extra = ph.end - ph.begin - static_cast<uint32_t>(m);
    if (k == m && (best.tier != kInOrderTier || extra < best.extra)) best = {kInOrderTier, extra};
  }
  return best;
}

// Characters holding a word that starts with w, into bits.
void Collect(const CharTable& t, const QueryWord& w, std::vector<uint32_t>& bits) {
  std::fill(bits.begin(), bits.end(), 0u);
  for (uint32_t id = w.lo; id < w.hi; ++id) {
    for (uint32_t at = t.postingAt[id]; at < t.postingAt[id + 1]; ++at) {
      bits[t.postings[at] >> 5] |= 1u << (t.postings[at] & 31);
    }
  }
}

// The changing last word of a rule-given name as it folds, written into `hex`: the code point
// in hex, or the Hangul syllable.
std::string_view VariableWord(const CharTable& t, const RuleRange& r, int32_t cp, char (&hex)[8]) {
  if (r.kind == RuleKind::Hangul) return HangulSyllableWord(t, cp, hex);
  static const char kHex[] = "0123456789abcdef";
  int digits = 4;
  while (digits < 6 && (cp >> (4 * digits)) != 0) ++digits;
  for (int d = 0; d < digits; ++d) hex[d] = kHex[(cp >> (4 * (digits - 1 - d))) & 15];
  return std::string_view(hex, static_cast<size_t>(digits));
}

bool Starts(std::string_view word, const std::string& prefix) {
  return word.size() >= prefix.size() && word.compare(0, prefix.size(), prefix) == 0;
}

// Code points [first, last] whose hex form (four digits at least) starts with `hex`: one
// interval per length of that form, ascending.
std::vector<std::pair<int32_t, int32_t>> HexSpans(const std::string& hex, int32_t first, int32_t last) {
  std::vector<std::pair<int32_t, int32_t>> out;
  if (hex.size() > 6) return out;  // longer than any code point
  int64_t value = 0;
  for (char c : hex) value = value * 16 + (c <= '9' ? c - '0' : c - 'a' + 10);
  for (int digits = 4; digits <= 6; ++digits) {
    const int rest = digits - static_cast<int>(hex.size());
    if (rest < 0) continue;
    int64_t lo = value << (4 * rest);
    int64_t hi = ((value + 1) << (4 * rest)) - 1;
    lo = std::max<int64_t>({lo, digits == 4 ? 0 : int64_t{1} << (4 * (digits - 1)), first});
    hi = std::min<int64_t>({hi, (int64_t{1} << (4 * digits)) - 1, last});
    if (lo <= hi) out.emplace_back(static_cast<int32_t>(lo), static_cast<int32_t>(hi));
  }
  return out;
}

// One rule range: its fixed words, then the changing one. Query words that match no fixed
// word must start the changing one; for a hex one that narrows the code points at once.
void MatchRule(Search& s, const RuleRange& r) {
  const size_t m = s.words.size();
  const size_t fixed = r.words.size();
  std::vector<bool> inFixed(m, false);
  const std::string* narrowing = nullptr;
  bool needVariable = m == fixed + 1;
  for (size_t i = 0; i < m; ++i) {
    const QueryWord& w = s.words[i];
    for (uint32_t id : r.words) inFixed[i] = inFixed[i] || InRange(w, id);
    if (!inFixed[i] && !(r.kind == RuleKind::Hangul ? w.letters : w.hex)) return;
    if (!inFixed[i] && !narrowing) narrowing = &w.text;
    needVariable = needVariable || !inFixed[i] || (r.kind == RuleKind::Hangul ? w.letters : w.hex);
  }
  std::vector<std::pair<int32_t, int32_t>> spans{{r.first, r.last}};
  if (narrowing && r.kind == RuleKind::PrefixHex) spans = HexSpans(*narrowing, r.first, r.last);
  size_t k = 0;  // query words the fixed words match in order
  for (size_t i = 0; i < fixed && k < m; ++i) {
    if (InRange(s.words[k], r.words[i])) ++k;
  }
  const bool allFixed = std::find(inFixed.begin(), inFixed.end(), false) == inFixed.end();
  if (!needVariable || (allFixed && m != fixed + 1 && k == m)) {
    // The changing word cannot change the match: every code point matches as the fixed words do.
    const uint32_t extra = static_cast<uint32_t>(fixed + 1 - std::min(m, fixed + 1));
    s.AddRange(r.first, r.last, k == m ? Match{kInOrderTier, extra} : Match{});
    return;
  }
  char hex[8];
  for (const auto& span : spans) {
    for (int32_t cp = span.first; cp <= span.second; ++cp) {
      const std::string_view variable = needVariable ? VariableWord(s.t, r, cp, hex) : std::string_view();
      bool all = true;
      bool exact = m == fixed + 1;
      for (size_t i = 0; i < m && all; ++i) {
        const QueryWord& w = s.words[i];
        all = inFixed[i] || Starts(variable, w.text);
        exact = exact && (i < fixed ? r.words[i] == w.exactId : variable == w.text);
      }
      if (!all) continue;
      size_t k = 0;
      for (size_t i = 0; i <= fixed && k < m; ++i) {
        if (i < fixed ? InRange(s.words[k], r.words[i]) : Starts(variable, s.words[k].text)) ++k;
      }
      const uint32_t extra = static_cast<uint32_t>(fixed + 1 - std::min(m, fixed + 1));
      s.Add(cp, exact ? Match{kExactTier, 0} : (k == m ? Match{kInOrderTier, extra} : Match{}), false);
    }
  }
}

void BlankQuery(const FindLists& lists, size_t limit, std::vector<int32_t>& out) {
  for (const auto* list : {&lists.pinned, &lists.recent}) {
    for (int32_t cp : *list) {
      if (out.size() >= limit) return;
      if (std::find(out.begin(), out.end(), cp) == out.end()) out.push_back(cp);
    }
  }
}

}  // namespace

std::vector<int32_t> FindCharacters(const Text& query, const FindLists& lists, size_t limit) {
  std::vector<int32_t> out;
  const TextView q = TrimBlanks(query);
  if (limit == 0) return out;
  if (q.empty()) {
    BlankQuery(lists, limit, out);
    return out;
  }
  const CharTable& t = Table();
  if (!t.ok) return out;
  const QueryForm form = ReadQueryForm(t, q);
  if (form.codePoint >= 0) out.push_back(form.codePoint);
  std::vector<QueryWord> words;
  if (form.only || !ReadQueryWords(t, q, words)) return out;

  Search s(t, words, lists, limit);
  for (const QueryWord& w : words) s.wantCapital = s.wantCapital || w.upperLetter;
  s.SetFavoured();
  std::vector<uint32_t> bits((t.codePoints.size() + 31) / 32);
  std::vector<uint32_t> more(bits.size());
  for (size_t k = 0; k < words.size(); ++k) {
    Collect(t, words[k], k == 0 ? bits : more);
    if (k > 0) {
      for (size_t i = 0; i < bits.size(); ++i) bits[i] &= more[i];
    }
  }
  size_t nextRule = 0;
  for (size_t block = 0; block < bits.size(); ++block) {
    for (uint32_t b = bits[block]; b != 0; b &= b - 1) {
      const uint32_t index = static_cast<uint32_t>(block * 32 + __builtin_ctz(b));
      const int32_t cp = t.codePoints[index];
      while (nextRule < t.rules.size() && t.rules[nextRule].first < cp) MatchRule(s, t.rules[nextRule++]);
      s.Add(cp, StoredMatch(s, index), t.capital[index] != 0);
    }
  }
  while (nextRule < t.rules.size()) MatchRule(s, t.rules[nextRule++]);
  for (const auto& rank : s.ranks) {
    for (int32_t cp : rank) {
      if (out.size() >= limit) return out;
      if (cp != form.codePoint) out.push_back(cp);
    }
  }
  return out;
}

}  // namespace qp
