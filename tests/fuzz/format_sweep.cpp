// Every Unicode code point (and every surrogate and the values around the range)
// in every mode, checked as the fuzz target checks one. Values beyond are sampled
// across the whole 32-bit range.
#include <cstdint>
#include <cstdio>

#include "format_check.h"

int main() {
  long checked = 0;
  const auto all = [&](int32_t c) {
    for (int32_t mode = 0; mode <= 13; ++mode) qp::fuzz::CheckFormat(c, mode, {});
    qp::fuzz::CheckFormat(c, 2, u"&euro;");
    qp::fuzz::CheckPercentPrefix(c, u"%");
    ++checked;
  };
  for (int32_t c = 0; c <= 0x110100; ++c) all(c);
  for (int64_t c = INT32_MIN; c <= INT32_MAX; c += 65521) all(static_cast<int32_t>(c));
  for (int32_t c : {INT32_MIN, INT32_MIN + 1, -65536, -1, 0x7FFFFFFF, 0x7FFFFFFE}) all(c);
  std::printf("format sweep: %ld code points in 14 modes, all checks held\n", checked);
  return 0;
}
