#include "settings/preferences_file.h"

#include <limits>

namespace qp {

namespace {

const char kMark[] = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

PrefLine ParseLine(std::string_view line) {
  if (line[0] == ';') {
    line.remove_prefix(1);
    if (!line.empty() && line[0] == ' ') line.remove_prefix(1);
    return {PrefLineKind::Comment, std::string(line), {}};
  }
  if (line[0] == '[') {
    line.remove_prefix(1);
    return {PrefLineKind::Group, std::string(line.substr(0, line.find(']'))), {}};
  }
  const size_t eq = line.find('=');
  std::string_view key = line.substr(0, eq);
  while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
  std::string_view value;
  if (eq != std::string_view::npos) {
    value = line.substr(eq + 1);
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
  }
  return {PrefLineKind::Key, std::string(key), std::string(value)};
}

}  // namespace

int32_t ParsePreferenceInt(std::string_view value) {
  size_t i = 0;
  while (i < value.size() && (IsBlank(value[i]) || value[i] == '\v' || value[i] == '\f' ||
                              value[i] == '\r' || value[i] == '\n')) {
    ++i;
  }
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  int64_t magnitude = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - '0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

PreferencesFile PreferencesFile::Open(std::string_view bytes) {
  PreferencesFile file;
  std::string text;
  if (bytes.substr(0, 3) == kMark) {
    text = std::string(bytes.substr(3));
  } else {
    text = Latin1ToUtf8(bytes);
    file.withMark_ = !bytes.empty();
  }
  size_t start = 0;
  while (start <= text.size()) {
    size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string::npos) stop = text.size();
    std::string_view line(text.data() + start, stop - start);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (!line.empty()) file.lines_.push_back(ParseLine(line));
    start = stop + 1;
  }
  return file;
}

PreferencesFile PreferencesFile::Create() { return PreferencesFile(); }

void PreferencesFile::SelectGroup(std::string_view name) {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == PrefLineKind::Group && SameNameIgnoringCase(lines_[i].name, name)) {
      group_ = i;
      pending_ = false;
      return;
    }
  }
  group_ = kNone;
  pending_ = true;
  pendingName_ = std::string(name);
}

size_t PreferencesFile::GroupEnd() const {
  size_t i = GroupBegin();
  while (i < lines_.size() && lines_[i].kind != PrefLineKind::Group) ++i;
  return i;
}

size_t PreferencesFile::FindKey(std::string_view key) const {
  if (pending_) return kNone;
  const size_t end = GroupEnd();
  for (size_t i = GroupBegin(); i < end; ++i) {
    if (lines_[i].kind == PrefLineKind::Key && SameNameIgnoringCase(lines_[i].name, key)) return i;
  }
  return kNone;
}

int32_t PreferencesFile::ReadInt(std::string_view key, int32_t fallback) const {
  const size_t i = FindKey(key);
  return i == kNone ? fallback : ParsePreferenceInt(lines_[i].value);
}

bool PreferencesFile::ReadText(std::string_view key, std::string& value) const {
  const size_t i = FindKey(key);
  if (i == kNone) return false;
  value = lines_[i].value;
  return true;
}

void PreferencesFile::WriteInt(std::string_view key, int32_t value) { WriteText(key, std::to_string(value)); }

void PreferencesFile::WriteText(std::string_view key, std::string_view value) {
  std::string text(value);
  const size_t found = FindKey(key);
  if (found != kNone) {
    lines_[found].value = std::move(text);
    return;
  }
  if (pending_) {
    lines_.push_back({PrefLineKind::Group, pendingName_, {}});
    group_ = lines_.size() - 1;
    pending_ = false;
  }
  const size_t end = GroupEnd();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), PrefLine{PrefLineKind::Key, std::string(key), std::move(text)});
}

std::string PreferencesFile::Serialize() const {
  std::string out;
  if (withMark_) out += kMark;
  out += "\r\n";
  for (const PrefLine& line : lines_) {
    switch (line.kind) {
      case PrefLineKind::Group: out += "[" + line.name + "]"; break;
      case PrefLineKind::Comment: out += "; " + line.name; break;
      case PrefLineKind::Key: out += line.name + " = " + line.value; break;
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace qp
