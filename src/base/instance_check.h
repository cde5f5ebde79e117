// The portable half of the other-instance check: which window title marks a
// running copy, and whether and what to ask the user.
#pragma once
#include "base/app_state.h"
#include "base/edition.h"
#include "base/text.h"

namespace qp {

// The probe reads at most this many characters of a window title; the prefixes are
// far shorter, so a longer title is still recognised.
inline constexpr size_t kInstanceTitleChars = 255;

// True when the title begins with the edition's instance prefix, compared exactly
// over the prefix's full length: "Quillpad Pro ~ " with its trailing blank, or
// "Quillpad ~" in the standard edition.
bool IsInstanceTitle(TextView title, const Edition& edition);

// Whether the Yes/No question is due: another copy was found, and the full edition's
// AllowMultiRun is 0. The standard edition always asks.
bool ShouldAskAboutOtherInstance(const AppState& state, const Edition& edition);

// Caption and text of that question (MB_YESNO | MB_ICONQUESTION).
Text InstanceQuestionCaption(const Edition& edition);
Text InstanceQuestionText(const Edition& edition);

}  // namespace qp
