// Explicit floating-point fault tests. Arithmetic between stores runs in double
// precision; these helpers are the places where a fault can arise and abandon the run.
// They test values rather than the processor's exception flags, whose reads the
// optimiser may move across the arithmetic they are meant to guard.
#pragma once

#include <string_view>

namespace kneebrace {

// Rounds to the nearest single for storing into a record field. A NaN is an
// InvalidOperation fault, a value beyond the single range an Overflow fault.
float StoreSingle(double value, std::string_view what);

// True when a double is beyond what a single can hold (infinite, or rounds to infinity).
bool BeyondSingleRange(double value);

// a / b. A zero divisor is DivisionByZero, or InvalidOperation for 0 / 0.
double Divide(double a, double b, std::string_view what);

// base ^ exponent for the two exponents the checks use, 2 and 0.5, computed exactly as
// a product or a correctly rounded square root so that every platform agrees. The root
// of a negative number is an InvalidOperation fault.
double Power(double base, double exponent, std::string_view what);

// Rounds a stored quantity to the decimals of `pattern` and stores the result back:
// formats it with FormatFixed and reads the text again as a single.
float RoundStored(float value, std::string_view pattern, std::string_view what);

}  // namespace kneebrace
