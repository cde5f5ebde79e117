// Reader and writer of the configuration file's text format, on bytes in memory.
//
// The file is an ordered list of lines: "[Group]" headers, "; comment" lines and
// "Key = value" lines. Reading and writing keep every line the program does not
// touch (other groups, other keys, comments), though each is written back in the
// normal form: "[name]", "; text", "name = value", each ending in CR LF.
// Group and key names compare ignoring ASCII letter case.
//
// File I/O lives elsewhere (settings_store.h); this class never fails and accepts
// any bytes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qp {

enum class PrefLineKind { Group, Comment, Key };

struct PrefLine {
  PrefLineKind kind;
  std::string name;   // group name, comment text, or key name (UTF-8)
  std::string value;  // key lines only: the value text
};

// A value text read the way scanf "%d" reads it: leading white space, an optional
// sign, decimal digits; anything after the digits is ignored. No digits gives 0.
// Beyond 32 bits the value saturates at INT32_MAX / INT32_MIN.
int32_t ParsePreferenceInt(std::string_view value);

class PreferencesFile {
 public:
  // An existing file's content. With the UTF-8 mark EF BB BF the rest is UTF-8;
  // without it every byte is a Latin-1 character, converted to UTF-8. The content
  // is then split at CR and LF; empty and blank lines are dropped.
  static PreferencesFile Open(std::string_view bytes);
  // A new, empty file; it writes at least the mark and CR LF.
  static PreferencesFile Create();

  // Selects the first group of that name. When there is none, every read answers
  // "missing" and the first write appends the group at the end of the file.
  void SelectGroup(std::string_view name);
  // The first key of that name in the selected group (or, with no group selected,
  // before the first group header). A missing key gives fallback; a present one is
  // read by ParsePreferenceInt, so a value without a number gives 0.
  int32_t ReadInt(std::string_view key, int32_t fallback) const;
  // Replaces the key's value in place, or adds the key after the group's last line.
  void WriteInt(std::string_view key, int32_t value);
  // The key's value text as it stands (UTF-8, leading blanks dropped); false when missing.
  bool ReadText(std::string_view key, std::string& value) const;
  // As WriteInt, with a value text.
  void WriteText(std::string_view key, std::string_view value);

  // The whole file as it is to be written back: the mark and CR LF, then every line
  // followed by CR LF. A file that was opened empty is written without the mark.
  std::string Serialize() const;
  const std::vector<PrefLine>& Lines() const { return lines_; }

 private:
  // One past the last line of the selected group (or of the part before the first
  // header when no group is selected).
  size_t GroupEnd() const;
  static constexpr size_t kNone = static_cast<size_t>(-1);
  // First line after the selected group's header (0 with no group selected).
  size_t GroupBegin() const { return group_ == kNone ? 0 : group_ + 1; }
  // Index of the key's line in the selected group, or kNone.
  size_t FindKey(std::string_view key) const;

  std::vector<PrefLine> lines_;
  size_t group_ = kNone;    // index of the selected group's header
  bool pending_ = false;    // a group was asked for but is not in the file yet
  std::string pendingName_;
  bool withMark_ = true;
};

}  // namespace qp
