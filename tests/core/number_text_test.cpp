// The conversions fix every digit of the report. Expected values are the worked
// examples and hand-rounded figures an engineer would write down.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>
#include <vector>

#include "core/fault.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

struct LooseCase {
    const char* text;
    double expected;
};

TEST(ParseLoose, ReadsTheNumberAtTheStartAndNeverRejects) {
    const LooseCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"+", 0},
        {" 4 5 ", 45},
        {"1e3", 1000},
        {"10,5", 10},
        {"45度", 45},
        {"14mm", 14},
        {"1\n4", 14},
        {"\t14", 14},
        {"\r14", 0},
        {"&H2D", 45},
        {"&h1e", 30},
        {"&O55", 45},
        {"&HFFFF", 65535},
        {"&", 0},
        {"&X12", 0},
        {"4.5d+1", 45},
        {"45D0", 45},
        {"1e", 1},
        {"1e+", 1},
        {"--5", 0},
        {"-.5", -0.5},
        {"..5", 0},
        {"1.2.3", 1.2},
        {"１４", 14},
        {"1e-400", 0},
        {".5", 0.5},
        {"123.34375", 123.34375},
        {"16777217", 16777217},
        {"- 1 2 . 5", -12.5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLoose(c.text), c.expected) << '"' << c.text << '"';
    }
}

// Whole: every character but the skipped blanks belongs to the number, and it has a
// digit. The window marks a box whose text was not read whole.
TEST(ReadLoose, TellsWhetherTheWholeTextWasOneNumber) {
    struct Case {
        const char* text;
        double value;
        bool whole;
    };
    const Case cases[] = {
        {"45", 45, true},    {" 45 ", 45, true},     {"1 2", 12, true},     {"\t1\n", 1, true},
        {"４５", 45, true},  {"　４５　", 45, true}, {"1e3", 1000, true},   {"1D3", 1000, true},
        {"-0", 0, true},     {"1.", 1, true},        {".5", 0.5, true},     {"1e-400", 0, true},
        {"&H1F", 31, true},  {"&o17", 15, true},     {"&H00", 0, true},     {"", 0, false},
        {" ", 0, false},     {"abc", 0, false},      {"-", 0, false},       {"+", 0, false},
        {".", 0, false},     {"45度", 45, false},    {"4 5 度", 45, false}, {"M14", 0, false},
        {"14mm", 14, false}, {"1e", 1, false},       {"1e+", 1, false},     {"1.2.3", 1.2, false},
        {"10,5", 10, false}, {"--5", 0, false},      {"\r1", 0, false},     {"1\r", 1, false},
        {"&H", 0, false},    {"&H1G", 1, false},     {"&O8", 0, false},     {"&X1", 0, false},
    };
    for (const auto& c : cases) {
        const LooseReading r = ReadLoose(c.text);
        EXPECT_EQ(r.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(r.whole, c.whole) << '"' << c.text << '"';
        EXPECT_EQ(ParseLoose(c.text), r.value) << '"' << c.text << '"';
    }
}

TEST(ParseLoose, BeyondTheDoubleRangeIsAnOverflow) {
    for (const std::string& text :
         {std::string("1e400"), std::string("-1e400"), std::string("1e99999999999999999999"),
          "&H" + std::string(300, 'F'), std::string("１ｅ４００")}) {
        try {
            EXPECT_THROW(ReadLoose(text), CalculationFault) << text;
            ParseLoose(text, "孔距K2");
            ADD_FAILURE() << text << " did not fault";
        } catch (const CalculationFault& f) {
            EXPECT_EQ(f.kind(), FaultKind::Overflow) << text;
            EXPECT_NE(std::string(f.what()).find("孔距K2"), std::string::npos)
                << "message names the input";
        }
    }
}

TEST(ParseLoose, LongHexadecimalRoundsToNearestDouble) {
    // 2^53 + 1 is not a double; it rounds to the even neighbour 2^53.
    EXPECT_EQ(ParseLoose("&H20000000000001"), 9007199254740992.0);
    EXPECT_EQ(ParseLoose("&H20000000000003"), 9007199254740996.0);
}

// A Chinese input method in full-width mode types these forms for a number; both readers
// take them as their ASCII counterparts, and nothing else full width.
TEST(FullWidth, BothReadersReadTheFormsOfANumbersCharacters) {
    struct Case {
        const char* text;
        double loose;
        const char* strict;  // the ASCII text ParseStrict must read it as; nullptr: rejected
    };
    const Case cases[] = {
        {"５０", 50, "50"},
        {"５００x２００", 500, nullptr},  // the separator is the ASCII x, never part of a number
        {"１２．５", 12.5, "12.5"},
        {"－１２", -12, "-12"},
        {"＋３", 3, "+3"},
        {"２ｅ２", 200, "2e2"},
        {"１Ｅ＋１", 10, "1E+1"},
        {"２ｅ－２", 0.02, "2e-2"},
        {"　１２　", 12, "12"},   // ideographic spaces around
        {"１　２", 12, nullptr},  // one inside: skipped by ParseLoose only, as a blank is
        {"5０", 50, "50"},        // mixed with ASCII
        {"４５度", 45, nullptr},
        {"１，５", 1, nullptr},        // the full-width comma is no decimal point
        {"４．５ｄ１", 4.5, nullptr},  // nor is ｄ an exponent letter
        {"＆Ｈ１０", 0, nullptr},      // nor ＆Ｈ a prefix
        {"&H１０", 16, nullptr},       // the digits after an ASCII prefix are digits
        {"\xEF\xBC", 0, nullptr},      // a form cut short is no digit
        {"\xEF\xBC\x35", 0, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseLoose(c.text), c.loose);
        if (c.strict) {
            EXPECT_EQ(ParseStrict(c.text), ParseStrict(c.strict));
        } else {
            EXPECT_THROW(ParseStrict(c.text), CalculationFault);
        }
    }
}

TEST(ParseStrict, AcceptsPlainDecimalNumbersWithBlanksAround) {
    const std::pair<const char*, float> cases[] = {
        {"500", 500.0f}, {" 12.5 ", 12.5f}, {"2e2", 200.0f}, {"5.", 5.0f},    {".5", 0.5f},
        {"-12", -12.0f}, {"+3", 3.0f},      {"1E1", 10.0f},  {"1e-50", 0.0f}, {"3.4e38", 3.4e38f},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseStrict(text), expected) << text;
}

TEST(ParseStrict, RejectsAnythingElse) {
    struct Bad {
        const char* text;
        FaultKind kind;
    };
    const Bad cases[] = {
        {"", FaultKind::TypeMismatch},           {" ", FaultKind::TypeMismatch},
        {"500mm", FaultKind::TypeMismatch},      {"\t500", FaultKind::TypeMismatch},
        {"1e", FaultKind::TypeMismatch},         {"1d3", FaultKind::TypeMismatch},
        {"5 0", FaultKind::TypeMismatch},        {".", FaultKind::TypeMismatch},
        {"500X200", FaultKind::TypeMismatch},    {"&H10", FaultKind::TypeMismatch},
        {"1e39", FaultKind::Overflow},           {"-3.5e38", FaultKind::Overflow},
        {"1e99999999999", FaultKind::Overflow},  {"１ｅ３９", FaultKind::Overflow},
        {"５００ｍｍ", FaultKind::TypeMismatch}, {"５００ｘ２００", FaultKind::TypeMismatch},
    };
    for (const auto& c : cases) {
        try {
            ParseStrict(c.text, "H钢截面的第1个数");
            ADD_FAILURE() << '"' << c.text << "\" was accepted";
        } catch (const CalculationFault& f) {
            EXPECT_EQ(f.kind(), c.kind) << '"' << c.text << '"';
            EXPECT_NE(std::string(f.what()).find("H钢截面的第1个数"), std::string::npos);
        }
    }
}

TEST(ParseStrict, MessageQuotesLongOrControlTextReadably) {
    const std::string pasted = "500x" + std::string(3000, '9') + "\n";
    for (const std::string& text : {pasted, std::string("12\nmm")}) {
        try {
            ParseStrict(text, "H钢截面的第2个数");
            ADD_FAILURE() << "accepted";
        } catch (const CalculationFault& f) {
            const std::string message = f.what();
            // The quote is cut at 40 characters; the rest is the name and what to type.
            EXPECT_LT(message.size(), 320u);
            EXPECT_EQ(message.find('\n'), std::string::npos);
        }
    }
    // Full-width text is quoted as typed, not as it was read.
    const std::pair<const char*, const char*> quotes[] = {{"12\nmm", "“12\\x0Amm”"},
                                                          {"５００ｍｍ", "“５００ｍｍ”"}};
    for (const auto& [text, quote] : quotes) {
        try {
            ParseStrict(text);
            ADD_FAILURE() << text << " accepted";
        } catch (const CalculationFault& f) {
            EXPECT_NE(std::string(f.what()).find(quote), std::string::npos) << f.what();
        }
    }
}

TEST(Conversions, LongMantissasAndExponentsCancelExactly) {
    EXPECT_EQ(ParseLoose("1" + std::string(200000, '0') + "e-199990"), 1e10);
    EXPECT_EQ(ParseStrict("0." + std::string(200000, '0') + "1e200005"), 1e4f);
}

TEST(ToText, GeneralFormWithSevenSignificantDigits) {
    const std::pair<float, const char*> cases[] = {
        {348.0f, "348"},
        {17.6f, "17.6"},
        {0.85f, "0.85"},
        {100000.0f, "100000"},
        {1e7f, "1E+07"},
        {1e-5f, "1E-05"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {-2.25f, "-2.25"},
        {13.9f, "13.9"},
        {0.5f, "0.5"},
        {0.0001f, "0.0001"},
        {9999999.0f, "9999999"},
        {123456789.0f, "1.234568E+08"},
        {53.0f / 3.0f, "17.66667"},
        {2.931898e-9f, "2.931898E-09"},
        {4194304.5f, "4194305"},  // an exact tie in binary rounds away from zero
        {3.4028235e38f, "3.402823E+38"},
    };
    for (const auto& [x, expected] : cases) EXPECT_EQ(ToText(x), expected) << x;
}

TEST(ToTextD, GeneralFormWithFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {45.0, "45"},       {30.5, "30.5"},
        {1e15, "1E+15"},    {123456789012345.0, "123456789012345"},
        {0.1 + 0.2, "0.3"}, {-1e-5, "-1E-05"},
        {1e300, "1E+300"},
    };
    for (const auto& [x, expected] : cases) EXPECT_EQ(ToTextD(x), expected) << x;
}

TEST(FormatFixed, RoundsHalfAwayFromZero) {
    const std::tuple<float, const char*, const char*> cases[] = {
        {12.25f, "0.0", "12.3"},
        {-12.25f, "0.0", "-12.3"},
        {0.125f, "0.0000", "0.1250"},
        {2.25f, "0.0", "2.3"},
        {-2.25f, "0.0", "-2.3"},
        {0.04999f, "0.0", "0.0"},
        {704.278f, "0.0", "704.3"},
        {0.0f, "0.0", "0.0"},
        {-0.04f, "0.0", "0.0"},
        {9.96f, "0.0", "10.0"},
        {200.044f, "0.0", "200.0"},
        {200.056f, "0.0", "200.1"},
        // Shown as 31230.35, so an engineer rounds it up, though the stored binary value
        // is 31230.349609375.
        {31230.349609375f, "0.0", "31230.4"},
        // The single nearest 0.05 shows as 0.05000000 and rounds up likewise.
        {0.049999997f, "0.0", "0.1"},
        // Beyond seven digits the value itself decides: nothing is lost before the point.
        {28473926.0f, "0.0", "28473926.0"},
        {18468.091796875f, "0.0000", "18468.0918"},
    };
    for (const auto& [x, pattern, expected] : cases)
        EXPECT_EQ(FormatFixed(x, pattern), expected) << x;
}

TEST(FormatFixed, DoublesRoundOnTheirFifteenDigitForm) {
    // c5 = 0.6 + 0.0015 × λ: λ 78.5 gives 0.71775 by hand, and the report shows 0.7178.
    EXPECT_EQ(FormatFixed(78.5 * 0.0015 + 0.6, "0.0000"), "0.7178");
    // λ 78.3 stored as a single is 78.30000305..., which puts c5 just above 0.71745.
    EXPECT_EQ(FormatFixed(static_cast<double>(78.3f) * 0.0015 + 0.6, "0.0000"), "0.7175");
    EXPECT_EQ(FormatFixed(2.25, "0.0"), "2.3");
    EXPECT_EQ(FormatFixed(-0.125, "0.0000"), "-0.1250");
}

// RoundFixed is FormatFixed read back, whether it takes the short way or the text: ties
// of the 15-digit form (Ncr = 0.765 × 14 × 3 × 305 = 9799.65 in either order), values a
// hair either side of a tie, and a spread of ordinary and extreme values.
TEST(RoundFixed, IsTheNumberFormatFixedShows) {
    std::vector<double> values = {0.765 * 14 * 3 * 305,
                                  14 * 3 * 305 * 0.765,
                                  -9799.65,
                                  0.05,
                                  0,
                                  -0.0,
                                  1e-300,
                                  28473926.0,
                                  123456789012.35,
                                  1e20,
                                  1e300,
                                  std::numeric_limits<double>::infinity()};
    for (double tie : {9799.65, 0.71745, 2.5, 31230.35})
        values.insert(values.end(), {std::nextafter(tie, 0.0), std::nextafter(tie, 1e308)});
    for (int i = 1; i < 20000; ++i)
        values.push_back(std::ldexp(i * 0.6180339887498949, i % 60 - 20));
    for (double x : values) {
        for (const char* pattern : {"0.0", "0.0000"}) {
            const std::string text = FormatFixed(x, pattern);  // from_chars reads "Infinity" too
            double shown = 0;
            std::from_chars(text.data(), text.data() + text.size(), shown);
            const double rounded = RoundFixed(x, pattern);
            EXPECT_TRUE(rounded == shown && std::signbit(rounded) == std::signbit(shown))
                << x << " " << pattern << ": " << rounded << " for " << text;
        }
    }
    EXPECT_EQ(RoundFixed(14 * 3 * 305 * 0.765, "0.0"), 9799.7);
}

// A decimal comma in the user's locale must not leak into the report or the parsing.
class CommaDecimal : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(Conversions, DoNotDependOnTheLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    std::string cLocale = "none";
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "German_Germany.1252"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            cLocale = name;
            break;
        }
    }
    EXPECT_EQ(ToText(17.6f), "17.6");
    EXPECT_EQ(ToText(1e7f), "1E+07");
    EXPECT_EQ(ToTextD(30.5), "30.5");
    EXPECT_EQ(FormatFixed(2.25f, "0.0"), "2.3");
    EXPECT_EQ(FormatFixed(78.5 * 0.0015 + 0.6, "0.0000"), "0.7178");
    EXPECT_EQ(ParseLoose("10,5"), 10.0);
    EXPECT_EQ(ParseLoose("1.5"), 1.5);
    EXPECT_EQ(ParseStrict("12.5"), 12.5f);
    EXPECT_THROW(ParseStrict("12,5"), CalculationFault);
    std::setlocale(LC_ALL, "C");
    std::locale::global(previous);
    RecordProperty("c_locale", cLocale);
}

}  // namespace
}  // namespace kneebrace
