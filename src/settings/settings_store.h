// Finding, reading, first creating and saving the configuration file.
//
// The file system is reached only through SettingsFs, so the logic runs and is
// tested without Windows; settings_fs_win.cpp implements it with Windows calls.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/app_state.h"
#include "base/edition.h"
#include "base/text.h"

namespace qp {

inline constexpr char16_t kConfigFileName[] = u"quillpadpro.cfg";
// Beneath the application-data folder, used when the program folder holds no file
// and cannot take one.
inline constexpr char16_t kAppDataSubfolder[] = u"Marrowfen\\Quillpad\\";
inline constexpr char kConfigGroup[] = "Config";
// A longer file is treated as unreadable rather than loaded whole. Each line costs
// far more in memory than on disk: at 16 MiB, a file of short lines took 1.2 GB,
// more than the 32-bit program can count on; 4 MiB of them takes about 300 MB.
inline constexpr int64_t kMaxSettingsFileBytes = 4 * 1024 * 1024;

// An open configuration file; destroying it closes the file.
class SettingsFile {
 public:
  virtual ~SettingsFile() = default;
  // Opened only for reading: closed without writing.
  virtual bool ReadOnly() const = 0;
  // The whole content; false when it cannot be read (or is over kMaxSettingsFileBytes).
  virtual bool ReadAll(std::string& bytes) = 0;
  // Writes from the start and cuts the file at the new end.
  virtual bool Rewrite(std::string_view bytes) = 0;
  // Puts what was written on the disk itself before returning.
  virtual bool Flush() = 0;
};

class SettingsFs {
 public:
  virtual ~SettingsFs() = default;
  // Full path of the running program file; empty when unknown.
  virtual Text ProgramFilePath() = 0;
  // The user's application-data folder ending in a backslash; empty when unknown.
  virtual Text AppDataFolder() = 0;
  // -1 nothing there, -2 a folder (or drive root), otherwise the size in bytes.
  virtual int64_t FileSize(const Text& path) = 0;
  // An existing file: read-write sharing read; failing that read-only sharing read,
  // then read-only sharing read and write. nullptr when all fail.
  virtual std::unique_ptr<SettingsFile> OpenExisting(const Text& path) = 0;
  // Creates or empties the file, read-write. nullptr on failure.
  virtual std::unique_ptr<SettingsFile> CreateAlways(const Text& path) = 0;
  // An existing folder is no error; failures are ignored.
  virtual void CreateFolder(const Text& path) = 0;
  // Puts the file `replacement` in the place of the file `target` in one step: afterwards
  // `target` has either its old bytes or all of the new ones. On failure both stay.
  virtual bool ReplaceWith(const Text& target, const Text& replacement) = 0;
  // Failures are ignored.
  virtual void RemoveFile(const Text& path) = 0;
};

// Beside the configuration file while a save is being written.
inline constexpr char16_t kSaveTempSuffix[] = u".new";

// Replaces the file at path by one holding exactly bytes: written beside it first,
// flushed, then swapped in. False, with the old file as it was and the beside file
// removed, when any step fails.
bool ReplaceFileContents(SettingsFs& fs, const Text& path, std::string_view bytes);

// path with a backslash appended unless it already ends in one. An empty path
// (a failed folder lookup) stays empty.
Text EnsureTrailingBackslash(Text path);

// The folder of a program file path, cut after its last backslash or slash; empty
// when the path has neither.
Text ProgramFolder(TextView programFilePath);

// Sets ConfigPath and every persisted setting.
// Place 1 is the program folder, place 2 the application-data folder; a file counts
// as found only with a size above 0, and place 1 wins when both have one.
// A found file that cannot be opened or read gives the read defaults, exactly as if
// every key were missing, and sets ConfigUnreadable. With no file found, the first-run values are set and a new
// file is written at place 1, or else at place 2 (its folders created first);
// WinPosLeft and WinPosTop are then left as they are.
// The standard edition keeps no file: it touches no file, leaves ConfigPath empty
// and sets the read defaults, so it starts from the same state every time.
void LoadSettings(AppState& state, SettingsFs& fs, const Edition& edition);

// Writes the 17 settings and then the window position (winLeft, winTop: the main
// window's outer top-left corner on screen) into the "Config" group of ConfigPath,
// keeping every other line, then the character finder's keys (settings/find_settings.h),
// through ReplaceFileContents. Does nothing when the file
// cannot be opened or read now or could not be at start-up, was opened read-only, or
// in the standard edition.
void SaveSettings(const AppState& state, SettingsFs& fs, const Edition& edition, int32_t winLeft,
                  int32_t winTop);

// The file system the configuration is kept in; the entry point installs it once.
void SetSettingsFs(SettingsFs* fs);
// Saves every setting with the main window's current position (nothing before a file system is
// installed, and nothing in the standard edition).
void SaveSettingsNow();

}  // namespace qp
