// UTF-16 text as the whole program uses it, plus the few conversions the core needs.
#pragma once
#include <string>
#include <string_view>

namespace qp {

// UTF-16 throughout, as on Windows; the platform layer hands these to the W functions.
using Text = std::u16string;
using TextView = std::u16string_view;

// Appends one code point as UTF-16; anything that is not a Unicode scalar value (surrogates,
// values above U+10FFFF, and NUL) is appended as U+FFFD.
void AppendCodePoint(Text& out, char32_t cp);

// ASCII/Latin-1 literal to Text (each byte one unit).
Text Latin1ToText(std::string_view s);
// UTF-8 to UTF-16; malformed sequences become U+FFFD.
Text Utf8ToText(std::string_view s);
// Whether text starts with prefix, ASCII capitals in text taken as small letters (prefix is
// written in small letters).
bool StartsWithNoCase(TextView text, TextView prefix);
// Appends one code point (a scalar value, as the caller guarantees) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string TextToUtf8(TextView t);

}  // namespace qp
