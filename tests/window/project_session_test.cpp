// The project commands through the fake window: a project saved and reopened gives the
// same reports byte for byte; files refused change nothing; the unsaved-changes prompt
// before closing, 新建 and 打开; the caption's name and mark; adding and updating the
// window's member; the member list's commands.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_window.h"
#include "support/test_data.h"
#include "window/control_table.h"
#include "window/project_file.h"

namespace {

using namespace kneebrace::window;
using windowtest::FakeProjectWindow;

const std::string kExamplePath = "/工程/示例 工程.kbproj";

std::string ExampleFile() {
    return testsupport::ReadFile(std::string(KNEEBRACE_EXAMPLES) + "/示例工程.kbproj");
}

// The example project opened from the fake disk.
void OpenExample(FakeProjectWindow& w) {
    w.view.disk[kExamplePath] = ExampleFile();
    w.view.openAnswers.push_back(kExamplePath);
    w.session.Open();
    ASSERT_EQ(w.session.path(), kExamplePath);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A brace as the user enters it: boxes typed, controls clicked, a size picked.
struct Brace {
    const char* name;
    std::vector<std::pair<const char*, const char*>> typed;
    std::vector<const char*> clicked;
    const char* size;
};

TEST(ProjectSession, SavedAndReopenedGivesTheSameReportsByteForByte) {
    const Brace braces[] = {
        {"YC-1 刚架梁1左端", {}, {}, "L45X3"},
        // The gap unlocked and typed, blanks around a number, the other grade.
        {"YC-2 刚架梁 2",
         {{"Text1", "800x250x8x10"}, {"Text6", "12"}, {"Text9", " 30 "}},
         {"Option2", "Check1"},
         "L50X4"},
        // A text read in part, which the reopened window marks again.
        {"YC-3 单侧", {{"Text5", "45度"}, {"Text1", "500x200x6x12   "}}, {"Option4"}, "L56X5"},
    };
    FakeProjectWindow w;
    std::vector<std::string> reports;
    for (const Brace& b : braces) {
        for (const char* control : b.clicked) w.window.Click(control);
        if (w.window.Enabled("Text2")) w.window.Type("Text2", "12.0");
        for (const auto& [box, text] : b.typed) w.window.Type(box, text);
        w.window.Pick(b.size);
        w.window.Click("Command1");
        ASSERT_TRUE(w.window.Faults().empty()) << b.name << ": " << w.window.Faults()[0].text;
        reports.push_back(w.window.Text("Text8"));
        w.view.nameAnswers.emplace_back(b.name);
        w.session.AddCurrentMember();
    }
    // The extension is added to a name typed without it; the name has blanks and Chinese.
    w.view.saveAnswers.emplace_back("/盘/一号 厂房");
    ASSERT_TRUE(w.session.Save());
    const std::string path = "/盘/一号 厂房.kbproj";
    ASSERT_EQ(w.view.disk.count(path), 1U);

    FakeProjectWindow again;
    again.view.disk = w.view.disk;
    again.view.openAnswers.push_back(path);
    again.session.Open();
    EXPECT_EQ(again.session.project(), w.session.project());
    EXPECT_EQ(again.session.Caption(), std::string(kWindowTitle) + " - 一号 厂房");
    for (std::size_t i = 0; i < reports.size(); ++i) {
        again.session.OpenMember(i);
        EXPECT_EQ(again.window.Text("Text8"), reports[i]) << braces[i].name;
        Member inWindow = again.window.presenter().CurrentMember();
        inWindow.name = braces[i].name;
        EXPECT_EQ(inWindow, w.session.project().members[i]) << braces[i].name;
    }
    EXPECT_TRUE(again.window.Marked("Text5"));
    EXPECT_TRUE(again.view.messages.empty());
}

// A file that cannot be taken whole is refused with the reader's own words, and the
// project, its file, its unsaved mark and the window stay as they were.
TEST(ProjectSession, RefusedFilesChangeNothing) {
    const std::string example = ExampleFile();
    struct Row {
        const char* what;
        std::string bytes;  // empty: no such file
    };
    const Row rows[] = {
        {"damaged", example.substr(0, example.size() / 2)},
        {"newer version", Replaced(example, "\"version\": 1", "\"version\": 2")},
        {"unknown size", Replaced(example, "\"L50X4\"", "\"L50X99\"")},
        {"unknown code", Replaced(example, "\"arrangement\": 2", "\"arrangement\": 3")},
        {"not a project", "{\"members\": []}"},
        {"missing file", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeProjectWindow w;
        OpenExample(w);
        w.session.OpenMember(1);
        w.view.nameAnswers.emplace_back("改过的名字");
        w.session.RenameMember(2);
        const Project before = w.session.project();
        const std::string caption = w.view.caption, report = w.window.Text("Text8");
        const std::string path = "/工程/坏 文件.kbproj";
        if (!row.bytes.empty()) w.view.disk[path] = row.bytes;
        w.view.unsavedAnswers.push_back(UnsavedChoice::Discard);
        w.view.openAnswers.push_back(path);
        w.session.Open();
        ASSERT_EQ(w.view.messages.size(), 1U);
        const std::string& text = w.view.messages[0].text;
        EXPECT_EQ(w.view.messages[0].title, "无法打开工程");
        EXPECT_NE(text.find("“" + path + "”"), std::string::npos) << text;
        if (!row.bytes.empty()) {
            const ProjectReadResult read = ReadProject(row.bytes);
            ASSERT_FALSE(read.project.has_value());
            EXPECT_NE(text.find(read.message), std::string::npos) << text;
        }
        EXPECT_EQ(w.session.project(), before);
        EXPECT_EQ(w.session.path(), kExamplePath);
        EXPECT_EQ(w.session.currentMember(), 1U);
        EXPECT_TRUE(w.session.dirty());
        EXPECT_EQ(w.view.caption, caption);
        EXPECT_EQ(w.window.Text("Text8"), report);
    }
}

// Closing, 新建 and 打开 with unsaved changes ask first: 保存 saves and goes on (unless
// the save fails), 不保存 goes on, 取消 stays. Without changes nobody is asked.
TEST(ProjectSession, UnsavedChangesAreSettledBeforeClosingNewOrOpen) {
    enum class Cmd { Close, New, Open };
    struct Row {
        Cmd command;
        bool changed;
        UnsavedChoice answer;
        bool diskFull;
        bool goesOn;
        bool saved;
    };
    const Row rows[] = {
        {Cmd::Close, true, UnsavedChoice::Save, false, true, true},
        {Cmd::Close, true, UnsavedChoice::Discard, false, true, false},
        {Cmd::Close, true, UnsavedChoice::Cancel, false, false, false},
        {Cmd::Close, true, UnsavedChoice::Save, true, false, false},
        {Cmd::Close, false, UnsavedChoice::Cancel, false, true, false},
        {Cmd::New, true, UnsavedChoice::Save, false, true, true},
        {Cmd::New, true, UnsavedChoice::Discard, false, true, false},
        {Cmd::New, true, UnsavedChoice::Cancel, false, false, false},
        {Cmd::New, false, UnsavedChoice::Cancel, false, true, false},
        {Cmd::Open, true, UnsavedChoice::Save, false, true, true},
        {Cmd::Open, true, UnsavedChoice::Discard, false, true, false},
        {Cmd::Open, true, UnsavedChoice::Cancel, false, false, false},
        {Cmd::Open, true, UnsavedChoice::Save, true, false, false},
    };
    const std::string other = "/工程/另一个.kbproj";
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "command " << int(row.command) << ", answer "
                                        << int(row.answer) << (row.diskFull ? ", full" : ""));
        FakeProjectWindow w;
        OpenExample(w);
        w.view.disk[other] = WriteProject(Project{.name = "另一个"});
        if (row.changed) {
            w.view.nameAnswers.emplace_back("新名");
            w.session.RenameMember(0);
        }
        w.view.asked.clear();
        w.view.unsavedAnswers.push_back(row.answer);
        w.view.diskFull = row.diskFull;
        switch (row.command) {
            case Cmd::Close: w.window.Click("Command3"); break;
            case Cmd::New: w.session.New(); break;
            case Cmd::Open:
                w.view.openAnswers.push_back(other);
                w.session.Open();
                break;
        }
        const std::vector<std::string> prompt{"unsaved 示例工程"};
        EXPECT_EQ(w.view.asked, row.changed ? prompt : std::vector<std::string>{});
        const bool wentOn = row.command == Cmd::Close ? w.window.view().closed
                            : row.command == Cmd::New ? w.session.project().members.empty()
                                                      : w.session.path() == other;
        EXPECT_EQ(wentOn, row.goesOn);
        const Project onDisk = *ReadProject(w.view.disk[kExamplePath]).project;
        EXPECT_EQ(onDisk.members[0].name == "新名", row.saved);
        EXPECT_EQ(w.view.messages.size(), row.diskFull ? 1U : 0U);
        if (!row.goesOn) {
            EXPECT_TRUE(w.session.dirty());
        }
    }
}

// The window's title stays; an open project adds its name (工程名称, else the file's
// name, else 未命名工程) and "*" while it has unsaved changes.
TEST(ProjectSession, CaptionNamesTheProjectAndMarksUnsavedChanges) {
    FakeProjectWindow w;
    const std::string title(kWindowTitle);
    struct Step {
        std::function<void()> act;
        std::string caption;
    };
    const Step steps[] = {
        {[] {}, title},
        {[&] { w.session.New(); }, title + " - 未命名工程"},
        {[&] { w.view.nameAnswers.emplace_back("A"), w.session.AddCurrentMember(); },
         title + " - 未命名工程*"},
        {[&] { w.view.saveAnswers.emplace_back("D:\\项目\\厂房 B.kbproj"), w.session.Save(); },
         title + " - 厂房 B"},
        {[&] {
             w.view.infoAnswers.push_back({"一号厂房", "张三", "", ""}), w.session.EditInfo();
         },
         title + " - 一号厂房*"},
        {[&] { w.session.Save(); }, title + " - 一号厂房"},
        // The extension in capitals is the extension; the file's name shows without it.
        {[&] { w.view.infoAnswers.push_back({}), w.session.EditInfo(); }, title + " - 厂房 B*"},
        {[&] { w.view.saveAnswers.emplace_back("D:\\项目\\厂房 C.KBPROJ"), w.session.SaveAs(); },
         title + " - 厂房 C"},
        {[&] {
             w.view.infoAnswers.push_back({"一号厂房", "张三", "", ""}), w.session.EditInfo();
         },
         title + " - 一号厂房*"},
        {[&] { w.session.Save(); }, title + " - 一号厂房"},
        // Cancelled or unchanged: still saved.
        {[&] { w.session.EditInfo(); }, title + " - 一号厂房"},
        {[&] {
             w.view.infoAnswers.push_back({"一号厂房", "张三", "", ""}), w.session.EditInfo();
         },
         title + " - 一号厂房"},
        {[&] { w.view.diskFull = true, w.session.DeleteMember(0), w.session.Save(); },
         title + " - 一号厂房*"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(w.view.caption, step.caption);
    }
    // A save with a path asks nothing; the project's fields went to the file.
    EXPECT_EQ(w.view.asked,
              (std::vector<std::string>{"加入当前构件 构件1", "save as 未命名工程.kbproj", "info ",
                                        "info 一号厂房", "save as 厂房 B.kbproj", "info ",
                                        "info 一号厂房", "info 一号厂房"}));
    EXPECT_EQ(ReadProject(w.view.disk["D:\\项目\\厂房 C.KBPROJ"]).project->designer, "张三");
}

// 加入当前构件 adds the window's brace under the name asked; 更新当前构件, greyed until
// the window holds a member, writes the window's brace back under the member's name.
TEST(ProjectSession, AddAndUpdateTheWindowsMember) {
    FakeProjectWindow w;
    EXPECT_FALSE(w.view.enabled[MenuCommand::UpdateMember]);
    w.session.AddCurrentMember();  // the name prompt cancelled
    EXPECT_FALSE(w.session.open());
    EXPECT_EQ(w.view.asked, std::vector<std::string>{"加入当前构件 构件1"});

    w.window.Type("Text1", "600x200x6x12");
    w.view.nameAnswers.emplace_back("YC-1");
    w.session.AddCurrentMember();
    ASSERT_EQ(w.session.project().members.size(), 1U);
    EXPECT_EQ(w.session.project().members[0].texts.Text1, "600x200x6x12");
    EXPECT_EQ(w.session.currentMember(), 0U);
    EXPECT_TRUE(w.view.enabled[MenuCommand::UpdateMember]);

    w.view.saveAnswers.emplace_back("/p.kbproj");
    w.session.Save();
    w.session.UpdateCurrentMember();  // nothing changed in the window
    EXPECT_FALSE(w.session.dirty());

    w.window.Click("Option4");
    w.window.Pick("L63X5");
    w.window.Type("Text4", "55");
    w.session.UpdateCurrentMember();
    const Member& m = w.session.project().members[0];
    EXPECT_EQ(m.name, "YC-1");
    EXPECT_EQ(m.layoutCode, 2);
    EXPECT_EQ(m.angleSize, "L63X5");
    EXPECT_EQ(m.texts.Text4, "55");
    EXPECT_EQ(m.texts.Text1, "600x200x6x12");
    EXPECT_TRUE(w.session.dirty());

    // A size typed but not settled (Ctrl+D moves no focus) is the size the member takes.
    w.window.TypeSizeOnly("L50X5");
    w.session.UpdateCurrentMember();
    EXPECT_EQ(w.session.project().members[0].angleSize, "L50X5");
    EXPECT_EQ(w.window.Text("Combo1"), "L50X5");
}

// The list's verdicts, and its commands on the example: the member the window holds
// follows its member through moves and is let go when it is deleted.
TEST(ProjectSession, MemberListCommands) {
    FakeProjectWindow w;
    OpenExample(w);
    std::vector<MemberRow> rows;
    w.view.memberList = [&rows](ProjectSession& s) { rows = s.MemberRows(); };
    w.session.ShowMemberList();
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0].verdict, "全部满足");
    EXPECT_TRUE(rows[0].current);  // opening a project opens its first member
    // The seven pass; the section's S1 does not, and the list says so as the book does.
    EXPECT_EQ(rows[1].verdict, "不满足：补充验算S1");
    EXPECT_FALSE(rows[1].passes);
    EXPECT_FALSE(rows[2].passes);
    EXPECT_EQ(rows[2].verdict.rfind("不满足：第(6)项", 0), 0U) << rows[2].verdict;

    const std::string a = "YC-1 刚架梁1左端", b = "YC-2 刚架梁2左端", c = "YC-3 边跨刚架梁 单侧";
    struct Row {
        const char* what;
        std::function<void(ProjectSession&)> act;  // on what the last row left
        std::vector<std::string> names;
        std::optional<std::size_t> current;
        bool dirty;
    };
    const Row steps[] = {
        {"open the second", [](ProjectSession& s) { s.OpenMember(1); }, {a, b, c}, 1, false},
        {"past the end",
         [](ProjectSession& s) { s.MoveMemberDown(2), s.OpenMember(3); },
         {a, b, c},
         1,
         false},
        {"current moves down", [](ProjectSession& s) { s.MoveMemberDown(1); }, {a, c, b}, 2, true},
        {"another moves past it", [](ProjectSession& s) { s.MoveMemberUp(2); }, {a, b, c}, 1, true},
        {"rename cancelled", [](ProjectSession& s) { s.RenameMember(0); }, {a, b, c}, 1, true},
        {"one before it deleted", [](ProjectSession& s) { s.DeleteMember(0); }, {b, c}, 0, true},
        {"it deleted", [](ProjectSession& s) { s.DeleteMember(0); }, {c}, std::nullopt, true},
    };
    for (const Row& step : steps) {
        SCOPED_TRACE(step.what);
        w.view.memberList = step.act;
        w.session.ShowMemberList();
        std::vector<std::string> names;
        for (const Member& m : w.session.project().members) names.push_back(m.name);
        EXPECT_EQ(names, step.names);
        EXPECT_EQ(w.session.currentMember(), step.current);
        EXPECT_EQ(w.session.dirty(), step.dirty);
        EXPECT_EQ(w.view.enabled[MenuCommand::UpdateMember], step.current.has_value());
    }
    // Opening a member puts it in the window and calculates it.
    EXPECT_EQ(w.window.Text("Text1"), "800x250x8x10");
    EXPECT_TRUE(w.window.Checked("Option2"));
    EXPECT_EQ(w.window.Text("Combo1"), "L50X4");
    EXPECT_NE(w.window.Text("Text8").find("L50X4"), std::string::npos);
}

// The project's book is printed and exported only for a project with members; the
// window's own book is signed with the project's fields and the member it came from.
TEST(ProjectSession, ProjectBookWaitsForAMemberAndSignsTheWindowsBook) {
    FakeProjectWindow w;
    EXPECT_EQ(w.session.Heading().project, "");
    w.session.New();
    w.session.Run(MenuCommand::PrintProjectBook);
    EXPECT_EQ(w.view.books, std::vector<std::string>{});
    EXPECT_FALSE(w.view.enabled[MenuCommand::ExportProjectBook]);
    // A name with a slash proposes a file, not a folder.
    w.view.infoAnswers.push_back({"某厂房/1#", "张三", "李四", ""});
    w.session.EditInfo();
    w.view.nameAnswers.emplace_back("YC-1");
    w.session.Run(MenuCommand::AddMember);
    EXPECT_TRUE(w.view.enabled[MenuCommand::PrintProjectBook]);
    EXPECT_TRUE(w.view.enabled[MenuCommand::ExportProjectBook]);
    w.session.Run(MenuCommand::PrintProjectBook);
    w.session.Run(MenuCommand::ExportProjectBook);
    EXPECT_EQ(w.view.books, (std::vector<std::string>{"print 某厂房_1#-计算书.pdf",
                                                      "export 某厂房_1#-计算书.pdf"}));
    const kneebrace::BookHeading h = w.session.Heading();
    EXPECT_EQ(std::vector<std::string>({h.project, h.member, h.designer, h.checker, h.reviewer}),
              std::vector<std::string>({"某厂房/1#", "YC-1", "张三", "李四", ""}));
}

// A name typed without the extension gets it; when a file of that name exists, the user
// is asked first (the save dialog asked about the name as typed). The proposed name is
// one Windows takes.
TEST(ProjectSession, SaveAsAsksBeforeReplacingAFileTheDialogDidNotName) {
    const std::string old = "an older project";
    struct Row {
        const char* typed;
        const char* file;  // where the project goes
        bool exists;
        std::vector<bool> answers;
        bool saved;
        std::vector<std::string> asked;
    };
    const Row rows[] = {
        {"/盘/二期 1.5", "/盘/二期 1.5.kbproj", false, {}, true, {}},
        {"/盘/二期 1.5",
         "/盘/二期 1.5.kbproj",
         true,
         {false},
         false,
         {"replace /盘/二期 1.5.kbproj"}},
        {"/盘/二期 1.5",
         "/盘/二期 1.5.kbproj",
         true,
         {true},
         true,
         {"replace /盘/二期 1.5.kbproj"}},
        {"/盘/二期 1.5.KBPROJ", "/盘/二期 1.5.KBPROJ", true, {}, true, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.typed) + (row.exists ? ", exists" : ""));
        FakeProjectWindow w;
        w.view.infoAnswers.push_back({"3#/4#厂房. ", "", "", ""});
        w.session.EditInfo();
        if (row.exists) w.view.disk[row.file] = old;
        w.view.saveAnswers.emplace_back(row.typed);
        w.view.replaceAnswers.assign(row.answers.begin(), row.answers.end());
        w.view.asked.clear();
        EXPECT_EQ(w.session.SaveAs(), row.saved);
        std::vector<std::string> asked{"save as 3#_4#厂房.kbproj"};
        asked.insert(asked.end(), row.asked.begin(), row.asked.end());
        EXPECT_EQ(w.view.asked, asked);
        EXPECT_EQ(w.view.disk[row.file] == old, !row.saved);
        EXPECT_EQ(w.session.dirty(), !row.saved);
    }
}

}  // namespace
