#include "window/input_marks.h"

#include <array>
#include <utility>

#include "core/fault.h"
#include "core/float_guard.h"
#include "core/number_text.h"
#include "window/control_table.h"

namespace kneebrace::window {

namespace {

struct LooseBox {
    std::string_view box;
    std::string InputTexts::*text;
    std::string_view what;  // as the run names the input in its messages
    bool stored;            // stored as a single; the angle is used as read, in degrees
};

constexpr std::array<LooseBox, 6> kLooseBoxes{{
    {"Text2", &InputTexts::Text2, "檩条与H钢上翼板间隙", true},
    {"Text3", &InputTexts::Text3, "孔距K2", true},
    {"Text4", &InputTexts::Text4, "孔距K3", true},
    {"Text5", &InputTexts::Text5, "与腹板夹角", false},
    {"Text6", &InputTexts::Text6, "螺栓直径M", true},
    {"Text9", &InputTexts::Text9, "伸出E2", true},
}};

// The value as the run uses it, in the digits the report would give it: the single it
// stores, or for the angle the number read, as the report restates it.
std::string UsedValueText(const LooseBox& b, double value) {
    if (b.stored) return ToText(StoreSingle(value, b.what));
    return ToTextD(value);
}

}  // namespace

std::vector<BoxMark> MarkUnreadInputs(const InputTexts& in) {
    std::vector<BoxMark> marks;
    marks.reserve(kLooseBoxes.size());
    for (const LooseBox& b : kLooseBoxes) {
        BoxMark mark{b.box, false, {}};
        try {
            const LooseReading reading = ReadLoose(in.*b.text, b.what);
            if (!reading.whole) {
                // Stored first: a value the run cannot store is a fault, not a mark.
                std::string used = UsedValueText(b, reading.value);
                mark.marked = true;
                mark.tooltip = "按 " + used + " 计算";
            }
        } catch (const CalculationFault&) {
            // The run stops at this box with a message naming it.
        }
        marks.push_back(std::move(mark));
    }
    return marks;
}

std::string TooltipFor(std::string_view box, const BoxMark* mark) {
    const ControlRow* entry = FindControl(box);
    const std::string_view own = entry != nullptr ? entry->tooltip : std::string_view();
    if (mark == nullptr || !mark->marked) return std::string(own);
    std::string tip = mark->tooltip;
    if (!own.empty()) tip.append("\n").append(own);
    return tip;
}

}  // namespace kneebrace::window
