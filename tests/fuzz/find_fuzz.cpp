// The character finder's query and list readers. Input: UTF-16LE text used as a query and as
// a configuration value of code points; the first byte also picks the result limit and the
// recent list.
#include <algorithm>
#include <cstdint>

#include "find/find.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qp::Text text;
  for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  const size_t limit = size > 0 ? data[0] % 64 : 10;

  qp::FindLists lists;
  lists.recent = qp::CodePointListFromText(text, qp::kMaxRecent);
  QP_FUZZ_CHECK(lists.recent.size() <= qp::kMaxRecent);
  // What was read writes back and reads again as the same list.
  QP_FUZZ_CHECK(qp::CodePointListFromText(qp::CodePointListToText(lists.recent), qp::kMaxRecent) == lists.recent);
  for (size_t i = 0; i < text.size() && i < 40; ++i) qp::TogglePin(lists, static_cast<int32_t>(text[i]) * 7);
  QP_FUZZ_CHECK(lists.pinned.size() <= qp::kMaxPinned);

  const std::vector<int32_t> found = qp::FindCharacters(text, lists, limit);
  QP_FUZZ_CHECK(found.size() <= limit);
  std::vector<int32_t> sorted = found;
  std::sort(sorted.begin(), sorted.end());
  QP_FUZZ_CHECK(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
  // Every result has details, except the user's own lists shown for a blank query.
  for (int32_t cp : found) {
    qp::CharDetails d;
    const bool listed = std::count(lists.pinned.begin(), lists.pinned.end(), cp) +
                        std::count(lists.recent.begin(), lists.recent.end(), cp) > 0;
    QP_FUZZ_CHECK(qp::DescribeCharacter(cp, d) || listed);
  }
  return 0;
}
