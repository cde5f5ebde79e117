// Windows' high-contrast mode, read from the system and handed to the core's colour scheme.
#pragma once

namespace qpw {

// At start, before the panel is first coloured.
void InitSystemContrast();
// After a change of system colours or settings: recolours and repaints when anything changed.
void FollowSystemContrast();

}  // namespace qpw
