// The five conversions between the input boxes' texts, the record's numbers and the
// report's digits. They fix every character of the report, so they neither use the C
// runtime's formatting nor depend on the user's locale: the decimal separator is
// always ".", there are no thousands separators, and every rounding to decimal digits
// is half away from zero, as an engineer rounds by hand.
#pragma once

#include <string>
#include <string_view>

namespace kneebrace {

// Both readers take UTF-8 and read the full-width forms a Chinese input method types in
// full-width mode as their ASCII counterparts: the digits ０-９, "．", "＋", "－", "ｅ",
// "Ｅ" and the ideographic space U+3000 (a blank).

// Reads a number from the start of a text and never rejects it: blanks, tabs and line
// feeds are skipped anywhere ("1 2" is 12), reading stops at the first character that
// cannot continue the number ("45度" is 45), a text without digits is 0. The exponent
// letter may be E or D; "&H" and "&O" introduce hexadecimal and octal integers.
// A value beyond the double range is an Overflow fault; `what` names the input.
double ParseLoose(std::string_view text, std::string_view what = "输入值");

// What ParseLoose made of a text: the value, and whether the whole text was one number.
struct LooseReading {
    double value = 0;    // what ParseLoose returns for the text
    bool whole = false;  // every character took part in the number (the blanks ParseLoose skips
                         // count as part of it) and at least one digit was read
};
// The same reading and the same faults as ParseLoose, which returns its value.
LooseReading ReadLoose(std::string_view text, std::string_view what = "输入值");

// Converts a whole text that must be a decimal number (blanks around it allowed).
// Anything else is a TypeMismatch fault, a magnitude beyond the single range an
// Overflow fault; `what` names the input in the message.
float ParseStrict(std::string_view text, std::string_view what = "输入值");

// The rejected text as a message can show it: at most 40 characters (a pasted page would
// make the message box unreadable), control characters as visible escapes.
std::string QuoteForMessage(std::string_view text);

// General form of a single: at most 7 significant digits, no trailing zeros, plain
// notation from 1E-04 up to below 1E+07, otherwise exponent notation ("1E+07").
std::string ToText(float x);

// The same for a double, with 15 significant digits and plain notation below 1E+15.
std::string ToTextD(double x);

// Fixed decimals after a pattern "0.0" or "0.0000" (as many decimals as zeros after the
// point), rounded half away from zero. Where the number's decimal form (7 significant
// digits for a single, 15 for a double: the digits the report shows for it) lies exactly
// halfway, that form decides, as it would for an engineer rounding by hand: a stored
// 31230.349609375 shows as 31230.35 and gives 31230.4. Everywhere else the value itself
// is rounded, so digits before the rounding place are never lost (28473926 stays
// 28473926.0 although it shows as 2.847393E+07).
std::string FormatFixed(float x, std::string_view pattern);
std::string FormatFixed(double x, std::string_view pattern);

// The number FormatFixed(x, pattern) shows, read back as the nearest double: the same
// rounding, without the text in the common case where x is clearly away from a tie.
double RoundFixed(double x, std::string_view pattern);

}  // namespace kneebrace
