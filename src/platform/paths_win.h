// The program's own file and the shell's special folders, read the one way the program reads them.
#pragma once
#include "base/text.h"

namespace qpw {

// Full path of the running program file; empty when the system cannot give it.
qp::Text ProgramFilePath();

// A shell special folder (a CSIDL number, e.g. 26 application data, 16 desktop, 5 documents)
// ending in a backslash; empty when the shell cannot name it.
qp::Text SpecialFolderPath(int csidl);

}  // namespace qpw
