#include "settings/desktop_shortcut.h"

#include "base/platform.h"

namespace qp {

std::string ShortcutScript(const Text& desktopFolder, const Text& program, const Text& documentsFolder) {
  const std::string desktop = TextToUtf8(desktopFolder);
  const std::string exe = TextToUtf8(program);
  const std::string documents = TextToUtf8(documentsFolder);
  const std::string lines[] = {
      "Set oWS = WScript.CreateObject(\"WScript.Shell\")",
      "sLinkFile = \"" + desktop + "Quillpad Pro.lnk\"",
      "Set oLink = oWS.CreateShortcut(sLinkFile)",
      "oLink.TargetPath = \"" + exe + "\"",
      "oLink.Arguments = \"/noshow\"",
      "oLink.IconLocation = \"" + exe + ", 0\"",
      "oLink.WindowStyle = \"1\"",
      "oLink.WorkingDirectory = \"" + documents + "\"",
      "oLink.Save",
  };
  std::string script;
  for (const std::string& line : lines) script += line + "\r\n";
  return script;
}

Text ScriptHostParameters(const Text& scriptPath) { return u" \"" + scriptPath + u"\""; }

void CreateDesktopShortcut(ShortcutSystem& system) {
  const Text temp = system.TempFolder();
  const Text desktop = system.DesktopFolder();
  const Text program = system.ProgramPath();
  // Without a desktop folder there is nowhere to put the shortcut.
  if (desktop.empty()) return;
  const Text script = temp + kShortcutScriptName;
  const Text shortcut = desktop + kShortcutName;
  if (system.FileSize(shortcut) > 0) return;
  if (system.FileSize(script) > 0) system.RemoveFile(script);
  // Only an empty file can be left under the shortcut's name here; make room for the new one.
  system.RemoveFile(shortcut);
  if (temp.empty() || !system.CreateScriptFile(script)) {
    Plat().MessageBox(u"Error: unable to make shortcut", u"Error", kMbOk);
    return;
  }
  system.WriteScriptFileAndClose(ShortcutScript(desktop, program, system.DocumentsFolder()));
  system.RunHiddenAndWait(kScriptHost, ScriptHostParameters(script));
  system.RemoveFile(script);
}

namespace {
ShortcutSystem* g_system = nullptr;
}  // namespace

void SetShortcutSystem(ShortcutSystem* system) { g_system = system; }

void CreateDesktopShortcut() {
  if (g_system) CreateDesktopShortcut(*g_system);
}

}  // namespace qp
