// The one event loop's dispatch: every event of every window goes through Dispatch.
#pragma once
#include "shell/elements.h"

namespace qp {

enum class EventKind { Element, Menu, Close, Move, RightClick, Tray };

// Tray event types.
constexpr int kTrayLeftDown = 0;
constexpr int kTrayRightDown = 1;
constexpr int kTrayLeftDouble = 2;
constexpr int kTrayRightDouble = 3;

// Pop-up menu items (and the shortcuts that stand for them).
constexpr int kMenuAbout = 0;
constexpr int kMenuQuit = 1;
constexpr int kMenuGeneral = 2;
constexpr int kMenuHelp = 3;
constexpr int kMenuClose = 4;
constexpr int kMenuSelectKeySet = 5;
constexpr int kMenuToggleMore = 6;  // Right arrow
constexpr int kMenuOutputMode = 7;
constexpr int kMenuSettings = 8;  // Ctrl+Up
constexpr int kMenuShow = 9;
constexpr int kMenuWebsite = 10;
constexpr int kMenuDarkMode = 11;  // standard edition only
constexpr int kMenuFind = 12;      // and the global hotkey
// Standard edition's key-set menu: item kKeySetMenuBase + n chooses set n.
constexpr int kKeySetMenuBase = 100;

struct Event {
  EventKind kind = EventKind::Element;
  int window = 0;   // 0 main, 1 settings, 2 help
  int element = 0;  // element events
  ElementEventType type = ElementEventType::LeftClick;
  int item = 0;      // menu events
  int trayType = 0;  // tray events
};

// Runs the action of the event's row; events that match no row are dropped.
void Dispatch(const Event& event);

// Hooks for the windows built on demand; each stays a no-op until its window exists.
struct WindowHooks {
  void (*openSettings)(int tab) = nullptr;
  void (*closeSettings)() = nullptr;
  bool (*settingsOpen)() = nullptr;
  void (*settingsControl)(int element, ElementEventType type) = nullptr;
  void (*openHelp)() = nullptr;
  void (*closeHelp)() = nullptr;
  void (*showHelpTopic)() = nullptr;
  void (*showAbout)() = nullptr;
  void (*showKeySetMenu)() = nullptr;
  void (*toggleDarkMode)() = nullptr;
  // The desktop shortcut, made when missing (the settings window closes with its box ticked).
  void (*createShortcut)() = nullptr;
  // The settings window's rune filter tab follows the key set: added when the runic set is
  // chosen, dropped when another set replaces it.
  void (*addRuneFilterPage)() = nullptr;
  void (*dropRuneFilterPage)() = nullptr;
  // The Find window, opened or brought forward.
  void (*openFind)() = nullptr;
};
WindowHooks& Hooks();

}  // namespace qp
