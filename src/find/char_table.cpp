#include "find/char_table.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "base/edition.h"
#include "find/char_data.h"
#include "keysets/catalogue.h"

namespace qp {

namespace {

// Reads the generator's numbers and texts; any overrun sets `bad` and reads zeros from then on.
class Reader {
 public:
  Reader(const unsigned char* data, size_t size) : data_(data), size_(size) {}
  bool bad() const { return bad_; }
  bool done() const { return at_ == size_; }
  size_t Left() const { return size_ - at_; }

  uint32_t Num() {
    uint32_t value = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      if (at_ >= size_) break;
      const unsigned char byte = data_[at_++];
      value |= static_cast<uint32_t>(byte & 0x7F) << shift;
      if (!(byte & 0x80)) return value;
    }
    bad_ = true;
    at_ = size_;
    return 0;
  }
  // A count of things each taking at least one byte: more than the bytes left is damage.
  uint32_t Count() {
    const uint32_t n = Num();
    if (n > size_ - at_) Fail();
    return bad_ ? 0 : n;
  }
  std::string_view Str() {
    const uint32_t n = Count();
    if (bad_) return {};
    std::string_view s(reinterpret_cast<const char*>(data_) + at_, n);
    at_ += n;
    return s;
  }
  bool Magic(const char* magic) {
    const size_t n = std::strlen(magic);
    if (size_ < n || std::memcmp(data_, magic, n) != 0) return Fail();
    at_ = n;
    return true;
  }
  bool Fail() {
    bad_ = true;
    at_ = size_;
    return false;
  }

 private:
  const unsigned char* data_;
  size_t size_;
  size_t at_ = 0;
  bool bad_ = false;
};

constexpr uint32_t kMaxCodePoint = 0x10FFFF;

void ReadHead(Reader& in, CharTable& t) {
  const uint32_t wordCount = in.Count();
  t.nameWordEnds.reserve(wordCount);
  std::string previous;
  for (uint32_t i = 0; i < wordCount && !in.bad(); ++i) {
    const uint32_t shared = in.Num();
    if (shared > previous.size()) in.Fail();
    previous.resize(std::min<size_t>(shared, previous.size()));
    previous += in.Str();
    for (char c : previous) t.nameWordPool.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    t.nameWordEnds.push_back(static_cast<uint32_t>(t.nameWordPool.size()));
  }
  const uint32_t blockCount = in.Count();
  for (uint32_t i = 0; i < blockCount && !in.bad(); ++i) {
    BlockRange b;
    b.first = static_cast<int32_t>(in.Num());
    b.last = static_cast<int32_t>(in.Num());
    b.name = std::string(in.Str());
    t.blocks.push_back(std::move(b));
  }
  const uint32_t ruleCount = in.Count();
  for (uint32_t i = 0; i < ruleCount && !in.bad(); ++i) {
    RuleRange r;
    r.first = static_cast<int32_t>(in.Num());
    r.last = static_cast<int32_t>(in.Num());
    r.kind = in.Num() == 1 ? RuleKind::Hangul : RuleKind::PrefixHex;
    r.prefix = std::string(in.Str());
    t.rules.push_back(std::move(r));
  }
  const size_t jamoCounts[3] = {19, 21, 28};
  for (int part = 0; part < 3; ++part) {
    for (size_t i = 0; i < jamoCounts[part]; ++i) t.jamo[part].emplace_back(in.Str());
  }
  const uint32_t capCount = in.Count();
  for (uint32_t i = 0; i < capCount && !in.bad(); ++i) t.capitalised.emplace_back(in.Str());
  const uint32_t foldCount = in.Count();
  int32_t cp = 0;
  for (uint32_t i = 0; i < foldCount && !in.bad(); ++i) {
    cp += static_cast<int32_t>(in.Num());
    t.folds.emplace_back(cp, std::string(in.Str()));
  }
}

void ReadName(Reader& in, CharTable& t) {
  t.nameStarts.push_back(static_cast<uint32_t>(t.tokens.size()));
  const uint32_t count = in.Count();
  for (uint32_t i = 0; i < count && !in.bad(); ++i) {
    const uint32_t token = in.Num();
    if (token / 4 >= t.nameWordEnds.size()) in.Fail();
    t.tokens.push_back(token);
  }
}

Span PoolAppend(CharTable& t, std::string_view text) {
  Span s{static_cast<uint32_t>(t.textPool.size()), 0};
  t.textPool += text;
  s.end = static_cast<uint32_t>(t.textPool.size());
  return s;
}

void ReadCharacters(Reader& in, CharTable& t) {
  const uint32_t count = in.Count();
  // Sized once where the count is known; the arrays that only live until the index is built
  // are given room for the rest of the data at once (each token takes a byte at least).
  t.codePoints.reserve(count);
  t.nameStarts.reserve(count + count / 4);
  t.aliasCount.reserve(count);
  t.tokens.reserve(in.Left());
  t.keywordStart.reserve(count + 1);
  t.entityStart.reserve(count + 1);
  uint32_t cp = 0;
  for (uint32_t i = 0; i < count && !in.bad(); ++i) {
    const uint32_t delta = in.Num();
    if ((i > 0 && delta == 0) || delta > kMaxCodePoint - cp) in.Fail();
    cp += delta;
    t.codePoints.push_back(static_cast<int32_t>(cp));
  }
  const size_t n = t.codePoints.size();
  for (size_t i = 0; i < n && !in.bad(); ++i) ReadName(in, t);
  for (size_t i = 0; i < n && !in.bad(); ++i) {
    const uint32_t aliasCount = in.Count();
    if (aliasCount > UINT8_MAX) in.Fail();
    for (uint32_t a = 0; a < aliasCount && !in.bad(); ++a) ReadName(in, t);
    t.aliasCount.push_back(static_cast<uint8_t>(aliasCount));
  }
  t.nameStarts.push_back(static_cast<uint32_t>(t.tokens.size()));
  t.keywordStart.push_back(0);
  for (size_t i = 0; i < n && !in.bad(); ++i) {
    const uint32_t keywordCount = in.Count();
    for (uint32_t k = 0; k < keywordCount && !in.bad(); ++k) t.keywordText.push_back(PoolAppend(t, in.Str()));
    t.keywordStart.push_back(static_cast<uint32_t>(t.keywordText.size()));
  }
  t.entityStart.push_back(static_cast<uint32_t>(t.textPool.size()));
  for (size_t i = 0; i < n && !in.bad(); ++i) t.entityStart.push_back(PoolAppend(t, in.Str()).end);
}

bool Unpack(std::vector<unsigned char>& out) {
  out.resize(kCharDataSize);
  uLongf size = static_cast<uLongf>(kCharDataSize);
  const int rc = uncompress(out.data(), &size, kCharDataPacked, static_cast<uLong>(kCharDataPackedSize));
  return rc == Z_OK && size == kCharDataSize;
}

// The key sets of the running edition, with their tooltips as that edition words them.
void ReadTooltips(CharTable& t) {
  const bool standard = CurrentEdition().kind == EditionKind::Standard;
  auto add = [&t, standard](int set, KeySetTable table) {
    for (int p = 1; p <= table.positions; ++p) {
      const KeyRecord& r = table.records[p];
      const char16_t* tip = standard && set > 0 ? StandardTooltip(set, p) : r.tooltip;
      if (r.codePoint > 0 && tip && tip[0]) t.tooltips.emplace_back(r.codePoint, tip);
    }
  };
  for (int n = 1; n <= CurrentEdition().keySetCount; ++n) {
    const int set = standard ? StandardToFullerSet(n) : n;
    add(set, KeySetRecords(set));
  }
  add(0, MoreBlockRecords());
  // The first set that carries a character gives its tooltip.
  std::stable_sort(t.tooltips.begin(), t.tooltips.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  t.tooltips.erase(std::unique(t.tooltips.begin(), t.tooltips.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }),
                   t.tooltips.end());
}

// The table stays for the run: give back what growing the vectors left over.
void ShrinkToFit(CharTable& t) {
  t.textPool.shrink_to_fit();
  t.keywordText.shrink_to_fit();
  t.codePoints.shrink_to_fit();
  t.wordPool.shrink_to_fit();
  t.words.shrink_to_fit();
  t.phraseWords.shrink_to_fit();
  t.phraseAt.shrink_to_fit();
  t.keywordStart.shrink_to_fit();
  t.entityStart.shrink_to_fit();
  t.phraseStart.shrink_to_fit();
  t.aliasCount.shrink_to_fit();
  t.exactPhrases.shrink_to_fit();
  t.capital.shrink_to_fit();
}

// The unpacked bytes are given back before the index is built, which reuses their room.
bool Read(CharTable& t) {
  std::vector<unsigned char> bytes;
  if (!Unpack(bytes)) return false;
  Reader in(bytes.data(), bytes.size());
  if (!in.Magic("QPCHARS1")) return false;
  ReadHead(in, t);
  ReadCharacters(in, t);
  return !in.bad() && in.done() && t.codePoints.size() <= kMaxStoredCharacters;
}

CharTable* Load() {
  auto* t = new CharTable();  // lives for the run, like the data it unpacks
  if (!Read(*t)) {
    *t = CharTable();
    return t;
  }
  ReadTooltips(*t);
  BuildCharIndex(*t);
  if (t->words.size() > kMaxWords) {
    *t = CharTable();
    return t;
  }
  ShrinkToFit(*t);
  t->ok = true;
  return t;
}

}  // namespace

CharTable* LoadFreshCharTable() { return Load(); }

const CharTable& Table() {
  static const CharTable* table = Load();
  return *table;
}

bool LoadCharacterTable() { return Table().ok; }

int32_t StoredIndex(const CharTable& t, int32_t codePoint) {
  auto it = std::lower_bound(t.codePoints.begin(), t.codePoints.end(), codePoint);
  if (it == t.codePoints.end() || *it != codePoint) return -1;
  return static_cast<int32_t>(it - t.codePoints.begin());
}

const RuleRange* RuleFor(const CharTable& t, int32_t codePoint) {
  auto it = std::upper_bound(t.rules.begin(), t.rules.end(), codePoint,
                             [](int32_t cp, const RuleRange& r) { return cp < r.first; });
  if (it == t.rules.begin()) return nullptr;
  --it;
  return codePoint <= it->last ? &*it : nullptr;
}

std::string_view WordText(const CharTable& t, uint32_t id) {
  return std::string_view(t.wordPool).substr(t.words[id].begin, t.words[id].end - t.words[id].begin);
}

std::string_view PoolText(const CharTable& t, Span s) {
  return std::string_view(t.textPool).substr(s.begin, s.end - s.begin);
}

std::string_view EntityText(const CharTable& t, size_t i) {
  return PoolText(t, {t.entityStart[i], t.entityStart[i + 1]});
}

uint32_t LowerWord(const CharTable& t, std::string_view word) {
  uint32_t lo = 0;
  uint32_t hi = static_cast<uint32_t>(t.words.size());
  while (lo < hi) {
    const uint32_t mid = lo + (hi - lo) / 2;
    if (WordText(t, mid) < word) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

}  // namespace qp
