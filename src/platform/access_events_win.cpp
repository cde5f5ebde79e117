// Telling assistive technology what changed in the panel's tree: a new order of children
// after a key-set change, a state or a name of one child otherwise. Hover and press faces
// change neither, so they announce nothing.
#include <windows.h>

#include <vector>

#include "access/access_tree.h"
#include "platform/accessible_win.h"
#include "platform/panel_win.h"
#include "shell/panel.h"

namespace qpw {

namespace {

struct Seen {
  int id;
  uint32_t states;
  qp::Text name;
};
bool g_clientAsked = false;  // changes are announced once someone has read the tree
std::vector<Seen> g_seen;

std::vector<Seen> Snapshot() {
  std::vector<Seen> out;
  for (int id : qp::AccessChildren(qp::Elements())) {
    if (auto node = qp::AccessNodeFor(id)) out.push_back({id, node->states, node->name});
  }
  return out;
}

void Notify(DWORD event, int id) {
  if (HWND main = MainWindow()) NotifyWinEvent(event, main, OBJID_CLIENT, id);
}

}  // namespace

void StartAnnouncing() {
  if (g_clientAsked) return;
  g_clientAsked = true;
  g_seen = Snapshot();
}

void AnnounceTreeChanges() {
  if (!g_clientAsked) return;
  std::vector<Seen> now = Snapshot();
  bool reordered = now.size() != g_seen.size();
  for (size_t i = 0; !reordered && i < now.size(); ++i) reordered = now[i].id != g_seen[i].id;
  if (reordered) {
    Notify(EVENT_OBJECT_REORDER, CHILDID_SELF);
  } else {
    for (size_t i = 0; i < now.size(); ++i) {
      if (now[i].states != g_seen[i].states) Notify(EVENT_OBJECT_STATECHANGE, now[i].id);
      if (now[i].name != g_seen[i].name) Notify(EVENT_OBJECT_NAMECHANGE, now[i].id);
    }
  }
  g_seen = std::move(now);
}

void AnnounceElementChange(int number) {
  if (!g_clientAsked) return;
  for (Seen& seen : g_seen) {
    if (seen.id != number) continue;
    auto node = qp::AccessNodeFor(number);
    if (!node) return;
    if (node->states != seen.states) Notify(EVENT_OBJECT_STATECHANGE, number);
    if (node->name != seen.name) Notify(EVENT_OBJECT_NAMECHANGE, number);
    seen.states = node->states;
    seen.name = node->name;
    return;
  }
}

}  // namespace qpw
