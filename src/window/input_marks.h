// Marks on the number boxes whose text the last run did not read whole. The run reads
// those boxes loosely ("45度" is 45, "abc" is 0) and never refuses them; the mark and
// its tooltip show the user which value the report was built on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/calculation_run.h"

namespace kneebrace::window {

struct BoxMark {
    std::string_view box;  // "Text2", "Text3", "Text4", "Text5", "Text6" or "Text9"
    bool marked = false;   // the text was not read whole as one number
    std::string tooltip;   // while marked, what the run used: "按 45 计算"; empty otherwise
};

// After a Calculate, faulted or not: one entry per loose number box, in that order. A box
// whose text cannot be read at all (its reading faults) is not marked: the fault message
// speaks for it.
std::vector<BoxMark> MarkUnreadInputs(const InputTexts& in);

// The marked box's background, pale red, as 0xRRGGBB.
inline constexpr unsigned kMarkColourRgb = 0xFFD7D7;

// The tooltip a box shows: its mark's text when marked (on the first line), then its own
// tooltip from the table.
std::string TooltipFor(std::string_view box, const BoxMark* mark);

}  // namespace kneebrace::window
