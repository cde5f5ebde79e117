// The character finder: unpacking the table and building its index (what the first Find of a
// run pays), the worst query (one letter that starts CJK: over 100,000 matches) and a
// typical one.
#include <benchmark/benchmark.h>

#include "find/char_table.h"
#include "find/find.h"

namespace {

void BM_FindLoadTable(benchmark::State& state) {
  for (auto _ : state) {
    qp::CharTable* table = qp::LoadFreshCharTable();
    benchmark::DoNotOptimize(table->ok);
    delete table;
  }
}
BENCHMARK(BM_FindLoadTable)->Unit(benchmark::kMillisecond);

void Query(benchmark::State& state, const char16_t* query) {
  qp::LoadCharacterTable();
  const qp::FindLists lists;
  for (auto _ : state) {
    std::vector<int32_t> found = qp::FindCharacters(query, lists, 200);
    benchmark::DoNotOptimize(found.data());
  }
}
void BM_FindOneLetter(benchmark::State& state) { Query(state, u"c"); }
BENCHMARK(BM_FindOneLetter)->Unit(benchmark::kMicrosecond);
void BM_FindTypical(benchmark::State& state) { Query(state, u"greek small alpha"); }
BENCHMARK(BM_FindTypical)->Unit(benchmark::kMicrosecond);

}  // namespace
