#include "support/mini_json.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {
namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    Json Document() {
        Json value = Value();
        Blanks();
        if (pos_ != text_.size()) Fail("trailing characters");
        return value;
    }

private:
    [[noreturn]] void Fail(const char* what) const {
        throw std::runtime_error(std::string("JSON: ") + what + " at offset " +
                                 std::to_string(pos_));
    }

    void Blanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\t'))
            ++pos_;
    }

    bool Take(char c) {
        Blanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void Expect(char c) {
        if (!Take(c)) Fail("unexpected character");
    }

    bool Word(std::string_view w) {
        if (text_.substr(pos_, w.size()) == w) {
            pos_ += w.size();
            return true;
        }
        return false;
    }

    Json Value() {
        Blanks();
        if (pos_ >= text_.size()) Fail("unexpected end");
        Json j;
        const char c = text_[pos_];
        if (c == '{') {
            ++pos_;
            j.type = Json::Type::Object;
            if (Take('}')) return j;
            do {
                Blanks();
                std::string key = String();
                Expect(':');
                j.object[key] = Value();
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            ++pos_;
            j.type = Json::Type::Array;
            if (Take(']')) return j;
            do {
                j.array.push_back(Value());
            } while (Take(','));
            Expect(']');
        } else if (c == '"') {
            j.type = Json::Type::String;
            j.string = String();
        } else if (Word("null")) {
        } else if (Word("true")) {
            j.type = Json::Type::Bool;
            j.boolean = true;
        } else if (Word("false")) {
            j.type = Json::Type::Bool;
        } else {
            const std::size_t start = pos_;
            while (pos_ < text_.size() &&
                   std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos)
                ++pos_;
            if (start == pos_) Fail("unexpected character");
            j.type = Json::Type::Number;
            j.number = std::stod(std::string(text_.substr(start, pos_ - start)));
        }
        return j;
    }

    unsigned Hex4() {
        if (pos_ + 4 > text_.size()) Fail("short \\u escape");
        unsigned v = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[pos_++];
            v <<= 4;
            if (h >= '0' && h <= '9') v |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f') v |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') v |= static_cast<unsigned>(h - 'A' + 10);
            else Fail("bad \\u escape");
        }
        return v;
    }

    static void AppendUtf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }

    std::string String() {
        if (pos_ >= text_.size() || text_[pos_] != '"') Fail("expected a string");
        ++pos_;
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (pos_ >= text_.size()) Fail("unexpected end");
            c = text_[pos_++];
            switch (c) {
                case 'n': out.push_back('\n'); break;
                case 'r': out.push_back('\r'); break;
                case 't': out.push_back('\t'); break;
                case 'b': out.push_back('\b'); break;
                case 'f': out.push_back('\f'); break;
                case 'u': {
                    unsigned cp = Hex4();
                    if (cp >= 0xD800 && cp < 0xDC00 && Word("\\u")) {
                        const unsigned low = Hex4();
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    AppendUtf8(out, cp);
                    break;
                }
                default: out.push_back(c);  // \" \\ \/
            }
        }
        if (pos_ >= text_.size()) Fail("unterminated string");
        ++pos_;
        return out;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    const auto it = object.find(key);
    if (it == object.end()) throw std::runtime_error("JSON: missing key " + key);
    return it->second;
}

Json ParseJson(std::string_view text) { return Reader(text).Document(); }

std::string ReadFile(const std::string& path) {
    // The path is UTF-8; on Windows a plain narrow path would be read in the system code
    // page and miss a checkout under a Chinese user name.
    const std::filesystem::path fsPath(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
    std::ifstream in(fsPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace testsupport
