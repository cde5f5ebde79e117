// The configuration file: any bytes are read, some settings are written and the
// result is read back. Every value written must read back, and every line the
// program did not write (other groups, other keys, comments) must still be there,
// unchanged and in its order. The same holds through LoadSettings and SaveSettings
// on an in-memory disk.
#include <cstdint>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "settings/preferences_file.h"
#include "settings/settings_store.h"

namespace {

using namespace qp;
using qp::fuzz::Choices;

// The settings' keys, the first 17 in the order of `fields` in FuzzLoadAndSave.
const char* const kProgramKeys[] = {
    "KeySet",    "OutStyle",   "ConfPanel", "Dark",       "Dock",     "AlwaysOnTop", "NamedTarget",
    "StartNoShow", "ShortcutIcon", "AllowMultiRun", "Elder",   "YoungerLB",   "YoungerST",
    "AngloSaxon", "Medieval",  "Loremark",  "RuneOrder",  "WinPosLeft", "WinPosTop"};
constexpr size_t kProgramKeyCount = sizeof kProgramKeys / sizeof kProgramKeys[0];
const std::string kMark = "\xEF\xBB\xBF";

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

int32_t PickValue(Choices& pick) {
  switch (pick.Below(5)) {
    case 0: return std::numeric_limits<int32_t>::min();
    case 1: return std::numeric_limits<int32_t>::max();
    case 2: return static_cast<int32_t>(pick.Below(25)) - 2;
    default: return static_cast<int32_t>(static_cast<uint32_t>(pick.Next()));
  }
}

std::string RandomCase(std::string s, Choices& pick) {
  for (char& c : s) {
    if (pick.Below(2) != 0) continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool SameLine(const PrefLine& a, const PrefLine& b) {
  return a.kind == b.kind && a.name == b.name && a.value == b.value;
}

// What one round of writes did: the group they went to and the last value written
// under each name (names compared ignoring letter case).
struct Writes {
  std::string group;
  std::map<std::string, int32_t> lastValue;  // by lower-cased name
};

// Lines in `before` of the group the writes went to: [begin, end), or begin == end
// == npos when the group was not in the file.
struct Range {
  size_t begin = std::string::npos;
  size_t end = std::string::npos;
  bool found() const { return begin != std::string::npos; }
};

Range GroupRange(const std::vector<PrefLine>& lines, const std::string& group) {
  Range r;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == PrefLineKind::Group && Lower(lines[i].name) == Lower(group)) {
      r.begin = i + 1;
      r.end = i + 1;
      while (r.end < lines.size() && lines[r.end].kind != PrefLineKind::Group) ++r.end;
      return r;
    }
  }
  return r;
}

// Every line of `before` is in `after`, in the same order and unchanged, except the
// first key of each written name in the written group, whose value is the one
// written. The only other lines in `after` are the written keys the group lacked
// and, when the file had no such group, its header.
void CheckKeptLines(const std::vector<PrefLine>& before, const std::vector<PrefLine>& after, const Writes& w) {
  const Range range = GroupRange(before, w.group);
  std::map<std::string, bool> present;  // written names the group already had
  size_t j = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    const PrefLine& old = before[i];
    const std::string lname = Lower(old.name);
    const bool inGroup = range.found() && i >= range.begin && i < range.end && old.kind == PrefLineKind::Key;
    const auto written = w.lastValue.find(lname);
    const bool rewritten = inGroup && written != w.lastValue.end() && !present[lname];
    if (rewritten) present[lname] = true;
    PrefLine expected = old;
    if (rewritten) expected.value = std::to_string(written->second);
    while (j < after.size() && !SameLine(after[j], expected)) {
      // Skipped lines can only be ones the writes added.
      const bool addedKey = after[j].kind == PrefLineKind::Key && w.lastValue.count(Lower(after[j].name)) == 1;
      const bool addedHeader = !range.found() && after[j].kind == PrefLineKind::Group && after[j].name == w.group;
      QP_FUZZ_CHECK(addedKey || addedHeader);
      ++j;
    }
    QP_FUZZ_CHECK(j < after.size());  // the old line is gone
    ++j;
  }
  size_t added = range.found() || w.lastValue.empty() ? 0 : 1;  // a group is added by its first write
  for (const auto& entry : w.lastValue) added += present[entry.first] ? 0 : 1;
  QP_FUZZ_CHECK(after.size() == before.size() + added);
}

// Part one: the file class on its own, with writes to program keys, keys the file
// already has, and groups of the file or new ones.
void FuzzFileWrites(const std::string& bytes, Choices& pick) {
  PreferencesFile file = PreferencesFile::Open(bytes);
  const std::vector<PrefLine> before = file.Lines();

  std::vector<std::string> fileGroups, fileKeys;
  for (const PrefLine& l : before) {
    if (l.kind == PrefLineKind::Group) fileGroups.push_back(l.name);
    if (l.kind == PrefLineKind::Key) fileKeys.push_back(l.name);
  }

  Writes w;
  switch (pick.Below(4)) {
    case 0: w.group = "Config"; break;
    case 1: w.group = RandomCase("config", pick); break;
    case 2: w.group = fileGroups.empty() ? "Other" : fileGroups[pick.Below(fileGroups.size())]; break;
    default: w.group = "Fresh Group"; break;
  }
  file.SelectGroup(w.group);
  const PreferencesFile untouched = file;

  const size_t writes = pick.Below(8);
  for (size_t k = 0; k < writes; ++k) {
    const bool programKey = fileKeys.empty() || pick.Below(3) != 0;
    const std::string key = programKey ? RandomCase(kProgramKeys[pick.Below(kProgramKeyCount)], pick)
                                       : fileKeys[pick.Below(fileKeys.size())];
    const int32_t value = PickValue(pick);
    file.WriteInt(key, value);
    w.lastValue[Lower(key)] = value;
    QP_FUZZ_CHECK(file.ReadInt(key, value ^ 1) == value);
  }

  const std::string written = file.Serialize();
  PreferencesFile back = PreferencesFile::Open(written);
  back.SelectGroup(w.group);

  // The text form is a fixed point: read back it gives the same lines and bytes.
  const std::vector<PrefLine>& after = back.Lines();
  QP_FUZZ_CHECK(after.size() == file.Lines().size());
  for (size_t i = 0; i < after.size(); ++i) QP_FUZZ_CHECK(SameLine(after[i], file.Lines()[i]));
  const bool markless = bytes.empty();  // an empty file is written back without the mark
  QP_FUZZ_CHECK(back.Serialize() == (markless ? kMark + written : written));

  for (const auto& entry : w.lastValue) QP_FUZZ_CHECK(back.ReadInt(entry.first, entry.second ^ 1) == entry.second);
  for (const char* key : kProgramKeys) {
    if (w.lastValue.count(Lower(key)) == 0) QP_FUZZ_CHECK(back.ReadInt(key, -77) == untouched.ReadInt(key, -77));
  }
  CheckKeptLines(before, after, w);
}

// An in-memory disk with the program folder and one file in it.
class MemoryFs : public SettingsFs {
 public:
  const Text program = u"C:\\Tools\\Quill\\quillpadpro.exe";
  const Text place1 = u"C:\\Tools\\Quill\\quillpadpro.cfg";
  std::map<Text, std::string> files;

  Text ProgramFilePath() override { return program; }
  Text AppDataFolder() override { return u"C:\\Users\\u\\AppData\\Roaming\\"; }
  int64_t FileSize(const Text& path) override {
    auto it = files.find(path);
    return it == files.end() ? -1 : static_cast<int64_t>(it->second.size());
  }
  std::unique_ptr<SettingsFile> OpenExisting(const Text& path) override {
    auto it = files.find(path);
    return it == files.end() ? nullptr : std::make_unique<File>(it->second);
  }
  std::unique_ptr<SettingsFile> CreateAlways(const Text& path) override {
    files[path].clear();
    return std::make_unique<File>(files[path]);
  }
  void CreateFolder(const Text&) override {}
  bool ReplaceWith(const Text& target, const Text& replacement) override {
    auto it = files.find(replacement);
    if (it == files.end()) return false;
    files[target] = std::move(it->second);
    files.erase(replacement);
    return true;
  }
  void RemoveFile(const Text& path) override { files.erase(path); }

 private:
  class File : public SettingsFile {
   public:
    explicit File(std::string& bytes) : bytes_(bytes) {}
    bool ReadOnly() const override { return false; }
    bool ReadAll(std::string& out) override {
      out = bytes_;
      return true;
    }
    bool Rewrite(std::string_view bytes) override {
      bytes_.assign(bytes);
      return true;
    }
    bool Flush() override { return true; }

   private:
    std::string& bytes_;
  };
};

// Part two: start-up reads the file, some settings change, a save writes them and
// the next start reads exactly those settings; the user's other lines stay.
void FuzzLoadAndSave(const std::string& bytes, Choices& pick) {
  MemoryFs fs;
  fs.files[fs.place1] = bytes;
  AppState state;
  LoadSettings(state, fs, ProEdition());
  QP_FUZZ_CHECK(state.ConfigPath == fs.place1);  // found, or made there on a first run
  const std::string loaded = fs.files[fs.place1];

  int32_t AppState::*const fields[] = {
      &AppState::KeySet,   &AppState::OutStyle,    &AppState::ConfPanel,    &AppState::Dark,
      &AppState::Dock,     &AppState::AlwaysOnTop, &AppState::NamedTarget,  &AppState::StartNoShow,
      &AppState::ShortcutIcon, &AppState::AllowMultiRun, &AppState::Elder, &AppState::YoungerLB,
      &AppState::YoungerST, &AppState::AngloSaxon, &AppState::Medieval,   &AppState::Loremark,
      &AppState::RuneOrder};
  for (size_t k = pick.Below(5); k > 0; --k) state.*fields[pick.Below(std::size(fields))] = PickValue(pick);
  const int32_t left = PickValue(pick), top = PickValue(pick);
  SaveSettings(state, fs, ProEdition(), left, top);

  AppState again;
  LoadSettings(again, fs, ProEdition());
  for (auto field : fields) QP_FUZZ_CHECK(again.*field == state.*field);
  QP_FUZZ_CHECK(again.WinPosLeft == left && again.WinPosTop == top);

  Writes w;
  w.group = "Config";
  for (size_t i = 0; i < std::size(fields); ++i) w.lastValue[Lower(kProgramKeys[i])] = state.*fields[i];
  w.lastValue["winposleft"] = left;
  w.lastValue["winpostop"] = top;
  CheckKeptLines(PreferencesFile::Open(loaded).Lines(), PreferencesFile::Open(fs.files[fs.place1]).Lines(), w);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Choices pick(qp::fuzz::HashBytes(data, size));
  FuzzFileWrites(bytes, pick);
  FuzzLoadAndSave(bytes, pick);
  return 0;
}
