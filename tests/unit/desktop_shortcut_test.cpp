#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "settings/desktop_shortcut.h"

namespace qp {
namespace {

// Paths as the system would give them; the user name is not ASCII.
const Text kTemp = u"C:\\Users\\Zo\u00EB\\AppData\\Local\\Temp\\";
const Text kDesktop = u"C:\\Users\\Zo\u00EB\\Desktop\\";
const Text kDocuments = u"C:\\Users\\Zo\u00EB\\Documents\\";
const Text kProgram = u"D:\\Tools\\Quill pad\\quillpadpro.exe";
const Text kScript = kTemp + u"qlx-cs-temp.vbs";
const Text kLink = kDesktop + u"Quillpad Pro.lnk";

// A Western code page: Latin-1's letters are bytes of their own.
int Latin1(char16_t unit) { return unit >= 0xA0 && unit <= 0xFF ? unit : -1; }

// A file system of sizes; every call is logged with its path, in order.
class FakeShortcutSystem : public ShortcutSystem {
 public:
  std::map<Text, int64_t> files;
  std::vector<std::string> log;
  bool createFails = false;
  std::string written;
  Text runProgram, runParameters;
  int runWaitMs = 0;
  Text desktop = kDesktop;

  Text TempFolder() override { return kTemp; }
  Text DesktopFolder() override { return desktop; }
  Text DocumentsFolder() override {
    log.push_back("documents");
    return kDocuments;
  }
  Text ProgramPath() override { return kProgram; }
  Text SystemFolder() override { return u"C:\\Windows\\system32\\"; }
  int AnsiByte(char16_t unit) override { return Latin1(unit); }
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
  void RunHiddenAndWait(const Text& program, const Text& parameters, int waitMs) override {
    log.push_back("run");
    runProgram = program;
    runParameters = parameters;
    runWaitMs = waitMs;
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

TEST(ShortcutScript, NineAsciiLinesWithCrLf) {
  EXPECT_EQ(ShortcutScript(u"C:\\Users\\Zo\u00EB\\Desktop\\", kProgram, u"C:\\D\u00F6c\U0001F600\\"),
            "Set oWS = WScript.CreateObject(\"WScript.Shell\")\r\n"
            "sLinkFile = \"C:\\Users\\Zo\" & ChrW(235) & \"\\Desktop\\Quillpad Pro.lnk\"\r\n"
            "Set oLink = oWS.CreateShortcut(sLinkFile)\r\n"
            "oLink.TargetPath = \"D:\\Tools\\Quill pad\\quillpadpro.exe\"\r\n"
            "oLink.Arguments = \"/noshow\"\r\n"
            "oLink.IconLocation = \"D:\\Tools\\Quill pad\\quillpadpro.exe, 0\"\r\n"
            "oLink.WindowStyle = \"1\"\r\n"
            "oLink.WorkingDirectory = \"C:\\D\" & ChrW(246) & \"c\" & ChrW(55357) & ChrW(56832) & \"\\\"\r\n"
            "oLink.Save\r\n");
  // A letter the host's code page has is written as its byte there.
  EXPECT_NE(ShortcutScript(kDesktop, kProgram, kDocuments, Latin1).find("sLinkFile = \"C:\\Users\\Zo\xEB\\Desktop\\Quillpad"),
            std::string::npos);
  // Without one, whatever the paths hold, every byte is printable ASCII or CR LF.
  for (char16_t odd : {u'\0', u'\t', u'"', u'\x7F', u'\xA0', u'\uFFFF'}) {
    const std::string script = ShortcutScript(Text(u"C:\\a") + odd + u"\\", Text(1, odd), Text());
    for (char c : script) EXPECT_TRUE((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n') << static_cast<int>(odd);
    EXPECT_NE(script.find("ChrW(" + std::to_string(static_cast<unsigned>(odd)) + ")"), std::string::npos);
    EXPECT_NE(script.find("oLink.WorkingDirectory = \"\"\r\n"), std::string::npos);
  }
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
  EXPECT_EQ(sys.written, ShortcutScript(kDesktop, kProgram, kDocuments, Latin1));
  // The system's own host, never a "WScript.exe" beside the program or in the current folder.
  EXPECT_EQ(sys.runProgram, u"C:\\Windows\\system32\\WScript.exe");
  EXPECT_EQ(sys.runWaitMs, 30000);
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

TEST(CreateDesktopShortcut, WithoutASystemFolderNoHostIsRun) {
  FakePlatform plat;
  FakePlatformScope scope(plat);
  struct NoSystemFolder : FakeShortcutSystem {
    Text SystemFolder() override { return Text(); }
  } sys;
  CreateDesktopShortcut(sys);
  EXPECT_EQ(sys.log, (std::vector<std::string>{"size link", "size script", "delete link", "create script",
                                               "documents", "write", "delete script"}));
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
