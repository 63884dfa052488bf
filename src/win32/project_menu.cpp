#include "win32/project_menu.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "win32/dialog_template.h"
#include "win32/fault_dialog.h"
#include "win32/look.h"
#include "win32/safe_file.h"
#include "win32/utf.h"
#include "window/project_dialogs.h"
#include "window/project_file.h"
#include "window/report_book.h"

namespace kneebrace::win32 {

namespace {

using window::MemberCommand;
using window::MenuCommand;

constexpr int kFirstMenuId = 40000;
constexpr UINT_PTR kFrameSubclassId = 1;
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;

// The menu item's text: its caption, then its shortcut after a tab, as Windows aligns them.
std::wstring ItemText(const window::MenuItem& item) {
    std::wstring text = Widen(item.caption);
    if (!item.shortcut.empty()) text += L"\t" + Widen(item.shortcut);
    return text;
}

// "Ctrl+N" or "F1" as an accelerator; false for a shortcut of another form.
bool ToAccelerator(std::string_view keys, WORD id, ACCEL& out) {
    out = ACCEL{FVIRTKEY, 0, id};
    if (keys.rfind("Ctrl+", 0) == 0) {
        out.fVirt |= FCONTROL;
        keys.remove_prefix(5);
    }
    if (keys.size() == 1 && keys[0] >= 'A' && keys[0] <= 'Z') {
        out.key = static_cast<WORD>(keys[0]);
        return true;
    }
    if (keys.size() >= 2 && keys[0] == 'F') {
        const int n = std::atoi(std::string(keys.substr(1)).c_str());
        if (n < 1 || n > 12) return false;
        out.key = static_cast<WORD>(VK_F1 + n - 1);
        return true;
    }
    return false;
}

// A modal dialog built in code: `layOut` makes its controls, `command` answers their
// WM_COMMAND and returns whether the dialog ends (with that result).
class CodeDialog {
public:
    std::function<void(CodeDialog&)> layOut;
    std::function<std::optional<INT_PTR>(CodeDialog&, int id, int code)> command;

    INT_PTR Run(HWND owner, const std::wstring& title) {
        dpi_ = owner != nullptr ? GetDpiForWindow(owner) : 96;
        if (dpi_ == 0) dpi_ = 96;
        font_ = CreateSongFont(9, dpi_);
        const std::vector<WORD> layout = DialogTemplate(title, kFrameStyle);
        auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
        const INT_PTR result =
            DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(layout.data()),
                                    owner, &Proc, reinterpret_cast<LPARAM>(this));
        DeleteObject(font_);
        return result;
    }

    HWND dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    // A control at a place given in pixels at 96 dpi.
    HWND Add(const wchar_t* cls, const std::wstring& text, DWORD style, int id, int x, int y, int w,
             int h, DWORD exStyle = 0) {
        HWND control = CreateWindowExW(
            exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, ScaleFor(x, dpi_),
            ScaleFor(y, dpi_), ScaleFor(w, dpi_), ScaleFor(h, dpi_), dialog_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
        return control;
    }
    // The client area's size in pixels at 96 dpi; the frame is added, the dialog centred.
    void Size(int w, int h) const {
        RECT r{0, 0, ScaleFor(w, dpi_), ScaleFor(h, dpi_)};
        AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE)),
                                 FALSE, 0, dpi_);
        RECT owner{};
        GetWindowRect(GetParent(dialog_) != nullptr ? GetParent(dialog_) : GetDesktopWindow(),
                      &owner);
        const int cx = r.right - r.left, cy = r.bottom - r.top;
        SetWindowPos(dialog_, nullptr, (owner.left + owner.right - cx) / 2,
                     (owner.top + owner.bottom - cy) / 2, cx, cy, SWP_NOZORDER);
    }

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            auto* self = reinterpret_cast<CodeDialog*>(lParam);
            self->dialog_ = dialog;
            self->layOut(*self);
            return TRUE;
        }
        auto* self = reinterpret_cast<CodeDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (self == nullptr || message != WM_COMMAND) return FALSE;
        const std::optional<INT_PTR> end = self->command(*self, LOWORD(wParam), HIWORD(wParam));
        if (end) EndDialog(dialog, *end);
        return TRUE;
    }

    HWND dialog_ = nullptr;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
};

// Whether the double-click just reported fell on a row: a list box reports one below its
// last row too, where it must not open the row that happens to be selected.
bool OnARow(HWND list) {
    const DWORD at = GetMessagePos();
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(list, &p);
    const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    return HIWORD(hit) == 0;
}

window::UnsavedChoice AskUnsavedDialog(HWND owner, const std::wstring& projectName) {
    // 取消 is IDCANCEL, which Esc and the close box answer too.
    const auto choices = window::UnsavedButtons();
    std::vector<std::wstring> captions;
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (const window::UnsavedButton& b : choices) captions.push_back(Widen(b.caption));
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const bool cancel = choices[i].choice == window::UnsavedChoice::Cancel;
        buttons.push_back({cancel ? IDCANCEL : 100 + static_cast<int>(i), captions[i].c_str()});
    }
    const std::wstring title = Widen(window::kUnsavedTitle);
    const std::wstring text = Widen(window::UnsavedText(Narrow(projectName)));
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.dwFlags = TDF_POSITION_RELATIVE_TO_WINDOW | TDF_ALLOW_DIALOG_CANCELLATION;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszContent = text.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = buttons.front().nButtonID;
    int pressed = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr)))
        return window::UnsavedChoice::Cancel;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].nButtonID == pressed) return choices[i].choice;
    return window::UnsavedChoice::Cancel;
}

bool RunSystemFileDialog(OPENFILENAMEW& dialog, bool save, DWORD& error) {
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    error = chosen != FALSE ? 0 : CommDlgExtendedError();
    return chosen != FALSE;
}

}  // namespace

std::wstring ChooseFileDialog(HWND owner, bool save, const std::wstring& suggested,
                              const ProjectDialogs::Reporter& report, FileDialogRunner run) {
    if (run == nullptr) run = RunSystemFileDialog;
    std::vector<wchar_t> file(32768, L'\0');
    suggested.copy(file.data(), std::min(suggested.size(), file.size() - 1));
    // The filter's name and pattern, each ended by a zero, and one more zero after them.
    const std::wstring filter =
        Widen(window::kProjectFilterName) + L'\0' + Widen(window::kProjectFilterPattern) + L'\0';
    const std::wstring extension = Widen(window::kProjectFileExtension.substr(1));
    const std::wstring title = Widen(save ? window::kSaveProjectTitle : window::kOpenProjectTitle);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = extension.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    DWORD error = 0;
    if (run(ofn, save, error)) return std::wstring(file.data());
    // A name the dialog will not start from (a project named with a character no file
    // name may hold, say): the dialog again, with no name to start from.
    if (error == FNERR_INVALIDFILENAME && file[0] != L'\0') {
        std::fill(file.begin(), file.end(), L'\0');
        if (run(ofn, save, error)) return std::wstring(file.data());
    }
    // 0 is cancel; anything else would leave the command without any answer.
    if (error != 0 && report) {
        wchar_t code[16] = {};
        swprintf(code, 16, L"0x%04lX", static_cast<unsigned long>(error));
        report(owner, {std::string(save ? "无法保存工程" : "无法打开工程"),
                       "选择文件的对话框未能打开（错误代码 " + Narrow(code) + "）。" +
                           (save ? "工程仍未保存。" : "当前工程没有改变。")});
    }
    return {};
}

namespace {

std::optional<std::vector<std::wstring>> AskFieldsDialog(HWND owner, const std::wstring& title,
                                                         const ProjectDialogs::Fields& fields) {
    constexpr int kFirstEdit = 100;
    std::vector<std::wstring> answers;
    CodeDialog dialog;
    dialog.layOut = [&fields](CodeDialog& d) {
        int y = 14;
        for (std::size_t i = 0; i < fields.size(); ++i, y += 30) {
            d.Add(L"STATIC", fields[i].first, 0, -1, 12, y + 3, 84, 20);
            d.Add(L"EDIT", fields[i].second, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                  kFirstEdit + static_cast<int>(i), 100, y, 270, 22);
        }
        d.Add(L"BUTTON", Widen(window::kOkCaption), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 204, y + 6,
              80, 26);
        d.Add(L"BUTTON", Widen(window::kCancelCaption), WS_TABSTOP, IDCANCEL, 290, y + 6, 80, 26);
        d.Size(384, y + 44);
        SetFocus(d.Item(kFirstEdit));
        SendMessageW(d.Item(kFirstEdit), EM_SETSEL, 0, -1);
    };
    dialog.command = [&](CodeDialog& d, int id, int) -> std::optional<INT_PTR> {
        if (id == IDOK)
            for (std::size_t i = 0; i < fields.size(); ++i)
                answers.push_back(ReadWindowText(d.Item(kFirstEdit + static_cast<int>(i))));
        if (id == IDOK || id == IDCANCEL) return id;
        return std::nullopt;
    };
    if (dialog.Run(owner, title) != IDOK) return std::nullopt;
    return answers;
}

// The member list: one line a member with its verdict, and the commands on the selected
// one, enabled as the selection allows; 打开 loads it into the window and closes the list.
void MemberListDialog(HWND owner, window::ProjectSession& session) {
    constexpr int kList = 100;
    const auto buttons = window::MemberListButtons();
    // 打开 is IDOK, for Enter; 关闭 IDCANCEL, for Esc and the close box.
    const auto idOf = [&buttons](std::size_t i) {
        return buttons[i].command == MemberCommand::Open    ? IDOK
               : buttons[i].command == MemberCommand::Close ? IDCANCEL
                                                            : kList + 1 + static_cast<int>(i);
    };
    const auto selected = [](const CodeDialog& d) -> std::optional<std::size_t> {
        const LRESULT at = SendMessageW(d.Item(kList), LB_GETCURSEL, 0, 0);
        if (at < 0) return std::nullopt;
        return static_cast<std::size_t>(at);
    };
    const auto follow = [&](const CodeDialog& d) {
        const std::size_t count = session.project().members.size();
        for (std::size_t i = 0; i < buttons.size(); ++i)
            EnableWindow(d.Item(idOf(i)),
                         window::MemberButtonEnabled(buttons[i].command, selected(d), count));
        // A button greyed under the focus would leave the keys nowhere to go. Through the
        // dialog manager, so that the default button's border follows.
        if (GetFocus() == nullptr || !IsWindowEnabled(GetFocus()))
            SendMessageW(d.dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Item(kList)), TRUE);
    };
    const auto fill = [&](const CodeDialog& d, std::optional<std::size_t> select) {
        HWND list = d.Item(kList);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        // A long name or verdict scrolls sideways rather than being cut off.
        HDC dc = GetDC(list);
        const HGDIOBJ before =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
        LONG widest = 0;
        for (const window::MemberRow& row : session.MemberRows()) {
            const std::wstring line =
                (row.current ? L"▶ " : L"    ") + Widen(row.name) + L"　—　" + Widen(row.verdict);
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            SIZE extent{};
            GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &extent);
            widest = std::max(widest, extent.cx);
        }
        SelectObject(dc, before);
        ReleaseDC(list, dc);
        SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
        if (select) SendMessageW(list, LB_SETCURSEL, *select, 0);
        follow(d);
    };
    CodeDialog dialog;
    dialog.layOut = [&](CodeDialog& d) {
        d.Add(L"LISTBOX", L"",
              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kList, 12,
              12, 456, 220, WS_EX_CLIENTEDGE);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const int id = idOf(i);
            d.Add(L"BUTTON", Widen(buttons[i].caption),
                  WS_TABSTOP | (id == IDOK ? BS_DEFPUSHBUTTON : 0), id, 12 + 77 * int(i), 242, 70,
                  26);
        }
        d.Size(480, 280);
        SetFocus(d.Item(kList));
        fill(d, window::FirstMemberRow(session));
    };
    dialog.command = [&](CodeDialog& d, int id, int code) -> std::optional<INT_PTR> {
        std::optional<MemberCommand> command;
        if (id == kList) {
            if (code == LBN_SELCHANGE) follow(d);
            if (code == LBN_DBLCLK && OnARow(d.Item(kList))) command = MemberCommand::Open;
        }
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (id == idOf(i)) command = buttons[i].command;
        if (!command) return std::nullopt;
        const window::MemberListNext next = window::ActOnMember(session, *command, selected(d));
        if (next.close) return *command == MemberCommand::Open ? IDOK : IDCANCEL;
        if (next.refill) fill(d, next.select);
        return std::nullopt;
    };
    dialog.Run(owner, Widen(window::kMemberListTitle));
}

}  // namespace

ProjectDialogs SystemProjectDialogs() {
    ProjectDialogs dialogs{
        AskUnsavedDialog,
        nullptr,
        AskFieldsDialog,
        MemberListDialog,
        [](HWND owner, const window::FaultMessage& m) { ShowFaultDialog(owner, m); },
        ShowInformationDialog,
        [](HWND owner, const std::wstring& path) {
            return MessageBoxW(owner, Widen(window::ReplaceQuestion(Narrow(path))).c_str(),
                               Widen(window::kReplaceTitle).c_str(),
                               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
        }};
    dialogs.chooseFile = [report = dialogs.report](HWND owner, bool save,
                                                   const std::wstring& suggested) {
        return ChooseFileDialog(owner, save, suggested, report);
    };
    return dialogs;
}

int ProjectMenu::IdOf(MenuCommand command) { return kFirstMenuId + static_cast<int>(command); }

ProjectMenu::ProjectMenu(Form15Window& window, ProjectDialogs dialogs)
    : window_(window), dialogs_(std::move(dialogs)) {
    menu_ = CreateMenu();
    std::vector<ACCEL> keys;
    HMENU popup = nullptr;
    std::string_view title;
    for (const window::MenuItem& item : window::MainMenu()) {
        // This window prints; it has no PDF export of its own.
        if (item.command == MenuCommand::ExportPdf) continue;
        if (popup == nullptr || item.menu != title) {
            popup = CreatePopupMenu();
            title = item.menu;
            AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Widen(title).c_str());
        }
        if (item.separatorBefore) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        const int id = IdOf(item.command);
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id), ItemText(item).c_str());
        // Ctrl+P is the report box's own, handled before the dialog manager sees it.
        ACCEL accel{};
        if (item.command != MenuCommand::PrintReport &&
            ToAccelerator(item.shortcut, static_cast<WORD>(id), accel))
            keys.push_back(accel);
    }
    accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
    session_ = std::make_unique<window::ProjectSession>(static_cast<ProjectView&>(*this),
                                                        window_.presenter());
    window_.reportPrint().SetHeadingSource([this] { return session_->Heading(); });
    // Whether the report may print changes with every edit and Calculate; the menu asks
    // when it opens rather than following each change.
    SetWindowSubclass(window_.hwnd(), &ProjectMenu::FrameProc, kFrameSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    window_.AttachMenu(
        menu_, accelerators_, [this](int id) { return OnCommand(id); },
        [this] { return session_->MayClose(); });
    menuOnBar_ = GetMenu(window_.hwnd()) == menu_;
    session_->Refresh();
}

ProjectMenu::~ProjectMenu() {
    // A window destroys the menu on its bar with itself; after that the handle may already
    // name another menu. So the menu is destroyed here only when taken off a live window's
    // bar, or when it never got onto one.
    HWND hwnd = window_.hwnd();
    bool ours = !menuOnBar_;
    if (hwnd != nullptr) {
        RemoveWindowSubclass(hwnd, &ProjectMenu::FrameProc, kFrameSubclassId);
        ours = ours || GetMenu(hwnd) == menu_;
        window_.AttachMenu(nullptr, nullptr, {}, {});
    }
    if (ours) DestroyMenu(menu_);
    DestroyAcceleratorTable(accelerators_);
}

LRESULT CALLBACK ProjectMenu::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self) {
    if (message == WM_INITMENUPOPUP) {
        const auto& menu = *reinterpret_cast<const ProjectMenu*>(self);
        EnableMenuItem(
            reinterpret_cast<HMENU>(wParam), static_cast<UINT>(IdOf(MenuCommand::PrintReport)),
            MF_BYCOMMAND | (menu.window_.reportPrint().CanPrint() ? MF_ENABLED : MF_GRAYED));
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &ProjectMenu::FrameProc, id);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool ProjectMenu::OnCommand(int id) {
    const auto items = window::MainMenu();
    if (std::none_of(items.begin(), items.end(),
                     [id](const window::MenuItem& item) { return IdOf(item.command) == id; }))
        return false;
    const auto command = static_cast<MenuCommand>(id - kFirstMenuId);
    HWND owner = window_.hwnd();
    switch (command) {
        case MenuCommand::PrintReport: window_.reportPrint().Print(); break;
        case MenuCommand::Exit: PostMessageW(owner, WM_CLOSE, 0, 0); break;
        case MenuCommand::Help:
            dialogs_.inform(owner,
                            {std::string(window::kHelpTitle), std::string(window::HelpText())});
            break;
        case MenuCommand::About:
            dialogs_.inform(owner, {std::string(window::kAboutTitle), window::AboutText()});
            break;
        default: session_->Run(command); break;
    }
    return true;
}

HWND ProjectMenu::Owner() const { return GetLastActivePopup(window_.hwnd()); }

void ProjectMenu::SetCaption(std::string_view utf8) {
    SetWindowTextW(window_.hwnd(), Widen(utf8).c_str());
}

void ProjectMenu::EnableCommand(MenuCommand command, bool enabled) {
    EnableMenuItem(menu_, static_cast<UINT>(IdOf(command)),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(window_.hwnd());
}

window::UnsavedChoice ProjectMenu::AskUnsaved(std::string_view projectName) {
    return dialogs_.askUnsaved(window_.hwnd(), Widen(projectName));
}

std::optional<std::string> ProjectMenu::ChooseProjectToOpen() {
    const std::wstring path = dialogs_.chooseFile(window_.hwnd(), false, L"");
    if (path.empty()) return std::nullopt;
    return Narrow(path);
}

std::optional<std::string> ProjectMenu::ChooseProjectToSave(std::string_view suggestedName) {
    const std::wstring path = dialogs_.chooseFile(window_.hwnd(), true, Widen(suggestedName));
    if (path.empty()) return std::nullopt;
    return Narrow(path);
}

std::optional<std::string> ProjectMenu::ReadFile(const std::string& path) {
    return ReadWholeFile(Widen(path));
}

bool ProjectMenu::ReplaceFile(const std::string& path, std::string_view bytes) {
    saveFault_.reset();
    FilesAside aside;
    if (WriteWholeFile(Widen(path), bytes, &aside)) return true;
    if (!aside.oldFile.empty()) {
        const auto quoted = [](const std::wstring& name) { return "“" + Narrow(name) + "”"; };
        saveFault_ = window::FaultMessage{
            "无法保存工程", "文件“" + path + "”无法写入，原有的文件已被改名为" +
                                quoted(aside.oldFile) + "，新的工程写在" + quoted(aside.newFile) +
                                "中，两者都未能改回原来的名字。请把要保留的那个文件改名为“" + path +
                                "”。工程仍未保存。"};
    }
    return false;
}

bool ProjectMenu::MayReplace(const std::string& path) {
    const std::wstring file = Widen(path);
    return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES ||
           dialogs_.confirmReplace(window_.hwnd(), file);
}

std::optional<std::string> ProjectMenu::AskMemberName(std::string_view title,
                                                      std::string_view suggested) {
    const auto answers = dialogs_.askFields(Owner(), Widen(title),
                                            {{Widen(window::kMemberNameLabel), Widen(suggested)}});
    if (!answers || answers->empty()) return std::nullopt;
    return Narrow(answers->front());
}

std::optional<window::ProjectInfo> ProjectMenu::EditProjectInfo(const window::ProjectInfo& info) {
    const auto fields = window::ProjectInfoFields();
    ProjectDialogs::Fields lines;
    for (const window::InfoField& f : fields)
        lines.emplace_back(Widen(f.label), Widen(info.*f.text));
    const auto answers =
        dialogs_.askFields(window_.hwnd(), Widen(window::kProjectInfoTitle), lines);
    if (!answers || answers->size() != fields.size()) return std::nullopt;
    window::ProjectInfo edited;
    for (std::size_t i = 0; i < fields.size(); ++i) edited.*fields[i].text = Narrow((*answers)[i]);
    return edited;
}

void ProjectMenu::RunMemberList(window::ProjectSession& session) {
    dialogs_.memberList(window_.hwnd(), session);
}

void ProjectMenu::ShowProjectMessage(const window::FaultMessage& message) {
    // The session tells of a failed save as soon as ReplaceFile fails, saying that the old
    // file is unchanged; when it was left under another name, this message says where.
    if (saveFault_) {
        dialogs_.report(Owner(), *saveFault_);
        saveFault_.reset();
        return;
    }
    dialogs_.report(Owner(), message);
}

void ProjectMenu::PrintProjectBook(const window::Project& project, std::string_view) {
    window_.reportPrint().PrintBook(ProjectBook(project));
}

}  // namespace kneebrace::win32
