#include "output/format.h"

namespace qp {

const OutputModeInfo kOutputModes[kOutputModeCount] = {
    {OutputMode::Character, u"character"},
    {OutputMode::EntityName, u"HTML entity name, or code if none"},
    {OutputMode::EntityDecimal, u"HTML entity code, decimal"},
    {OutputMode::EntityHex, u"HTML entity code, hexadecimal"},
    {OutputMode::CodePoint, u"Unicode code point  (U+FFFF)"},
    {OutputMode::Escape4, u"escaped Unicode hex, 4 digit  (\\uFFFF)"},
    {OutputMode::Escape8, u"escaped Unicode hex, 8 digit (\\U00FFFFFF)"},
    {OutputMode::UriUtf8, u"URI encoded UTF8  (%FF%FF)"},
    {OutputMode::Decimal, u"decimal code"},
    {OutputMode::Hex0x, u"hexadecimal, 0x prefix"},
    {OutputMode::HexDollar, u"hexadecimal, $ prefix"},
    {OutputMode::HexAmpH, u"hexadecimal, &&H prefix"},
};

namespace {

int32_t ScalarOrReplacement(int32_t c) {
  const bool scalar = c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
  return scalar ? c : 0xFFFD;
}

// Only called with scalar values, which are never negative.
Text Decimal(int32_t c) { return Latin1ToText(std::to_string(c)); }

Text Hex(uint32_t v) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  constexpr size_t kMaxDigits = 8;
  char16_t buf[kMaxDigits];
  size_t n = 0;
  do {
    buf[kMaxDigits - 1 - n++] = kDigits[v & 0xF];
    v >>= 4;
  } while (v != 0);
  return Text(buf + (kMaxDigits - n), n);
}

// Prefix, the number filled with "0" to width, suffix; built by appending only.
Text Compose(TextView prefix, const Text& number, size_t width = 0, TextView suffix = {}) {
  Text out(prefix);
  if (number.size() < width) out.append(width - number.size(), u'0');
  out += number;
  out += suffix;
  return out;
}

}  // namespace

OutputMode OutputModeFromSetting(int32_t value) {
  return value >= 1 && value <= kOutputModeCount ? static_cast<OutputMode>(value) : OutputMode::Character;
}

Text ToUtf16(int32_t codePoint) {
  const int32_t c = ScalarOrReplacement(codePoint);
  if (c < 0x10000) return Text(1, static_cast<char16_t>(c));
  const int32_t v = c - 0x10000;
  return {static_cast<char16_t>(0xD800 + v / 0x400), static_cast<char16_t>(0xDC00 + v % 0x400)};
}

Text PercentEncodeUtf8(int32_t codePoint, TextView prefix) {
  const uint32_t c = static_cast<uint32_t>(ScalarOrReplacement(codePoint));
  uint32_t bytes[4];
  int n;
  if (c <= 0x7F) {
    bytes[0] = c;
    n = 1;
  } else if (c <= 0x7FF) {
    bytes[0] = 0xC0 + (c >> 6);
    bytes[1] = 0x80 + (c & 0x3F);
    n = 2;
  } else if (c <= 0xFFFF) {
    bytes[0] = 0xE0 + (c >> 12);
    bytes[1] = 0x80 + ((c >> 6) & 0x3F);
    bytes[2] = 0x80 + (c & 0x3F);
    n = 3;
  } else {
    bytes[0] = 0xF0 + (c >> 18);
    bytes[1] = 0x80 + ((c >> 12) & 0x3F);
    bytes[2] = 0x80 + ((c >> 6) & 0x3F);
    bytes[3] = 0x80 + (c & 0x3F);
    n = 4;
  }
  Text out;
  for (int i = 0; i < n; ++i) out += Compose(prefix, Hex(bytes[i]), 2);
  return out;
}

Text FormatForOutput(int32_t codePoint, int32_t mode, TextView entityRef) {
  const int32_t c = ScalarOrReplacement(codePoint);
  const uint32_t u = static_cast<uint32_t>(c);
  switch (OutputModeFromSetting(mode)) {
    case OutputMode::Character: return ToUtf16(c);
    case OutputMode::EntityName:
      if (!entityRef.empty()) return Text(entityRef);
      return Compose(u"&#", Decimal(c), 0, u";");
    case OutputMode::EntityDecimal: return Compose(u"&#", Decimal(c), 0, u";");
    case OutputMode::EntityHex: return Compose(u"&#x", Hex(u), 0, u";");
    case OutputMode::CodePoint: return Compose(u"U+", Hex(u), 4);
    case OutputMode::Escape4: {
      if (c <= 0xFFFF) return Compose(u"\\u", Hex(u), 4);
      const Text pair = ToUtf16(c);
      return Compose(u"\\u", Hex(pair[0]), 4) + Compose(u"\\u", Hex(pair[1]), 4);
    }
    case OutputMode::Escape8: return Compose(u"\\U", Hex(u), 8);
    case OutputMode::UriUtf8: return PercentEncodeUtf8(c, u"%");
    case OutputMode::Decimal: return Decimal(c);
    case OutputMode::Hex0x: return Compose(u"0x", Hex(u));
    case OutputMode::HexDollar: return Compose(u"$", Hex(u));
    case OutputMode::HexAmpH: return Compose(u"&H", Hex(u));
  }
  return ToUtf16(c);
}

}  // namespace qp
