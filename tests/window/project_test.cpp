// Projects: the member list's commands, the .kbproj file saved and reopened, the files
// it refuses, and the members calculated as the window calculates them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/angle_catalogue.h"
#include "support/test_data.h"
#include "support/text_diff.h"
#include "window/member_run.h"
#include "window/project_file.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::window;

std::string ExampleFile() {
    return testsupport::ReadFile(std::string(KNEEBRACE_EXAMPLES) + "/示例工程.kbproj");
}

Project Reopened(const Project& p) {
    const ProjectReadResult read = ReadProject(WriteProject(p));
    EXPECT_EQ(read.message, "");
    return read.project.value_or(Project{});
}

TEST(Project, MemberCommandsSayWhetherTheyChangedTheList) {
    Project p;
    for (const char* name : {"A", "B", "C"}) AddMember(p, Member{.name = name});
    const Member d{.name = "D"};
    enum Op { Up, Down, Rename, Replace, Delete };
    struct Row {
        Op op;
        std::size_t index;
        bool changes;
        const char* after;  // the names in order; each row works on what the last left
    };
    const Row rows[] = {
        {Up, 1, true, "BAC"},       {Up, 0, false, "BAC"},     {Down, 2, false, "BAC"},
        {Down, 0, true, "ABC"},     {Rename, 2, true, "ABE"},  {Rename, 2, false, "ABE"},
        {Rename, 3, false, "ABE"},  {Replace, 1, true, "ADE"}, {Replace, 1, false, "ADE"},
        {Replace, 3, false, "ADE"}, {Delete, 0, true, "DE"},   {Delete, 2, false, "DE"}};
    for (const Row& r : rows) {
        const bool changed = r.op == Up       ? MoveMemberUp(p, r.index)
                             : r.op == Down   ? MoveMemberDown(p, r.index)
                             : r.op == Rename ? RenameMember(p, r.index, "E")
                             : r.op == Delete ? DeleteMember(p, r.index)
                                              : ReplaceMember(p, r.index, d);
        std::string names;
        for (const Member& m : p.members) names += m.name;
        EXPECT_EQ(changed, r.changes) << r.op << " at " << r.index;
        EXPECT_EQ(names, r.after) << r.op << " at " << r.index;
    }
    EXPECT_EQ(AddMember(p, d), 2u);
}

// Texts that are awkward for a file: each must come back exactly as typed, and saving
// the reopened project again must write the same bytes.
TEST(ProjectFile, MembersComeBackAsTyped) {
    const std::string nul("a\0b", 3);
    std::string longChinese;
    for (int i = 0; i < 2000; ++i) longChinese += "长";
    const std::vector<std::vector<std::string>> rows = {
        // name and purlin web, then the seven boxes
        {"", "", "", "", "", "", "", ""},
        {"  ", " 500x200x6x12 ", "\t10", "50 ", "\u300050", "45\u3000", " ", "35"},
        {"ＹＣ－１", "５００x２００x６x１２", "１０", "５０", "５０", "４５°", "１４ｍｍ", "３５"},
        {nul, "\r\n", nul, "\x01\x1f\x7f", "\b\f", "50\n", "\x1b[0m", "\\u0000"},
        {"\"}]", "\"", "\\", "/", "{\"a\":1}", "[]", "null", "//"},
        {"隅撑😀", "😀", "\U0010FFFF", "\uFEFF14", "\u2028", "e\u0301", "𝟛𝟝", "1,5"},
        {longChinese, std::string(40000, 'x'), std::string(1000, ' '), "1e308", "-0", "0x10", "",
         ""},
    };
    Project p{.name = "工程\r\n名称", .checker = "\t", .reviewer = "审核😀"};
    for (const auto& r : rows) {
        AddMember(p, Member{.name = r[0],
                            .texts = {r[1], r[2], r[3], r[4], r[5], r[6], r[7]},
                            .purlinWebText = r[0]});
        p.designer += r[0];
    }
    // Every other option code and flag, and the catalogue's last size.
    AddMember(p, Member{.gapUnlocked = true,
                        .gradeCode = 2,
                        .layoutCode = 2,
                        .angleSize = std::string(AngleCatalogue().back().designation),
                        .purlinSteelCode = 2,
                        .supplementary = false});
    const Project back = Reopened(p);
    EXPECT_TRUE(back == p);
    EXPECT_EQ(WriteProject(back), WriteProject(p));
    EXPECT_TRUE(Reopened(Project{}) == Project{});
    // Bytes the window never writes are saved as U+FFFD rather than failing the save.
    EXPECT_EQ(Reopened(Project{.name = "A\xff"}).name, "A\uFFFD");
}

// Each row changes the example file in one place (or, with nothing to find, replaces
// it) and must be refused with a message that says what is wrong and where.
TEST(ProjectFile, FilesThatCannotBeTakenAreRefusedWithTheReason) {
    struct Row {
        std::string from, to;
        std::vector<std::string> message;  // parts the message must hold
    };
    const Row rows[] = {
        {"", "", {"空的"}},
        {"\"K3\": \"50\",\n      \"angle\"", "", {"文件已损坏", "第 16 行第 7 列"}},
        {"\"version\": 1,", "\"version\": 1,,", {"文件已损坏", "第 3 行"}},
        {"示例工程", "\\ud800", {"文件已损坏"}},
        {"", "[]", {"不是隅撑计算的工程文件", "列表"}},
        {"kneebrace-project", "kneebrace-report", {"格式标记"}},
        {"\"version\": 1", "\"version\": 2", {"格式版本为 2", "新版本"}},
        {"\"version\": 1", "\"version\": 18446744073709551615", {"18446744073709551615", "新版本"}},
        {"\"version\": 1", "\"version\": -1", {"版本 -1 无效"}},
        {"\"designer\": \"\"", "\"designer\": 1e400", {"文件已损坏", "数太大"}},
        {"\"version\": 1", "\"version\": 1.0", {"“version”", "应为整数", "小数"}},
        {"L50X4", "l50x4", {"第 2 个构件“YC-2 刚架梁2左端”", "“l50x4”", "不在角钢表中"}},
        {"\"grade\": 2",
         "\"grade\": 3",
         {"第 2 个构件", "“grade”", "为 3", "1（Q235）或 2（Q345）"}},
        {"\"arrangement\": 1", "\"arrangement\": 0", {"第 1 个构件", "为 0", "双侧"}},
        {"\"purlinSteel\": 1", "\"purlinSteel\": -1", {"“purlinSteel”", "为 -1"}},
        {"\"grade\": 1", "\"grade\": \"Q235\"", {"应为整数代码", "文字"}},
        {"示例工程", "\xff", {"不是有效的 UTF-8", "第 4 行第 19 列"}},
        {"示例工程", "\xc0\xaf", {"不是有效的 UTF-8"}},          // overlong "/"
        {"示例工程", "\xed\xa0\x80", {"不是有效的 UTF-8"}},      // a surrogate
        {"示例工程", "\xf4\x90\x80\x80", {"不是有效的 UTF-8"}},  // beyond U+10FFFF
        {"\"500x200x6x12\"", "500", {"“section”", "应为文字", "整数"}},
        {"\"gapUnlocked\": false", "\"gapUnlocked\": \"false\"", {"应为真假值"}},
        {"\"designer\": \"\"", "\"designer\": null", {"“designer”", "null"}},
        {"\"members\": [", "\"members\": {}, \"x\": [", {"“members”", "应为列表", "对象"}},
        {"\"members\": [", "\"members\": [\"YC-0\",", {"第 1 个构件应为对象"}},
        {"\"K3\": \"50\",", "", {"第 1 个构件“YC-1 刚架梁1左端”缺少“K3”"}},
    };
    const std::string example = ExampleFile();
    for (const Row& r : rows) {
        std::string bytes = r.from.empty() ? r.to : example;
        if (!r.from.empty()) bytes.replace(bytes.find(r.from), r.from.size(), r.to);
        const ProjectReadResult read = ReadProject(bytes);
        EXPECT_FALSE(read.project.has_value()) << r.to;
        for (const std::string& part : r.message)
            EXPECT_NE(read.message.find(part), std::string::npos) << read.message;
    }
}

// Keys this version does not know are passed over, so that a file with notes opens.
TEST(ProjectFile, UnknownKeysArePassedOver) {
    std::string bytes = ExampleFile();
    bytes.insert(bytes.find("\"members\""), "\"note\": [1, {}],");
    bytes.insert(bytes.find("\"section\""), "\"remark\": null,");
    const ProjectReadResult read = ReadProject(bytes);
    ASSERT_TRUE(read.project.has_value()) << read.message;
    EXPECT_EQ(WriteProject(*read.project), ExampleFile());
}

TEST(ExampleProject, OpensAndItsThreeMembersCalculate) {
    const ProjectReadResult read = ReadProject(ExampleFile());
    ASSERT_TRUE(read.project.has_value()) << read.message;
    const Project& p = *read.project;
    // As the program saves it: saving it unchanged changes no byte.
    EXPECT_EQ(WriteProject(p), ExampleFile());
    ASSERT_EQ(p.members.size(), 3u);
    std::vector<MemberOutcome> out;
    for (const Member& m : p.members) out.push_back(CalculateMember(m));

    // The start-up brace gives the window's start-up report.
    EXPECT_TRUE(p.members[0] == Member{.name = p.members[0].name});
    const std::string startup =
        testsupport::ReadFile(std::string(KNEEBRACE_TEST_DATA) + "/startup-report.txt");
    EXPECT_EQ(testsupport::DescribeDifference(startup, out[0].report.substr(0, startup.size())),
              "");
    // Each member has the supplementary section on; its conclusion closes the report.
    const auto conclusion = [](const std::string& report) {
        const std::size_t at = report.rfind("验算结论：");
        return at == std::string::npos ? std::string() : report.substr(at);
    };
    EXPECT_EQ(conclusion(out[0].report), "验算结论：各项验算均满足要求\r\n");
    EXPECT_EQ(conclusion(out[1].report), "验算结论：补充验算S1不满足要求\r\n");
    EXPECT_EQ(out[0].failing, "");
    // The published spreadsheet example passes the seven with N = 11066.5 N.
    EXPECT_EQ(out[1].failing, "补充验算S1");
    EXPECT_NE(out[1].report.find("H钢截面：800x250x8x10,材质Q345\r\n"), std::string::npos);
    EXPECT_NE(out[1].report.find("角钢型号：L50X4\r\n"), std::string::npos);
    EXPECT_NE(out[1].report.find("轴力N=11066.5N\r\n"), std::string::npos);
    // On one side of a Q345 beam the start-up brace carries twice the force and more:
    // the hole wall of L45X3 no longer bears it.
    EXPECT_EQ(out[2].failing.rfind("第(6)项", 0), 0U) << out[2].failing;
    for (const MemberOutcome& o : out) EXPECT_FALSE(o.fault.has_value());
}

}  // namespace
