// Text as the W functions take and give it: both sides are UTF-16, so only the pointer type
// changes.
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/text.h"

namespace qpw {

inline const wchar_t* W(const qp::Text& t) { return reinterpret_cast<const wchar_t*>(t.c_str()); }
inline const wchar_t* W(const char16_t* t) { return reinterpret_cast<const wchar_t*>(t); }
inline qp::Text FromWide(const wchar_t* s) { return qp::Text(reinterpret_cast<const char16_t*>(s)); }
inline qp::Text FromWide(const wchar_t* s, size_t units) {
  return qp::Text(reinterpret_cast<const char16_t*>(s), units);
}

}  // namespace qpw
