// The project commands of the menu bar, written once for both windows: new, open, save,
// save as, adding and updating the window's member, the member list, the project's
// fields, the caption with its unsaved mark and the unsaved-changes prompt. Files,
// prompts and dialogs are asked of a ProjectView, so that a test can answer them; the
// window's brace goes in and out through its presenter.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/form15_presenter.h"
#include "window/form_actions.h"
#include "window/main_menu.h"
#include "window/project.h"
#include "window/report_book.h"

namespace kneebrace::window {

class ProjectSession;

// The answer to 保存/不保存/取消.
enum class UnsavedChoice { Save, Discard, Cancel };

// The project's own fields, as 工程信息 edits them.
struct ProjectInfo {
    std::string name;      // 工程名称
    std::string designer;  // 计算
    std::string checker;   // 校对
    std::string reviewer;  // 审核

    friend bool operator==(const ProjectInfo&, const ProjectInfo&) = default;
};

// A row of the member list: the member's name and its verdict, calculated afresh.
struct MemberRow {
    std::string name;
    std::string verdict;  // "全部满足", "不满足：第(1)、(5)项及补充验算S1" or "无法计算：…"
    bool passes = false;
    bool current = false;  // the member the window was opened from
};

// What the session asks of a window. Paths are UTF-8.
class ProjectView {
public:
    virtual ~ProjectView() = default;

    // The window's caption.
    virtual void SetCaption(std::string_view utf8) = 0;
    // A menu command greyed or not (only the commands the session decides).
    virtual void EnableCommand(MenuCommand command, bool enabled) = 0;

    // The project named has unsaved changes: 保存, 不保存 or 取消.
    virtual UnsavedChoice AskUnsaved(std::string_view projectName) = 0;
    // The file dialogs; nothing when the user cancels. The save dialog starts from
    // `suggestedName` (a file name without a folder) and adds the extension.
    virtual std::optional<std::string> ChooseProjectToOpen() = 0;
    virtual std::optional<std::string> ChooseProjectToSave(std::string_view suggestedName) = 0;
    // The file at `path`, a name the save dialog did not ask about, already exists: true
    // when the user agrees to replace it, or when there is no such file.
    virtual bool MayReplace(const std::string& path) = 0;
    // A file's whole contents; nothing when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Writes a temporary file beside `path` and puts it in the place of `path` only once
    // every byte is on the disk. False when anything failed; the old file is then as it was.
    virtual bool ReplaceFile(const std::string& path, std::string_view bytes) = 0;

    // Asks a member's name, starting from `suggested`; nothing when cancelled.
    virtual std::optional<std::string> AskMemberName(std::string_view title,
                                                     std::string_view suggested) = 0;
    // The 工程信息 dialog; nothing when cancelled.
    virtual std::optional<ProjectInfo> EditProjectInfo(const ProjectInfo& info) = 0;
    // The 构件列表 dialog, modal; it lists session.MemberRows() and runs its commands.
    virtual void RunMemberList(ProjectSession& session) = 0;
    // Tells the user why a command could not be carried out.
    virtual void ShowProjectMessage(const FaultMessage& message) = 0;

    // The project's book, calculated afresh from its members: printed, or exported as a
    // PDF file the user names (starting from `suggestedName`).
    virtual void PrintProjectBook(const Project& project, std::string_view suggestedName) = 0;
    virtual void ExportProjectBook(const Project& project, std::string_view suggestedName) = 0;
};

class ProjectSession {
public:
    ProjectSession(ProjectView& view, Form15Presenter& window);
    ProjectSession(const ProjectSession&) = delete;
    ProjectSession& operator=(const ProjectSession&) = delete;

    // Shows the caption and the commands' states as they are now.
    void Refresh();

    // A menu command of the session's; the others (the member's book, help, 退出) are the
    // window's own and change nothing here.
    void Run(MenuCommand command);

    // 新建工程, 打开工程…: after the unsaved prompt.
    void New();
    void Open();
    // Opens the file at `path` after the unsaved prompt, as if chosen in the dialog.
    void OpenFile(const std::string& path);
    // 保存工程 and 另存为…: true when the project is on the disk.
    bool Save();
    bool SaveAs();
    // The window is about to close: true when it may (saved, discarded or unchanged).
    bool MayClose();

    // 加入当前构件…, 更新当前构件, 构件列表…, 工程信息…
    void AddCurrentMember();
    void UpdateCurrentMember();
    void ShowMemberList();
    void EditInfo();

    // The member list's commands, by the member's place in the list.
    std::vector<MemberRow> MemberRows() const;
    void OpenMember(std::size_t index);
    void RenameMember(std::size_t index);
    void DeleteMember(std::size_t index);
    void MoveMemberUp(std::size_t index);
    void MoveMemberDown(std::size_t index);

    const Project& project() const { return project_; }
    // A project is open once 新建, 打开 or the first member or field made one.
    bool open() const { return open_; }
    bool dirty() const { return dirty_; }
    const std::string& path() const { return path_; }
    std::optional<std::size_t> currentMember() const { return current_; }
    // The project's name as the caption and the prompts show it.
    std::string DisplayName() const;
    // The names that sign the book of the member in the window: the project's fields and,
    // when the window was opened from a member, its name. Empty without a project.
    BookHeading Heading() const;
    std::string Caption() const;
    // The name the save and export dialogs start from, without its extension.
    std::string SuggestedFileStem() const;

private:
    // The unsaved prompt when there are unsaved changes; true when the command may go on.
    bool SettleUnsaved();
    // Reads the file; a file refused changes nothing.
    void Load(const std::string& path);
    bool WriteTo(const std::string& path);
    Member CurrentWindowMember();
    void Changed();
    void StartUntitled();

    ProjectView& view_;
    Form15Presenter& window_;
    Project project_;
    std::string path_;  // empty until saved or opened
    std::optional<std::size_t> current_;
    bool open_ = false;
    bool dirty_ = false;
    bool settling_ = false;  // the unsaved question, or the save it chose, is under way
};

// The verdict of a member as the list shows it.
MemberRow MemberVerdict(const Member& m);

}  // namespace kneebrace::window
