// UTF-16 text as the whole program uses it, plus the few conversions the core needs.
#pragma once
#include <string>
#include <string_view>

namespace qp {

// UTF-16 throughout, as on Windows; the platform layer hands these to the W functions.
using Text = std::u16string;
using TextView = std::u16string_view;

// ASCII/Latin-1 literal to Text (each byte one unit).
Text Latin1ToText(std::string_view s);
// UTF-8 to UTF-16; malformed sequences become U+FFFD.
Text Utf8ToText(std::string_view s);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string TextToUtf8(TextView t);

}  // namespace qp
