// FormatForOutput, the text of one click, in every output mode.
#include <benchmark/benchmark.h>

#include "output/format.h"

namespace {

// A Latin letter with an entity name, and an emoticon beyond the basic plane (surrogate pair,
// four UTF-8 bytes): the short and the long road through each mode.
void BM_FormatForOutput(benchmark::State& state) {
  const int32_t mode = static_cast<int32_t>(state.range(0));
  const int32_t codePoint = static_cast<int32_t>(state.range(1));
  const qp::Text entity = codePoint == 0xE9 ? qp::Text(u"&eacute;") : qp::Text();
  for (auto _ : state) {
    qp::Text text = qp::FormatForOutput(codePoint, mode, entity);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatForOutput)
    ->ArgNames({"mode", "cp"})
    ->ArgsProduct({benchmark::CreateDenseRange(1, 12, 1), {0xE9, 0x1F600}});

}  // namespace
