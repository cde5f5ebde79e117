#include "settings/desktop_shortcut.h"

#include "app/platform.h"

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

std::string ScriptFileBytes(const std::string& utf8Script) {
  const Text units = Utf8ToText(utf8Script);
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + units.size() * 2);
  for (char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
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
  system.WriteScriptFileAndClose(ScriptFileBytes(ShortcutScript(desktop, program, system.DocumentsFolder())));
  const Text systemFolder = system.SystemFolder();
  if (!systemFolder.empty()) system.RunHiddenAndWait(systemFolder + kScriptHost, ScriptHostParameters(script), kScriptHostWaitMs);
  system.RemoveFile(script);
}

}  // namespace qp
