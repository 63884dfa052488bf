// The member list's rules, as both windows follow them: which buttons a selection
// allows, and what each command does to the project and which row it leaves selected,
// worked through a real session on the example project.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/test_data.h"
#include "window/project_dialogs.h"

namespace {

using namespace kneebrace::window;
using windowtest::FakeProjectWindow;

// The captions of the buttons enabled, left to right.
std::string Enabled(std::optional<std::size_t> selected, std::size_t count) {
    std::string captions;
    for (const MemberButton& b : MemberListButtons())
        if (MemberButtonEnabled(b.command, selected, count))
            captions += (captions.empty() ? "" : " ") + std::string(b.caption);
    return captions;
}

TEST(MemberList, ButtonsFollowTheSelection) {
    struct Row {
        std::optional<std::size_t> selected;
        std::size_t count;
        const char* enabled;
    };
    const Row rows[] = {
        {std::nullopt, 3, "关闭"},
        {std::nullopt, 0, "关闭"},
        {0, 3, "打开 改名… 删除 下移 关闭"},
        {1, 3, "打开 改名… 删除 上移 下移 关闭"},
        {2, 3, "打开 改名… 删除 上移 关闭"},
        {0, 1, "打开 改名… 删除 关闭"},
        // A row the list no longer has.
        {3, 3, "关闭"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.selected.value_or(99) << " of " << row.count);
        EXPECT_EQ(Enabled(row.selected, row.count), row.enabled);
    }
}

std::vector<std::string> Names(const ProjectSession& s) {
    std::vector<std::string> names;
    for (const Member& m : s.project().members) names.push_back(m.name);
    return names;
}

// The example's three members, the window holding the second.
void OpenExample(FakeProjectWindow& w) {
    const std::string path = "/工程/示例工程.kbproj";
    w.view.disk[path] = testsupport::ReadFile(std::string(KNEEBRACE_EXAMPLES) + "/示例工程.kbproj");
    w.view.openAnswers.push_back(path);
    w.session.Open();
    w.session.OpenMember(1);
}

TEST(MemberList, EachCommandsEffectAndTheRowSelectedAfter) {
    const std::string a = "YC-1 刚架梁1左端", b = "YC-2 刚架梁2左端", c = "YC-3 边跨刚架梁 单侧";
    using Cmd = MemberCommand;
    struct Row {
        const char* what;
        Cmd command;
        std::optional<std::size_t> selected;
        const char* nameAnswer;  // for 改名…; null: cancelled
        MemberListNext next;
        std::vector<std::string> names;
        std::optional<std::size_t> current;
        bool dirty;
    };
    const Row rows[] = {
        {"open", Cmd::Open, 2, nullptr, {true, 2}, {a, b, c}, 2, false},
        {"open, nothing selected",
         Cmd::Open,
         std::nullopt,
         nullptr,
         {false, std::nullopt, false},
         {a, b, c},
         1,
         false},
        {"rename", Cmd::Rename, 0, "甲", {false, 0}, {"甲", b, c}, 1, true},
        {"rename cancelled", Cmd::Rename, 0, nullptr, {false, 0}, {a, b, c}, 1, false},
        {"delete above the window's", Cmd::Delete, 0, nullptr, {false, 0}, {b, c}, 0, true},
        {"delete the last row", Cmd::Delete, 2, nullptr, {false, 1}, {a, b}, 1, true},
        {"delete the window's", Cmd::Delete, 1, nullptr, {false, 1}, {a, c}, std::nullopt, true},
        {"up", Cmd::MoveUp, 2, nullptr, {false, 1}, {a, c, b}, 2, true},
        {"up from the top", Cmd::MoveUp, 0, nullptr, {false, 0, false}, {a, b, c}, 1, false},
        {"down", Cmd::MoveDown, 1, nullptr, {false, 2}, {a, c, b}, 2, true},
        {"down from the bottom", Cmd::MoveDown, 2, nullptr, {false, 2, false}, {a, b, c}, 1, false},
        {"close", Cmd::Close, 1, nullptr, {true, 1}, {a, b, c}, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeProjectWindow w;
        OpenExample(w);
        ASSERT_EQ(Names(w.session), (std::vector<std::string>{a, b, c}));
        ASSERT_EQ(FirstMemberRow(w.session), 1U);
        if (row.nameAnswer != nullptr) w.view.nameAnswers.emplace_back(row.nameAnswer);
        EXPECT_EQ(ActOnMember(w.session, row.command, row.selected), row.next);
        EXPECT_EQ(Names(w.session), row.names);
        EXPECT_EQ(w.session.currentMember(), row.current);
        // Opening a member or a command that changed nothing leaves the project saved.
        EXPECT_EQ(w.session.dirty(), row.dirty);
    }
}

// The list opens on the window's member, else on the first, and on no row when empty.
TEST(MemberList, RowSelectedOnOpening) {
    FakeProjectWindow w;
    OpenExample(w);
    w.session.DeleteMember(1);
    EXPECT_EQ(FirstMemberRow(w.session), 0U);
    w.view.unsavedAnswers.push_back(UnsavedChoice::Discard);
    w.session.New();
    EXPECT_EQ(FirstMemberRow(w.session), std::nullopt);
}

}  // namespace
