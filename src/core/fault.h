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
};

// The kind's name as the test data and logs spell it ("Overflow", ...).
std::string_view FaultKindName(FaultKind kind);

// A short Chinese title for the kind, for the heading of the fault message.
std::string_view FaultKindTitle(FaultKind kind);

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
