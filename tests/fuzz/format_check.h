// What every output text must satisfy, for any 32-bit code point, mode and entity
// reference. Shared by the fuzz target and the exhaustive sweep.
#pragma once
#include <cstdint>
#include <string>

#include "base/text.h"
#include "fuzz_check.h"
#include "output/format.h"

namespace qp::fuzz {

inline bool IsScalar(int64_t c) { return c >= 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }

// Reads digits of `base` (upper-case letters only) filling all of t; -1 when t is
// empty, too long, or holds anything else.
inline int64_t ReadNumber(TextView t, int base) {
  if (t.empty() || t.size() > 10) return -1;
  int64_t v = 0;
  for (char16_t c : t) {
    int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : 99;
    if (d >= base) return -1;
    v = v * base + d;
  }
  return v;
}

// The text after `prefix` and before `suffix`, read as a number of `base`; -1 when
// the text does not have that shape.
inline int64_t Between(TextView out, TextView prefix, TextView suffix, int base) {
  if (out.size() < prefix.size() + suffix.size() || out.substr(0, prefix.size()) != prefix ||
      out.substr(out.size() - suffix.size()) != suffix) {
    return -1;
  }
  return ReadNumber(out.substr(prefix.size(), out.size() - prefix.size() - suffix.size()), base);
}

// The one scalar value a UTF-16 text holds, or -1.
inline int64_t DecodeOneUtf16(TextView t) {
  if (t.size() == 1) return t[0] >= 0xD800 && t[0] <= 0xDFFF ? -1 : t[0];
  if (t.size() == 2 && t[0] >= 0xD800 && t[0] <= 0xDBFF && t[1] >= 0xDC00 && t[1] <= 0xDFFF) {
    return 0x10000 + ((t[0] - 0xD800) << 10) + (t[1] - 0xDC00);
  }
  return -1;
}

// The one scalar value a byte string holds in strict UTF-8 (shortest form, no
// surrogates, nothing above 10FFFF), or -1.
inline int64_t DecodeOneUtf8(const std::string& b) {
  if (b.empty() || b.size() > 4) return -1;
  const unsigned char lead = static_cast<unsigned char>(b[0]);
  size_t n;
  int64_t v;
  if (lead < 0x80) n = 1, v = lead;
  else if ((lead & 0xE0) == 0xC0) n = 2, v = lead & 0x1F;
  else if ((lead & 0xF0) == 0xE0) n = 3, v = lead & 0x0F;
  else if ((lead & 0xF8) == 0xF0) n = 4, v = lead & 0x07;
  else return -1;
  if (b.size() != n) return -1;
  for (size_t i = 1; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(b[i]);
    if ((c & 0xC0) != 0x80) return -1;
    v = (v << 6) | (c & 0x3F);
  }
  const int64_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
  return v >= shortest[n] && IsScalar(v) ? v : -1;
}

// "%XX" groups back to bytes; false when the text has any other shape.
inline bool PercentDecode(TextView t, std::string& bytes) {
  if (t.empty() || t.size() % 3 != 0) return false;
  for (size_t i = 0; i < t.size(); i += 3) {
    if (t[i] != u'%') return false;
    const int64_t b = ReadNumber(t.substr(i + 1, 2), 16);
    if (b < 0) return false;
    bytes.push_back(static_cast<char>(b));
  }
  return true;
}

// Hexadecimal or decimal digits with no zero in front (but "0" itself).
inline bool NoLeadingZero(TextView digits) { return digits.size() == 1 || digits[0] != u'0'; }

inline void CheckFormat(int32_t codePoint, int32_t mode, TextView entityRef) {
  const Text out = FormatForOutput(codePoint, mode, entityRef);
  if (!IsScalar(codePoint)) {
    // Not a character: formatted exactly as the replacement character.
    QP_FUZZ_CHECK(out == FormatForOutput(0xFFFD, mode, entityRef));
    QP_FUZZ_CHECK(ToUtf16(codePoint) == ToUtf16(0xFFFD));
    return;
  }
  const int64_t c = codePoint;
  const int m = mode >= 1 && mode <= 12 ? mode : 1;
  switch (m) {
    case 1:
      QP_FUZZ_CHECK(DecodeOneUtf16(out) == c);
      QP_FUZZ_CHECK(out.size() == (c > 0xFFFF ? 2u : 1u));
      QP_FUZZ_CHECK(out == ToUtf16(codePoint));
      QP_FUZZ_CHECK(DecodeOneUtf8(TextToUtf8(out)) == c);
      QP_FUZZ_CHECK(Utf8ToText(TextToUtf8(out)) == out);
      break;
    case 2:
      QP_FUZZ_CHECK(out == (entityRef.empty() ? FormatForOutput(codePoint, 3, entityRef) : Text(entityRef)));
      break;
    case 3:
      QP_FUZZ_CHECK(Between(out, u"&#", u";", 10) == c);
      QP_FUZZ_CHECK(NoLeadingZero(TextView(out).substr(2, out.size() - 3)));
      break;
    case 4:
      QP_FUZZ_CHECK(Between(out, u"&#x", u";", 16) == c);
      QP_FUZZ_CHECK(NoLeadingZero(TextView(out).substr(3, out.size() - 4)));
      break;
    case 5:
      QP_FUZZ_CHECK(Between(out, u"U+", u"", 16) == c);
      QP_FUZZ_CHECK(out.size() == 6 || (out.size() > 6 && out[2] != u'0'));  // at least 4 digits, no more filling
      break;
    case 6: {
      // One "\uXXXX" per UTF-16 unit of the character.
      const Text units = ToUtf16(codePoint);
      QP_FUZZ_CHECK(out.size() == 6 * units.size());
      Text back;
      for (size_t i = 0; i < out.size() && out.size() % 6 == 0; i += 6) {
        const int64_t u = Between(TextView(out).substr(i, 6), u"\\u", u"", 16);
        QP_FUZZ_CHECK(u >= 0);
        back.push_back(static_cast<char16_t>(u));
      }
      QP_FUZZ_CHECK(DecodeOneUtf16(back) == c);
      break;
    }
    case 7:
      QP_FUZZ_CHECK(out.size() == 10 && Between(out, u"\\U", u"", 16) == c);
      break;
    case 8: {
      std::string bytes;
      QP_FUZZ_CHECK(PercentDecode(out, bytes));
      QP_FUZZ_CHECK(DecodeOneUtf8(bytes) == c);
      QP_FUZZ_CHECK(bytes == TextToUtf8(ToUtf16(codePoint)));
      break;
    }
    case 9:
      QP_FUZZ_CHECK(Between(out, u"", u"", 10) == c && NoLeadingZero(out));
      break;
    default: {
      const char16_t* prefix = m == 10 ? u"0x" : m == 11 ? u"$" : u"&H";
      const size_t n = TextView(prefix).size();
      QP_FUZZ_CHECK(Between(out, prefix, u"", 16) == c && NoLeadingZero(TextView(out).substr(n)));
      break;
    }
  }
}

// Any prefix, any value: one prefix and two upper-case hex digits per UTF-8 byte of
// the character (or of U+FFFD for a value that is none).
inline void CheckPercentPrefix(int32_t codePoint, TextView prefix) {
  const Text out = PercentEncodeUtf8(codePoint, prefix);
  const std::string utf8 = TextToUtf8(ToUtf16(codePoint));
  QP_FUZZ_CHECK(out.size() == utf8.size() * (prefix.size() + 2));
  for (size_t i = 0, at = 0; i < utf8.size(); ++i, at += prefix.size() + 2) {
    QP_FUZZ_CHECK(TextView(out).substr(at, prefix.size()) == prefix);
    QP_FUZZ_CHECK(ReadNumber(TextView(out).substr(at + prefix.size(), 2), 16) == static_cast<unsigned char>(utf8[i]));
  }
}

}  // namespace qp::fuzz
