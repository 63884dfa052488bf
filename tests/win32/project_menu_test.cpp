// The Win32 window's menu bar and project commands: the bar from the shared table over an
// unchanged client area, a project saved under a Chinese name with blanks and reopened
// with the same report, Ctrl+S through the window's own message loop step, and closing
// with unsaved changes.
#include <windows.h>

#include <cderr.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win32/look.h"
#include "win32/project_menu.h"
#include "win32/safe_file.h"
#include "win32/utf.h"
#include "window/control_table.h"
#include "window/project_file.h"
#include "window_driver.h"

namespace {

using kneebrace::win32::ProjectDialogs;
using kneebrace::win32::ProjectMenu;
using kneebrace::window::MenuCommand;
using kneebrace::window::UnsavedChoice;

// A window with its menu whose dialogs the test answers; every dialog asked is recorded.
struct MenuWindow {
    win32test::WindowDriver ui;
    std::wstring path;  // what the file dialogs answer
    std::wstring name = L"YC-1 刚架梁";
    UnsavedChoice unsaved = UnsavedChoice::Cancel;
    std::vector<std::string> asked;
    std::string told;                          // the text of the last message
    std::function<void()> whileAskingUnsaved;  // called while 保存/不保存/取消 is up
    std::unique_ptr<ProjectMenu> menu;

    MenuWindow() {
        ProjectDialogs d;
        d.askUnsaved = [this](HWND, const std::wstring&) {
            asked.emplace_back("unsaved");
            if (whileAskingUnsaved) whileAskingUnsaved();
            return unsaved;
        };
        d.chooseFile = [this](HWND, bool save, const std::wstring&) {
            asked.emplace_back(save ? "save" : "open");
            return path;
        };
        d.askFields = [this](HWND, const std::wstring&, const ProjectDialogs::Fields& fields) {
            asked.emplace_back("fields");
            return std::optional<std::vector<std::wstring>>(
                std::vector<std::wstring>(fields.size(), name));
        };
        d.memberList = [this](HWND, kneebrace::window::ProjectSession&) {
            asked.emplace_back("list");
        };
        d.report = [this](HWND, const kneebrace::window::FaultMessage& m) {
            asked.push_back("message " + m.title);
            told = m.text;
        };
        menu = std::make_unique<ProjectMenu>(ui.window(), d);
    }
    HWND hwnd() const { return ui.window().hwnd(); }
    void Run(MenuCommand c) const {
        SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(ProjectMenu::IdOf(c)), 0);
    }
};

std::wstring MenuText(HMENU menu, UINT place) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, place, text, 128, MF_BYPOSITION);
    return text;
}

TEST(Win32ProjectMenu, BarFromTheTableOverAnUnchangedClientArea) {
    MenuWindow w;
    HMENU bar = GetMenu(w.hwnd());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(MenuText(bar, 0), L"文件");
    EXPECT_EQ(MenuText(bar, 2), L"帮助");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 2), L"保存工程\tCtrl+S");
    RECT client{};
    GetClientRect(w.hwnd(), &client);
    const RECT wanted = kneebrace::win32::PixelRect(
        {0, 0, kneebrace::window::kClientWidthTwips, kneebrace::window::kClientHeightTwips},
        w.ui.window().dpi());
    EXPECT_EQ(client.right, wanted.right);
    EXPECT_EQ(client.bottom, wanted.bottom);
    // 更新当前构件 is greyed until the window holds a member.
    const UINT update = GetMenuState(bar, ProjectMenu::IdOf(MenuCommand::UpdateMember), 0);
    EXPECT_NE(update & MF_GRAYED, 0U);
    EXPECT_EQ(win32test::WindowTextUtf8(w.hwnd()), std::string(kneebrace::window::kWindowTitle));
    // Enter still calculates: the dialog manager's IDOK is not a menu command.
    SetFocus(w.ui.Get("Text1"));
    w.ui.Key(VK_RETURN);
    const std::string& seven = w.ui.window().designState().reportText;
    EXPECT_FALSE(seven.empty());
    EXPECT_EQ(w.ui.Report().substr(0, seven.size()), seven);
}

// Saved under a Chinese name with blanks by Ctrl+S, reopened in another window: the same
// report byte for byte, and the project's name in the caption.
TEST(Win32ProjectMenu, ProjectReopensWithTheSameReport) {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0U);
    const std::string stem = "隅撑 工程 " + std::to_string(GetCurrentProcessId());
    const std::wstring path = std::wstring(temp) + kneebrace::win32::Widen(stem) + L".kbproj";
    std::string report;
    {
        MenuWindow w;
        w.ui.SetText("Text1", "800x250x8x10");
        w.ui.Calculate();
        report = w.ui.Report();
        w.Run(MenuCommand::AddMember);
        w.path = path;
        SetFocus(w.ui.Get("Text1"));
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG key{w.ui.Get("Text1"), WM_KEYDOWN, 'S', 1, 0, {}};
        EXPECT_TRUE(w.ui.window().PreTranslate(key));
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        EXPECT_EQ(w.asked, (std::vector<std::string>{"fields", "save"}));
        EXPECT_EQ(win32test::WindowTextUtf8(w.hwnd()),
                  std::string(kneebrace::window::kWindowTitle) + " - " + stem);
        w.unsaved = UnsavedChoice::Discard;
    }
    MenuWindow again;
    again.path = path;
    again.Run(MenuCommand::OpenProject);
    EXPECT_EQ(again.asked, std::vector<std::string>{"open"});
    EXPECT_EQ(again.ui.Report(), report);
    EXPECT_EQ(again.ui.Text("Text1"), "800x250x8x10");
    const UINT update =
        GetMenuState(GetMenu(again.hwnd()), ProjectMenu::IdOf(MenuCommand::UpdateMember), 0);
    EXPECT_EQ(update & MF_GRAYED, 0U);
    DeleteFileW(path.c_str());
}

// 关闭 with unsaved changes: 取消 keeps the window, 不保存 closes it.
TEST(Win32ProjectMenu, ClosingAsksAboutUnsavedChanges) {
    MenuWindow w;
    w.Run(MenuCommand::AddMember);
    w.ui.Click("Command3");
    EXPECT_NE(w.hwnd(), nullptr);
    w.unsaved = UnsavedChoice::Discard;
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_EQ(w.asked, (std::vector<std::string>{"fields", "unsaved", "unsaved"}));
    win32test::PumpMessages();
}

// Logging off with unsaved changes asks as closing does: 取消 or a save that fails keeps
// the session going and the window; 不保存 lets Windows end it, after which closing asks
// nothing more. Should another program stop the logging off, the changes are still
// unsaved and closing asks again.
TEST(Win32ProjectMenu, LoggingOffAsksAboutUnsavedChanges) {
    struct Row {
        const char* name;
        UnsavedChoice choice;
        LRESULT answer;                  // to WM_QUERYENDSESSION
        std::vector<std::string> asked;  // by it
        BOOL ends;                       // WM_ENDSESSION's wParam, when the answer was TRUE
        std::vector<std::string> askedByClosing;
    };
    const Row rows[] = {
        {"cancel", UnsavedChoice::Cancel, FALSE, {"unsaved"}, FALSE, {}},
        // The file dialog answers no path: the save does not happen.
        {"save not done", UnsavedChoice::Save, FALSE, {"unsaved", "save"}, FALSE, {}},
        {"discard", UnsavedChoice::Discard, TRUE, {"unsaved"}, TRUE, {}},
        {"discard, logging off stopped",
         UnsavedChoice::Discard,
         TRUE,
         {"unsaved"},
         FALSE,
         {"unsaved"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MenuWindow w;
        w.Run(MenuCommand::AddMember);
        w.asked.clear();
        w.unsaved = row.choice;
        EXPECT_EQ(SendMessageW(w.hwnd(), WM_QUERYENDSESSION, 0, 0), row.answer);
        EXPECT_EQ(w.asked, row.asked);
        ASSERT_NE(w.hwnd(), nullptr);
        if (row.answer == FALSE) continue;
        SendMessageW(w.hwnd(), WM_ENDSESSION, static_cast<WPARAM>(row.ends), 0);
        ASSERT_NE(w.hwnd(), nullptr);
        w.asked.clear();
        SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
        EXPECT_EQ(w.hwnd(), nullptr);
        EXPECT_EQ(w.asked, row.askedByClosing);
        win32test::PumpMessages();
    }
}

// While 保存/不保存/取消 is up, a second close (the frame's, the 关闭 button's) or a logoff
// answers "not now" instead of asking over it; the question's own answer then goes as
// usual.
TEST(Win32ProjectMenu, ClosingOrLoggingOffWhileAskingWaitsForTheAnswer) {
    constexpr UINT kCloseButton = 0;  // the 关闭 button pressed
    struct Row {
        const char* name;
        UINT asker;     // WM_CLOSE or WM_QUERYENDSESSION, which asks
        UINT intruder;  // what comes while the question is up
    };
    const Row rows[] = {
        {"logoff while closing", WM_CLOSE, WM_QUERYENDSESSION},
        {"close while closing", WM_CLOSE, WM_CLOSE},
        {"close button while closing", WM_CLOSE, kCloseButton},
        {"close while logging off", WM_QUERYENDSESSION, WM_CLOSE},
        {"logoff while logging off", WM_QUERYENDSESSION, WM_QUERYENDSESSION},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MenuWindow w;
        w.Run(MenuCommand::AddMember);
        w.asked.clear();
        w.unsaved = UnsavedChoice::Discard;
        HWND hwnd = w.hwnd();
        bool intruded = false;
        w.whileAskingUnsaved = [&] {
            if (intruded) return;  // asked again: the fault, recorded in `asked`
            intruded = true;
            if (row.intruder == kCloseButton) w.ui.Click("Command3");
            else if (row.intruder == WM_QUERYENDSESSION)
                EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
            else SendMessageW(hwnd, row.intruder, 0, 0);
            EXPECT_TRUE(IsWindow(hwnd));
        };
        const LRESULT answer = SendMessageW(hwnd, row.asker, 0, 0);
        EXPECT_TRUE(intruded);
        EXPECT_EQ(w.asked, std::vector<std::string>{"unsaved"});
        // 不保存: closing closes, logging off may go on.
        if (row.asker == WM_CLOSE) EXPECT_FALSE(IsWindow(hwnd));
        else EXPECT_EQ(answer, TRUE);
        w.whileAskingUnsaved = nullptr;
        win32test::PumpMessages();
    }
}

// 打印计算书… as the 文件 menu shows it on opening: greyed with no report, enabled once
// calculated, greyed again once an input changes, so the report no longer matches.
TEST(Win32ProjectMenu, PrintIsGreyedWithoutACurrentReport) {
    MenuWindow w;
    const auto printable = [&w] {
        HMENU file = GetSubMenu(GetMenu(w.hwnd()), 0);
        SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
        const UINT print = GetMenuState(file, ProjectMenu::IdOf(MenuCommand::PrintReport), 0);
        return print != static_cast<UINT>(-1) && (print & MF_GRAYED) == 0;
    };
    EXPECT_FALSE(printable());
    w.ui.Calculate();
    EXPECT_TRUE(printable());
    w.ui.SetText("Text1", "800x250x8x10");
    EXPECT_FALSE(printable());
}

// ReplaceFileW leaves the old file under its backup name, and by then a folder has taken
// the target's name, so that neither file can take it back: the message says where both
// files are rather than that the old file is unchanged.
bool OldFileAsideNameTaken(const wchar_t* target, const wchar_t*, const wchar_t* backup) {
    EXPECT_TRUE(backup != nullptr && MoveFileW(target, backup));
    EXPECT_TRUE(CreateDirectoryW(target, nullptr));
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return false;
}

TEST(Win32ProjectMenu, SaveLeavingBothFilesAsideSaysWhere) {
    const std::wstring folder = win32test::NewTemporaryFolder(L"两个 文件");
    ASSERT_FALSE(folder.empty());
    MenuWindow w;
    w.Run(MenuCommand::AddMember);
    w.path = folder + L"\\工程 乙.kbproj";
    ASSERT_TRUE(kneebrace::win32::WriteWholeFile(w.path, "the earlier project"));
    w.asked.clear();
    const auto previous = kneebrace::win32::SetReplaceCall(OldFileAsideNameTaken);
    w.Run(MenuCommand::SaveProject);
    kneebrace::win32::SetReplaceCall(previous);
    EXPECT_EQ(w.asked, (std::vector<std::string>{"save", "message 无法保存工程"}));
    EXPECT_EQ(w.told.find("没有改变"), std::string::npos) << w.told;
    // The names of both files left in the folder are in the message.
    std::vector<std::wstring> files;
    for (const std::wstring& name : win32test::Listing(folder)) {
        if (name == L"工程 乙.kbproj") continue;
        EXPECT_NE(w.told.find(kneebrace::win32::Narrow(folder + L"\\" + name)), std::string::npos)
            << w.told;
        files.push_back(folder + L"\\" + name);
    }
    ASSERT_EQ(files.size(), 2U);
    EXPECT_TRUE(w.menu->session().dirty());
    // The next message is the session's own again.
    w.unsaved = UnsavedChoice::Discard;
    w.Run(MenuCommand::OpenProject);
    EXPECT_NE(w.told.find("当前工程没有改变"), std::string::npos) << w.told;
    for (const std::wstring& file : files) DeleteFileW(file.c_str());
    RemoveDirectoryW(w.path.c_str());
    RemoveDirectoryW(folder.c_str());
}

// The common file dialog failing rather than cancelled: a suggested name it refuses is
// dropped and the dialog opened once more without it; any other failure is told in
// Chinese, never silently nothing. The stand-in dialog plays one outcome a run: 0 cancel,
// kChosen, else the error; it records the name each run started from.
constexpr DWORD kChosen = 0xFFFFFFFF;
std::vector<DWORD> g_outcomes;
std::vector<std::wstring> g_startedFrom;
const std::wstring kPicked = L"C:\\工程\\选中.kbproj";

bool ScriptedFileDialog(OPENFILENAMEW& dialog, bool, DWORD& error) {
    g_startedFrom.emplace_back(dialog.lpstrFile);
    const std::size_t run = g_startedFrom.size() - 1;
    error = run < g_outcomes.size() ? g_outcomes[run] : 0;
    if (error != kChosen) return false;
    error = 0;
    dialog.lpstrFile[kPicked.copy(dialog.lpstrFile, dialog.nMaxFile - 1)] = L'\0';
    return true;
}

TEST(Win32ProjectDialogs, FileDialogFailuresAreNotCancels) {
    struct Row {
        bool save;
        std::wstring suggested;
        std::vector<DWORD> outcomes;  // the dialog runs as often
        bool chosen;
        std::string told;  // the message's title, if any
    };
    const std::wstring bad = L"YC-1: 刚架*梁.kbproj";
    const DWORD refused = FNERR_INVALIDFILENAME;
    const Row rows[] = {
        {true, bad, {kChosen}, true, ""},
        {true, bad, {0}, false, ""},
        {true, bad, {refused, kChosen}, true, ""},
        {true, bad, {refused, 0}, false, ""},
        {true, bad, {refused, refused}, false, "无法保存工程"},
        {false, L"", {refused}, false, "无法打开工程"},  // no name to drop
        {false, L"", {CDERR_DIALOGFAILURE}, false, "无法打开工程"},
        {true, bad, {CDERR_MEMALLOCFAILURE}, false, "无法保存工程"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.outcomes));
        g_startedFrom.clear();
        g_outcomes = row.outcomes;
        std::vector<kneebrace::window::FaultMessage> told;
        EXPECT_EQ(
            kneebrace::win32::ChooseFileDialog(
                nullptr, row.save, row.suggested,
                [&told](HWND, const kneebrace::window::FaultMessage& m) { told.push_back(m); },
                ScriptedFileDialog),
            row.chosen ? kPicked : L"");
        ASSERT_EQ(g_startedFrom.size(), row.outcomes.size());
        EXPECT_EQ(g_startedFrom[0], row.suggested);
        if (g_startedFrom.size() > 1) {
            EXPECT_EQ(g_startedFrom[1], L"");
        }
        ASSERT_EQ(told.size(), row.told.empty() ? 0U : 1U);
        if (!told.empty()) {
            EXPECT_EQ(told[0].title, row.told);
            EXPECT_NE(told[0].text.find("对话框"), std::string::npos) << told[0].text;
        }
    }
}

// A disk that fills up while a project is saved over an older one. The folder is a file
// system of 128 KiB of its own, which full_disk.sh mounts (as root) and names in
// KNEEBRACE_SMALL_DISK; run alone, the test skips. At each fill level the save either
// fails, says so in Chinese and leaves the old file's bytes and nothing else, or
// succeeds with the whole project.
TEST(Win32ProjectMenu, FullDiskKeepsTheOldProject) {
    const char* disk = std::getenv("KNEEBRACE_SMALL_DISK");
    if (disk == nullptr || *disk == '\0') GTEST_SKIP() << "needs the small disk of full_disk.sh";
    const std::wstring folder = kneebrace::win32::Widen(disk);
    constexpr int kRoomKiB = 124;  // the size less one page taken by the old file
    const std::string old = "the engineer's earlier project";
    MenuWindow w;
    for (int i = 0; i < 60; ++i) w.Run(MenuCommand::AddMember);
    const std::string bytes = kneebrace::window::WriteProject(w.menu->session().project());
    ASSERT_GT(bytes.size(), 20U * 1024);  // more than the room of every level that must fail
    w.path = folder + L"\\工程 甲.kbproj";
    for (const int freeKiB : {0, 4, 12, 20, kRoomKiB}) {
        SCOPED_TRACE(std::to_string(freeKiB) + " KiB free");
        for (const std::wstring& name : win32test::Listing(folder))
            DeleteFileW((folder + L"\\" + name).c_str());
        ASSERT_TRUE(kneebrace::win32::WriteWholeFile(w.path, old));
        ASSERT_TRUE(kneebrace::win32::WriteWholeFile(
            folder + L"\\fill", std::string(std::size_t(kRoomKiB - freeKiB) * 1024, 'x')));
        w.asked.clear();
        w.told.clear();
        w.Run(MenuCommand::SaveProject);
        EXPECT_EQ(win32test::Listing(folder),
                  (std::vector<std::wstring>{L"fill", L"工程 甲.kbproj"}));
        const auto kept = kneebrace::win32::ReadWholeFile(w.path);
        ASSERT_TRUE(kept.has_value());
        if (freeKiB == kRoomKiB) {
            EXPECT_EQ(w.asked, std::vector<std::string>{"save"});
            EXPECT_EQ(*kept, bytes);
            EXPECT_FALSE(w.menu->session().dirty());
        } else {
            EXPECT_EQ(w.asked, (std::vector<std::string>{"save", "message 无法保存工程"}));
            EXPECT_NE(w.told.find("原有的文件没有改变"), std::string::npos) << w.told;
            EXPECT_EQ(*kept, old);
            EXPECT_TRUE(w.menu->session().dirty());
        }
    }
    for (const std::wstring& name : win32test::Listing(folder))
        DeleteFileW((folder + L"\\" + name).c_str());
    w.unsaved = UnsavedChoice::Discard;
}

}  // namespace
