#include "control/dispatch.h"

#include "base/app_state.h"
#include "base/edition.h"
#include "base/platform.h"
#include "control/program.h"
#include "keysets/key_face.h"
#include "find/find_window.h"
#include "output/delivery.h"
#include "output/target_list.h"
#include "settings/settings_store.h"
#include "output/user_window.h"
#include "shell/keyset_menu.h"
#include "shell/panel.h"
#include "shell/panel_geometry.h"
#include "shell/window_moves.h"

namespace qp {

namespace {

using T = ElementEventType;

WindowHooks g_hooks;

// The pop-up menu brings the panel to the front: the window in front before it is the one a
// later click types into.
void ShowPopupMenu() {
  NoteForegroundWindow();
  Plat().ShowPopupMenu();
}

void OpenSettings(int tab) {
  NoteForegroundWindow();
  if (CurrentEdition().hasSettingsWindow) {
    if (g_hooks.openSettings) g_hooks.openSettings(tab);
  } else if (g_hooks.showKeySetMenu) {
    g_hooks.showKeySetMenu();
  }
}

void CloseSettingsIfOpen() {
  if (g_hooks.settingsOpen && g_hooks.settingsOpen() && g_hooks.closeSettings) g_hooks.closeSettings();
}

// Hides the panel; the close element and a close request also save (the standard edition keeps no file).
void HidePanel(bool save) {
  if (save) SaveSettingsNow();
  ShowPanel(false);
  CloseSettingsIfOpen();
}

void Call(void (*fn)()) {
  if (fn) fn();
}

void KeyEvent(int n, T type) {
  switch (type) {
    case T::LeftClick:
      DeliverKey(n, Elements().Data(n));
      NoteTypedCharacter(Elements().Data(n));
      break;
    case T::MouseEnter:
      SetElementFace(n, kFaceHover);
      break;
    case T::MouseLeave:
      SetElementFace(n, kFaceNormal);
      break;
    case T::LeftButtonDown:
      SetElementFace(n, kFacePressed);
      break;
    default:
      break;
  }
}

void DragEvent(T type) {
  switch (type) {
    case T::LeftButtonDown:
      StartDrag();
      break;
    case T::LeftButtonUp:
      EndDrag();
      break;
    case T::MouseMove:
      FollowDrag();
      break;
    case T::RightClick:
      ShowPopupMenu();
      break;
    default:
      break;
  }
}

// Hover faces of the bar's buttons: drawn buttons take the hover state, image buttons their
// hover picture; leaving puts back the normal state or picture.
void HoverFace(int n, bool enter) {
  switch (n) {
    case kOnTopBox:
    case kDropButton:
    case kRefreshButton:
    case kMoreButton:
      SetElementFace(n, enter ? kFaceHover : kFaceNormal);
      break;
    case kHelpButton:
      SetElementFace(n, enter ? 9 : 8);
      break;
    case kSettingsButton:
      SetElementFace(n, enter ? 4 : 3);
      break;
    case kCloseButton:
      SetElementFace(n, enter ? 7 : SchemeFor(App().Dark != 0).closeImage);
      break;
    default:
      break;
  }
}

void BarClick(int n) {
  switch (n) {
    case kOnTopBox:
      ToggleOnTop();
      break;
    case kDropButton:
      Plat().TargetBoxDropDown();
      break;
    case kRefreshButton:
      RefreshTargetList();
      break;
    case kHelpButton:
      Call(g_hooks.openHelp);
      break;
    case kMoreButton:
      ToggleMoreBlock();
      break;
    case kSettingsButton:
      OpenSettings(-1);
      break;
    case kCloseButton:
      HidePanel(true);
      break;
    default:
      break;
  }
}

void ElementDispatch(const Event& e) {
  const int n = e.element;
  if (IsKeyElement(n)) {
    // A filtered-out rune ignores clicks and hover; a key freed with its set is gone.
    const Element* key = Elements().Find(n);
    if (key == nullptr || !key->enabled) return;
    return KeyEvent(n, e.type);
  }
  if (n == kTitleStrip || n == kBackPanel) return DragEvent(e.type);
  if (IsSettingsControl(n)) {
    if (g_hooks.settingsControl) g_hooks.settingsControl(n, e.type);
    return;
  }
  if (n == kHelpTopicList) {
    if (e.type == T::Change) Call(g_hooks.showHelpTopic);
    return;
  }
  if (e.type == T::MouseEnter || e.type == T::MouseLeave) return HoverFace(n, e.type == T::MouseEnter);
  if (e.type == T::LeftClick) BarClick(n);
}

void MenuDispatch(int item) {
  switch (item) {
    case kMenuToggleMore:
      ToggleMoreBlock();
      break;
    case kMenuShow:
      ShowPanel(true);
      break;
    case kMenuClose:
      HidePanel(false);
      break;
    case kMenuQuit:
      QuitProgram();
      break;
    case kMenuSettings:
      OpenSettings(-1);
      break;
    case kMenuSelectKeySet:
      OpenSettings(1);
      break;
    case kMenuOutputMode:
      if (CurrentEdition().hasSettingsWindow) OpenSettings(2);
      break;
    case kMenuGeneral:
      if (CurrentEdition().hasSettingsWindow) OpenSettings(0);
      break;
    case kMenuWebsite:
      OpenProductPage();
      break;
    case kMenuAbout:
      Call(g_hooks.showAbout);
      break;
    case kMenuHelp:
      Call(g_hooks.openHelp);
      break;
    case kMenuFind:
      Call(g_hooks.openFind);
      break;
    case kMenuDarkMode:
      if (!CurrentEdition().hasSettingsWindow) Call(g_hooks.toggleDarkMode);
      break;
    default:
      // The standard edition's key-set menu.
      if (!CurrentEdition().hasSettingsWindow && KeySetFromMenuItem(item) != 0) {
        ChooseKeySetFromMenu(KeySetFromMenuItem(item));
      }
      break;
  }
}

void CloseDispatch(int window) {
  if (window == kMainWindow) {
    HidePanel(true);
  } else if (window == kSettingsWindow) {
    Call(g_hooks.closeSettings);
  } else if (window == kHelpWindow) {
    Call(g_hooks.closeHelp);
  }
}

void TrayDispatch(int type) {
  if (type == kTrayLeftDown || type == kTrayLeftDouble) {
    NoteForegroundWindow();  // showing may bring the panel to the front
    ShowPanel(true);
  } else if (type == kTrayRightDown) {
    ShowPopupMenu();
  }
}

}  // namespace

WindowHooks& Hooks() { return g_hooks; }

void Dispatch(const Event& e) {
  switch (e.kind) {
    case EventKind::Element:
      ElementDispatch(e);
      break;
    case EventKind::Menu:
      MenuDispatch(e.item);
      break;
    case EventKind::Close:
      CloseDispatch(e.window);
      break;
    case EventKind::Move:
      // Moves made while dragging dock when the button is released instead.
      if (e.window == kMainWindow && App().Dragging == 0 && App().Dock != 0) ProximityDock();
      break;
    case EventKind::RightClick:
      ShowPopupMenu();
      break;
    case EventKind::Tray:
      TrayDispatch(e.trayType);
      break;
  }
}

}  // namespace qp
