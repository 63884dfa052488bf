// The project's dialogs apart from drawing them, for both windows: the member list's
// buttons, which of them may be pressed for a selection and which row it selects after
// each; the 工程信息 form's fields; and the texts of the prompts, file dialogs and 关于.
// Each window only makes the controls, passes the clicks here and shows the answer.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "window/project_session.h"

namespace kneebrace::window {

inline constexpr std::string_view kOkCaption = "确定";
inline constexpr std::string_view kCancelCaption = "取消";
inline constexpr std::string_view kCloseCaption = "关闭";

// 构件列表.
inline constexpr std::string_view kMemberListTitle = "构件列表";

enum class MemberCommand { Open, Rename, Delete, MoveUp, MoveDown, Close };

struct MemberButton {
    MemberCommand command;
    std::string_view caption;
    std::string_view name;  // the control's name, for tests to find it
};

// The buttons under the list, left to right; 打开 is the default, 关闭 the last.
std::span<const MemberButton> MemberListButtons();

// Whether a button may be pressed while `selected` is the selected row (none: no row) of
// a list of `count` members.
bool MemberButtonEnabled(MemberCommand command, std::optional<std::size_t> selected,
                         std::size_t count);

// The row selected when the list opens: the window's member, else the first.
std::optional<std::size_t> FirstMemberRow(const ProjectSession& session);

// What the list does after a command: it closes, or it shows the members afresh with
// `select` selected (none when the list is empty or nothing was selected).
struct MemberListNext {
    bool close = false;
    std::optional<std::size_t> select;
    // False when the command was not allowed and nothing changed: the list need not be
    // filled again (which calculates every member and loses the scroll position).
    bool refill = true;

    friend bool operator==(const MemberListNext&, const MemberListNext&) = default;
};

// Carries out a button's command on the selected member. A command its button would not
// allow changes nothing and keeps the selection.
MemberListNext ActOnMember(ProjectSession& session, MemberCommand command,
                           std::optional<std::size_t> selected);

// 工程信息: one labelled line per field of the project.
inline constexpr std::string_view kProjectInfoTitle = "工程信息";

struct InfoField {
    std::string_view label;
    std::string_view name;  // the control's name
    std::string ProjectInfo::*text;
};

std::span<const InfoField> ProjectInfoFields();

// The one line of 加入当前构件… and 构件改名.
inline constexpr std::string_view kMemberNameLabel = "构件名称：";

// 保存/不保存/取消 before a command that would lose unsaved changes.
inline constexpr std::string_view kUnsavedTitle = "工程未保存";
std::string UnsavedText(std::string_view projectName);

struct UnsavedButton {
    UnsavedChoice choice;
    std::string_view caption;
};

// Left to right; 保存 is the default.
std::span<const UnsavedButton> UnsavedButtons();

// The file dialogs.
inline constexpr std::string_view kOpenProjectTitle = "打开工程";
inline constexpr std::string_view kSaveProjectTitle = "保存工程";
inline constexpr std::string_view kProjectFilterName = "隅撑工程 (*.kbproj)";
inline constexpr std::string_view kProjectFilterPattern = "*.kbproj";
// A name typed without the extension whose file, once the extension is added, exists:
// asked with 是/否, 否 the default.
inline constexpr std::string_view kReplaceTitle = "确认另存为";
std::string ReplaceQuestion(std::string_view path);
inline constexpr std::string_view kYesCaption = "是";
inline constexpr std::string_view kNoCaption = "否";

// 使用说明 and 关于.
inline constexpr std::string_view kHelpTitle = "使用说明";
inline constexpr std::string_view kAboutTitle = "关于";
std::string AboutText();

}  // namespace kneebrace::window
