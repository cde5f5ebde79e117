// The desktop shortcut: a short script for the Windows Script Host that makes
// "Quillpad Pro.lnk" on the desktop, started with "/noshow" (tray icon only).
#pragma once
#include <cstdint>
#include <string>

#include "app/text.h"

namespace qp {

constexpr const char16_t* kShortcutName = u"Quillpad Pro.lnk";
constexpr const char16_t* kShortcutScriptName = u"qlx-cs-temp.vbs";
constexpr const char16_t* kScriptHost = u"WScript.exe";
// The script host is given this long; a script that hangs must not hold the program for ever.
constexpr int kScriptHostWaitMs = 30000;

// The script's nine lines, UTF-8 without a byte-order mark, each ended by CR LF. The folders
// end in a backslash; program is the full path of the running program.
std::string ShortcutScript(const Text& desktopFolder, const Text& program, const Text& documentsFolder);

// The bytes of the script file: the script as UTF-16 with its byte-order mark, which the
// script host reads as Unicode whatever the code page (a folder named with any letter works).
std::string ScriptFileBytes(const std::string& utf8Script);

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

}  // namespace qp
