#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "find/find.h"
#include "settings/settings_store.h"

namespace qp {
namespace {

using namespace std::string_literals;

const std::string kMark = "\xEF\xBB\xBF";
const Text kProgram = u"C:\\Apps\\Quill\\quillpadpro.exe";
const Text kPlace1 = u"C:\\Apps\\Quill\\quillpadpro.cfg";
const Text kAppData = u"C:\\Users\\u\\AppData\\Roaming\\";
const Text kPlace2 = kAppData + u"Marrowfen\\Quillpad\\quillpadpro.cfg";

const std::string kFirstRunBytes = kMark +
    "\r\n[Config]\r\nKeySet = 1\r\nOutStyle = 1\r\nConfPanel = 0\r\nDark = 0\r\nDock = 1\r\n"
    "AlwaysOnTop = 0\r\nStartNoShow = 0\r\nShortcutIcon = 0\r\nAllowMultiRun = 0\r\nNamedTarget = 0\r\n"
    "Elder = 1\r\nYoungerLB = 1\r\nYoungerST = 1\r\nAngloSaxon = 1\r\nMedieval = 1\r\nLoremark = 1\r\n"
    "RuneOrder = 0\r\n";

// An in-memory disk: files with their bytes, folders, and what each may do.
struct FakeEntry {
  bool folder = false;
  std::string bytes;
  bool openable = true;
  bool writable = true;  // false: only a read-only open succeeds
  bool readable = true;
};

// Faults the disk can be told to have.
struct FakeFaults {
  int64_t writeFailsAfter = -1;  // a write stops with an error after this many bytes
  int64_t capacity = -1;         // all files together can hold no more bytes than this
  bool flushFails = false;
  bool replaceFails = false;
};

class FakeFs : public SettingsFs {
 public:
  std::map<Text, FakeEntry> entries;
  Text program = kProgram;
  Text appData = kAppData;
  std::vector<Text> readOnlyFolders;  // files cannot be created in these
  std::vector<std::string> calls;
  FakeFaults faults;

  Text ProgramFilePath() override { return program; }
  Text AppDataFolder() override { return appData; }

  int64_t FileSize(const Text& path) override {
    Log("size", path);
    auto it = entries.find(path);
    if (it == entries.end()) return -1;
    return it->second.folder ? -2 : static_cast<int64_t>(it->second.bytes.size());
  }

  std::unique_ptr<SettingsFile> OpenExisting(const Text& path) override {
    Log("open", path);
    auto it = entries.find(path);
    if (it == entries.end() || it->second.folder || !it->second.openable) return nullptr;
    return std::make_unique<File>(*this, it->second, !it->second.writable);
  }

  std::unique_ptr<SettingsFile> CreateAlways(const Text& path) override {
    Log("create", path);
    for (const Text& folder : readOnlyFolders) {
      if (path.compare(0, folder.size(), folder) == 0) return nullptr;
    }
    const size_t cut = path.find_last_of(u'\\');
    const Text parent = path.substr(0, cut);
    if (parent != u"C:\\Apps\\Quill" && parent + u"\\" != appData && !IsFolder(parent)) return nullptr;
    FakeEntry& e = entries[path];
    if (e.folder || !e.openable || !e.writable) return nullptr;
    e.bytes.clear();
    return std::make_unique<File>(*this, e, false);
  }

  void CreateFolder(const Text& path) override {
    Log("folder", path);
    entries[path].folder = true;
  }

  bool ReplaceWith(const Text& target, const Text& replacement) override {
    Log("replace", target);
    auto from = entries.find(replacement);
    auto to = entries.find(target);
    if (faults.replaceFails || from == entries.end() || to == entries.end() || to->second.folder ||
        !to->second.openable || !to->second.writable) {
      return false;
    }
    to->second.bytes = std::move(from->second.bytes);
    entries.erase(from);
    return true;
  }

  void RemoveFile(const Text& path) override {
    Log("remove", path);
    auto it = entries.find(path);
    if (it != entries.end() && !it->second.folder) entries.erase(it);
  }

  bool IsFolder(const Text& path) const {
    auto it = entries.find(path);
    return it != entries.end() && it->second.folder;
  }

  int64_t UsedBytes() const {
    int64_t used = 0;
    for (const auto& entry : entries) used += static_cast<int64_t>(entry.second.bytes.size());
    return used;
  }

 private:
  class File : public SettingsFile {
   public:
    File(FakeFs& fs, FakeEntry& e, bool readOnly) : fs_(fs), e_(e), readOnly_(readOnly) {}
    bool ReadOnly() const override { return readOnly_; }
    bool ReadAll(std::string& bytes) override {
      if (!e_.readable) return false;
      bytes = e_.bytes;
      return true;
    }
    bool Rewrite(std::string_view bytes) override {
      if (readOnly_) return false;
      e_.bytes.clear();
      size_t room = bytes.size();
      if (fs_.faults.writeFailsAfter >= 0) room = std::min(room, static_cast<size_t>(fs_.faults.writeFailsAfter));
      if (fs_.faults.capacity >= 0) {
        room = std::min(room, static_cast<size_t>(std::max<int64_t>(0, fs_.faults.capacity - fs_.UsedBytes())));
      }
      e_.bytes = std::string(bytes.substr(0, room));
      return room == bytes.size();
    }
    bool Flush() override { return !readOnly_ && !fs_.faults.flushFails; }

   private:
    FakeFs& fs_;
    FakeEntry& e_;
    bool readOnly_;
  };

  void Log(const char* what, const Text& path) { calls.push_back(std::string(what) + " " + TextToUtf8(path)); }
};

AppState Loaded(FakeFs& fs) {
  AppState s;
  LoadSettings(s, fs, ProEdition());
  return s;
}

void ExpectReadDefaults(const AppState& s) {
  EXPECT_EQ(s.KeySet, 1);
  EXPECT_EQ(s.OutStyle, 1);
  EXPECT_EQ(s.ConfPanel, 0);
  EXPECT_EQ(s.Dark, 0);
  EXPECT_EQ(s.Dock, 1);
  EXPECT_EQ(s.AlwaysOnTop, 0);
  EXPECT_EQ(s.NamedTarget, 0);
  EXPECT_EQ(s.StartNoShow, 0);
  EXPECT_EQ(s.ShortcutIcon, 0);
  EXPECT_EQ(s.AllowMultiRun, 0);
  EXPECT_EQ(s.Elder + s.YoungerLB + s.YoungerST + s.AngloSaxon + s.Medieval + s.Loremark, 6);
  EXPECT_EQ(s.RuneOrder, 0);
  EXPECT_EQ(s.WinPosLeft, 200);
  EXPECT_EQ(s.WinPosTop, 200);
}

TEST(SettingsPaths, FoldersAndBackslash) {
  EXPECT_EQ(EnsureTrailingBackslash(u"C:\\Data"), u"C:\\Data\\");
  EXPECT_EQ(EnsureTrailingBackslash(u"C:\\"), u"C:\\");
  EXPECT_EQ(EnsureTrailingBackslash(u""), u"");
  EXPECT_EQ(ProgramFolder(u"C:\\A\\b.exe"), u"C:\\A\\");
  EXPECT_EQ(ProgramFolder(u"C:/A/b.exe"), u"C:/A/");
  EXPECT_EQ(ProgramFolder(u"C:\\A/b\\c.exe"), u"C:\\A/b\\");
  EXPECT_EQ(ProgramFolder(u"b.exe"), u"");
  EXPECT_EQ(ProgramFolder(u""), u"");
}

TEST(LoadSettings, FirstRunWritesTheProgramFolderFile) {
  FakeFs fs;
  AppState s = Loaded(fs);
  EXPECT_EQ(s.ConfigPath, kPlace1);
  EXPECT_EQ(fs.entries[kPlace1].bytes, kFirstRunBytes);
  EXPECT_EQ(fs.entries.count(kPlace2), 0u);
  EXPECT_EQ(s.KeySet, 1);
  EXPECT_EQ(s.Dock, 1);
  EXPECT_EQ(s.Loremark, 1);
  EXPECT_EQ(s.WinPosLeft, 0);  // a first run leaves the position alone
  EXPECT_EQ(s.WinPosTop, 0);
}

TEST(LoadSettings, ProgramFolderNotWritableGoesToAppData) {
  FakeFs fs;
  fs.readOnlyFolders = {u"C:\\Apps\\"};
  AppState s = Loaded(fs);
  EXPECT_EQ(s.ConfigPath, kPlace2);
  EXPECT_TRUE(fs.IsFolder(kAppData + u"Marrowfen"));
  EXPECT_TRUE(fs.IsFolder(kAppData + u"Marrowfen\\Quillpad"));
  EXPECT_EQ(fs.entries[kPlace2].bytes, kFirstRunBytes);
  const std::vector<std::string> tail(fs.calls.end() - 4, fs.calls.end());
  EXPECT_EQ(tail[0], "create C:\\Apps\\Quill\\quillpadpro.cfg");
  EXPECT_EQ(tail[1], "folder C:\\Users\\u\\AppData\\Roaming\\Marrowfen");
  EXPECT_EQ(tail[2], "folder C:\\Users\\u\\AppData\\Roaming\\Marrowfen\\Quillpad");
  EXPECT_EQ(tail[3], "create C:\\Users\\u\\AppData\\Roaming\\Marrowfen\\Quillpad\\quillpadpro.cfg");
}

TEST(LoadSettings, NowhereWritableKeepsFirstRunValues) {
  FakeFs fs;
  fs.readOnlyFolders = {u"C:\\"};
  AppState s = Loaded(fs);
  EXPECT_EQ(s.ConfigPath, kPlace2);
  EXPECT_EQ(fs.entries.count(kPlace1) + fs.entries.count(kPlace2), 0u);
  EXPECT_EQ(s.KeySet, 1);
  EXPECT_EQ(s.Dock, 1);
  // The next save finds nothing to open and writes nothing.
  SaveSettings(s, fs, ProEdition(), 5, 5);
  EXPECT_EQ(fs.entries.count(kPlace2), 0u);
}

TEST(LoadSettings, UnknownFoldersAreSkipped) {
  FakeFs fs;
  fs.program.clear();
  fs.appData.clear();
  AppState s = Loaded(fs);
  EXPECT_EQ(s.ConfigPath, u"");
  EXPECT_EQ(fs.calls.size(), 0u);
  EXPECT_EQ(s.KeySet, 1);
  SaveSettings(s, fs, ProEdition(), 1, 1);
  EXPECT_EQ(fs.calls.size(), 0u);
}

TEST(LoadSettings, ProgramFolderFileWinsOverAppData) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "[Config]\r\nKeySet = 4\r\n";
  fs.entries[kPlace2].bytes = "[Config]\r\nKeySet = 9\r\n";
  AppState s = Loaded(fs);
  EXPECT_EQ(s.ConfigPath, kPlace1);
  EXPECT_EQ(s.KeySet, 4);
  for (const std::string& call : fs.calls) EXPECT_EQ(call.find("Roaming"), std::string::npos) << call;
}

TEST(LoadSettings, EmptyFileOrFolderBesideTheProgramCountsAsMissing) {
  for (bool folder : {false, true}) {
    FakeFs fs;
    fs.entries[kPlace1].folder = folder;  // a 0-byte file or a folder of that name
    fs.entries[kPlace2].bytes = "[Config]\r\nKeySet = 9\r\n";
    AppState s = Loaded(fs);
    EXPECT_EQ(s.ConfigPath, kPlace2) << folder;
    EXPECT_EQ(s.KeySet, 9) << folder;
  }
  FakeFs empty;
  empty.entries[kPlace1].bytes = "";
  AppState s = Loaded(empty);
  EXPECT_EQ(s.ConfigPath, kPlace1);
  EXPECT_EQ(empty.entries[kPlace1].bytes, kFirstRunBytes);  // recreated
  FakeFs emptyInAppData;  // an empty application-data copy is not read either
  emptyInAppData.entries[kPlace2].bytes = "";
  s = Loaded(emptyInAppData);
  EXPECT_EQ(s.ConfigPath, kPlace1);
  EXPECT_EQ(emptyInAppData.entries[kPlace1].bytes, kFirstRunBytes);
  FakeFs folder;
  folder.entries[kPlace1].folder = true;
  s = Loaded(folder);
  EXPECT_EQ(s.ConfigPath, kPlace2);
  EXPECT_EQ(folder.entries[kPlace2].bytes, kFirstRunBytes);
}

TEST(LoadSettings, ReadsEveryKeyWithoutRangeChecks) {
  FakeFs fs;
  fs.entries[kPlace1].bytes =
      "[Config]\r\nKeySet = 99\r\nOutStyle = 13\r\nConfPanel = 3\r\nDark = 1\r\nDock = 0\r\nAlwaysOnTop = 1\r\n"
      "StartNoShow = 1\r\nShortcutIcon = 1\r\nAllowMultiRun = 1\r\nNamedTarget = 1\r\nElder = 0\r\nYoungerLB = 0\r\n"
      "YoungerST = 2\r\nAngloSaxon = 0\r\nMedieval = -1\r\nLoremark = 0\r\nRuneOrder = 1\r\nWinPosLeft = -40\r\n"
      "WinPosTop = 99999999999\r\n";
  const std::string before = fs.entries[kPlace1].bytes;
  AppState s = Loaded(fs);
  EXPECT_EQ(s.KeySet, 99);
  EXPECT_EQ(s.OutStyle, 13);
  EXPECT_EQ(s.ConfPanel, 3);
  EXPECT_EQ(s.Dark, 1);
  EXPECT_EQ(s.Dock, 0);
  EXPECT_EQ(s.AlwaysOnTop, 1);
  EXPECT_EQ(s.StartNoShow, 1);
  EXPECT_EQ(s.ShortcutIcon, 1);
  EXPECT_EQ(s.AllowMultiRun, 1);
  EXPECT_EQ(s.NamedTarget, 1);
  EXPECT_EQ(s.Elder, 0);
  EXPECT_EQ(s.YoungerLB, 0);
  EXPECT_EQ(s.YoungerST, 2);
  EXPECT_EQ(s.AngloSaxon, 0);
  EXPECT_EQ(s.Medieval, -1);
  EXPECT_EQ(s.Loremark, 0);
  EXPECT_EQ(s.RuneOrder, 1);
  EXPECT_EQ(s.WinPosLeft, -40);
  EXPECT_EQ(s.WinPosTop, 2147483647);
  EXPECT_EQ(fs.entries[kPlace1].bytes, before);  // reading never writes
}

TEST(LoadSettings, MissingGroupOrKeysGiveReadDefaults) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "[Other]\r\nKeySet = 5\r\nDock = 0\r\n";
  ExpectReadDefaults(Loaded(fs));
}

TEST(LoadSettings, UnopenableOrUnreadableFileGivesReadDefaultsNotZeros) {
  for (int how = 0; how < 2; ++how) {
    FakeFs fs;
    FakeEntry& e = fs.entries[kPlace1];
    e.bytes = "[Config]\r\nKeySet = 5\r\nDock = 0\r\nElder = 0\r\n";
    (how == 0 ? e.openable : e.readable) = false;
    AppState s = Loaded(fs);
    EXPECT_EQ(s.ConfigPath, kPlace1);
    ExpectReadDefaults(s);
    // Readable again later in the same run (the backup tool let go): still not written,
    // or the defaults of this run would replace every stored value.
    e.openable = e.readable = true;
    s.KeySet = 7;
    SaveSettings(s, fs, ProEdition(), 1, 1);
    EXPECT_EQ(e.bytes, "[Config]\r\nKeySet = 5\r\nDock = 0\r\nElder = 0\r\n");
    // The next run reads it and saves as usual.
    AppState next = Loaded(fs);
    EXPECT_EQ(next.KeySet, 5);
    next.KeySet = 8;
    SaveSettings(next, fs, ProEdition(), 1, 1);
    EXPECT_EQ(Loaded(fs).KeySet, 8);
  }
}

TEST(LoadSettings, ReadOnlyFileIsReadAndNeverWritten) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "[Config]\r\nKeySet = 5\r\n";
  fs.entries[kPlace1].writable = false;
  AppState s = Loaded(fs);
  EXPECT_EQ(s.KeySet, 5);
  s.KeySet = 6;
  SaveSettings(s, fs, ProEdition(), 10, 20);
  EXPECT_EQ(fs.entries[kPlace1].bytes, "[Config]\r\nKeySet = 5\r\n");
}

TEST(SaveSettings, FirstSaveAddsTheWindowPositionLastInTheGroup) {
  FakeFs fs;
  AppState s = Loaded(fs);
  s.KeySet = 12;
  s.NamedTarget = 1;
  SaveSettings(s, fs, ProEdition(), -7, 345);
  std::string expected = kFirstRunBytes;
  expected.replace(expected.find("KeySet = 1"), 10, "KeySet = 12");
  expected.replace(expected.find("NamedTarget = 0"), 15, "NamedTarget = 1");
  expected += "WinPosLeft = -7\r\nWinPosTop = 345\r\n";
  EXPECT_EQ(fs.entries[kPlace1].bytes, expected);

  AppState again = Loaded(fs);
  EXPECT_EQ(again.KeySet, 12);
  EXPECT_EQ(again.WinPosLeft, -7);
  EXPECT_EQ(again.WinPosTop, 345);
}

TEST(SaveSettings, KeepsOtherLinesAndAppendsAMissingGroup) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "; my notes\r\n[Other]\r\nKeySet = 77\r\n";
  AppState s = Loaded(fs);
  ExpectReadDefaults(s);
  SaveSettings(s, fs, ProEdition(), 1, 2);
  const std::string& out = fs.entries[kPlace1].bytes;
  EXPECT_EQ(out.rfind(kMark + "\r\n; my notes\r\n[Other]\r\nKeySet = 77\r\n[Config]\r\nKeySet = 1\r\nOutStyle = 1\r\n", 0), 0u);
  EXPECT_NE(out.find("\r\nRuneOrder = 0\r\nWinPosLeft = 1\r\nWinPosTop = 2\r\n"), std::string::npos);
  // 19 keys in the new group: it holds every key line after its header.
  const std::string group = out.substr(out.find("[Config]"));
  size_t keys = 0;
  for (size_t at = group.find(" = "); at != std::string::npos; at = group.find(" = ", at + 1)) ++keys;
  EXPECT_EQ(keys, 19u);
}

TEST(SaveSettings, ValuesAreReplacedInPlace) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "[config]\r\nwinpostop=3\r\n;c\r\n[Next]\r\nA=1\r\n";
  AppState s = Loaded(fs);
  SaveSettings(s, fs, ProEdition(), 4, 5);
  const std::string& out = fs.entries[kPlace1].bytes;
  EXPECT_EQ(out.rfind(kMark + "\r\n[config]\r\nwinpostop = 5\r\n; c\r\nKeySet = 1\r\n", 0), 0u);
  EXPECT_NE(out.find("\r\nWinPosLeft = 4\r\n[Next]\r\nA = 1\r\n"), std::string::npos);
}

TEST(SaveSettings, NothingWrittenWhenTheFileCannotBeOpenedOrRead) {
  for (int how = 0; how < 3; ++how) {
    FakeFs fs;
    AppState s = Loaded(fs);
    FakeEntry& e = fs.entries[kPlace1];
    e.bytes = "[Config]\r\nKeySet = 3\r\n; keep me\r\n";
    if (how == 0) e.openable = false;
    if (how == 1) e.readable = false;
    if (how == 2) e.folder = true;
    SaveSettings(s, fs, ProEdition(), 1, 1);
    EXPECT_EQ(e.bytes, "[Config]\r\nKeySet = 3\r\n; keep me\r\n") << how;
  }
  FakeFs removed;
  AppState s = Loaded(removed);
  removed.entries.clear();
  SaveSettings(s, removed, ProEdition(), 1, 1);
  EXPECT_TRUE(removed.entries.empty());
}

TEST(SaveSettings, GarbageFileKeepsItsLinesAndReadableSettings) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "\x01\x02\xFF\0junk\n[Config\nDock=0 trailing\nKeySet\n"s;
  AppState s = Loaded(fs);
  EXPECT_EQ(s.Dock, 0);
  EXPECT_EQ(s.KeySet, 0);  // present without a value
  s.KeySet = 2;
  SaveSettings(s, fs, ProEdition(), 0, 0);
  AppState back = Loaded(fs);
  EXPECT_EQ(back.Dock, 0);
  EXPECT_EQ(back.KeySet, 2);
  EXPECT_NE(fs.entries[kPlace1].bytes.find("\xC3\xBF\0junk"s), std::string::npos);
}

TEST(SaveSettings, NeverWritesAFileTooLongToReadBack) {
  // Latin-1 text doubles as UTF-8: three quarters of the limit would be written as
  // one and a half times it, which the reader refuses, and the next start would
  // read no setting at all.
  const size_t limit = static_cast<size_t>(kMaxSettingsFileBytes);
  FakeFs fs;
  const std::string original = "; " + std::string(limit / 4 * 3, '\xE9') + "\r\n[Config]\r\nKeySet = 5\r\n";
  fs.entries[kPlace1].bytes = original;
  AppState s = Loaded(fs);
  ASSERT_EQ(s.KeySet, 5);
  s.KeySet = 6;
  SaveSettings(s, fs, ProEdition(), 0, 0);
  EXPECT_TRUE(fs.entries[kPlace1].bytes == original);  // not EXPECT_EQ: no message of megabytes
  // The same growth below the limit is written.
  fs.entries[kPlace1].bytes = "; " + std::string(limit / 4, '\xE9') + "\r\n[Config]\r\nKeySet = 5\r\n";
  SaveSettings(s, fs, ProEdition(), 0, 0);
  EXPECT_EQ(Loaded(fs).KeySet, 6);
  EXPECT_EQ(fs.entries[kPlace1].bytes.rfind(kMark + "\r\n; \xC3\xA9\xC3\xA9", 0), 0u);
}

// Every way a save can stop part way: the old file keeps its bytes, nothing is left
// beside it, and the next save without the fault writes the file whole.
TEST(SaveSettings, FailurePartWayKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string original = kMark + "\r\n; mine\r\n[Config]\r\nKeySet = 5\r\n[Other]\r\nX = 1\r\n";
  const Text temp = kPlace1 + kSaveTempSuffix;
  FakeFs probe;
  probe.entries[kPlace1].bytes = original;
  AppState s = Loaded(probe);
  s.KeySet = 6;
  SaveSettings(s, probe, ProEdition(), 3, 4);
  const std::string saved = probe.entries[kPlace1].bytes;
  ASSERT_NE(saved.find("KeySet = 6"), std::string::npos);
  const int64_t oldSize = static_cast<int64_t>(original.size());
  const int64_t newSize = static_cast<int64_t>(saved.size());

  std::vector<std::pair<std::string, FakeFaults>> cases;
  for (int64_t n = 0; n < newSize; ++n) cases.push_back({"write stops after " + std::to_string(n), {n, -1, false, false}});
  for (int64_t room : {int64_t{0}, int64_t{1}, newSize / 2, newSize - 1}) {
    cases.push_back({"disk full with room for " + std::to_string(room), {-1, oldSize + room, false, false}});
  }
  cases.push_back({"flush fails", {-1, -1, true, false}});
  cases.push_back({"replace fails", {-1, -1, false, true}});
  for (const auto& [name, faults] : cases) {
    FakeFs fs;
    fs.entries[kPlace1].bytes = original;
    AppState run = Loaded(fs);
    run.KeySet = 6;
    fs.faults = faults;
    SaveSettings(run, fs, ProEdition(), 3, 4);
    EXPECT_EQ(fs.entries[kPlace1].bytes, original) << name;
    EXPECT_EQ(fs.entries.count(temp), 0u) << name;
    fs.faults = FakeFaults{};
    SaveSettings(run, fs, ProEdition(), 3, 4);
    EXPECT_EQ(fs.entries[kPlace1].bytes, saved) << name;
    EXPECT_EQ(fs.entries.count(temp), 0u) << name;
  }
  // Exactly room for both files: the save goes through.
  FakeFs tight;
  tight.entries[kPlace1].bytes = original;
  AppState run = Loaded(tight);
  run.KeySet = 6;
  tight.faults.capacity = oldSize + newSize;
  SaveSettings(run, tight, ProEdition(), 3, 4);
  EXPECT_EQ(tight.entries[kPlace1].bytes, saved);
}

TEST(SaveSettings, TemporaryFileLeftByACrash) {
  const Text temp = kPlace1 + kSaveTempSuffix;
  for (bool locked : {false, true}) {
    FakeFs fs;
    fs.entries[kPlace1].bytes = "[Config]\r\nKeySet = 5\r\n";
    fs.entries[temp].bytes = "half a fi";
    fs.entries[temp].openable = !locked;
    AppState s = Loaded(fs);
    s.KeySet = 6;
    SaveSettings(s, fs, ProEdition(), 0, 0);
    // A stale one is written over and swapped in; one held by another program stops the save.
    EXPECT_EQ(Loaded(fs).KeySet, locked ? 5 : 6) << locked;
    EXPECT_EQ(fs.entries.count(temp), locked ? 1u : 0u) << locked;
  }
}

TEST(SettingsStore, StandardEditionKeepsNoFile) {
  FakeFs fs;
  fs.entries[kPlace1].bytes = "[Config]\r\nKeySet = 5\r\nDock = 0\r\n";
  AppState s;
  LoadSettings(s, fs, StandardEdition());
  EXPECT_TRUE(fs.calls.empty());
  EXPECT_EQ(s.ConfigPath, u"");
  ExpectReadDefaults(s);  // the same start every time
  s.ConfigPath = kPlace1;
  SaveSettings(s, fs, StandardEdition(), 1, 1);
  EXPECT_TRUE(fs.calls.empty());
  EXPECT_EQ(fs.entries[kPlace1].bytes, "[Config]\r\nKeySet = 5\r\nDock = 0\r\n");
}

TEST(FindSettings, KeysRoundTripAndStayOutOfAnUntouchedFile) {
  FakeFs fs;
  AppState s = Loaded(fs);
  EXPECT_EQ(s.FindHotkey, kDefaultFindHotkey);
  SaveSettings(s, fs, ProEdition(), 1, 2);
  EXPECT_EQ(fs.entries[kPlace1].bytes.find("Find"), std::string::npos);

  s.FindHotkey = (2 << kFindHotkeyModifierShift) | 0x70;  // Ctrl+F1
  s.FindPinned = {0x3B1, 0x1F600};
  s.FindRecent = {0xE9};
  SaveSettings(s, fs, ProEdition(), 1, 2);
  const std::string& out = fs.entries[kPlace1].bytes;
  EXPECT_NE(out.find("WinPosTop = 2\r\nFindHotkey = 131184\r\nFindPinned = 3B1 1F600\r\nFindRecent = E9\r\n"),
            std::string::npos) << out;
  AppState again = Loaded(fs);
  EXPECT_EQ(again.FindHotkey, s.FindHotkey);
  EXPECT_EQ(again.FindPinned, s.FindPinned);
  EXPECT_EQ(again.FindRecent, s.FindRecent);

  // Emptied lists are written empty, not left as they were.
  again.FindPinned.clear();
  SaveSettings(again, fs, ProEdition(), 1, 2);
  EXPECT_TRUE(Loaded(fs).FindPinned.empty());
}

TEST(FindSettings, MalformedValuesGiveDefaultsAndCostNothingElse) {
  const struct {
    const char* hotkey;
    int32_t expected;
  } kCases[] = {
      {"0", 0}, {" 786502 ", 786502}, {"abc", kDefaultFindHotkey}, {"12x", kDefaultFindHotkey},
      {"-5", kDefaultFindHotkey}, {"99999999999", kDefaultFindHotkey}, {"65536", kDefaultFindHotkey},
      {"1048646", kDefaultFindHotkey} /* modifier 16 */, {"", kDefaultFindHotkey},
      {"1073807430", 1073807430} /* MOD_NOREPEAT | MOD_ALT, F */,
  };
  for (const auto& c : kCases) {
    FakeFs fs;
    fs.entries[kPlace1].bytes = "[Config]\r\nKeySet = 7\r\nFindHotkey = "s + c.hotkey +
                                "\r\nFindPinned = 41 zz D800 42\r\nFindRecent = ;;;\r\nDark = 1\r\n";
    AppState s = Loaded(fs);
    EXPECT_EQ(s.FindHotkey, c.expected) << c.hotkey;
    EXPECT_EQ(s.FindPinned, (std::vector<int32_t>{0x41, 0x42}));
    EXPECT_TRUE(s.FindRecent.empty());
    EXPECT_EQ(s.KeySet, 7);
    EXPECT_EQ(s.Dark, 1);
  }
}

TEST(FindSettings, ListsAreBoundedOnReading) {
  FakeFs fs;
  std::string many;
  for (int cp = 0x100; cp < 0x100 + 100; ++cp) many += std::to_string(cp) + " ";
  fs.entries[kPlace1].bytes = "[Config]\r\nFindPinned = " + many + "\r\nFindRecent = " + many + "\r\n";
  AppState s = Loaded(fs);
  EXPECT_EQ(s.FindPinned.size(), kMaxPinned);
  EXPECT_EQ(s.FindRecent.size(), kMaxRecent);
}

TEST(FindSettings, StandardEditionStartsFromDefaults) {
  FakeFs fs;
  AppState s;
  LoadSettings(s, fs, StandardEdition());
  EXPECT_EQ(s.FindHotkey, kDefaultFindHotkey);
  EXPECT_TRUE(fs.entries.empty());
}

}  // namespace
}  // namespace qp
