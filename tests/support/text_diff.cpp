#include "support/text_diff.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace testsupport {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
}

std::vector<unsigned> CodePoints(const std::string& s) {
    std::vector<unsigned> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        unsigned cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < n && i + static_cast<std::size_t>(k) < s.size(); ++k)
            cp =
                (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(cp);
        i += static_cast<std::size_t>(n);
    }
    return out;
}

std::string Around(const std::vector<unsigned>& cps, std::size_t at) {
    std::string out;
    const std::size_t from = at > 4 ? at - 4 : 0;
    const std::size_t to = std::min(cps.size(), at + 5);
    char buf[16];
    for (std::size_t i = from; i < to; ++i) {
        std::snprintf(buf, sizeof buf, "%sU+%04X", i == from ? "" : " ", cps[i]);
        out += buf;
        if (i == at) out += "<";
    }
    return out;
}

}  // namespace

std::string DescribeDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual) return {};
    const auto e = Lines(expected), a = Lines(actual);
    std::size_t line = 0;
    while (line < e.size() && line < a.size() && e[line] == a[line]) ++line;
    const std::string el = line < e.size() ? e[line] : "<end of text>";
    const std::string al = line < a.size() ? a[line] : "<end of text>";
    const auto ec = CodePoints(el), ac = CodePoints(al);
    std::size_t col = 0;
    while (col < ec.size() && col < ac.size() && ec[col] == ac[col]) ++col;
    return "first difference in line " + std::to_string(line + 1) + ", character " +
           std::to_string(col + 1) + "\n  expected: " + el + "\n  actual:   " + al +
           "\n  expected code points: " + Around(ec, col) +
           "\n  actual code points:   " + Around(ac, col);
}

}  // namespace testsupport
