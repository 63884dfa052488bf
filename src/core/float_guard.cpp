#include "core/float_guard.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/fault.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

// Halfway between FLT_MAX and the next power of two: from here on a double rounds to
// infinity when it is stored as a single (the tie goes to the even "infinity").
constexpr double kSingleOverflow = 0x1.ffffffp127;

// "<what><problem>：<what to type or check>。"
std::string Message(std::string_view what, std::string_view problem) {
    return std::string(what).append(problem).append("：").append(FaultAdvice(what)).append("。");
}

}  // namespace

bool BeyondSingleRange(double value) { return !(std::fabs(value) < kSingleOverflow); }

float StoreSingle(double value, std::string_view what) {
    if (std::isnan(value)) {
        throw CalculationFault(FaultKind::InvalidOperation, Message(what, "的计算结果无意义"));
    }
    if (BeyondSingleRange(value)) {
        throw CalculationFault(FaultKind::Overflow,
                               Message(what, "的数值过大，超出了可计算的范围"));
    }
    return static_cast<float>(value);
}

double Divide(double a, double b, std::string_view what) {
    if (b == 0) {
        if (a == 0 || std::isnan(a)) {
            throw CalculationFault(FaultKind::InvalidOperation,
                                   Message(what, "无法计算（公式中出现 0/0）"));
        }
        throw CalculationFault(FaultKind::DivisionByZero,
                               Message(what, "无法计算（公式的分母为零）"));
    }
    return a / b;
}

double Power(double base, double exponent, std::string_view what) {
    if (exponent == 2) return base * base;
    if (exponent == 0.5) {
        if (base < 0) {
            throw CalculationFault(FaultKind::InvalidOperation,
                                   Message(what, "无法计算（公式中要对负数开平方）"));
        }
        return std::sqrt(base);
    }
    return std::pow(base, exponent);
}

float RoundStored(float value, std::string_view pattern, std::string_view what) {
    const std::string text = FormatFixed(value, pattern);
    float rounded = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), rounded);
    if (r.ec != std::errc()) {
        throw CalculationFault(FaultKind::Overflow, Message(what, "舍入后超出了可计算的范围"));
    }
    return rounded;
}

}  // namespace kneebrace
