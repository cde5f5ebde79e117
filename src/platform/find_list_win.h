// The Find window's two drawn children: the virtual result list and the detail pane. Neither
// takes the focus, so the query box keeps the keyboard while they are clicked.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "find/find_window.h"

namespace qpw {

// What both children show: the results of the current query and the list's view of them.
struct FindModel {
  std::vector<int32_t> results;
  qp::FindListView view;
  int32_t Selected() const {
    const int s = view.selected;
    return s >= 0 && static_cast<size_t>(s) < results.size() ? results[static_cast<size_t>(s)] : -1;
  }
};
FindModel& Model();

// Notifications the list sends its parent in WM_COMMAND (high word), with its id.
constexpr WORD kListSelectionChanged = 1;
constexpr WORD kListActivated = 2;  // double click on a row

bool RegisterFindChildClasses(HINSTANCE instance);
HWND CreateFindList(HWND parent, int id, const RECT& r);
HWND CreateFindDetail(HWND parent, int id, const RECT& r);

// After the model changed: scroll bar, accessible text ("12 results") and repaint.
void RefreshFindList(HWND list);
// A wheel delta or a scroll-bar request, handed over by whichever window got it.
void ScrollFindList(HWND list, int rows);
// The list's rows fitted again (after the window's size or fonts changed).
void FitFindList(HWND list);

}  // namespace qpw
