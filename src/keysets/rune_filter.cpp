#include "keysets/rune_filter.h"

#include <utility>

namespace qp {

bool RuneEnabled(const AppState& state, const RuneRow& rune) {
  const int32_t flags[6] = {state.Elder,      state.YoungerLB, state.YoungerST,
                            state.AngloSaxon, state.Medieval,  state.Loremark};
  for (int k = 0; k < 6; ++k) {
    if (flags[k] != 0 && rune.rows[k] != 0) return true;
  }
  return false;
}

Text RuneTitleSuffix(const AppState& state) {
  Text list;
  int count = 0;
  // The younger rows come first so that both of them read "Younger L-B/S-T".
  if (state.YoungerLB != 0) {
    list = u"Younger L-B";
    ++count;
  }
  if (state.YoungerST != 0) {
    list = list == u"Younger L-B" ? list + u"/S-T" : Text(u"Younger S-T");
    ++count;
  }
  if (state.Elder != 0) {
    list = list.empty() ? Text(u"Elder") : u"Elder, " + list;
    ++count;
  }
  const std::pair<int32_t, const char16_t*> rest[] = {
      {state.AngloSaxon, u"Anglo-Saxon"}, {state.Medieval, u"Medieval"}, {state.Loremark, u"Loremark"}};
  for (const auto& [flag, name] : rest) {
    if (flag == 0) continue;
    if (!list.empty()) list += u", ";
    list += name;
    ++count;
  }
  if (count == 6) return u" (All)";
  if (count == 0) return Text();
  return u" (" + list + u")";
}

}  // namespace qp
