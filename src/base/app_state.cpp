#include "base/app_state.h"

namespace qp {

namespace {
AppState g_app;
}  // namespace

AppState& App() { return g_app; }

void ResetApp() { g_app = AppState(); }

int32_t* RuneRowFlag(AppState& state, int row) {
  switch (row) {
    case 0: return &state.Elder;
    case 1: return &state.YoungerLB;
    case 2: return &state.YoungerST;
    case 3: return &state.AngloSaxon;
    case 4: return &state.Medieval;
    case 5: return &state.Loremark;
    default: return nullptr;
  }
}

}  // namespace qp
