// Lower-casing as the Windows CharLowerW does it: one UTF-16 unit at a time, by the
// simple Unicode lower-case mapping of the BMP. Surrogate units are left alone.
#pragma once
#include "base/text.h"

namespace qp {

char16_t LowerCaseUnit(char16_t c);
Text LowerCase(TextView t);

}  // namespace qp
