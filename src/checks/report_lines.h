// Shared pieces of the report sections' lines.
#pragma once

#include <string>
#include <string_view>

namespace kneebrace::report {

inline constexpr std::string_view kEol = "\r\n";
inline constexpr std::string_view kFormulaIndent = "   ";   // formula and verdict lines
inline constexpr std::string_view kLegendIndent = "     ";  // legend lines, one symbol each

// Appends an indented line ending in CR LF.
inline void Formula(std::string& text, std::string_view line) {
    text.append(kFormulaIndent).append(line).append(kEol);
}

// Appends a legend line: five blanks, then the pieces, then CR LF.
template <typename... Pieces>
void Legend(std::string& text, const Pieces&... pieces) {
    text.append(kLegendIndent);
    (text.append(pieces), ...);
    text.append(kEol);
}

// The verdict line of the capacity checks (5) to (7): capacity against the force N.
inline std::string CapacityVerdict(std::string_view label, const std::string& capacity,
                                   const std::string& force, bool passes) {
    std::string line(label);
    line.append(capacity);
    line.append(passes ? "N，>=" : "N，<");
    line.append(force);
    line.append(passes ? "N,通过！" : "N,失败！");
    return line;
}

// The verdict ending of the stress checks (3) and (4).
inline std::string_view StressVerdictEnding(bool passes) {
    return passes ? "N/mm2，<=215N/mm2 ,通过！" : "N/mm2，>215N/mm2 ,失败！";
}

}  // namespace kneebrace::report
