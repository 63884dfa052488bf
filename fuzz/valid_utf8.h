// Whether a text the program shows is well-formed UTF-8 in its byte structure, checked
// without the program's own decoder.
#pragma once

#include <cstddef>
#include <string_view>

namespace kneebrace::fuzz {

inline bool ValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80           ? 1
                        : (c >> 5) == 0x6  ? 2
                        : (c >> 4) == 0xE  ? 3
                        : (c >> 3) == 0x1E ? 4
                                           : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        }
        i += n;
    }
    return true;
}

}  // namespace kneebrace::fuzz
