#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "settings/desktop_shortcut.h"

namespace qp {
namespace {

// Paths as the system would give them; the user name is not ASCII, so the script must carry
// it as UTF-8.
const Text kTemp = u"C:\\Users\\Zo\u00EB\\AppData\\Local\\Temp\\";
const Text kDesktop = u"C:\\Users\\Zo\u00EB\\Desktop\\";
const Text kDocuments = u"C:\\Users\\Zo\u00EB\\Documents\\";
const Text kProgram = u"D:\\Tools\\Quill pad\\quillpadpro.exe";
const Text kScript = kTemp + u"qlx-cs-temp.vbs";
const Text kLink = kDesktop + u"Quillpad Pro.lnk";

// A file system of sizes; every call is logged with its path, in order.
class FakeShortcutSystem : public ShortcutSystem {
 public:
  std::map<Text, int64_t> files;
  std::vector<std::string> log;
  bool createFails = false;
  std::string written;
  Text runProgram, runParameters;
  Text desktop = kDesktop;

  Text TempFolder() override { return kTemp; }
  Text DesktopFolder() override { return desktop; }
  Text DocumentsFolder() override {
    log.push_back("documents");
    return kDocuments;
  }
  Text ProgramPath() override { return kProgram; }
  int64_t FileSize(const Text& path) override {
    log.push_back("size " + Name(path));
    auto it = files.find(path);
    return it == files.end() ? -1 : it->second;
  }
  void RemoveFile(const Text& path) override {
    log.push_back("delete " + Name(path));
    files.erase(path);
  }
  bool CreateScriptFile(const Text& path) override {
    log.push_back("create " + Name(path));
    if (createFails) return false;
    files[path] = 0;
    open_ = path;
    return true;
  }
  void WriteScriptFileAndClose(const std::string& bytes) override {
    log.push_back("write");
    written = bytes;
    files[open_] = static_cast<int64_t>(bytes.size());
  }
  void RunHiddenAndWait(const Text& program, const Text& parameters) override {
    log.push_back("run");
    runProgram = program;
    runParameters = parameters;
    // What the script host does when the script works.
    files[kLink] = 1500;
  }

 private:
  static std::string Name(const Text& path) {
    if (path == kScript) return "script";
    if (path == kLink) return "link";
    return TextToUtf8(path);
  }
  Text open_;
};

TEST(ShortcutScript, NineLinesInUtf8WithCrLf) {
  const std::string script = ShortcutScript(kDesktop, kProgram, kDocuments);
  const std::string desktop = "C:\\Users\\Zo\xC3\xAB\\Desktop\\";
  const std::string documents = "C:\\Users\\Zo\xC3\xAB\\Documents\\";
  EXPECT_EQ(script,
            "Set oWS = WScript.CreateObject(\"WScript.Shell\")\r\n"
            "sLinkFile = \"" + desktop + "Quillpad Pro.lnk\"\r\n"
            "Set oLink = oWS.CreateShortcut(sLinkFile)\r\n"
            "oLink.TargetPath = \"D:\\Tools\\Quill pad\\quillpadpro.exe\"\r\n"
            "oLink.Arguments = \"/noshow\"\r\n"
            "oLink.IconLocation = \"D:\\Tools\\Quill pad\\quillpadpro.exe, 0\"\r\n"
            "oLink.WindowStyle = \"1\"\r\n"
            "oLink.WorkingDirectory = \"" + documents + "\"\r\n"
            "oLink.Save\r\n");
  EXPECT_NE(script.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no byte-order mark";
}

TEST(ShortcutScript, HostParametersQuoteThePathAfterOneBlank) {
  EXPECT_EQ(ScriptHostParameters(u"C:\\Temp Dir\\qlx-cs-temp.vbs"), u" \"C:\\Temp Dir\\qlx-cs-temp.vbs\"");
}

TEST(CreateDesktopShortcut, WritesRunsAndDeletesTheScriptWhenThereIsNoShortcut) {
  FakePlatform plat;
  FakePlatformScope scope(plat);
  FakeShortcutSystem sys;
  CreateDesktopShortcut(sys);
  EXPECT_EQ(sys.log, (std::vector<std::string>{"size link", "size script", "delete link", "create script",
                                               "documents", "write", "run", "delete script"}));
  EXPECT_EQ(sys.written, ShortcutScript(kDesktop, kProgram, kDocuments));
  EXPECT_EQ(sys.runProgram, u"WScript.exe");
  EXPECT_EQ(sys.runParameters, u" \"" + kScript + u"\"");
  EXPECT_EQ(sys.files.count(kScript), 0u) << "script left behind";
  EXPECT_TRUE(plat.messageBoxes.empty());
}

TEST(CreateDesktopShortcut, AnExistingShortcutMeansNothingIsDone) {
  FakePlatform plat;
  FakePlatformScope scope(plat);
  FakeShortcutSystem sys;
  sys.files[kLink] = 1;
  sys.files[kScript] = 300;  // even a leftover script stays as it is
  CreateDesktopShortcut(sys);
  EXPECT_EQ(sys.log, std::vector<std::string>{"size link"});
  EXPECT_EQ(sys.files[kScript], 300);
}

TEST(CreateDesktopShortcut, AnEmptyShortcutAndALeftoverScriptAreReplaced) {
  FakePlatform plat;
  FakePlatformScope scope(plat);
  FakeShortcutSystem sys;
  sys.files[kLink] = 0;
  sys.files[kScript] = 300;
  CreateDesktopShortcut(sys);
  EXPECT_EQ(sys.log, (std::vector<std::string>{"size link", "size script", "delete script", "delete link",
                                               "create script", "documents", "write", "run", "delete script"}));
  EXPECT_EQ(sys.files[kLink], 1500);
  EXPECT_EQ(sys.files.count(kScript), 0u);
}

TEST(CreateDesktopShortcut, AScriptThatCannotBeWrittenIsReportedAndNothingRuns) {
  FakePlatform plat;
  FakePlatformScope scope(plat);
  FakeShortcutSystem sys;
  sys.createFails = true;
  CreateDesktopShortcut(sys);
  EXPECT_EQ(sys.log, (std::vector<std::string>{"size link", "size script", "delete link", "create script"}));
  ASSERT_EQ(plat.messageBoxes.size(), 1u);
  EXPECT_EQ(plat.messageBoxes[0].caption, u"Error");
  EXPECT_EQ(plat.messageBoxes[0].text, u"Error: unable to make shortcut");
  EXPECT_EQ(plat.messageBoxes[0].flags, kMbOk);
}

TEST(CreateDesktopShortcut, WithoutADesktopFolderNothingIsDone) {
  FakePlatform plat;
  FakePlatformScope scope(plat);
  FakeShortcutSystem sys;
  sys.desktop.clear();
  CreateDesktopShortcut(sys);
  EXPECT_TRUE(sys.log.empty());
  EXPECT_TRUE(plat.messageBoxes.empty());
}

}  // namespace
}  // namespace qp
