// The full-width forms a Chinese input method types for the characters of a number,
// written out here byte by byte, so that the targets can build full-width texts and
// skip full-width blanks and signs without the engine's own folding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kneebrace::fuzz {

inline constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";  // U+3000
inline constexpr std::string_view kFullWidthPlus = "\xEF\xBC\x8B";     // U+FF0B
inline constexpr std::string_view kFullWidthMinus = "\xEF\xBC\x8D";    // U+FF0D

// The full-width form of an ASCII character of a number, or empty for any other byte.
inline std::string FullWidthOf(char c) {
    if (c >= '0' && c <= '9') return {'\xEF', '\xBC', static_cast<char>(0x90 + (c - '0'))};
    switch (c) {
        case ' ': return std::string(kIdeographicSpace);
        case '+': return std::string(kFullWidthPlus);
        case '-': return std::string(kFullWidthMinus);
        case '.': return "\xEF\xBC\x8E";
        case 'E': return "\xEF\xBC\xA5";
        case 'e': return "\xEF\xBD\x85";
        default: return {};
    }
}

// The text with every such character in its full-width form. No new character arises
// where a replaced one meets its neighbours: the forms start with E3 or EF and go on with
// bytes no form starts with, and ASCII is never part of a longer sequence.
inline std::string Widen(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const std::string wide = FullWidthOf(c);
        if (wide.empty()) {
            out.push_back(c);
        } else {
            out.append(wide);
        }
    }
    return out;
}

inline bool StartsWithAt(std::string_view text, std::size_t at, std::string_view piece) {
    return text.substr(at, piece.size()) == piece;
}

}  // namespace kneebrace::fuzz
