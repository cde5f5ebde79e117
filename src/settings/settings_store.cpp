#include "settings/settings_store.h"

#include "base/platform.h"
#include "settings/find_settings.h"
#include "settings/preferences_file.h"

namespace qp {

namespace {

struct SettingKey {
  const char* name;
  int32_t AppState::*field;
  int32_t readDefault;
  int32_t firstRun;  // unused for the window position, which a first run does not write
};

enum SettingId {
  kKeySet, kOutStyle, kConfPanel, kDark, kDock, kAlwaysOnTop, kNamedTarget, kStartNoShow,
  kShortcutIcon, kAllowMultiRun, kElder, kYoungerLB, kYoungerST, kAngloSaxon, kMedieval,
  kLoremark, kRuneOrder, kWinPosLeft, kWinPosTop, kSettingCount
};

const SettingKey kKeys[kSettingCount] = {
    {"KeySet", &AppState::KeySet, 1, 1},
    {"OutStyle", &AppState::OutStyle, 1, 1},
    {"ConfPanel", &AppState::ConfPanel, 0, 0},
    {"Dark", &AppState::Dark, 0, 0},
    {"Dock", &AppState::Dock, 1, 1},
    {"AlwaysOnTop", &AppState::AlwaysOnTop, 0, 0},
    {"NamedTarget", &AppState::NamedTarget, 0, 0},
    {"StartNoShow", &AppState::StartNoShow, 0, 0},
    {"ShortcutIcon", &AppState::ShortcutIcon, 0, 0},
    {"AllowMultiRun", &AppState::AllowMultiRun, 0, 0},
    {"Elder", &AppState::Elder, 1, 1},
    {"YoungerLB", &AppState::YoungerLB, 1, 1},
    {"YoungerST", &AppState::YoungerST, 1, 1},
    {"AngloSaxon", &AppState::AngloSaxon, 1, 1},
    {"Medieval", &AppState::Medieval, 1, 1},
    {"Loremark", &AppState::Loremark, 1, 1},
    {"RuneOrder", &AppState::RuneOrder, 0, 0},
    {"WinPosLeft", &AppState::WinPosLeft, 200, 0},
    {"WinPosTop", &AppState::WinPosTop, 200, 0},
};

// Reading, first writing and saving each go in their own order; a new file's keys
// appear in the order first written, and later saves append the window position.
const SettingId kReadOrder[] = {
    kKeySet, kOutStyle, kConfPanel, kDark, kDock, kAlwaysOnTop, kShortcutIcon,
    kAllowMultiRun, kNamedTarget, kWinPosLeft, kWinPosTop, kStartNoShow, kElder,
    kYoungerLB, kYoungerST, kAngloSaxon, kMedieval, kLoremark, kRuneOrder};
const SettingId kFirstRunOrder[] = {
    kKeySet, kOutStyle, kConfPanel, kDark, kDock, kAlwaysOnTop, kStartNoShow, kShortcutIcon,
    kAllowMultiRun, kNamedTarget, kElder, kYoungerLB, kYoungerST, kAngloSaxon, kMedieval,
    kLoremark, kRuneOrder};
const SettingId kSaveOrder[] = {
    kKeySet, kOutStyle, kConfPanel, kDark, kDock, kAlwaysOnTop, kNamedTarget, kStartNoShow,
    kShortcutIcon, kAllowMultiRun, kElder, kYoungerLB, kYoungerST, kAngloSaxon, kMedieval,
    kLoremark, kRuneOrder};

void ReadAllSettings(const PreferencesFile& prefs, AppState& state) {
  for (SettingId id : kReadOrder) state.*kKeys[id].field = prefs.ReadInt(kKeys[id].name, kKeys[id].readDefault);
  ReadFindSettings(prefs, state);
}

void SetReadDefaults(AppState& state) {
  for (const SettingKey& key : kKeys) state.*key.field = key.readDefault;
  SetFindDefaults(state);
}

void FirstRun(AppState& state, SettingsFs& fs, const Text& place1, const Text& appData, const Text& place2) {
  for (SettingId id : kFirstRunOrder) state.*kKeys[id].field = kKeys[id].firstRun;
  SetFindDefaults(state);

  state.ConfigPath = place1;
  std::unique_ptr<SettingsFile> file;
  if (!place1.empty()) file = fs.CreateAlways(place1);
  if (!file) {
    state.ConfigPath = place2;
    if (place2.empty()) return;
    fs.CreateFolder(appData + u"Marrowfen");
    fs.CreateFolder(appData + u"Marrowfen\\Quillpad");
    file = fs.CreateAlways(place2);
    if (!file) return;
  }
  PreferencesFile prefs = PreferencesFile::Create();
  prefs.SelectGroup(kConfigGroup);
  for (SettingId id : kFirstRunOrder) prefs.WriteInt(kKeys[id].name, state.*kKeys[id].field);
  file->Rewrite(prefs.Serialize());
}

}  // namespace

Text EnsureTrailingBackslash(Text path) {
  if (!path.empty() && path.back() != u'\\') path.push_back(u'\\');
  return path;
}

Text ProgramFolder(TextView programFilePath) {
  const size_t cut = programFilePath.find_last_of(u"\\/");
  return cut == TextView::npos ? Text() : Text(programFilePath.substr(0, cut + 1));
}

void LoadSettings(AppState& state, SettingsFs& fs, const Edition& edition) {
  if (!edition.hasConfigFile) {
    state.ConfigPath.clear();
    SetReadDefaults(state);
    return;
  }
  const Text folder = ProgramFolder(fs.ProgramFilePath());
  const Text place1 = folder.empty() ? Text() : folder + kConfigFileName;
  const Text appData = fs.AppDataFolder();
  const Text place2 = appData.empty() ? Text() : appData + kAppDataSubfolder + kConfigFileName;

  state.ConfigPath = place1;
  bool found = !place1.empty() && fs.FileSize(place1) > 0;
  if (!found) {
    state.ConfigPath = place2;
    found = !place2.empty() && fs.FileSize(place2) > 0;
  }
  if (!found) {
    FirstRun(state, fs, place1, appData, place2);
    return;
  }
  // A file we cannot read reads as one without keys: the defaults, never zeros.
  std::string bytes;
  std::unique_ptr<SettingsFile> file = fs.OpenExisting(state.ConfigPath);
  state.ConfigUnreadable = !file || !file->ReadAll(bytes);
  if (state.ConfigUnreadable) bytes.clear();
  PreferencesFile prefs = PreferencesFile::Open(bytes);
  prefs.SelectGroup(kConfigGroup);
  ReadAllSettings(prefs, state);
}

void SaveSettings(const AppState& state, SettingsFs& fs, const Edition& edition, int32_t winLeft,
                  int32_t winTop) {
  // A file unread at start-up may have become readable since; writing this run's defaults
  // over it would cost every stored setting.
  if (!edition.hasConfigFile || state.ConfigPath.empty() || state.ConfigUnreadable) return;
  std::unique_ptr<SettingsFile> file = fs.OpenExisting(state.ConfigPath);
  std::string bytes;
  // Writing without having read would drop every line we keep for the user.
  if (!file || file->ReadOnly() || !file->ReadAll(bytes)) return;
  file.reset();  // the file is swapped whole below, which our own open handle would block
  PreferencesFile prefs = PreferencesFile::Open(bytes);
  prefs.SelectGroup(kConfigGroup);
  for (SettingId id : kSaveOrder) prefs.WriteInt(kKeys[id].name, state.*kKeys[id].field);
  prefs.WriteInt(kKeys[kWinPosLeft].name, winLeft);
  prefs.WriteInt(kKeys[kWinPosTop].name, winTop);
  WriteFindSettings(prefs, state);
  // Written lines can be longer than read ones (" = ", CR LF, Latin-1 as UTF-8). A
  // file past what the reader accepts would cost every setting at the next start,
  // so the old file is kept instead.
  const std::string out = prefs.Serialize();
  if (out.size() > static_cast<uint64_t>(kMaxSettingsFileBytes)) return;
  ReplaceFileContents(fs, state.ConfigPath, out);
}

bool ReplaceFileContents(SettingsFs& fs, const Text& path, std::string_view bytes) {
  const Text temp = path + kSaveTempSuffix;
  std::unique_ptr<SettingsFile> file = fs.CreateAlways(temp);
  if (!file) return false;
  const bool written = file->Rewrite(bytes) && file->Flush();
  file.reset();  // closed before the swap
  if (written && fs.ReplaceWith(path, temp)) return true;
  fs.RemoveFile(temp);
  return false;
}

namespace {
SettingsFs* g_fs = nullptr;
}  // namespace

void SetSettingsFs(SettingsFs* fs) { g_fs = fs; }

void SaveSettingsNow() {
  if (!g_fs) return;
  const Rect outer = Plat().MainWindowRect();
  SaveSettings(App(), *g_fs, CurrentEdition(), outer.x, outer.y);
}

}  // namespace qp
