// The program's numbers in one place: windows, pop-up menu items and the elements of every
// window. Any file may include this; nothing here depends on anything else.
#pragma once

namespace qp {

// ---- windows ----------------------------------------------------------------------------
constexpr int kMainWindow = 0;
constexpr int kSettingsWindow = 1;
constexpr int kHelpWindow = 2;

// ---- pop-up menu items (and the shortcuts that stand for them) ----------------------------
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

// ---- elements: numbers 1..1070; 0 stands for the window as the parent of top-level ones ------
constexpr int kMaxElementNumber = 1070;

// Keys: a set's position p is element p; the more block's position p is kMoreKeyBase + p.
constexpr int kFirstSetKey = 1;
constexpr int kLastSetKey = 342;
constexpr int kMoreKeyBase = 400;
constexpr int kFirstMoreKey = 401;
constexpr int kLastMoreKey = 457;

// The panel's fixed elements.
constexpr int kCloseButton = 1000;
constexpr int kDropButton = 1001;
constexpr int kHelpButton = 1002;
constexpr int kSettingsButton = 1003;
constexpr int kTitleStrip = 1004;
constexpr int kBackPanel = 1005;
constexpr int kTargetFrame = 1006;
constexpr int kMoreBlock = 1007;
constexpr int kOnTopBox = 1008;
constexpr int kTargetBox = 1022;
constexpr int kTypeInLabel = 1023;
constexpr int kRefreshButton = 1030;
constexpr int kMoreButton = 1032;

// Labels some key sets add: the phonetic set's one and the Ogham set's five group labels.
constexpr int kPhoneticLabel = 1024;
constexpr int kOghamFirstLabel = 1025;
constexpr int kOghamLabelCount = 5;
constexpr int kFirstLabel = kPhoneticLabel;
constexpr int kLastLabel = kOghamFirstLabel + kOghamLabelCount - 1;  // 1029

// The settings window's controls.
constexpr int kOnTopCheck = 1009;
constexpr int kShortcutCheck = 1010;
constexpr int kDarkCheck = 1011;
constexpr int kDockCheck = 1012;
constexpr int kMultiRunCheck = 1013;
constexpr int kStartHiddenCheck = 1014;
constexpr int kNamedTargetCheck = 1015;
constexpr int kFirstRuneRowCheck = 1016;  // 1016..1021: Elder .. Loremark
constexpr int kLastRuneRowCheck = 1021;
constexpr int kDoneButton = 1031;
constexpr int kUnicodeOrderOption = 1033;
constexpr int kTransliterationOrderOption = 1034;
constexpr int kKeySetOptionBase = 1034;  // + key set 1..21
constexpr int kOutputOptionBase = 1055;  // + output mode 1..12
constexpr int kSettingsTabs = 1068;

// The help window's controls.
constexpr int kHelpTopicList = 1069;  // tree view of topics
constexpr int kHelpPageView = 1070;   // the page (HTML view, or its plain-text stand-in)

// ---- what kind of element a number is ------------------------------------------------------
constexpr bool IsSetKey(int n) { return n >= kFirstSetKey && n <= kLastSetKey; }
constexpr bool IsMoreKey(int n) { return n >= kFirstMoreKey && n <= kLastMoreKey; }
constexpr bool IsKeyElement(int n) { return IsSetKey(n) || IsMoreKey(n); }
constexpr bool IsLabelElement(int n) { return n >= kFirstLabel && n <= kLastLabel; }
constexpr bool IsOghamLabel(int n) { return n >= kOghamFirstLabel && n <= kLastLabel; }
// The settings window's controls; the panel's own elements 1022, 1023, 1030 and 1032 sit
// between them.
constexpr bool IsSettingsControl(int n) {
  return (n >= kOnTopCheck && n <= kLastRuneRowCheck) || n == kDoneButton ||
         (n >= kUnicodeOrderOption && n <= kSettingsTabs);
}

}  // namespace qp
