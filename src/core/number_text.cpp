#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "core/fault.h"

namespace kneebrace {
namespace {

// A decimal number as digits d1 d2 ... dn meaning d1.d2...dn × 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits;  // empty for zero
    int exponent = 0;
};

void IncrementDigits(Decimal& d) {
    for (auto i = d.digits.size(); i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits.insert(d.digits.begin(), '1');  // 9.99 -> 10.00: one more leading digit
    ++d.exponent;
}

// Splits the output of std::to_chars(..., scientific, p) into digits and exponent.
Decimal ParseScientific(const char* first, const char* last, bool negative) {
    Decimal d;
    d.negative = negative;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.') d.digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exponent);
    d.exponent = exponent;
    return d;
}

// The value rounded to `significant` digits, half away from zero, exactly: the binary
// value's decimal expansion is finite, and ties are rare enough to look at it in full.
Decimal RoundSignificant(double value, int significant) {
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0) return Decimal{negative, "", 0};

    // One digit more than wanted, correctly rounded. Only a 5 in that last place can
    // hide whether the exact remainder is below, at or above one half.
    char buf[64];
    auto r =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, significant);
    Decimal d = ParseScientific(buf, r.ptr, negative);
    if (d.digits[static_cast<std::size_t>(significant)] == '5') {
        // A double's expansion has at most 767 significant digits.
        char exact[800];
        r = std::to_chars(exact, exact + sizeof exact, magnitude, std::chars_format::scientific,
                          780);
        d = ParseScientific(exact, r.ptr, negative);
    }
    const bool up = d.digits[static_cast<std::size_t>(significant)] >= '5';
    d.digits.resize(static_cast<std::size_t>(significant));
    if (up) IncrementDigits(d);
    if (d.digits.size() > static_cast<std::size_t>(significant)) d.digits.pop_back();
    return d;
}

// Rounds to `decimals` digits after the point, half away from zero.
Decimal RoundDecimals(Decimal d, int decimals) {
    if (d.digits.empty()) return d;
    const long keep = static_cast<long>(d.exponent) + 1 + decimals;  // digits that stay
    if (keep >= static_cast<long>(d.digits.size())) return d;
    if (keep < 0) return Decimal{d.negative, "", 0};
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        if (keep == 0) {
            // 0.05 to one decimal: the first kept digit is a new leading 1.
            d.digits = "1";
            d.exponent = -decimals;
            return d;
        }
        IncrementDigits(d);
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
    return d;
}

void StripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

std::string NonFiniteText(double x) {
    if (std::isnan(x)) return "NaN";
    return x < 0 ? "-Infinity" : "Infinity";
}

std::string GeneralText(double x, int significant, int plainBelowExponent) {
    if (!std::isfinite(x)) return NonFiniteText(x);
    Decimal d = RoundSignificant(x, significant);
    StripTrailingZeros(d);
    if (d.digits.empty()) return "0";
    std::string out = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent >= -4 && d.exponent < plainBelowExponent) {
        if (d.exponent >= 0) {
            const int intDigits = d.exponent + 1;
            for (int i = 0; i < intDigits; ++i)
                out.push_back(i < n ? d.digits[static_cast<std::size_t>(i)] : '0');
            if (n > intDigits)
                out.append(".").append(d.digits, static_cast<std::size_t>(intDigits));
        } else {
            out.append("0.")
                .append(static_cast<std::size_t>(-d.exponent - 1), '0')
                .append(d.digits);
        }
        return out;
    }
    out.push_back(d.digits[0]);
    if (n > 1) out.append(".").append(d.digits, 1);
    out.append(d.exponent < 0 ? "E-" : "E+");
    const int e = std::abs(d.exponent);
    if (e < 10) out.push_back('0');
    out.append(std::to_string(e));
    return out;
}

int PatternDecimals(std::string_view pattern) {
    const auto point = pattern.find('.');
    if (point == std::string_view::npos) return 0;
    // The report uses "0.0" and "0.0000"; no pattern may ask for more decimals than
    // the digit buffers below hold.
    constexpr int kMostDecimals = 100;
    int zeros = 0;
    for (auto i = point + 1; i < pattern.size() && pattern[i] == '0' && zeros < kMostDecimals; ++i)
        ++zeros;
    return zeros;
}

std::string FixedFromDecimal(const Decimal& d, int decimals) {
    std::string out;
    if (d.negative && !d.digits.empty()) out.push_back('-');  // a result rounded to 0 is unsigned
    const int n = static_cast<int>(d.digits.size());
    auto digitAt = [&](int power) {  // the digit for 10^power
        const int i = d.exponent - power;
        return (!d.digits.empty() && i >= 0 && i < n) ? d.digits[static_cast<std::size_t>(i)] : '0';
    };
    const int top = d.digits.empty() ? 0 : std::max(d.exponent, 0);
    for (int p = top; p >= 0; --p) out.push_back(digitAt(p));
    if (decimals > 0) {
        out.push_back('.');
        for (int p = -1; p >= -decimals; --p) out.push_back(digitAt(p));
    }
    return out;
}

// The binary value itself rounded to `decimals`, half away from zero.
std::string FixedFromBinary(double x, int decimals) {
    const double magnitude = std::fabs(x);
    // One decimal more than wanted, correctly rounded; only a final 5 can hide a tie.
    std::string text(400, '\0');
    auto r = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                           std::chars_format::fixed, decimals + 1);
    text.resize(static_cast<std::size_t>(r.ptr - text.data()));
    if (text.back() == '5') {
        std::string exact(1500, '\0');  // a double has at most 1074 binary decimals
        r = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                          std::chars_format::fixed, 1100);
        exact.resize(static_cast<std::size_t>(r.ptr - exact.data()));
        text = std::move(exact);
    }
    const std::size_t point = text.find('.');
    const bool up = text[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    text.resize(decimals > 0 ? point + 1 + static_cast<std::size_t>(decimals) : point);
    if (up) {
        std::size_t i = text.size();
        for (;;) {
            if (i == 0) {
                text.insert(text.begin(), '1');
                break;
            }
            --i;
            if (text[i] == '.') continue;
            if (text[i] != '9') {
                ++text[i];
                break;
            }
            text[i] = '0';
        }
    }
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    if (std::signbit(x) && !zero) text.insert(text.begin(), '-');
    return text;
}

// Rounds the value itself, except where its decimal form (the digits the report shows
// for it) lies exactly halfway: then the decimal form decides, as by hand. A stored N
// of 31230.349609375 shows as 31230.35 and rounds to 31230.4.
std::string FixedText(double x, int significant, std::string_view pattern) {
    if (!std::isfinite(x)) return NonFiniteText(x);
    const int decimals = PatternDecimals(pattern);
    const Decimal d = RoundSignificant(x, significant);
    const long keep = static_cast<long>(d.exponent) + 1 + decimals;
    const bool halfway =
        keep >= 0 && keep < static_cast<long>(d.digits.size()) &&
        d.digits[static_cast<std::size_t>(keep)] == '5' &&
        d.digits.find_first_not_of('0', static_cast<std::size_t>(keep) + 1) == std::string::npos;
    if (halfway) return FixedFromDecimal(RoundDecimals(d, decimals), decimals);
    return FixedFromBinary(x, decimals);
}

[[noreturn]] void ThrowOverflow(std::string_view what) {
    throw CalculationFault(
        FaultKind::Overflow,
        std::string(what) + "的数值过大，超出了可计算的范围：" + FaultAdvice(what) + "。");
}

// Decimal mantissa digits and exponent, already checked for syntax, to a binary value.
// The exponent is saturated so that absurdly long exponents cannot wrap around.
template <typename Real>
Real DecimalToBinary(bool negative, std::string_view intDigits, std::string_view fracDigits,
                     long long exponent, std::string_view what) {
    std::string canonical;
    canonical.reserve(intDigits.size() + fracDigits.size() + 16);
    canonical.append(intDigits.empty() ? "0" : intDigits);
    if (!fracDigits.empty()) canonical.append(".").append(fracDigits);
    canonical.append("e").append(std::to_string(exponent));
    Real value = 0;
    const auto r = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large or too small: tell them apart by the leading digit's decimal position.
        const auto firstInt = intDigits.find_first_not_of('0');
        long long lead = 0;
        if (firstInt != std::string_view::npos) {
            lead = static_cast<long long>(intDigits.size() - firstInt) - 1;
        } else {
            const auto firstFrac = fracDigits.find_first_not_of('0');
            if (firstFrac == std::string_view::npos) return negative ? -Real(0) : Real(0);
            lead = -static_cast<long long>(firstFrac) - 1;
        }
        if (lead + exponent >= 0) ThrowOverflow(what);
        value = 0;  // underflow is not a fault
    }
    return negative ? -value : value;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The ASCII character a full-width form of a number's character stands for, given the
// three bytes of its UTF-8 encoding; '\0' for any other bytes.
char AsciiCounterpart(unsigned char b0, unsigned char b1, unsigned char b2) {
    if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) return ' ';  // U+3000 ideographic space
    if (b0 != 0xEF) return '\0';
    if (b1 == 0xBC) {  // U+FF00 to U+FF3F
        if (b2 >= 0x90 && b2 <= 0x99) return static_cast<char>('0' + (b2 - 0x90));  // ０-９
        switch (b2) {
            case 0x8B: return '+';  // ＋
            case 0x8D: return '-';  // －
            case 0x8E: return '.';  // ．
            case 0xA5: return 'E';  // Ｅ
            default: return '\0';
        }
    }
    return b1 == 0xBD && b2 == 0x85 ? 'e' : '\0';  // ｅ
}

// The text with every full-width form of a number's character replaced by its ASCII
// counterpart, so that "５０" reads as 50. Every other byte stays as it is: a character
// that cannot be part of a number (broken UTF-8 included) still ends the number there.
std::string FoldFullWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ascii = i + 2 < text.size()
                               ? AsciiCounterpart(static_cast<unsigned char>(text[i]),
                                                  static_cast<unsigned char>(text[i + 1]),
                                                  static_cast<unsigned char>(text[i + 2]))
                               : '\0';
        if (ascii != '\0') {
            out.push_back(ascii);
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// Reads exponent digits, saturating far beyond any representable magnitude. The limit
// grows with the mantissa's length, so that a long run of zeros in the mantissa and a
// large exponent of the other sign still cancel exactly.
long long SaturatedExponent(std::string_view digits, bool negative, std::size_t mantissaDigits) {
    const long long limit = 100000 + static_cast<long long>(mantissaDigits);
    long long e = 0;
    for (char c : digits) {
        e = e * 10 + (c - '0');
        if (e > limit) {
            e = limit;
            break;
        }
    }
    return negative ? -e : e;
}

// "&H..." / "&O...": an unsigned integer, rounded correctly to double. `used` counts the
// digits read.
double RadixInteger(std::string_view s, int radix, std::string_view what, std::size_t& used) {
    const int bitsPerDigit = radix == 16 ? 4 : 3;
    std::string bits;
    used = 0;
    for (char c : s) {
        int v = -1;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F') v = c - 'A' + 10;
        if (v < 0 || v >= radix) break;
        ++used;
        for (int b = bitsPerDigit - 1; b >= 0; --b) {
            const char bit = static_cast<char>('0' + ((v >> b) & 1));
            if (!bits.empty() || bit == '1') bits.push_back(bit);
        }
    }
    if (bits.empty()) return 0;
    if (bits.size() > 1024) ThrowOverflow(what);
    // Round to 53 significant bits, ties to even, as any exact conversion would.
    std::uint64_t mantissa = 0;
    const std::size_t kept = std::min<std::size_t>(bits.size(), 53);
    for (std::size_t i = 0; i < kept; ++i)
        mantissa = mantissa * 2 + static_cast<unsigned>(bits[i] - '0');
    int shift = static_cast<int>(bits.size() - kept);
    if (shift > 0) {
        const bool half = bits[kept] == '1';
        const bool sticky = bits.find('1', kept + 1) != std::string::npos;
        if (half && (sticky || (mantissa & 1))) {
            ++mantissa;
            if (mantissa == (std::uint64_t{1} << 53)) {
                mantissa >>= 1;
                ++shift;
            }
        }
    }
    const double value = std::ldexp(static_cast<double>(mantissa), shift);
    if (std::isinf(value)) ThrowOverflow(what);
    return value;
}

}  // namespace

// The rejected text as a message can show it: at most 40 characters (a pasted page would
// make the message box unreadable), control characters as visible escapes.
std::string QuoteForMessage(std::string_view text) {
    constexpr std::size_t kMaxCharacters = 40;
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) {  // continuation byte of the character just started
            out.push_back(text[i]);
            continue;
        }
        if (characters == kMaxCharacters) {
            out.append("…");
            break;
        }
        ++characters;
        if (c < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out.append("\\x").push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0xF]);
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

LooseReading ReadLoose(std::string_view text, std::string_view what) {
    std::string s;
    s.reserve(text.size());
    for (char c : FoldFullWidth(text)) {
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    }
    if (s.size() >= 2 && s[0] == '&') {
        const char letter = s[1];
        const int radix = (letter == 'H' || letter == 'h')   ? 16
                          : (letter == 'O' || letter == 'o') ? 8
                                                             : 0;
        if (radix == 0) return LooseReading{};
        std::size_t used = 0;
        const double value = RadixInteger(std::string_view(s).substr(2), radix, what, used);
        return LooseReading{value, used > 0 && 2 + used == s.size()};
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t intStart = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    const std::string_view intDigits = std::string_view(s).substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        fracDigits = std::string_view(s).substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) return LooseReading{};
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
        const std::size_t expStart = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        // An exponent letter without digits ("1e", "1e+") is not read: the number ends
        // before it.
        if (j > expStart) {
            exponent = SaturatedExponent(std::string_view(s).substr(expStart, j - expStart),
                                         expNegative, intDigits.size() + fracDigits.size());
            i = j;
        }
    }
    return LooseReading{DecimalToBinary<double>(negative, intDigits, fracDigits, exponent, what),
                        i == s.size()};
}

double ParseLoose(std::string_view text, std::string_view what) {
    return ReadLoose(text, what).value;
}

float ParseStrict(std::string_view text, std::string_view what) {
    auto mismatch = [&]() -> CalculationFault {
        return CalculationFault(FaultKind::TypeMismatch,
                                std::string(what) + "“" + QuoteForMessage(text) + "”不是一个数：" +
                                    FaultAdvice(what) + "。");
    };
    const std::string folded = FoldFullWidth(text);
    std::size_t first = 0, last = folded.size();
    while (first < last && folded[first] == ' ') ++first;
    while (last > first && folded[last - 1] == ' ') --last;
    const std::string_view s = std::string_view(folded).substr(first, last - first);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t intStart = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    const std::string_view intDigits = s.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        fracDigits = s.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) throw mismatch();
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
        const std::size_t expStart = j;
        while (j < s.size() && IsDigit(s[j])) ++j;
        if (j == expStart) throw mismatch();
        exponent = SaturatedExponent(s.substr(expStart, j - expStart), expNegative,
                                     intDigits.size() + fracDigits.size());
        i = j;
    }
    if (i != s.size()) throw mismatch();
    return DecimalToBinary<float>(negative, intDigits, fracDigits, exponent, what);
}

std::string ToText(float x) { return GeneralText(static_cast<double>(x), 7, 7); }

std::string ToTextD(double x) { return GeneralText(x, 15, 15); }

std::string FormatFixed(float x, std::string_view pattern) {
    return FixedText(static_cast<double>(x), 7, pattern);
}

std::string FormatFixed(double x, std::string_view pattern) { return FixedText(x, 15, pattern); }

double RoundFixed(double x, std::string_view pattern) {
    const int decimals = PatternDecimals(pattern);
    if (decimals <= 15) {
        // x·10^d rounded half away from zero, then divided back: k / 10^d is correctly
        // rounded, so it is the double nearest to the decimal FormatFixed writes. The
        // scaled value is off by at most half a unit in its last place, so far enough from
        // a tie its rounding is that of x itself; the margin also covers every x whose
        // 15-digit form is a tie, which FormatFixed decides on that form.
        double scale = 1;
        for (int i = 0; i < decimals; ++i) scale *= 10;
        const double y = std::fabs(x) * scale;
        if (y < 1e15) {
            const double whole = std::floor(y);
            const double fraction = y - whole;  // exact below 2^52
            if (std::fabs(fraction - 0.5) > 1e-9 + y * 1e-13) {
                const double k = fraction > 0.5 ? whole + 1 : whole;
                return k == 0 ? 0.0 : std::copysign(k / scale, x);
            }
        }
    }
    const std::string text = FormatFixed(x, pattern);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace kneebrace
