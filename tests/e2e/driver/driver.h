// Commands of the in-Wine test driver.
#pragma once
#include <windows.h>

#include <sstream>
#include <string>

#include "pointer_win.h"

namespace qpd {

std::wstring Widen(const std::string& s);
std::string Narrow(const std::wstring& w);
std::string HexUnits(const std::wstring& w);

// Runs one command line and returns the reply line.
std::string RunCommand(const std::string& line);
// The commands of window_commands.cpp: the reply, or empty for a command that is not one of them.
// The first top-level window whose title starts with prefix (and is visible, when asked); nullptr.
HWND TopWindowByPrefix(const std::wstring& prefix, bool visibleOnly = false);
std::string RunWindowCommand(const std::string& cmd, std::istringstream& in);
// The commands of soak_commands.cpp (another process's objects, message round trips): the
// reply, or empty for a command that is not one of them.
std::string RunSoakCommand(const std::string& cmd, std::istringstream& in);
// The commands of session_commands.cpp (the system's own events made to happen): the reply,
// or empty for a command that is not one of them.
std::string RunSessionCommand(const std::string& cmd, std::istringstream& in);
// True when the driver was started as a planted stand-in for another program (it then only
// leaves its mark beside itself).
bool RunAsPlantedProgram();
// The commands of access_commands.cpp (accessibility tree, high contrast), or empty.
std::string RunAccessCommand(const std::string& cmd, std::istringstream& in);
// The commands of delivery_commands.cpp (a held clipboard, owners, stacking, integrity levels):
// the reply, or empty for a command that is not one of them.
std::string RunDeliveryCommand(const std::string& cmd, std::istringstream& in);
// The commands of find_commands.cpp (the Find window, hotkeys, menu items by text).
std::string RunFindCommand(const std::string& cmd, std::istringstream& in);
// The commands of dpi_commands.cpp (display scaling), likewise.
std::string RunDpiCommand(const std::string& cmd, std::istringstream& in);

}  // namespace qpd
