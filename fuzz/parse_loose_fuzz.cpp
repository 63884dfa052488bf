// ParseLoose on any bytes. It never rejects a text: the result is a finite number, or
// an Overflow fault for a value beyond the double range. A minus sign in front of a
// number negates exactly what the number alone reads as.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/fault.h"
#include "core/number_text.h"
#include "fuzz_check.h"

namespace {

using namespace kneebrace;

// The value, or nothing for an Overflow fault; any other fault is a failure.
std::optional<double> Read(const std::string& text) {
    try {
        const double x = ParseLoose(text);
        FUZZ_REQUIRE(std::isfinite(x), "\"" + text + "\"");
        return x;
    } catch (const CalculationFault& fault) {
        FUZZ_REQUIRE(fault.kind() == FaultKind::Overflow,
                     "\"" + text + "\" raised " + std::string(FaultKindName(fault.kind())));
        FUZZ_REQUIRE(fault.what()[0] != '\0', "\"" + text + "\"");
        return std::nullopt;
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = Read(text);

    // Where the text starts (blanks skipped) with neither a sign nor "&", "-" there
    // gives the negated number: the same digits, the same rounding, the same overflow.
    std::size_t lead = 0;
    while (lead < text.size() && IsBlank(text[lead])) ++lead;
    if (lead < text.size() && (text[lead] == '+' || text[lead] == '-' || text[lead] == '&')) {
        return 0;
    }
    std::string negated = text;
    negated.insert(lead, 1, '-');
    const auto negatedValue = Read(negated);
    FUZZ_REQUIRE(value.has_value() == negatedValue.has_value(), "\"" + text + "\"");
    if (value) {
        // A text without digits reads as an unsigned 0 either way.
        const bool zeros = *value == 0 && *negatedValue == 0;
        const bool mirrored =
            *negatedValue == -*value && std::signbit(*negatedValue) != std::signbit(*value);
        FUZZ_REQUIRE(zeros || mirrored, "\"" + text + "\"");
    }
    return 0;
}
