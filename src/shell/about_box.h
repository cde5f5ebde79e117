// The About box: product, version, build and maker in a plain message box.
#pragma once
#include "base/edition.h"
#include "base/text.h"

namespace qp {

// The box's text for an edition and a build width: eight lines, each ended by CR LF.
Text AboutBoxText(const Edition& edition, bool build64);
// The running build's width.
constexpr bool kBuild64 = sizeof(void*) == 8;

// Shows the box for the running edition and build; returns when the user closes it.
void ShowAboutBox();

}  // namespace qp
