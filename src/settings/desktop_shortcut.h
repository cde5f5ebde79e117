// The desktop shortcut: a short script for the Windows Script Host that makes
// "Quillpad Pro.lnk" on the desktop, started with "/noshow" (tray icon only).
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "base/text.h"

namespace qp {

constexpr const char16_t* kShortcutName = u"Quillpad Pro.lnk";
constexpr const char16_t* kShortcutScriptName = u"qlx-cs-temp.vbs";
constexpr const char16_t* kScriptHost = u"WScript.exe";
// The script host is given this long; a script that hangs must not hold the program for ever.
constexpr int kScriptHostWaitMs = 30000;

// The byte of a character in the script host's code page, or -1 when it has none of one byte.
using AnsiByteFn = std::function<int(char16_t)>;

// The script's nine lines, each ended by CR LF. A character of a path is written as itself when
// it is printable ASCII or has a byte of its own in the script host's code page (ansiByte), and
// as ChrW(unit) otherwise, so every path reaches the host whole. The folders end in a
// backslash; program is the full path of the running program.
std::string ShortcutScript(const Text& desktopFolder, const Text& program, const Text& documentsFolder,
                           const AnsiByteFn& ansiByte = nullptr);

// The script host's parameter text: one blank, then the script path in double quotes (a
// temporary folder with blanks in its path stays one argument).
Text ScriptHostParameters(const Text& scriptPath);

// What making the shortcut needs from the system. The Windows layer implements it.
class ShortcutSystem {
 public:
  virtual ~ShortcutSystem() = default;
  virtual Text TempFolder() = 0;        // long form, ending in a backslash
  virtual Text DesktopFolder() = 0;     // ending in a backslash; empty when unknown
  virtual Text DocumentsFolder() = 0;   // ending in a backslash
  virtual Text ProgramPath() = 0;
  virtual Text SystemFolder() = 0;      // ending in a backslash; empty when unknown
  virtual int AnsiByte(char16_t unit) = 0;  // see AnsiByteFn
  virtual int64_t FileSize(const Text& path) = 0;  // -1 when there is no such file
  virtual void RemoveFile(const Text& path) = 0;   // failures are ignored
  // Creates (or truncates) the file for writing and keeps it open; false when it cannot.
  virtual bool CreateScriptFile(const Text& path) = 0;
  virtual void WriteScriptFileAndClose(const std::string& bytes) = 0;
  // Starts the program (a full path) hidden, in a new console, and waits for it to end, at
  // most waitMs, with the program's windows still painted; nothing when it cannot be started.
  virtual void RunHiddenAndWait(const Text& program, const Text& parameters, int waitMs) = 0;
};

// Makes the shortcut when there is none: writes the script into the temporary folder, runs
// it with the system folder's script host (never one found elsewhere under that name), waits
// and deletes it. An existing non-empty shortcut means nothing
// is done. A script that cannot be written is reported in a message box.
void CreateDesktopShortcut(ShortcutSystem& system);

// The system the program makes its shortcut through; the Windows entry point installs it.
void SetShortcutSystem(ShortcutSystem* system);
// CreateDesktopShortcut through the installed system; nothing before one is installed.
void CreateDesktopShortcut();

}  // namespace qp
