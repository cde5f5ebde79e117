// The largest key set, Polytonic Greek (342 positions, 313 keys): where its keys go, and
// building it into the panel's element table on a fake platform, whose pauses return at once.
#include <benchmark/benchmark.h>

#include "../unit/fake_platform.h"
#include "base/app_state.h"
#include "base/edition.h"
#include "keysets/layout.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"

namespace {

void BM_KeyRectsOfPolytonicGreek(benchmark::State& state) {
  const int positions = qp::LayoutPositionCount(qp::kPolytonicSet);
  for (auto _ : state) {
    int placed = 0;
    for (int i = 1; i <= positions; ++i) {
      auto r = qp::KeyRectFor(qp::kPolytonicSet, i);
      benchmark::DoNotOptimize(r);
      placed += r ? 1 : 0;
    }
    benchmark::DoNotOptimize(placed);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * positions);
}
BENCHMARK(BM_KeyRectsOfPolytonicGreek);

// The panel as the main window leaves it before its first key set, showing `set`.
class FakePanel {
 public:
  explicit FakePanel(int set) : scope_(fake_) {
    qp::ResetApp();
    qp::SetCurrentEdition(qp::EditionKind::Pro);
    qp::AppState& a = qp::App();
    a.PanelWidth = qp::kWidePanelWidth;
    a.PanelHeight = qp::kStartPanelHeight;
    a.KeyAreaHeight = qp::kStartKeyAreaHeight;
    a.KeySize = qp::kKeySize;
    a.KeySet = set;
    a.OutStyle = 1;
    a.ScreenWidth = 1920;
    a.ScreenHeight = 1080;
    a.Elder = a.YoungerLB = a.YoungerST = a.AngloSaxon = a.Medieval = a.Loremark = 1;
    fake_.mainWindowRect = fake_.mainClientRect = qp::Rect{1000, 800, 502, 143};
    qp::CreatePanelElements();
  }
  // The fake logs every call; emptied between rounds so that the log does not grow.
  void ForgetCalls() {
    fake_.calls.clear();
    fake_.sleeps.clear();
    fake_.redrawnElements.clear();
  }

 private:
  qp::FakePlatform fake_;
  qp::FakePlatformScope scope_;
};

// LoadKeyPanel: colours, bar faces, the more block's 57 keys and the set's keys.
void BM_LoadKeyPanel(benchmark::State& state) {
  FakePanel panel(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    qp::LoadKeyPanel();
    panel.ForgetCalls();
  }
}
BENCHMARK(BM_LoadKeyPanel)->ArgName("set")->Arg(1)->Arg(qp::kPolytonicSet)->Arg(qp::kPhoneticSet);

// What choosing a set does to the table: the old keys freed, the set's keys made.
void BM_ClearAndLoadKeySet(benchmark::State& state) {
  FakePanel panel(static_cast<int>(state.range(0)));
  qp::LoadKeyPanel();
  for (auto _ : state) {
    qp::ClearKeySet();
    qp::LoadCurrentKeySet();
    panel.ForgetCalls();
  }
}
BENCHMARK(BM_ClearAndLoadKeySet)->ArgName("set")->Arg(1)->Arg(qp::kPolytonicSet)->Arg(qp::kPhoneticSet);

}  // namespace
