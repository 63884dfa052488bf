// The shapes of the number texts the report may contain, read back without the engine's
// own parser, so that a fault in the writer cannot hide behind the same fault in the
// reader.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace kneebrace::fuzz {

struct GeneralShape {
    bool negative = false;
    bool exponentForm = false;
    int significantDigits = 0;  // leading zeros of a plain fraction not counted
    bool trailingZero = false;  // a fraction or mantissa that ends in 0
    double value = 0;           // the text's value, read with strtod
};

inline bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

// "-"? digits ("." digits)?  or  "-"? digit ("." digits)? "E" [+-] digit digit+
inline std::optional<GeneralShape> ReadGeneral(std::string_view t) {
    GeneralShape g;
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-') {
        g.negative = true;
        ++i;
    }
    const std::size_t intStart = i;
    while (i < t.size() && IsDigitChar(t[i])) ++i;
    const std::string_view intDigits = t.substr(intStart, i - intStart);
    if (intDigits.empty()) return std::nullopt;
    if (intDigits.size() > 1 && intDigits[0] == '0') return std::nullopt;
    std::string_view fracDigits;
    if (i < t.size() && t[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < t.size() && IsDigitChar(t[i])) ++i;
        fracDigits = t.substr(fracStart, i - fracStart);
        if (fracDigits.empty()) return std::nullopt;
        g.trailingZero = fracDigits.back() == '0';
    }
    if (i < t.size() && t[i] == 'E') {
        g.exponentForm = true;
        if (intDigits.size() != 1 || intDigits[0] == '0') return std::nullopt;
        ++i;
        if (i >= t.size() || (t[i] != '+' && t[i] != '-')) return std::nullopt;
        ++i;
        const std::size_t expStart = i;
        while (i < t.size() && IsDigitChar(t[i])) ++i;
        if (i - expStart < 2) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;

    std::string digits = std::string(intDigits) + std::string(fracDigits);
    const auto first = digits.find_first_not_of('0');
    g.significantDigits = first == std::string::npos ? 0 : static_cast<int>(digits.size() - first);
    if (!g.exponentForm && fracDigits.empty()) {
        // An integer's trailing zeros are places, not digits.
        const auto last = digits.find_last_not_of('0');
        if (last != std::string::npos) g.significantDigits = static_cast<int>(last - first + 1);
    }
    g.value = std::strtod(std::string(t).c_str(), nullptr);
    return g;
}

// "-"? digits "." exactly `decimals` digits, no superfluous leading zero.
inline std::optional<double> ReadFixed(std::string_view t, int decimals, bool* allZero) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-') ++i;
    const std::size_t intStart = i;
    while (i < t.size() && IsDigitChar(t[i])) ++i;
    if (i == intStart) return std::nullopt;
    if (i - intStart > 1 && t[intStart] == '0') return std::nullopt;
    if (i >= t.size() || t[i] != '.') return std::nullopt;
    const std::size_t fracStart = ++i;
    while (i < t.size() && IsDigitChar(t[i])) ++i;
    if (i != t.size() || static_cast<int>(i - fracStart) != decimals) return std::nullopt;
    *allZero = t.find_first_not_of("-0.") == std::string_view::npos;
    return std::strtod(std::string(t).c_str(), nullptr);
}

}  // namespace kneebrace::fuzz
