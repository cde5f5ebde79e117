#include "base/lower_case.h"

#include <algorithm>
#include <iterator>

#include "base/lower_case_table.h"

namespace qp {

char16_t LowerCaseUnit(char16_t c) {
  // Runs are sorted and disjoint: the only candidate is the last run starting at or before c.
  const LowerCaseRun* end = std::end(kLowerCaseRuns);
  const LowerCaseRun* next = std::upper_bound(std::begin(kLowerCaseRuns), end, c,
                                              [](char16_t v, const LowerCaseRun& r) { return v < r.first; });
  if (next == std::begin(kLowerCaseRuns)) return c;
  const LowerCaseRun& run = *(next - 1);
  if (c > run.last || (c - run.first) % run.stride != 0) return c;
  return static_cast<char16_t>(static_cast<int32_t>(c) + run.delta);
}

Text LowerCase(TextView t) {
  Text out(t);
  for (char16_t& c : out) c = LowerCaseUnit(c);
  return out;
}

}  // namespace qp
