#include "settings/desktop_shortcut.h"

#include "base/platform.h"

namespace qp {

namespace {

// A VBScript string expression for text: printable ASCII, and the letters the script host's code
// page has, in quotes; every other unit as ChrW(unit). The host reads a script without a mark in
// that code page (some hosts read no other form), so the file itself stays in it.
std::string VbsString(TextView text, const AnsiByteFn& ansiByte) {
  std::string out;
  bool quoted = false;
  for (char16_t u : text) {
    int byte = u >= 0x20 && u < 0x7F && u != u'"' ? u : -1;
    if (byte < 0 && u >= 0x80 && ansiByte) byte = ansiByte(u);
    if (byte >= 0x20 && byte != '"' && byte <= 0xFF) {
      if (!quoted) out += out.empty() ? "\"" : " & \"";
      quoted = true;
      out.push_back(static_cast<char>(byte));
      continue;
    }
    if (quoted) out += "\"";
    quoted = false;
    out += (out.empty() ? "ChrW(" : " & ChrW(") + std::to_string(static_cast<unsigned>(u)) + ")";
  }
  if (quoted) out += "\"";
  return out.empty() ? "\"\"" : out;
}

}  // namespace

std::string ShortcutScript(const Text& desktopFolder, const Text& program, const Text& documentsFolder,
                           const AnsiByteFn& ansiByte) {
  const std::string lines[] = {
      "Set oWS = WScript.CreateObject(\"WScript.Shell\")",
      "sLinkFile = " + VbsString(desktopFolder + kShortcutName, ansiByte),
      "Set oLink = oWS.CreateShortcut(sLinkFile)",
      "oLink.TargetPath = " + VbsString(program, ansiByte),
      "oLink.Arguments = \"/noshow\"",
      "oLink.IconLocation = " + VbsString(program + u", 0", ansiByte),
      "oLink.WindowStyle = \"1\"",
      "oLink.WorkingDirectory = " + VbsString(documentsFolder, ansiByte),
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
  system.WriteScriptFileAndClose(ShortcutScript(desktop, program, system.DocumentsFolder(),
                                                [&system](char16_t unit) { return system.AnsiByte(unit); }));
  const Text systemFolder = system.SystemFolder();
  if (!systemFolder.empty()) system.RunHiddenAndWait(systemFolder + kScriptHost, ScriptHostParameters(script), kScriptHostWaitMs);
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
