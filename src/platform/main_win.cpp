// Windows entry point: the start-up sequence, in its fixed order, then the event loop.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/dispatch.h"
#include "app/edition.h"
#include "app/instance_check.h"
#include "app/platform.h"
#include "app/program.h"
#include "app/standard_edition.h"
#include "output/target_list.h"
#include "platform/dpi_win.h"
#include "platform/help_window_win.h"
#include "platform/keyset_menu_win.h"
#include "platform/panel_win.h"
#include "platform/settings_window_win.h"
#include "platform/win_platform.h"
#include "settings/desktop_shortcut_win.h"
#include "settings/settings_fs_win.h"
#include "settings/settings_store.h"
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
  for (int i = 1; i < argc; ++i) params.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  LocalFree(argv);
  return params;
}

BOOL CALLBACK ProbeInstanceWindow(HWND hwnd, LPARAM) {
  if (GetParent(hwnd)) return TRUE;
  wchar_t title[256] = {};
  int n = GetWindowTextW(hwnd, title, 256);
  qp::Text t(reinterpret_cast<const char16_t*>(title), static_cast<size_t>(n > 0 ? n : 0));
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
  int answer = MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()),
                           reinterpret_cast<const wchar_t*>(caption.c_str()), MB_YESNO | MB_ICONQUESTION);
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
  qp::Hooks().createShortcut = qp::CreateDesktopShortcut;
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  qp::ResetApp();
  qp::AppState& app = qp::App();
  qp::ParseCommandLine(ProgramParameters(), app);
  qp::SettingsFs& fs = qp::WindowsSettingsFs();
  qp::SetSettingsFs(&fs);
  qp::LoadSettings(app, fs, qp::CurrentEdition());
  qp::ApplyEditionStartState(app, qp::CurrentEdition());
  CheckOtherInstance();
  qp::ReadTaskbarInfo();
  qpw::InstallSettingsWindow();
  qpw::CreateMainWindow();
  qp::RefreshTargetList();
  qp::ApplyTargetNameArg();
  if (qp::CurrentEdition().hasShortcut && app.ShortcutIcon != 0) qp::CreateDesktopShortcut();
  qpw::RunEventLoop();
}
