// Windows entry point: the start-up sequence, in its fixed order, then the event loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "base/app_state.h"
#include "base/edition.h"
#include "base/instance_check.h"
#include "base/platform.h"
#include "control/startup.h"
#include "platform/delivery_win.h"
#include "platform/find_window_win.h"
#include "platform/dpi_win.h"
#include "platform/help_window_win.h"
#include "platform/keyset_menu_win.h"
#include "platform/panel_win.h"
#include "platform/settings_window_win.h"
#include "platform/text_win.h"
#include "platform/win_platform.h"
#include "settings/desktop_shortcut_win.h"
#include "settings/settings_fs_win.h"
#include "shell/window_moves.h"

#ifndef QP_EDITION_PRO
#error "QP_EDITION_PRO must be defined by the build"
#endif

namespace {

std::vector<qp::Text> ProgramParameters() {
  std::vector<qp::Text> params;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return params;
  for (int i = 1; i < argc; ++i) params.push_back(qpw::FromWide(argv[i]));
  LocalFree(argv);
  return params;
}

BOOL CALLBACK ProbeInstanceWindow(HWND hwnd, LPARAM) {
  if (GetParent(hwnd)) return TRUE;
  wchar_t title[256] = {};
  int n = GetWindowTextW(hwnd, title, 256);
  const qp::Text t = qpw::FromWide(title, static_cast<size_t>(n > 0 ? n : 0));
  if (qp::IsInstanceTitle(t, qp::CurrentEdition())) {
    qp::App().OtherInstanceFound = 1;
    return FALSE;
  }
  return TRUE;
}

void CheckOtherInstance() {
  EnumWindows(ProbeInstanceWindow, 0);
  const qp::Edition& ed = qp::CurrentEdition();
  if (!qp::ShouldAskAboutOtherInstance(qp::App(), ed)) return;
  qp::Text text = qp::InstanceQuestionText(ed);
  qp::Text caption = qp::InstanceQuestionCaption(ed);
  int answer = MessageBoxW(nullptr, qpw::W(text), qpw::W(caption), MB_YESNO | MB_ICONQUESTION);
  // Anything but Yes ends quietly: nothing saved, no window made.
  if (answer != IDYES) qpw::EndProgram();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  qp::SetCurrentEdition(QP_EDITION_PRO ? qp::EditionKind::Pro : qp::EditionKind::Standard);
  qpw::DeclareDpiAwareness();
  static qpw::WinPlatform platform;
  qp::SetPlatform(&platform);
  qpw::InstallKeySetMenu();
  qpw::InstallHelpWindow();
  qp::SetShortcutSystem(&qp::WindowsShortcutSystem());
  qpw::InstallFindWindow();
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  qp::LoadStartState(ProgramParameters(), qp::WindowsSettingsFs());
  CheckOtherInstance();
  qp::ReadTaskbarInfo();
  qpw::InstallSettingsWindow();
  qpw::WatchForegroundWindow();
  qpw::CreateMainWindow();
  qpw::RegisterFindHotkey();
  qp::FinishStartup();
  qpw::RunEventLoop();
}
