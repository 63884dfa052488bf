// A small JSON reader for the test data: objects, arrays, strings (with \u escapes and
// surrogate pairs), numbers, true, false, null. Enough for the reference cases, without
// a dependency that every platform the tests run on would have to provide.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object } type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;

    bool isNull() const { return type == Type::Null; }
    const Json& operator[](const std::string& key) const;  // throws when missing
    bool has(const std::string& key) const { return object.count(key) != 0; }
};

// Throws std::runtime_error with the offset of a syntax error.
Json ParseJson(std::string_view text);

std::string ReadFile(const std::string& path);

}  // namespace testsupport
