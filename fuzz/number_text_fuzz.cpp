// ToText, ToTextD and FormatFixed on every bit pattern: singles and doubles taken
// straight from the input bytes, NaNs, infinities and subnormals included. A finite
// value must come out in the report's number shapes, close to the value, and the same
// for -x as for x but for the sign.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "core/number_text.h"
#include "fuzz_check.h"
#include "number_shape.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::fuzz;

std::string Show(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g (%a)", x, x);
    return buf;
}

// Distance from x to the next representable value of its own type, away from zero.
template <typename Real>
double Spacing(Real x) {
    const Real a = std::fabs(x);
    const Real next = std::nextafter(a, std::numeric_limits<Real>::infinity());
    if (std::isinf(next)) return static_cast<double>(a - std::nextafter(a, Real(0)));
    return static_cast<double>(next - a);
}

template <typename Real>
void CheckGeneral(Real x, const std::string& text, int digits, double plainBelow) {
    const std::string what = "x=" + Show(static_cast<double>(x)) + " text=\"" + text + "\"";
    if (!std::isfinite(x)) {
        FUZZ_REQUIRE(!text.empty(), what);
        return;
    }
    const auto g = ReadGeneral(text);
    FUZZ_REQUIRE(g.has_value(), what);
    FUZZ_REQUIRE(g->significantDigits <= digits, what);
    FUZZ_REQUIRE(!g->trailingZero, what);
    if (text == "0") return;
    FUZZ_REQUIRE(g->negative == std::signbit(x), what);
    const double a = std::fabs(static_cast<double>(x));
    const double shown = std::fabs(g->value);
    if (std::isinf(shown)) {
        // 15 digits of the largest doubles round up beyond the double range
        // (1.79769313486232E+308); nothing else may.
        FUZZ_REQUIRE(a >= std::numeric_limits<double>::max() * (1 - 1e-14), what);
        return;
    }
    FUZZ_REQUIRE(g->exponentForm == !(shown >= 1e-4 && shown < plainBelow), what);
    // Rounded to `digits` significant digits: off by at most half a unit in the last
    // place, plus what reading the text back may add.
    const double unit = std::pow(10.0, std::floor(std::log10(shown)) - (digits - 1));
    const double slack = 0.5 * unit * (1 + 1e-9) + 4 * Spacing(x) + 4 * Spacing(shown);
    FUZZ_REQUIRE(std::fabs(shown - a) <= slack, what);
}

// The decimal form of a single has 7 significant digits, of a double 15: a value that
// lies halfway in that form may round on it, so the tolerance allows for it.
template <typename Real>
void CheckFixed(Real x, const std::string& text, const char* pattern, int decimals, int digits) {
    const std::string what =
        "x=" + Show(static_cast<double>(x)) + " pattern " + pattern + " text=\"" + text + "\"";
    if (!std::isfinite(x)) {
        FUZZ_REQUIRE(!text.empty(), what);
        return;
    }
    bool allZero = false;
    const auto value = ReadFixed(text, decimals, &allZero);
    FUZZ_REQUIRE(value.has_value(), what);
    FUZZ_REQUIRE(!(allZero && text[0] == '-'), what);
    if (!allZero) FUZZ_REQUIRE((text[0] == '-') == std::signbit(x), what);
    const double a = std::fabs(static_cast<double>(x));
    const double decimalForm =
        a == 0 ? 0 : 0.5 * std::pow(10.0, std::floor(std::log10(a)) - (digits - 1));
    const double slack = 0.5 * std::pow(10.0, -decimals) + decimalForm + 4 * Spacing(x) +
                         4 * Spacing(std::fabs(*value));
    FUZZ_REQUIRE(std::fabs(std::fabs(*value) - a) <= slack, what);
}

// Negating a value only puts a "-" in front, unless the text shows zero.
void CheckMirror(const std::string& text, const std::string& negated) {
    const std::string what = "\"" + text + "\" against \"" + negated + "\"";
    const bool zeroText = text.find_first_not_of("-0.") == std::string::npos;
    if (zeroText) {
        FUZZ_REQUIRE(text == negated, what);
    } else if (text[0] == '-') {
        FUZZ_REQUIRE("-" + negated == text, what);
    } else {
        FUZZ_REQUIRE("-" + text == negated, what);
    }
}

void CheckSingle(float x) {
    const std::string t = ToText(x);
    CheckGeneral(x, t, 7, 1e7);
    const std::string f1 = FormatFixed(x, "0.0");
    CheckFixed(x, f1, "0.0", 1, 7);
    const std::string f4 = FormatFixed(x, "0.0000");
    CheckFixed(x, f4, "0.0000", 4, 7);
    if (std::isfinite(x)) {
        CheckMirror(t, ToText(-x));
        CheckMirror(f1, FormatFixed(-x, "0.0"));
        CheckMirror(f4, FormatFixed(-x, "0.0000"));
    }
}

void CheckDouble(double x) {
    const std::string t = ToTextD(x);
    CheckGeneral(x, t, 15, 1e15);
    const std::string f1 = FormatFixed(x, "0.0");
    CheckFixed(x, f1, "0.0", 1, 15);
    const std::string f4 = FormatFixed(x, "0.0000");
    CheckFixed(x, f4, "0.0000", 4, 15);
    if (std::isfinite(x)) {
        CheckMirror(t, ToTextD(-x));
        CheckMirror(f1, FormatFixed(-x, "0.0"));
        CheckMirror(f4, FormatFixed(-x, "0.0000"));
    }
}

}  // namespace

// Every 4 bytes are a single; every 8 bytes, read again from the start, a double.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        float x = 0;
        std::memcpy(&x, data + i, 4);
        CheckSingle(x);
    }
    for (std::size_t i = 0; i + 8 <= size; i += 8) {
        double x = 0;
        std::memcpy(&x, data + i, 8);
        CheckDouble(x);
    }
    return 0;
}
