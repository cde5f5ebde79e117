// Commands of the in-Wine test driver.
#pragma once
#include <windows.h>

#include <string>

namespace qpd {

std::wstring Widen(const std::string& s);
std::string Narrow(const std::wstring& w);
std::string HexUnits(const std::wstring& w);

// Runs one command line and returns the reply line.
std::string RunCommand(const std::string& line);

}  // namespace qpd
