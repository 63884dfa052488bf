// What the calculation book says and where it goes: the title block with its lines to
// sign on, the input table as typed and as read (the gap counted or 不计, a member that
// faulted), the conclusion against the section's own, the project's summary rows, the
// headers of the pages after the first and the page a member starts on. One unit of the
// measure is a half-width column.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_data.h"
#include "window/project_file.h"
#include "window/report_book.h"
#include "window/report_pages.h"

namespace kneebrace {
namespace {

const Timestamp kPrinted{2026, 12, 7, 14, 30};

double Columns(std::string_view text) { return static_cast<double>(DisplayColumns(text)); }

// An A4-like page: 96 columns, 60 lines and the footer band.
ReportBook LayOut(const BookContent& content) {
    return LayOutBook(content, {96, 62, 1, 0.8}, Columns, kPrinted);
}

window::Project Example() {
    window::ProjectReadResult read = window::ReadProject(
        testsupport::ReadFile(std::string(KNEEBRACE_EXAMPLES) + "/示例工程.kbproj"));
    EXPECT_TRUE(read.project) << read.message;
    return read.project.value_or(window::Project{});
}

std::vector<std::string> Texts(const BookPage& page) {
    std::vector<std::string> texts;
    for (const BookLine& line : page.lines) texts.push_back(line.text);
    return texts;
}

// The row of the input table whose first cell is `item`.
std::vector<std::string> InputRow(const BookMember& m, const std::string& item) {
    for (const auto& row : InputRows(m))
        if (row[0] == item) return row;
    return {};
}

// The title block: a filled field prints its text on its line, an empty one only the
// line; six lines in all, however many fields are filled.
TEST(MemberBook, TitleBlockPrintsEmptyFieldsAsLinesToSignOn) {
    struct Case {
        BookHeading heading;
        std::vector<std::string> printed;  // the fields' texts that appear on page 1
    };
    const BookMember m = CalculatedMember({});
    for (const Case& c : std::vector<Case>{
             {{}, {}},
             {{"厂房A", "", "张三", "", "", "2026-12-07"}, {"厂房A", "张三", "2026-12-07"}},
             {{"厂房A", "YC-9", "张三", "李四", "王五", "今天"},
              {"厂房A", "YC-9", "张三", "李四", "王五", "今天"}}}) {
        const ReportBook book = LayOut(MemberBook(c.heading, m));
        const BookPage& first = book.pages.front();
        const std::vector<std::string> texts = Texts(first);
        // The block's lines: the rules before the input table's grid begins, all level.
        std::size_t signLines = 0;
        for (const BookRule& r : first.rules)
            if (r.y1 == r.y2 && r.y1 < first.diagrams.at(0).y) ++signLines;
        EXPECT_EQ(signLines, 6u);
        for (const char* label : {"工程名称", "构件", "计算", "校对", "审核", "日期"})
            EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
        for (const std::string& field : c.printed)
            EXPECT_NE(std::find(texts.begin(), texts.end(), field), texts.end()) << field;
        // Between the title and 设计依据 nothing but labels and the fields given.
        const auto title = std::find(texts.begin(), texts.end(), "隅撑计算书");
        const auto basis = std::find(texts.begin(), texts.end(), "设计依据：");
        ASSERT_LT(title, basis);
        EXPECT_EQ(basis - title - 1, 6 + static_cast<long>(c.printed.size()));
    }
}

// Each input as typed and as the run read it. The gap is read whether or not its box is
// unlocked; a gap of nothing is 不计. A run that faulted reads nothing.
TEST(MemberBook, InputTableShowsEveryInputAsTypedAndAsRead) {
    struct Case {
        const char* name;
        void (*change)(window::Member&);
        std::string item;
        std::vector<std::string> row;
    };
    const std::vector<Case> cases{
        {"locked gap", [](window::Member&) {}, "间隙", {"间隙", "10（未解锁）", "10 mm"}},
        {"unlocked gap",
         [](window::Member& m) {
             m.gapUnlocked = true;
             m.texts.Text2 = "25";
         },
         "间隙",
         {"间隙", "25", "25 mm"}},
        {"no gap",
         [](window::Member& m) {
             m.gapUnlocked = true;
             m.texts.Text2 = "0";
         },
         "间隙",
         {"间隙", "0", "不计"}},
        {"section",
         [](window::Member& m) { m.texts.Text1 = "800x250x8x10"; },
         "截面",
         {"截面", "800x250x8x10", "H=800，B=250，翼缘厚 10 mm"}},
        {"grade",
         [](window::Member& m) { m.gradeCode = 2; },
         "钢材",
         {"钢材", "Q345", "f=310，fy=345 N/mm²"}},
        {"one side",
         [](window::Member& m) { m.layoutCode = 2; },
         "布置",
         {"布置", "单侧", "coe=1"}},
        {"bolt read loosely",
         [](window::Member& m) { m.texts.Text6 = "12mm"; },
         "螺栓",
         {"螺栓", "12mm", "M=12，d0=14 mm"}},
        {"purlin web",
         [](window::Member& m) { m.purlinWebText = "2.5"; },
         "檩条腹板 tp",
         {"檩条腹板 tp", "2.5", "2.5 mm"}},
        {"a fault reads nothing",
         [](window::Member& m) { m.texts.Text1 = "500x200x6"; },
         "K2",
         {"K2", "50", "—"}},
    };
    for (const Case& c : cases) {
        window::Member member;
        c.change(member);
        EXPECT_EQ(InputRow(CalculatedMember(member), c.item), c.row) << c.name;
    }
    window::Member without;
    without.supplementary = false;
    EXPECT_TRUE(InputRow(CalculatedMember(without), "檩条腹板 tp").empty());
}

// The conclusion names what the section's own conclusion names, with the book's words.
TEST(MemberBook, ConclusionAgreesWithTheSection) {
    for (const window::Member& member : Example().members) {
        const BookMember m = CalculatedMember(member);
        const std::string marker = "验算结论：";
        const std::size_t at = m.report.rfind(marker);
        ASSERT_NE(at, std::string::npos) << member.name;
        std::string section = m.report.substr(at + marker.size());
        section.erase(section.find('\r'));
        const std::string expected = section == "各项验算均满足要求" ? "结论：各项验算均满足要求。"
                                                                     : "结论：" + section + "。";
        EXPECT_EQ(Conclusion(m), expected) << member.name;
    }
    window::Member fails;
    fails.supplementary = false;
    fails.texts.Text6 = "6";  // a small bolt fails its shear check
    EXPECT_EQ(Conclusion(CalculatedMember(fails)).substr(0, 12), "结论：第");
    EXPECT_TRUE(Conclusion(CalculatedMember(fails)).ends_with("不满足要求。"));
    window::Member broken;
    broken.texts.Text1 = "x";
    EXPECT_TRUE(Conclusion(CalculatedMember(broken)).starts_with("结论：计算未完成"));
}

// One summary row a member, its verdict the conclusion's, a use above 1 exactly when
// something fails.
TEST(ProjectBook, SummaryRowsFollowTheMembers) {
    const window::Project project = Example();
    std::vector<BookMember> members;
    for (const window::Member& m : project.members) members.push_back(CalculatedMember(m));
    const auto rows = SummaryRows(members);
    ASSERT_EQ(rows.size(), project.members.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 8u);
        EXPECT_EQ(row[0], project.members[i].name);
        EXPECT_EQ(row[2], project.members[i].angleSize);
        EXPECT_TRUE(row[4].starts_with("Ns=")) << row[4];
        const bool passes = row[7] == "满足要求";
        EXPECT_EQ(Conclusion(members[i]) == "结论：各项验算均满足要求。", passes) << row[0];
        EXPECT_EQ(std::stod(row[6]) > 1, !passes) << row[0] << " " << row[6];
    }
}

// The cover first, then each member from a page of its own; every page after the first
// carries the project and the member of that page in its header.
TEST(ProjectBook, MembersStartOnTheirOwnPagesUnderTheirHeaders) {
    window::Project project = Example();
    project.name = "示例";
    const ReportBook book = LayOut(ProjectBook(project));
    ASSERT_FALSE(book.fault);
    EXPECT_TRUE(book.pages.front().header.text.empty());
    std::vector<int> starts;
    std::string member;
    for (const BookPage& page : book.pages) {
        const std::vector<std::string> texts = Texts(page);
        const bool opens = std::find(texts.begin(), texts.end(), "隅撑计算书") != texts.end();
        if (opens) starts.push_back(page.number);
        if (page.number == 1) continue;
        EXPECT_TRUE(page.header.text.starts_with("示例")) << page.number;
        if (opens) {
            member = project.members.at(starts.size() - 2).name;
            EXPECT_EQ(texts.front(), "隅撑计算书") << page.number;
        }
        EXPECT_EQ(page.header.text, "示例    构件：" + member) << page.number;
    }
    ASSERT_EQ(starts.size(), project.members.size() + 1);
    EXPECT_EQ(starts.front(), 1);
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end()));
    EXPECT_EQ(book.pages.back().footer.text, "第 " + std::to_string(book.pages.size()) + " 页 共 " +
                                                 std::to_string(book.pages.size()) +
                                                 " 页    2026-12-07 14:30");
}

}  // namespace
}  // namespace kneebrace
