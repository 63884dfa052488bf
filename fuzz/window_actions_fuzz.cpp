// A whole session at the window, played on the engine: texts typed into the seven
// input boxes, grade and arrangement switches, size picks (unknown texts included) and
// Calculate presses, in the order the input gives them.
//
// The input is read line by line; the first byte of a line is the action and the rest
// its text, where \n \r \t \0 \\ and \xHH stand for those bytes:
//   1 2 3 4 5 6 9   type the text into Text1 ... Text6, Text9
//   L<box><count>   repeat that box's text up to <count> bytes (very long inputs)
//   a / b           grade Q235 / Q345
//   d / s           braces on both sides (双侧) / one side (单侧)
//   p<text>         pick <text> in the size list
//   #<byte>         pick catalogue entry <byte> mod 53
//   r               press Calculate
// Other lines do nothing.
//
// After every press: the run completes with a well-formed report or raises a fault of
// a known kind; a fault leaves the report as it was; the same press again, from the
// same record and from the record the press left, gives the same report.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/angle_catalogue.h"
#include "core/calculation_run.h"
#include "core/design_state.h"
#include "core/fault.h"
#include "fuzz_check.h"
#include "number_shape.h"
#include "valid_utf8.h"

namespace {

using namespace kneebrace;

// The longest text a repeat makes: more than a Qt line edit holds (32767 characters
// by default) for any ASCII text, yet short enough to keep the fuzzer fast.
constexpr std::size_t kLongestText = 40000;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out.push_back(s[i]);
            continue;
        }
        const char e = s[++i];
        switch (e) {
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case '0': out.push_back('\0'); break;
            case 'x':
                if (i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
                    out.push_back(static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2])));
                    i += 2;
                } else {
                    out.push_back('x');
                }
                break;
            default: out.push_back(e); break;
        }
    }
    return out;
}

std::string* Box(InputTexts& in, char id) {
    switch (id) {
        case '1': return &in.Text1;
        case '2': return &in.Text2;
        case '3': return &in.Text3;
        case '4': return &in.Text4;
        case '5': return &in.Text5;
        case '6': return &in.Text6;
        case '9': return &in.Text9;
        default: return nullptr;
    }
}

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The number that follows `label` on the last line of `text` that starts with it, up
// to `unit`; empty when there is none.
std::string_view ShownAfter(std::string_view text, std::string_view label, std::string_view unit) {
    const auto at = text.rfind(label);
    if (at == std::string_view::npos) return {};
    const auto from = at + label.size();
    const auto to = text.find(unit, from);
    if (to == std::string_view::npos) return {};
    return text.substr(from, to - from);
}

// The report: the header (title first, the typed inputs in the middle, the derived
// length and force, a rule of 36 "=" last), then sections (1) to (7). The header shows
// what the user typed, so only its first line and its end are fixed; the sections are
// the engine's alone. A value that one part hands to the next must read the same
// wherever the report shows it.
void CheckReportShape(const std::string& report) {
    const std::string title = std::string(15, ' ') + "角钢Omvarel书\r\n";
    FUZZ_REQUIRE(report.compare(0, title.size(), title) == 0, report.substr(0, 200));
    const std::string rule = "\r\n" + std::string(36, '=') + "\r\n";
    const auto ruleAt = report.rfind(rule);
    FUZZ_REQUIRE(ruleAt != std::string::npos, "no rule after the header");
    const std::string_view header = std::string_view(report).substr(0, ruleAt + 2);
    const std::string_view sections = std::string_view(report).substr(ruleAt + rule.size());
    FUZZ_REQUIRE(fuzz::ValidUtf8(sections), std::string(sections));
    FUZZ_REQUIRE(EndsWith(sections, "\r\n"), std::string(sections));

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < sections.size();) {
        const auto end = sections.find("\r\n", start);
        lines.push_back(sections.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::string_view> sectionText(8);
    int section = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        FUZZ_REQUIRE(line.find_first_of("\r\n") == std::string_view::npos, std::string(line));
        const bool heading = line.size() >= 4 && line[0] == '(' && line[2] == ')' && line[3] == '.';
        if (heading) {
            ++section;
            FUZZ_REQUIRE(line[1] == static_cast<char>('0' + section), std::string(line));
            const auto from = static_cast<std::size_t>(line.data() - sections.data());
            sectionText[static_cast<std::size_t>(section)] = sections.substr(from);
            if (section > 1) {
                std::string_view& previous = sectionText[static_cast<std::size_t>(section - 1)];
                previous = previous.substr(
                    0, from - static_cast<std::size_t>(previous.data() - sections.data()));
            }
        } else {
            FUZZ_REQUIRE(section > 0 && line.substr(0, 3) == "   ", std::string(line));
        }
        const bool last =
            i + 1 == lines.size() || (!lines[i + 1].empty() && lines[i + 1][0] == '(');
        if (last) {
            FUZZ_REQUIRE(!heading, std::string(line));
            FUZZ_REQUIRE(line.substr(0, 4) != "    ",
                         "a legend line ends a section: " + std::string(line));
            FUZZ_REQUIRE(EndsWith(line, "通过！") || EndsWith(line, "失败！"), std::string(line));
        }
    }
    FUZZ_REQUIRE(section == 7, "sections: " + std::to_string(section));

    // The brace length of the header is the one check (1) divides; the force of the
    // header is the one checks (3) and (4) use; the slenderness of check (1) is the one
    // check (4) uses.
    const std::string_view headerL0 = ShownAfter(header, "\r\n角钢计算长度L0=", "mm\r\n");
    const std::string_view headerN = ShownAfter(header, "\r\n轴力N=", "N\r\n");
    FUZZ_REQUIRE(!headerL0.empty() && !headerN.empty(), std::string(header));
    // Every number the engine derived is finite: a value beyond the single range is a
    // fault, never an "Infinity" or "NaN" in the report.
    FUZZ_REQUIRE(sections.find("Infinity") == std::string_view::npos &&
                     sections.find("NaN") == std::string_view::npos,
                 std::string(sections));
    const std::string_view derived[] = {
        headerL0,
        headerN,
        ShownAfter(header, "\r\n角钢与H钢腹板的夹角=", "度\r\n"),
        ShownAfter(header, "\r\n螺栓的直径M=", "mm,"),
        ShownAfter(header, "\r\n螺栓孔的直径(默认为M+2)=", "mm\r\n"),
    };
    for (const std::string_view number : derived) {
        FUZZ_REQUIRE(fuzz::ReadGeneral(number).has_value(), std::string(header));
    }
    FUZZ_REQUIRE(ShownAfter(sectionText[1], "-L0：角钢的螺栓间的长度=", "mm\r\n") == headerL0,
                 std::string(sectionText[1]));
    FUZZ_REQUIRE(ShownAfter(sectionText[3], "-N：轴力=", "N\r\n") == headerN,
                 std::string(sectionText[3]));
    FUZZ_REQUIRE(ShownAfter(sectionText[4], "-N：轴力=", "N\r\n") == headerN,
                 std::string(sectionText[4]));
    // The verdict line of (1) reads "长细比=" λ, then "<=200" or ">200".
    std::string_view lambda = ShownAfter(sectionText[1], "   长细比=", "200，");
    if (!lambda.empty()) lambda.remove_suffix(lambda.back() == '=' ? 2 : 1);
    FUZZ_REQUIRE(!lambda.empty() && ShownAfter(sectionText[4], "-λ：角钢长细比=", "\r\n") == lambda,
                 std::string(sectionText[1]) + std::string(sectionText[4]));
}

struct Session {
    DesignState state = StartupDesignState();
    InputTexts in = StartupInputTexts();

    // Calculate on record s: nothing when the run completed, else the fault's kind.
    std::optional<FaultKind> Press(DesignState& s) {
        const std::string before = s.reportText;
        try {
            RunCalculation(s, in);
        } catch (const CalculationFault& fault) {
            FUZZ_REQUIRE(FaultKindName(fault.kind()) != "Unknown", fault.what());
            FUZZ_REQUIRE(fault.what()[0] != '\0', std::string(FaultKindName(fault.kind())));
            FUZZ_REQUIRE(s.reportText == before, fault.what());
            return fault.kind();
        }
        return std::nullopt;
    }

    void Calculate() {
        DesignState copy = state;
        const auto fault = Press(state);
        // The same record and inputs give the same outcome: the same fault, or the same
        // report.
        const auto repeated = Press(copy);
        FUZZ_REQUIRE(fault == repeated, "the repeated run ends differently");
        if (fault) return;
        CheckReportShape(state.reportText);
        FUZZ_REQUIRE(copy.reportText == state.reportText, "the repeated run's report differs");
        // Pressing Calculate twice: the second run starts from what the first left.
        DesignState again = state;
        FUZZ_REQUIRE(!Press(again), "a second press faults");
        FUZZ_REQUIRE(again.reportText == state.reportText, "a second press changes the report");
    }

    void Act(char action, const std::string& text) {
        if (std::string* box = Box(in, action)) {
            *box = text;
            return;
        }
        switch (action) {
            case 'L': Repeat(text); break;
            case 'a': ChooseGrade(state, 1); break;
            case 'b': ChooseGrade(state, 2); break;
            case 'd': ChooseLayout(state, 1); break;
            case 's': ChooseLayout(state, 2); break;
            case 'p': SelectAngle(state, text); break;
            case '#': {
                const auto index =
                    text.empty() ? 0u : static_cast<unsigned char>(text[0]) % kAngleCount;
                SelectAngle(state, AngleCatalogue()[index].designation);
                break;
            }
            case 'r': Calculate(); break;
            default: break;
        }
    }

    void Repeat(const std::string& text) {
        if (text.empty()) return;
        std::string* box = Box(in, text[0]);
        if (box == nullptr || box->empty()) return;
        std::size_t count = 0;
        for (std::size_t i = 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            count = std::min(count * 10 + static_cast<std::size_t>(text[i] - '0'), kLongestText);
        }
        const std::string unit = *box;
        while (box->size() < count)
            box->append(unit, 0, std::min(unit.size(), count - box->size()));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Session session;
    for (std::size_t start = 0; start < input.size();) {
        auto end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view line = input.substr(start, end - start);
        if (!line.empty()) session.Act(line[0], Unescape(line.substr(1)));
        start = end + 1;
    }
    return 0;
}
