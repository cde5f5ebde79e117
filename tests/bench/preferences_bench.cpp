// The configuration file's text format: reading the settings out of a file as the program
// writes it, and writing them back.
#include <benchmark/benchmark.h>

#include <string>

#include "settings/preferences_file.h"

namespace {

// The keys the program keeps, in the order it writes them.
const char* const kKeys[] = {"KeySet",   "OutStyle",    "ConfPanel",  "Dark",       "Dock",          "AlwaysOnTop",
                             "NamedTarget", "StartNoShow", "ShortcutIcon", "AllowMultiRun", "Elder",  "YoungerLB",
                             "YoungerST", "AngloSaxon",  "Medieval",   "Loremark",   "RuneOrder",     "WinPosLeft",
                             "WinPosTop"};

std::string SavedFile() {
  std::string s = "\xEF\xBB\xBF\r\n[Config]\r\n";
  int value = 1;
  for (const char* key : kKeys) s += std::string(key) + " = " + std::to_string(value++ * 37 % 700) + "\r\n";
  return s;
}

void BM_PreferencesRead(benchmark::State& state) {
  const std::string bytes = SavedFile();
  for (auto _ : state) {
    qp::PreferencesFile file = qp::PreferencesFile::Open(bytes);
    file.SelectGroup("Config");
    int32_t sum = 0;
    for (const char* key : kKeys) sum += file.ReadInt(key, 0);
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PreferencesRead);

// What saving does: the file as read, every key written, the whole text made again.
void BM_PreferencesWrite(benchmark::State& state) {
  const std::string bytes = SavedFile();
  for (auto _ : state) {
    qp::PreferencesFile file = qp::PreferencesFile::Open(bytes);
    file.SelectGroup("Config");
    int32_t value = 2;
    for (const char* key : kKeys) file.WriteInt(key, value++);
    std::string out = file.Serialize();
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_PreferencesWrite);

// A first run: no file, every key added to a new one.
void BM_PreferencesCreate(benchmark::State& state) {
  for (auto _ : state) {
    qp::PreferencesFile file = qp::PreferencesFile::Create();
    file.SelectGroup("Config");
    int32_t value = 2;
    for (const char* key : kKeys) file.WriteInt(key, value++);
    std::string out = file.Serialize();
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_PreferencesCreate);

}  // namespace
