// The seven checks of the knee brace and the report header. Each one reads what the
// run and the earlier checks left in the record, writes its own results, its verdict
// line and its report section. Sections start without a leading line break, put three
// blanks before formula and verdict lines and five before legend lines, and end every
// line, the last included, with CR LF.
#pragma once

#include "core/calculation_run.h"
#include "core/design_state.h"

namespace kneebrace {

// (1) slenderness L0 / Imin against 200; leaves lambda rounded to 0.1.
void CheckSlenderness(DesignState& s);

// (2) width-thickness ratio of the leg against a limit that grows with slenderness.
void CheckLocalStability(DesignState& s);

// (3) brace force N from the restrained flange, and the net-section stress against
// 215 N/mm². Shows the brace angle as the user typed it, hence the input texts.
void CheckBraceStrength(DesignState& s, const InputTexts& in);

// (4) overall stability of the angle as a compression member against 215 N/mm².
void CheckStability(DesignState& s);

// (5) shear capacity of one bolt in single shear against N.
void CheckBoltShear(DesignState& s);

// (6) bearing capacity of the hole wall in the angle leg against N.
void CheckHoleBearing(DesignState& s);

// (7) shear capacity of the angle's end beyond the bolt against N.
void CheckEndShear(DesignState& s);

// The title, the inputs restated and the derived length and force. Built last because
// it shows this run's N.
void BuildReportHeader(DesignState& s, const InputTexts& in);

}  // namespace kneebrace
