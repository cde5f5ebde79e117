// In-Wine test driver. Reads one command per line on stdin (or takes one from its arguments)
// and answers one line on stdout: "ok ..." or "err ...". Titles run to the end of the line.
//
// It acts as a user would: real pointer and keyboard input through SendInput, the clipboard,
// window lookups by title and screen pixels; the program under test needs no hooks.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"

namespace qpd {

std::wstring Widen(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string Narrow(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

std::string HexUnits(const std::wstring& w) {
  std::string out;
  char buf[8];
  for (wchar_t c : w) {
    std::snprintf(buf, sizeof buf, "%s%04X", out.empty() ? "" : " ", static_cast<unsigned>(c));
    out += buf;
  }
  return out;
}

std::string Answer(const std::string& line) {
  std::istringstream in(line);
  std::string cmd;
  in >> cmd;
  std::string reply = RunWindowCommand(cmd, in);
  if (reply.empty()) reply = RunSoakCommand(cmd, in);
  if (reply.empty()) reply = RunSessionCommand(cmd, in);
  if (reply.empty()) reply = RunAccessCommand(cmd, in);
  if (reply.empty()) reply = RunDeliveryCommand(cmd, in);
  if (reply.empty()) reply = RunFindCommand(cmd, in);
  if (reply.empty()) reply = RunDpiCommand(cmd, in);
  return reply.empty() ? RunCommand(line) : reply;
}

}  // namespace qpd

int wmain(int argc, wchar_t** argv) {
  if (qpd::RunAsPlantedProgram()) return 0;
  if (argc > 1) {
    std::wstring line;
    for (int i = 1; i < argc; ++i) {
      if (i > 1) line += L' ';
      line += argv[i];
    }
    std::string reply = qpd::Answer(qpd::Narrow(line));
    std::printf("%s\n", reply.c_str());
    return reply.rfind("ok", 0) == 0 ? 0 : 1;
  }
  char buf[4096];
  while (std::fgets(buf, sizeof buf, stdin)) {
    std::string line(buf);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line == "exit") break;
    std::string reply = qpd::Answer(line);
    std::printf("%s\n", reply.c_str());
    std::fflush(stdout);
  }
  return 0;
}
