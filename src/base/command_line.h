// The program's command line: "/noshow", "keyset=n" and a bare window title.
#pragma once
#include <cstdint>
#include <vector>

#include "base/app_state.h"
#include "base/edition.h"
#include "base/text.h"

namespace qp {

// The integer value of a text, as "keyset=" reads it: leading blanks and tabs are
// skipped, then an optional "+" or "-", then "$" and hexadecimal digits, "%" and
// binary digits, or decimal digits. Reading stops at the first character that does
// not fit; a text with no number gives 0 ("", "$", "%", "-", "abc").
// A number beyond 32 bits saturates: INT32_MAX when positive, INT32_MIN when
// negative ("$FFFFFFFF" gives INT32_MAX, "-99999999999" gives INT32_MIN).
int32_t ParseIntegerText(TextView t);

// Fills NoShowSwitch, KeySetSwitch and TargetNameArg from the parameters as the
// platform split them (the program name not included). Parameters are taken in
// order: "/noshow" in any letter case sets NoShowSwitch; "keyset=" in any letter
// case followed by a non-empty value sets KeySetSwitch; a parameter not starting
// with "/" becomes TargetNameArg (the last one wins); other "/" parameters are
// ignored. An empty parameter names no window and is skipped, so it does not clear
// an earlier title.
void ParseCommandLine(const std::vector<Text>& params, AppState& state);

// The key set to start with, once the settings are loaded. The full edition takes
// KeySetSwitch when it is above 0 and keeps a larger number as it is (the panel
// shows set 1 for an unknown number, and the number is saved). The standard
// edition takes 1..keySetCount and starts every other value, and no switch, at 1.
void ApplyKeySetSwitch(AppState& state, const Edition& edition);

}  // namespace qp
