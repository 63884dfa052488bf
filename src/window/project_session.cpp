#include "window/project_session.h"

#include <utility>

#include "window/control_table.h"
#include "window/member_run.h"
#include "window/project_file.h"
#include "window/report_pages.h"

namespace kneebrace::window {

namespace {

// Whether the name ends in the project extension, in any case: Windows users type
// ".KBPROJ" as often as ".kbproj", and both name the same kind of file.
bool HasProjectExtension(std::string_view name) {
    const std::string_view ext = kProjectFileExtension;
    if (name.size() < ext.size()) return false;
    name.remove_prefix(name.size() - ext.size());
    for (std::size_t i = 0; i < ext.size(); ++i) {
        const char c =
            name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
        if (c != ext[i]) return false;
    }
    return true;
}

// The file's name without its folder and without the project extension.
std::string FileStem(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    if (HasProjectExtension(path)) path.remove_suffix(kProjectFileExtension.size());
    return std::string(path);
}

std::string Quoted(std::string_view path) { return "“" + std::string(path) + "”"; }

}  // namespace

MemberRow MemberVerdict(const Member& m) {
    const MemberOutcome outcome = CalculateMember(m);
    MemberRow row{m.name, "全部满足", true, false};
    if (outcome.fault) {
        row.verdict = "无法计算：" + outcome.fault->title;
        row.passes = false;
    } else if (!outcome.failing.empty()) {
        // The section's items count as the seven do: the book's conclusion names them too.
        row.verdict = "不满足：" + outcome.failing;
        row.passes = false;
    }
    return row;
}

ProjectSession::ProjectSession(ProjectView& view, Form15Presenter& window)
    : view_(view), window_(window) {}

void ProjectSession::Run(MenuCommand command) {
    switch (command) {
        case MenuCommand::NewProject: New(); break;
        case MenuCommand::OpenProject: Open(); break;
        case MenuCommand::SaveProject: Save(); break;
        case MenuCommand::SaveProjectAs: SaveAs(); break;
        case MenuCommand::AddMember: AddCurrentMember(); break;
        case MenuCommand::UpdateMember: UpdateCurrentMember(); break;
        case MenuCommand::MemberList: ShowMemberList(); break;
        case MenuCommand::ProjectInfo: EditInfo(); break;
        case MenuCommand::PrintProjectBook:
        case MenuCommand::ExportProjectBook: {
            if (project_.members.empty()) break;
            // Printing to a file proposes the export's name.
            const std::string fileName = SuggestedFileStem() + "-计算书.pdf";
            if (command == MenuCommand::PrintProjectBook)
                view_.PrintProjectBook(project_, fileName);
            else view_.ExportProjectBook(project_, fileName);
            break;
        }
        default: break;
    }
}

BookHeading ProjectSession::Heading() const {
    if (!open_) return {};
    BookHeading h{project_.name, {}, project_.designer, project_.checker, project_.reviewer, {}};
    if (current_) h.member = project_.members[*current_].name;
    return h;
}

std::string ProjectSession::DisplayName() const {
    if (!project_.name.empty()) return project_.name;
    if (!path_.empty()) return FileStem(path_);
    return "未命名工程";
}

std::string ProjectSession::SuggestedFileStem() const {
    // A 工程名称 such as "3#/4#厂房" is no file name: the dialog would look for a folder.
    return SafeFileName(path_.empty() ? DisplayName() : FileStem(path_), "未命名工程");
}

std::string ProjectSession::Caption() const {
    std::string caption(kWindowTitle);
    if (!open_) return caption;
    return caption + " - " + DisplayName() + (dirty_ ? "*" : "");
}

void ProjectSession::Refresh() {
    view_.SetCaption(Caption());
    view_.EnableCommand(MenuCommand::SaveProject, open_);
    view_.EnableCommand(MenuCommand::SaveProjectAs, open_);
    view_.EnableCommand(MenuCommand::UpdateMember, current_.has_value());
    const bool book = !project_.members.empty();
    view_.EnableCommand(MenuCommand::PrintProjectBook, book);
    view_.EnableCommand(MenuCommand::ExportProjectBook, book);
}

void ProjectSession::Changed() {
    open_ = true;
    dirty_ = true;
    Refresh();
}

void ProjectSession::StartUntitled() {
    project_ = Project{};
    path_.clear();
    current_.reset();
    open_ = true;
    dirty_ = false;
}

bool ProjectSession::SettleUnsaved() {
    if (!dirty_) return true;
    // A close or a logoff that comes while the question (or the save it leads to) is up
    // waits for its answer rather than asking again over it.
    if (settling_) return false;
    settling_ = true;
    const struct Settled {
        bool& settling;
        ~Settled() { settling = false; }
    } settled{settling_};
    switch (view_.AskUnsaved(DisplayName())) {
        case UnsavedChoice::Save: return Save();
        case UnsavedChoice::Discard: return true;
        case UnsavedChoice::Cancel: return false;
    }
    return false;
}

void ProjectSession::New() {
    if (!SettleUnsaved()) return;
    StartUntitled();
    Refresh();
}

void ProjectSession::Open() {
    if (!SettleUnsaved()) return;
    const std::optional<std::string> path = view_.ChooseProjectToOpen();
    if (path) Load(*path);
}

void ProjectSession::OpenFile(const std::string& path) {
    if (SettleUnsaved()) Load(path);
}

void ProjectSession::Load(const std::string& path) {
    const std::optional<std::string> bytes = view_.ReadFile(path);
    if (!bytes) {
        view_.ShowProjectMessage(
            {"无法打开工程", "文件" + Quoted(path) + "无法读取。当前工程没有改变。"});
        return;
    }
    ProjectReadResult read = ReadProject(*bytes);
    if (!read.project) {
        view_.ShowProjectMessage({"无法打开工程", "文件" + Quoted(path) + "未能打开：" +
                                                      read.message + "当前工程没有改变。"});
        return;
    }
    StartUntitled();
    project_ = std::move(*read.project);
    path_ = path;
    // The first member in the window, so that the project opens on something to see.
    if (!project_.members.empty()) OpenMember(0);
    Refresh();
}

bool ProjectSession::Save() {
    if (path_.empty()) return SaveAs();
    return WriteTo(path_);
}

bool ProjectSession::SaveAs() {
    const std::string suggested = SuggestedFileStem() + std::string(kProjectFileExtension);
    std::optional<std::string> path = view_.ChooseProjectToSave(suggested);
    if (!path || path->empty()) return false;
    // The dialogs add the extension only to a name without a dot of its own, and ask
    // about replacing a file before it is added: "二期 1.5" would otherwise go over an
    // existing "二期 1.5.kbproj" unasked.
    if (!HasProjectExtension(*path)) {
        *path += kProjectFileExtension;
        if (!view_.MayReplace(*path)) return false;
    }
    return WriteTo(*path);
}

bool ProjectSession::WriteTo(const std::string& path) {
    if (!view_.ReplaceFile(path, WriteProject(project_))) {
        view_.ShowProjectMessage(
            {"无法保存工程", "文件" + Quoted(path) +
                                 "无法写入（磁盘已满、没有写入权限或文件夹不存在）。"
                                 "原有的文件没有改变，工程仍未保存。"});
        return false;
    }
    path_ = path;
    open_ = true;
    dirty_ = false;
    Refresh();
    return true;
}

bool ProjectSession::MayClose() { return SettleUnsaved(); }

void ProjectSession::AddCurrentMember() {
    const std::string suggested = "构件" + std::to_string(project_.members.size() + 1);
    const std::optional<std::string> name = view_.AskMemberName("加入当前构件", suggested);
    if (!name) return;
    Member m = CurrentWindowMember();
    m.name = *name;
    current_ = AddMember(project_, std::move(m));
    Changed();
}

Member ProjectSession::CurrentWindowMember() {
    // A size typed into the list's field but not yet settled (no Enter, the focus still
    // there: a menu shortcut moves no focus) is the size the user sees; it is settled
    // first, as leaving the field would, so that the member holds that size.
    window_.SizeFieldFinished();
    return window_.CurrentMember();
}

void ProjectSession::UpdateCurrentMember() {
    if (!current_) return;
    Member m = CurrentWindowMember();
    m.name = project_.members[*current_].name;
    if (ReplaceMember(project_, *current_, std::move(m))) Changed();
}

void ProjectSession::ShowMemberList() { view_.RunMemberList(*this); }

void ProjectSession::EditInfo() {
    const ProjectInfo before{project_.name, project_.designer, project_.checker, project_.reviewer};
    const std::optional<ProjectInfo> after = view_.EditProjectInfo(before);
    if (!after || *after == before) return;
    project_.name = after->name;
    project_.designer = after->designer;
    project_.checker = after->checker;
    project_.reviewer = after->reviewer;
    Changed();
}

std::vector<MemberRow> ProjectSession::MemberRows() const {
    std::vector<MemberRow> rows;
    rows.reserve(project_.members.size());
    for (std::size_t i = 0; i < project_.members.size(); ++i) {
        rows.push_back(MemberVerdict(project_.members[i]));
        rows.back().current = current_ == i;
    }
    return rows;
}

void ProjectSession::OpenMember(std::size_t index) {
    if (index >= project_.members.size()) return;
    current_ = index;
    window_.LoadMember(project_.members[index]);
    Refresh();
}

void ProjectSession::RenameMember(std::size_t index) {
    if (index >= project_.members.size()) return;
    const std::optional<std::string> name =
        view_.AskMemberName("构件改名", project_.members[index].name);
    if (name && window::RenameMember(project_, index, *name)) Changed();
}

void ProjectSession::DeleteMember(std::size_t index) {
    if (!window::DeleteMember(project_, index)) return;
    // The window keeps its brace; it is no longer a member's when its member is gone.
    if (current_ == index) current_.reset();
    else if (current_ && *current_ > index) --*current_;
    Changed();
}

void ProjectSession::MoveMemberUp(std::size_t index) {
    if (!window::MoveMemberUp(project_, index)) return;
    if (current_ == index) current_ = index - 1;
    else if (current_ == index - 1) current_ = index;
    Changed();
}

void ProjectSession::MoveMemberDown(std::size_t index) {
    if (index + 1 >= project_.members.size()) return;
    MoveMemberUp(index + 1);
}

}  // namespace kneebrace::window
