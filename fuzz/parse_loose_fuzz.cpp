// ParseLoose on any bytes. It never rejects a text: the result is a finite number, or
// an Overflow fault for a value beyond the double range. A minus sign in front of a
// number negates exactly what the number alone reads as. Full-width digits, signs,
// points, exponent letters and blanks read as their ASCII forms; a text read whole
// stops being whole, and keeps its value, when a character that ends a number follows.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/fault.h"
#include "core/number_text.h"
#include "full_width.h"
#include "fuzz_check.h"

namespace {

using namespace kneebrace;

// The reading, or nothing for an Overflow fault; any other fault is a failure.
std::optional<LooseReading> ReadWhole(const std::string& text) {
    try {
        const LooseReading r = ReadLoose(text);
        FUZZ_REQUIRE(std::isfinite(r.value), "\"" + text + "\"");
        const double plain = ParseLoose(text);
        FUZZ_REQUIRE(plain == r.value && std::signbit(plain) == std::signbit(r.value),
                     "\"" + text + "\"");
        return r;
    } catch (const CalculationFault& fault) {
        FUZZ_REQUIRE(fault.kind() == FaultKind::Overflow,
                     "\"" + text + "\" raised " + std::string(FaultKindName(fault.kind())));
        FUZZ_REQUIRE(fault.what()[0] != '\0', "\"" + text + "\"");
        return std::nullopt;
    }
}

std::optional<double> Read(const std::string& text) {
    const auto r = ReadWhole(text);
    return r ? std::optional<double>(r->value) : std::nullopt;
}

bool Same(const std::optional<LooseReading>& a, const std::optional<LooseReading>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || (a->value == b->value && std::signbit(a->value) == std::signbit(b->value) &&
                  a->whole == b->whole);
}

// The length of the blank ParseLoose skips at `at`, 0 when there is none.
std::size_t BlankAt(const std::string& text, std::size_t at) {
    const char c = text[at];
    if (c == ' ' || c == '\t' || c == '\n') return 1;
    return fuzz::StartsWithAt(text, at, fuzz::kIdeographicSpace) ? fuzz::kIdeographicSpace.size()
                                                                 : 0;
}

bool SignOrRadixAt(const std::string& text, std::size_t at) {
    const char c = text[at];
    return c == '+' || c == '-' || c == '&' || fuzz::StartsWithAt(text, at, fuzz::kFullWidthPlus) ||
           fuzz::StartsWithAt(text, at, fuzz::kFullWidthMinus);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto reading = ReadWhole(text);
    const auto value = Read(text);

    FUZZ_REQUIRE(Same(reading, ReadWhole(fuzz::Widen(text))), "\"" + text + "\" widened");
    if (reading && reading->whole) {
        const auto followed = ReadWhole(text + "度");
        FUZZ_REQUIRE(followed && !followed->whole && followed->value == reading->value,
                     "\"" + text + "\"");
    }

    // Where the text starts (blanks skipped) with neither a sign nor "&", "-" there
    // gives the negated number: the same digits, the same rounding, the same overflow.
    std::size_t lead = 0;
    while (lead < text.size() && BlankAt(text, lead) > 0) lead += BlankAt(text, lead);
    if (lead < text.size() && SignOrRadixAt(text, lead)) return 0;
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
