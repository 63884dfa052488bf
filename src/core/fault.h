// The one exception type of the engine. A fault abandons the calculation run where it
// arises; the window catches it once, in the Calculate handler, and shows the message.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kneebrace {

enum class FaultKind {
    SubscriptOutOfRange,  // a piece of the H-section designation is missing
    TypeMismatch,         // a piece of the designation is not a number
    Overflow,             // a value beyond the single-precision (or double) range
    DivisionByZero,
    InvalidOperation,    // 0/0, the root of a negative number
    FlangeTooThick,      // flange over 100 mm: no design strength is tabulated
    AngleOutOfRange,     // brace angle not strictly between 0 and 90 degrees
    NonPositiveLength,   // brace length between bolts <= 0
    NonPositiveNetArea,  // the bolt hole takes the whole angle section
    NegativeBoltDiameter,
    NonPositiveSection,  // beam depth, flange width or flange thickness <= 0
    NegativeDimension,   // gap, K2, K3 or E2 below zero
    InvalidPurlinWeb,    // the purlin web thickness is empty, not a number, zero or negative
};

// The kind's name as the test data and logs spell it ("Overflow", ...).
std::string_view FaultKindName(FaultKind kind);

// A short Chinese title for the kind, for the heading of the fault message. It says what
// is wrong in an engineer's words, whatever the arithmetic behind it.
std::string_view FaultKindTitle(FaultKind kind);

// What the user can do about a fault in `what`, ending without a full stop. For an input
// box, what to type in it ("请输入以毫米计的孔距，如 50"); for an intermediate quantity,
// the inputs it comes from ("请检查H钢截面、钢材和与腹板夹角"). `what` is the name the
// run gives the box or quantity in its messages ("孔距K2", "轴力N").
std::string FaultAdvice(std::string_view what);

class CalculationFault : public std::runtime_error {
public:
    // message: Simplified Chinese, names the input or quantity concerned.
    CalculationFault(FaultKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}

    FaultKind kind() const noexcept { return kind_; }

private:
    FaultKind kind_;
};

}  // namespace kneebrace
