// The two editions built from one source: the texts and features that differ.
#pragma once
#include "base/text.h"

namespace qp {

enum class EditionKind { Pro, Standard };

struct Edition {
  EditionKind kind;
  const char16_t* productName;      // "Quillpad Pro" / "Quillpad"
  const char16_t* titlePrefix;      // main window caption before the set name
  const char16_t* instancePrefix;   // what marks a running copy of this edition
  const char16_t* trayPrefix;       // first line of the tray tooltip
  const char16_t* quitItem;         // last item of the pop-up menu
  const char16_t* aboutCaption;
  const char16_t* versionLine;
  const char16_t* productPage;      // opened by "Visit website"
  int keySetCount;                  // 21 or 15
  bool hasConfigFile;
  bool hasSettingsWindow;
  bool hasShortcut;
  bool hasOutputModes;
};

const Edition& ProEdition();
const Edition& StandardEdition();

// The edition of the running program; the Windows entry point chooses it once.
const Edition& CurrentEdition();
void SetCurrentEdition(EditionKind kind);

}  // namespace qp
