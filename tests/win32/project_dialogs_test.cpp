// The Win32 window's own project dialogs, driven as a user would through the menu:
// 工程信息 typed into and left by 确定, Enter, 取消, Esc or the close box; the member list,
// whose buttons follow the selection and whose commands change the project and the list,
// with 改名… asking a name over it and 打开 loading the member and closing. The dialogs
// are modal, so the test acts from a thread timer that their message loops dispatch.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win32/project_menu.h"
#include "win32/utf.h"
#include "window/project_dialogs.h"
#include "window_driver.h"

namespace {

using kneebrace::win32::Narrow;
using kneebrace::win32::ProjectMenu;
using kneebrace::win32::Widen;
using kneebrace::window::MenuCommand;

// The dialogs this thread is to show, each with what the user does in it, in order. The
// timer looks for the next one among the thread's windows; a dialog nobody expects is
// cancelled after a few seconds and fails the test, so that no test hangs in its loop.
class DialogAnswers {
public:
    DialogAnswers() : timer_(SetTimer(nullptr, 0, 10, &Tick)) { current_ = this; }
    ~DialogAnswers() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
        for (const Expected& e : expected_) ADD_FAILURE() << "never shown: " << Narrow(e.title);
    }
    void Then(std::string_view title, std::function<void(HWND)> act) {
        expected_.push_back({Widen(title), std::move(act)});
    }

private:
    struct Expected {
        std::wstring title;
        std::function<void(HWND)> act;
    };

    // The dialog on top: a visible, enabled dialog window of this thread.
    static HWND TopDialog() {
        for (HWND hwnd : win32test::ThreadWindows()) {
            wchar_t cls[16]{};
            GetClassNameW(hwnd, cls, 16);
            if (std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
                return hwnd;
        }
        return nullptr;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogAnswers* self = current_;
        HWND dialog = TopDialog();
        if (self == nullptr || dialog == nullptr) return;
        const std::wstring title = Widen(win32test::WindowTextUtf8(dialog));
        if (!self->expected_.empty() && self->expected_.front().title == title) {
            // Taken off first: the act may open the next dialog, whose loop ticks again.
            const Expected next = std::move(self->expected_.front());
            self->expected_.pop_front();
            self->waited_ = 0;
            next.act(dialog);
        } else if (++self->waited_ > 300) {
            ADD_FAILURE() << "unexpected dialog: " << Narrow(title);
            self->waited_ = 0;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline DialogAnswers* current_ = nullptr;
    UINT_PTR timer_;
    std::deque<Expected> expected_;
    int waited_ = 0;
};

// A dialog's children of one class, in creation order.
std::vector<HWND> Children(HWND dialog, const wchar_t* cls) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[32]{};
        GetClassNameW(c, name, 32);
        if (lstrcmpiW(name, cls) == 0) found.push_back(c);
    }
    return found;
}

HWND Button(HWND dialog, std::string_view caption) {
    return FindWindowExW(dialog, nullptr, L"Button", Widen(caption).c_str());
}

void Click(HWND dialog, std::string_view caption) {
    HWND button = Button(dialog, caption);
    ASSERT_NE(button, nullptr) << caption;
    SendMessageW(button, BM_CLICK, 0, 0);
}

void SetText(HWND control, std::string_view utf8) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(utf8).c_str()));
}

// A key as the user presses it: queued for the focused control, so that the dialog's
// own loop passes it through the dialog manager.
void PostKey(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, LPARAM{1} | (LPARAM{3} << 30));
}

// The window with its menu and the program's own dialogs.
struct MenuWindow {
    win32test::WindowDriver ui;
    ProjectMenu menu{ui.window()};
    DialogAnswers answers;

    kneebrace::window::ProjectSession& session() { return menu.session(); }
    void Run(MenuCommand c) {
        SendMessageW(ui.window().hwnd(), WM_COMMAND, static_cast<WPARAM>(ProjectMenu::IdOf(c)), 0);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& m : session().project().members) names.push_back(m.name);
        return names;
    }
};

std::vector<std::string> Texts(const std::vector<HWND>& controls) {
    std::vector<std::string> texts;
    for (HWND c : controls) texts.push_back(win32test::WindowTextUtf8(c));
    return texts;
}

TEST(Win32ProjectDialogs, InfoFormGivesItsTextsOnlyWhenConfirmed) {
    std::vector<std::string> labels;
    for (const auto& f : kneebrace::window::ProjectInfoFields()) labels.emplace_back(f.label);
    struct Row {
        const char* what;
        std::function<void(HWND)> leave;
        bool taken;
    };
    const Row rows[] = {
        {"确定", [](HWND d) { Click(d, kneebrace::window::kOkCaption); }, true},
        {"Enter", [](HWND) { PostKey(VK_RETURN); }, true},
        {"取消", [](HWND d) { Click(d, kneebrace::window::kCancelCaption); }, false},
        {"Esc", [](HWND) { PostKey(VK_ESCAPE); }, false},
        {"close box", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, false},
    };
    MenuWindow w;
    const auto fields = [&w] {
        const auto& p = w.session().project();
        return std::vector<std::string>{p.name, p.designer, p.checker, p.reviewer};
    };
    std::vector<std::string> shown;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string tag = row.what;
        const std::vector<std::string> typed{"厂房 " + tag, "张三" + tag, "李四", ""};
        const std::vector<std::string> before = fields();
        w.answers.Then(kneebrace::window::kProjectInfoTitle, [&](HWND d) {
            EXPECT_EQ(Texts(Children(d, L"Static")), labels);
            const std::vector<HWND> edits = Children(d, L"Edit");
            ASSERT_EQ(edits.size(), typed.size());
            shown = Texts(edits);
            for (std::size_t i = 0; i < edits.size(); ++i) SetText(edits[i], typed[i]);
            row.leave(d);
        });
        w.Run(MenuCommand::ProjectInfo);
        EXPECT_EQ(shown, before);
        EXPECT_EQ(fields(), row.taken ? typed : before);
    }
}

TEST(Win32ProjectDialogs, MemberListWorksTheProject) {
    MenuWindow w;
    // A's brace differs from B's and C's, so that opening it shows.
    for (const char* name : {"A", "B", "C"}) {
        w.ui.SetText("Text1", name == std::string("A") ? "800x250x8x10" : "500x200x6x12");
        w.answers.Then("加入当前构件", [name](HWND d) {
            SetText(Children(d, L"Edit").at(0), name);
            Click(d, kneebrace::window::kOkCaption);
        });
        w.Run(MenuCommand::AddMember);
    }
    ASSERT_EQ(w.Names(), (std::vector<std::string>{"A", "B", "C"}));
    HWND main = w.ui.window().hwnd();

    w.answers.Then(kneebrace::window::kMemberListTitle, [&](HWND d) {
        HWND list = Children(d, L"ListBox").at(0);
        const auto select = [&](int row) {
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
            SendMessageW(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
        };
        const auto enabled = [&] {
            std::string captions;
            for (const auto& b : kneebrace::window::MemberListButtons())
                if (IsWindowEnabled(Button(d, b.caption)))
                    captions += (captions.empty() ? "" : " ") + std::string(b.caption);
            return captions;
        };
        struct Step {
            const char* what;
            std::function<void()> act;
            int selected;
            const char* enabled;
            std::vector<std::string> names;
        };
        const Step steps[] = {
            {"opened on the window's", [] {}, 2, "打开 改名… 删除 上移 关闭", {"A", "B", "C"}},
            {"the first selected",
             [&] { select(0); },
             0,
             "打开 改名… 删除 下移 关闭",
             {"A", "B", "C"}},
            {"none selected", [&] { select(-1); }, -1, "关闭", {"A", "B", "C"}},
            {"下移",
             [&] { select(0), Click(d, "下移"); },
             1,
             "打开 改名… 删除 上移 下移 关闭",
             {"B", "A", "C"}},
            {"上移 to the top",
             [&] { Click(d, "上移"); },
             0,
             "打开 改名… 删除 下移 关闭",
             {"A", "B", "C"}},
            {"删除 the last",
             [&] { select(2), Click(d, "删除"); },
             1,
             "打开 改名… 删除 上移 关闭",
             {"A", "B"}},
            {"改名…",
             [&] {
                 w.answers.Then("构件改名", [&](HWND name) {
                     EXPECT_FALSE(IsWindowEnabled(d)) << "the name is asked over the list";
                     SetText(Children(name, L"Edit").at(0), "乙");
                     Click(name, kneebrace::window::kOkCaption);
                 });
                 Click(d, "改名…");
             },
             1,
             "打开 改名… 删除 上移 关闭",
             {"A", "乙"}},
        };
        // Every line can be scrolled to its end: a long name or verdict is not cut off.
        HDC dc = GetDC(list);
        const HGDIOBJ before =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
        for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t line[512] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
            SIZE extent{};
            GetTextExtentPoint32W(dc, line, static_cast<int>(wcslen(line)), &extent);
            EXPECT_GE(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), extent.cx);
        }
        SelectObject(dc, before);
        ReleaseDC(list, dc);
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            step.act();
            EXPECT_EQ(w.Names(), step.names);
            EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), step.selected);
            EXPECT_EQ(enabled(), step.enabled);
            EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), LRESULT(step.names.size()));
            // No key is left on a greyed button, and the window stays behind the list.
            EXPECT_TRUE(IsWindowEnabled(GetFocus()));
            EXPECT_FALSE(IsWindowEnabled(main));
        }
        // A double-click where the user points: below the rows it opens nothing, on a
        // row it opens that row.
        const auto doubleClick = [&](POINT at) {
            ClientToScreen(list, &at);
            SetCursorPos(at.x, at.y);
            ScreenToClient(list, &at);
            PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        };
        RECT row{};
        SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        const std::optional<std::size_t> held = w.session().currentMember();
        doubleClick({row.left + 10, row.bottom + 3 * (row.bottom - row.top)});
        EXPECT_EQ(w.session().currentMember(), held);
        EXPECT_TRUE(IsWindowVisible(d)) << "a double-click below the rows opened a member";
        select(0);
        doubleClick({row.left + 10, (row.top + row.bottom) / 2});
    });
    w.Run(MenuCommand::MemberList);
    EXPECT_EQ(w.session().currentMember(), std::optional<std::size_t>(0));
    EXPECT_EQ(w.ui.Text("Text1"), "800x250x8x10");
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(w.session().dirty());
}

}  // namespace
