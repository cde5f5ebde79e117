// The settings window on Windows: installs its window and the dispatch hooks that reach it.
#pragma once

namespace qpw {

// Called once at start-up, before the main window is built.
void InstallSettingsWindow();

}  // namespace qpw
