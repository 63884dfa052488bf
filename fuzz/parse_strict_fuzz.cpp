// ParseStrict on any bytes: a finite single, or a TypeMismatch or Overflow fault.
// A text it accepts must read the same with blanks around it, negate with a "-", agree
// with ParseLoose to the single's last bit, and survive a trip through ToText. Any text
// reads the same, or is rejected for the same reason, with its digits, signs, points,
// exponent letters and blanks in their full-width forms.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/fault.h"
#include "core/number_text.h"
#include "full_width.h"
#include "fuzz_check.h"

namespace {

using namespace kneebrace;

struct Outcome {
    std::optional<float> value;
    FaultKind fault = FaultKind::TypeMismatch;  // when there is no value
};

Outcome Read(const std::string& text) {
    try {
        const float x = ParseStrict(text);
        FUZZ_REQUIRE(std::isfinite(x), "\"" + text + "\"");
        return Outcome{x};
    } catch (const CalculationFault& fault) {
        FUZZ_REQUIRE(fault.kind() == FaultKind::TypeMismatch || fault.kind() == FaultKind::Overflow,
                     "\"" + text + "\" raised " + std::string(FaultKindName(fault.kind())));
        return Outcome{std::nullopt, fault.kind()};
    }
}

bool Same(const Outcome& a, const Outcome& b) {
    if (a.value.has_value() != b.value.has_value()) return false;
    if (!a.value) return a.fault == b.fault;
    return *a.value == *b.value && std::signbit(*a.value) == std::signbit(*b.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Outcome outcome = Read(text);
    const std::string what = "\"" + text + "\"";

    FUZZ_REQUIRE(Same(outcome, Read("  " + text + " ")), what);
    FUZZ_REQUIRE(Same(outcome, Read(fuzz::Widen(text))), what + " widened");

    // With a "-" after the leading blanks, a text without a sign of its own reads as
    // the negated value; a rejected text stays rejected for the same reason.
    std::size_t lead = 0;
    for (;;) {
        if (lead < text.size() && text[lead] == ' ') {
            ++lead;
        } else if (fuzz::StartsWithAt(text, lead, fuzz::kIdeographicSpace)) {
            lead += fuzz::kIdeographicSpace.size();
        } else {
            break;
        }
    }
    const bool hasSign =
        lead < text.size() && (text[lead] == '+' || text[lead] == '-' ||
                               fuzz::StartsWithAt(text, lead, fuzz::kFullWidthPlus) ||
                               fuzz::StartsWithAt(text, lead, fuzz::kFullWidthMinus));
    if (lead < text.size() && !hasSign) {
        std::string negated = text;
        negated.insert(lead, 1, '-');
        const Outcome n = Read(negated);
        if (outcome.value) {
            FUZZ_REQUIRE(n.value && *n.value == -*outcome.value, what);
        } else {
            FUZZ_REQUIRE(!n.value && n.fault == outcome.fault, what);
        }
    }

    if (!outcome.value) {
        // What ParseStrict finds too large, ParseLoose reads as beyond the single range.
        if (outcome.fault == FaultKind::Overflow) {
            try {
                const double loose = ParseLoose(text);
                FUZZ_REQUIRE(
                    std::fabs(loose) >= static_cast<double>(std::numeric_limits<float>::max()),
                    what);
            } catch (const CalculationFault& fault) {
                FUZZ_REQUIRE(fault.kind() == FaultKind::Overflow, what);
            }
        }
        return 0;
    }
    const float x = *outcome.value;

    // ParseLoose reads the same number in double; stored as a single it may differ only
    // by the second rounding, one step at most.
    const float loose = static_cast<float>(ParseLoose(text));
    const float below = std::nextafter(x, -std::numeric_limits<float>::infinity());
    const float above = std::nextafter(x, std::numeric_limits<float>::infinity());
    FUZZ_REQUIRE(loose == x || loose == below || loose == above, what);

    // The report shows x with ToText; that text must read back as a number within the
    // rounding to 7 significant digits.
    const std::string shown = ToText(x);
    const Outcome back = Read(shown);
    FUZZ_REQUIRE(back.value.has_value(), what + " shown as \"" + shown + "\"");
    const double a = std::fabs(static_cast<double>(x));
    if (a != 0) {
        const double unit = std::pow(10.0, std::floor(std::log10(a)) - 6);
        const double spacing = static_cast<double>(above - x) + static_cast<double>(x - below);
        FUZZ_REQUIRE(std::fabs(static_cast<double>(*back.value) - static_cast<double>(x)) <=
                         0.5 * unit + spacing,
                     what + " shown as \"" + shown + "\"");
    }
    return 0;
}
