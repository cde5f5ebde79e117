// The one event loop's dispatch: every event of every window goes through Dispatch.
#pragma once
#include "base/ids.h"
#include "shell/elements.h"

namespace qp {

enum class EventKind { Element, Menu, Close, Move, RightClick, Tray };

// Tray event types.
constexpr int kTrayLeftDown = 0;
constexpr int kTrayRightDown = 1;
constexpr int kTrayLeftDouble = 2;
constexpr int kTrayRightDouble = 3;

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
  // The Find window, opened or brought forward.
  void (*openFind)() = nullptr;
};
WindowHooks& Hooks();

}  // namespace qp
