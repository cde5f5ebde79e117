// Turning a key's code point into the text one click delivers, in one of the
// twelve output modes.
#pragma once
#include <cstdint>

#include "base/text.h"

namespace qp {

// Numbers as stored in OutStyle and the configuration file.
enum class OutputMode {
  Character = 1,
  EntityName = 2,
  EntityDecimal = 3,
  EntityHex = 4,
  CodePoint = 5,
  Escape4 = 6,
  Escape8 = 7,
  UriUtf8 = 8,
  Decimal = 9,
  Hex0x = 10,
  HexDollar = 11,
  HexAmpH = 12,
};

struct OutputModeInfo {
  OutputMode mode;
  const char16_t* label;  // settings-window caption; "&&" shows as one "&"
};

inline constexpr int kOutputModeCount = 12;
// The modes in number order: kOutputModes[n - 1] is mode n.
extern const OutputModeInfo kOutputModes[kOutputModeCount];

// A stored OutStyle value as a mode: anything outside 1..12 is Character.
OutputMode OutputModeFromSetting(int32_t value);

// Code points are meant to be U+0020..U+10FFFF. Any other value that is still a
// Unicode scalar value (U+0000..U+001F) is formatted the same way; a value that is
// not one (negative, a surrogate D800..DFFF, or above 10FFFF) is replaced by
// U+FFFD before formatting, in every mode.

// The character as one UTF-16 unit, or a surrogate pair above U+FFFF.
Text ToUtf16(int32_t codePoint);
// The UTF-8 bytes of the character, each as prefix + two uppercase hex digits.
Text PercentEncodeUtf8(int32_t codePoint, TextView prefix);
// The text of one click. mode is the OutStyle value (outside 1..12 acts as 1);
// entityRef is the key's EntityText entry ("&euro;" or empty), used by mode 2 only.
Text FormatForOutput(int32_t codePoint, int32_t mode, TextView entityRef);

}  // namespace qp
