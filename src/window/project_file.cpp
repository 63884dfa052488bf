#include "window/project_file.h"

#include <array>
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "catalogue/angle_catalogue.h"

namespace kneebrace::window {

namespace {

// Read with std::map objects: a file of many keys stays fast to read, where the ordered
// kind would compare each new key with every earlier one. Written in the order below.
using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// A reason to refuse the file; thrown from deep in the reading, caught once.
struct Refusal {
    std::string message;
};

enum class FieldKind { Text, Code, Flag };

// One field of a member in the file: its key, the Chinese name a message gives it,
// and where it lives in Member.
struct MemberField {
    const char* key;
    const char* label;
    FieldKind kind;
    std::string Member::*text = nullptr;
    std::string InputTexts::*box = nullptr;
    std::int16_t Member::*code = nullptr;
    bool Member::*flag = nullptr;
    const char* codes = nullptr;  // what a code may be, for the message
};

constexpr const char* kSteelCodes = "1（Q235）或 2（Q345）";

// In the order of the window, top to bottom; the file lists them so.
// clang-format off
const std::array<MemberField, 15> kMemberFields{{
    {.key = "name",          .label = "构件名称",           .kind = FieldKind::Text, .text = &Member::name},
    {.key = "section",       .label = "H钢截面",            .kind = FieldKind::Text, .box = &InputTexts::Text1},
    {.key = "grade",         .label = "H钢钢材",            .kind = FieldKind::Code, .code = &Member::gradeCode, .codes = kSteelCodes},
    {.key = "gapUnlocked",   .label = "间隙勾选框",         .kind = FieldKind::Flag, .flag = &Member::gapUnlocked},
    {.key = "gap",           .label = "檩条与H钢上翼板间隙", .kind = FieldKind::Text, .box = &InputTexts::Text2},
    {.key = "K2",            .label = "孔距K2",             .kind = FieldKind::Text, .box = &InputTexts::Text3},
    {.key = "K3",            .label = "孔距K3",             .kind = FieldKind::Text, .box = &InputTexts::Text4},
    {.key = "angle",         .label = "与腹板夹角",         .kind = FieldKind::Text, .box = &InputTexts::Text5},
    {.key = "arrangement",   .label = "隅撑布置",           .kind = FieldKind::Code, .code = &Member::layoutCode, .codes = "1（双侧）或 2（单侧）"},
    {.key = "angleSize",     .label = "角钢规格",           .kind = FieldKind::Text, .text = &Member::angleSize},
    {.key = "bolt",          .label = "螺栓直径M",          .kind = FieldKind::Text, .box = &InputTexts::Text6},
    {.key = "E2",            .label = "伸出E2",             .kind = FieldKind::Text, .box = &InputTexts::Text9},
    {.key = "purlinWeb",     .label = "檩条腹板厚tp",       .kind = FieldKind::Text, .text = &Member::purlinWebText},
    {.key = "purlinSteel",   .label = "檩条钢材",           .kind = FieldKind::Code, .code = &Member::purlinSteelCode, .codes = kSteelCodes},
    {.key = "supplementary", .label = "补充验算勾选框",     .kind = FieldKind::Flag, .flag = &Member::supplementary},
}};
// clang-format on

std::string& TextOf(Member& m, const MemberField& f) { return f.box ? m.texts.*f.box : m.*f.text; }
const std::string& TextOf(const Member& m, const MemberField& f) {
    return f.box ? m.texts.*f.box : m.*f.text;
}

// The project's own fields, as the book's title block names them.
struct ProjectField {
    const char* key;
    const char* label;
    std::string Project::*text;
};
const std::array<ProjectField, 4> kProjectFields{{
    {"projectName", "工程名称", &Project::name},
    {"designer", "计算", &Project::designer},
    {"checker", "校对", &Project::checker},
    {"reviewer", "审核", &Project::reviewer},
}};

// The length of the UTF-8 sequence starting at s[i], or 0 when it is not a well-formed
// one (overlong forms, surrogates and code points beyond U+10FFFF included).
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return n;
}

// Line and column (in characters, both from 1) of the byte at `offset`.
std::string Place(std::string_view bytes, std::size_t offset) {
    if (offset > bytes.size()) offset = bytes.size();
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < offset;) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        const std::size_t n = SequenceLength(bytes, i);
        i += n == 0 ? 1 : n;
    }
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

// A text from the file quoted in a message: at most about 40 bytes, cut between
// characters.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    std::size_t end = 0;
    while (end < text.size() && end < kLongest) end += SequenceLength(text, end);
    std::string q = "“" + std::string(text.substr(0, end));
    if (end < text.size()) q += "…";
    return q + "”";
}

std::string TypeName(const Json& value) {
    switch (value.type()) {
        case Json::value_t::null: return "空值 null";
        case Json::value_t::boolean: return "真假值";
        case Json::value_t::string: return "文字";
        case Json::value_t::array: return "列表";
        case Json::value_t::object: return "对象";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned: return "整数";
        case Json::value_t::number_float: return "小数";
        default: return "未知的值";
    }
}

// The value of `key` in `object`, which `where` names for the message.
const Json& Field(const Json& object, const char* key, const char* label, const std::string& where,
                  bool (Json::*isKind)() const noexcept, const char* kindName) {
    const auto it = object.find(key);
    if (it == object.end()) throw Refusal{where + "缺少“" + key + "”（" + label + "）。"};
    if (!((*it).*isKind)()) {
        throw Refusal{where + "的“" + key + "”（" + label + "）应为" + kindName + "，文件中是" +
                      TypeName(*it) + "。"};
    }
    return *it;
}

std::string ReadText(const Json& object, const char* key, const char* label,
                     const std::string& where) {
    return Field(object, key, label, where, &Json::is_string, "文字").get<std::string>();
}

Member ReadMember(const Json& value, std::size_t index) {
    std::string where = "第 " + std::to_string(index + 1) + " 个构件";
    if (!value.is_object()) throw Refusal{where + "应为对象，文件中是" + TypeName(value) + "。"};
    // Later messages name the member too, when its name could be read.
    const auto name = value.find("name");
    if (name != value.end() && name->is_string()) where += Quoted(name->get<std::string>());

    Member m;
    for (const MemberField& f : kMemberFields) {
        switch (f.kind) {
            case FieldKind::Text: TextOf(m, f) = ReadText(value, f.key, f.label, where); break;
            case FieldKind::Flag:
                m.*f.flag = Field(value, f.key, f.label, where, &Json::is_boolean,
                                  "真假值（true 或 false）")
                                .get<bool>();
                break;
            case FieldKind::Code: {
                const Json& code =
                    Field(value, f.key, f.label, where, &Json::is_number_integer, "整数代码");
                // Codes are 1 and 2 alone; integers below 0 are read as signed.
                const bool known = code.is_number_unsigned() && (code.get<std::uint64_t>() == 1 ||
                                                                 code.get<std::uint64_t>() == 2);
                if (!known) {
                    throw Refusal{where + "的“" + f.key + "”（" + f.label + "）为 " + code.dump() +
                                  "，不是本程序的代码：应为 " + f.codes + "。"};
                }
                m.*f.code = code.get<std::int16_t>();
                break;
            }
        }
    }
    if (!FindAngle(m.angleSize)) {
        const auto& sizes = AngleCatalogue();
        throw Refusal{where + "的角钢规格" + Quoted(m.angleSize) + "不在角钢表中（" +
                      std::string(sizes.front().designation) + " 至 " +
                      std::string(sizes.back().designation) + "，大小写须一致）。"};
    }
    return m;
}

// The format marker and version: checked before anything else, so that a file of a
// newer version is refused as such whatever else it holds.
void CheckFormat(const Json& root) {
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() ||
        format->get<std::string>() != kProjectFileFormat) {
        throw Refusal{"这不是隅撑计算的工程文件：文件中没有格式标记“\"format\": \"" +
                      std::string(kProjectFileFormat) + "\"”。"};
    }
    const Json& version =
        Field(root, "version", "格式版本", "工程文件", &Json::is_number_integer, "整数");
    // Integers from 0 up are read as unsigned, below 0 as signed.
    if (version.is_number_unsigned()) {
        const auto v = version.get<std::uint64_t>();
        if (v > kProjectFileVersion) {
            throw Refusal{"此工程文件的格式版本为 " + std::to_string(v) +
                          "，由较新版本的程序保存，本程序只能打开版本 " +
                          std::to_string(kProjectFileVersion) +
                          " 及以前的文件。请用新版本的程序打开。"};
        }
        if (v >= 1) return;
    }
    throw Refusal{"工程文件的格式版本 " + version.dump() + " 无效：版本从 1 起。"};
}

Project Read(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = SequenceLength(bytes, i);
        if (n == 0) {
            throw Refusal{"文件不是有效的 UTF-8 文本（" + Place(bytes, i) +
                          "）：工程文件以 UTF-8 保存，此文件可能已损坏或被别的程序改写。"};
        }
        i += n;
    }
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos)
        throw Refusal{"文件是空的，不是工程文件。"};
    Json root;
    try {
        root = Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::parse_error& e) {
        // e.byte counts from 1 and points at the byte that could not be read.
        const std::size_t at = e.byte == 0 ? 0 : e.byte - 1;
        throw Refusal{"文件已损坏：" + Place(bytes, at) +
                      "处不是有效的 JSON，文件可能被截断或改写过。"};
    } catch (const Json::out_of_range&) {
        // A number such as 1e400 that no double holds; the reader gives no place for it.
        throw Refusal{"文件已损坏：其中有一个数太大，无法读取，文件可能被改写过。"};
    }
    if (!root.is_object())
        throw Refusal{"这不是隅撑计算的工程文件：文件的内容应为 JSON 对象，而它是" +
                      TypeName(root) + "。"};
    CheckFormat(root);

    Project p;
    for (const ProjectField& f : kProjectFields)
        p.*f.text = ReadText(root, f.key, f.label, "工程文件");
    const Json& members = Field(root, "members", "构件列表", "工程文件", &Json::is_array, "列表");
    p.members.reserve(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) p.members.push_back(ReadMember(members[i], i));
    return p;
}

}  // namespace

ProjectReadResult ReadProject(std::string_view bytes) {
    try {
        return {Read(bytes), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.message};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, "内存不足，无法读取此工程文件。"};
    } catch (const std::exception&) {
        // The checks above leave nlohmann-json nothing to throw; should it still, the
        // file is refused rather than the window ended.
        return {std::nullopt, "无法读取此工程文件：文件的内容不合要求。"};
    }
}

std::string WriteProject(const Project& p) {
    OrderedJson root;
    root["format"] = kProjectFileFormat;
    root["version"] = kProjectFileVersion;
    for (const ProjectField& f : kProjectFields) root[f.key] = p.*f.text;
    OrderedJson members = OrderedJson::array();
    for (const Member& m : p.members) {
        OrderedJson member;
        for (const MemberField& f : kMemberFields) {
            switch (f.kind) {
                case FieldKind::Text: member[f.key] = TextOf(m, f); break;
                case FieldKind::Code: member[f.key] = m.*f.code; break;
                case FieldKind::Flag: member[f.key] = m.*f.flag; break;
            }
        }
        members.push_back(std::move(member));
    }
    root["members"] = std::move(members);
    // Chinese stays readable in the file; control characters are escaped by the writer.
    return root.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

}  // namespace kneebrace::window
