#include "window/project_dialogs.h"

#include <algorithm>
#include <array>

namespace kneebrace::window {

namespace {

constexpr std::array kMemberButtons{
    MemberButton{MemberCommand::Open, "打开", "openMember"},
    MemberButton{MemberCommand::Rename, "改名…", "renameMember"},
    MemberButton{MemberCommand::Delete, "删除", "deleteMember"},
    MemberButton{MemberCommand::MoveUp, "上移", "moveUp"},
    MemberButton{MemberCommand::MoveDown, "下移", "moveDown"},
    MemberButton{MemberCommand::Close, kCloseCaption, "closeList"},
};

constexpr std::array kInfoFields{
    InfoField{"工程名称：", "projectName", &ProjectInfo::name},
    InfoField{"计算：", "designer", &ProjectInfo::designer},
    InfoField{"校对：", "checker", &ProjectInfo::checker},
    InfoField{"审核：", "reviewer", &ProjectInfo::reviewer},
};

constexpr std::array kUnsavedButtons{
    UnsavedButton{UnsavedChoice::Save, "保存"},
    UnsavedButton{UnsavedChoice::Discard, "不保存"},
    UnsavedButton{UnsavedChoice::Cancel, kCancelCaption},
};

// The row that stands at `row` once the list has `count` rows: the last when the rows
// below are gone.
std::optional<std::size_t> Within(std::size_t row, std::size_t count) {
    if (count == 0) return std::nullopt;
    return std::min(row, count - 1);
}

}  // namespace

std::span<const MemberButton> MemberListButtons() { return kMemberButtons; }

bool MemberButtonEnabled(MemberCommand command, std::optional<std::size_t> selected,
                         std::size_t count) {
    if (command == MemberCommand::Close) return true;
    if (!selected || *selected >= count) return false;
    switch (command) {
        case MemberCommand::MoveUp: return *selected > 0;
        case MemberCommand::MoveDown: return *selected + 1 < count;
        default: return true;
    }
}

std::optional<std::size_t> FirstMemberRow(const ProjectSession& session) {
    return Within(session.currentMember().value_or(0), session.project().members.size());
}

MemberListNext ActOnMember(ProjectSession& session, MemberCommand command,
                           std::optional<std::size_t> selected) {
    if (command == MemberCommand::Close) return {true, selected};
    if (!MemberButtonEnabled(command, selected, session.project().members.size()))
        return {false, selected, false};
    const std::size_t row = *selected;
    std::size_t next = row;
    switch (command) {
        case MemberCommand::Open: session.OpenMember(row); return {true, row};
        case MemberCommand::Rename: session.RenameMember(row); break;
        case MemberCommand::Delete: session.DeleteMember(row); break;
        case MemberCommand::MoveUp:
            session.MoveMemberUp(row);
            next = row - 1;
            break;
        case MemberCommand::MoveDown:
            session.MoveMemberDown(row);
            next = row + 1;
            break;
        case MemberCommand::Close: break;
    }
    return {false, Within(next, session.project().members.size())};
}

std::span<const InfoField> ProjectInfoFields() { return kInfoFields; }

std::string ReplaceQuestion(std::string_view path) {
    return "“" + std::string(path) + "”已存在。\n要替换它吗？";
}

std::string UnsavedText(std::string_view projectName) {
    return "工程“" + std::string(projectName) + "”有未保存的修改。\n是否保存？";
}

std::span<const UnsavedButton> UnsavedButtons() { return kUnsavedButtons; }

std::string AboutText() {
    return "角钢隅撑计算 kneebrace\n版本 " KNEEBRACE_VERSION
           "\n\n门式刚架隅撑（单角钢）的计算程序。\n以 MIT 许可证发布。";
}

}  // namespace kneebrace::window
