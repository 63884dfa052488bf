// The menu bar of the Win32 window, built from the shared menu table, and the project
// commands behind it: the project session decides what each command does and asks this
// view for its files (written whole or not at all) and dialogs. The dialogs come in as a
// set of functions, so that tests can answer them.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/form15_window.h"
#include "window/main_menu.h"
#include "window/project_session.h"

namespace kneebrace::win32 {

struct ProjectDialogs {
    // 保存/不保存/取消 for the project named.
    std::function<window::UnsavedChoice(HWND owner, const std::wstring& projectName)> askUnsaved;
    // The file dialog: a path to open (`save` false) or to save to, starting from
    // `suggested`; empty when cancelled.
    std::function<std::wstring(HWND owner, bool save, const std::wstring& suggested)> chooseFile;
    // A small form of labelled lines: the texts as edited, or nothing when cancelled.
    using Fields = std::vector<std::pair<std::wstring, std::wstring>>;  // label, text
    std::function<std::optional<std::vector<std::wstring>>(HWND owner, const std::wstring& title,
                                                           const Fields& fields)>
        askFields;
    // The 构件列表 dialog, modal, working on the session.
    std::function<void(HWND owner, window::ProjectSession& session)> memberList;
    // Why a command could not be carried out.
    using Reporter = std::function<void(HWND owner, const window::FaultMessage& message)>;
    Reporter report;
    // The help page and about: a title and a text, with the information icon.
    std::function<void(HWND owner, const window::FaultMessage& page)> inform;
    // Whether to replace the existing file at `path`, which the save dialog did not ask.
    std::function<bool(HWND owner, const std::wstring& path)> confirmReplace;
};

// The program's dialogs: a task dialog, the common file dialogs, small forms of its own.
ProjectDialogs SystemProjectDialogs();

// Runs the common file dialog (GetSaveFileNameW when `save`, else GetOpenFileNameW):
// true when a file was chosen, else false with CommDlgExtendedError()'s code in `error`,
// 0 for cancel. Tests stand in for it.
using FileDialogRunner = bool (*)(OPENFILENAMEW& dialog, bool save, DWORD& error);

// The file dialog of SystemProjectDialogs: the path chosen, empty when cancelled or when
// the dialog failed. A suggested name the dialog refuses is dropped and the dialog opened
// once more without it; any other failure is told through `report`. Null `run` is the
// system's dialog.
std::wstring ChooseFileDialog(HWND owner, bool save, const std::wstring& suggested,
                              const ProjectDialogs::Reporter& report,
                              FileDialogRunner run = nullptr);

class ProjectMenu : private window::ProjectView {
public:
    // Puts the menu bar on the window; the window's client area keeps its size.
    explicit ProjectMenu(Form15Window& window, ProjectDialogs dialogs = SystemProjectDialogs());
    ~ProjectMenu() override;
    ProjectMenu(const ProjectMenu&) = delete;
    ProjectMenu& operator=(const ProjectMenu&) = delete;

    window::ProjectSession& session() { return *session_; }
    // A menu command's identifier in WM_COMMAND.
    static int IdOf(window::MenuCommand command);

private:
    // A menu command; false for an identifier that is not one.
    bool OnCommand(int id);
    // The window's messages before its own procedure: a menu about to open shows
    // 打印计算书… greyed while there is no report to print or it is stale.
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);

    // What a dialog is modal to: the member list while it is up (its 改名… asks a name),
    // else the window. Ending a dialog enables its owner again, which must not free the
    // window under the list.
    HWND Owner() const;

    void SetCaption(std::string_view utf8) override;
    void EnableCommand(window::MenuCommand command, bool enabled) override;
    window::UnsavedChoice AskUnsaved(std::string_view projectName) override;
    std::optional<std::string> ChooseProjectToOpen() override;
    std::optional<std::string> ChooseProjectToSave(std::string_view suggestedName) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceFile(const std::string& path, std::string_view bytes) override;
    bool MayReplace(const std::string& path) override;
    std::optional<std::string> AskMemberName(std::string_view title,
                                             std::string_view suggested) override;
    std::optional<window::ProjectInfo> EditProjectInfo(const window::ProjectInfo& info) override;
    void RunMemberList(window::ProjectSession& session) override;
    void ShowProjectMessage(const window::FaultMessage& message) override;
    // Windows' print dialog has no file name to propose: the name goes unused.
    void PrintProjectBook(const window::Project& project, std::string_view suggestedName) override;
    // Windows has no PDF export of its own: print to a PDF printer instead.
    void ExportProjectBook(const window::Project&, std::string_view) override {}

    Form15Window& window_;
    ProjectDialogs dialogs_;
    HMENU menu_ = nullptr;
    bool menuOnBar_ = false;  // the window took menu_ onto its bar
    HACCEL accelerators_ = nullptr;
    std::unique_ptr<window::ProjectSession> session_;
    // What to tell instead of the session's message after a save that left the old file
    // under another name.
    std::optional<window::FaultMessage> saveFault_;
};

}  // namespace kneebrace::win32
