// Design values of the H-beam's lower flange by steel grade and flange thickness.
// They set the force the brace must carry; the angle itself is always Q235.
#pragma once

#include "core/design_state.h"

namespace kneebrace {

// fy = 235 and f by thickness band (<=16: 215, <=40: 205, <=60: 200, <=100: 190).
void ApplyGradeQ235(DesignState& s);

// fy = 345 and f by thickness band (<=16: 310, <=35: 295, <=50: 265, <=100: 250).
void ApplyGradeQ345(DesignState& s);

}  // namespace kneebrace
