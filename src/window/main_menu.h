// The window's menu bar as data: every command's menu, caption and shortcut, written
// once. Both front ends build their menus from this table; what a command does is the
// project session's (project_session.h) or, for the member's book, help and 退出, the
// front end's own.
#pragma once

#include <span>
#include <string_view>

namespace kneebrace::window {

enum class MenuCommand {
    NewProject,         // 新建工程
    OpenProject,        // 打开工程…
    SaveProject,        // 保存工程
    SaveProjectAs,      // 另存为…
    PrintReport,        // 打印计算书…: the member in the window
    ExportPdf,          // 导出 PDF…: the member in the window
    PrintProjectBook,   // 打印工程计算书…
    ExportProjectBook,  // 导出工程计算书 PDF…
    Exit,               // 退出
    AddMember,          // 加入当前构件…
    UpdateMember,       // 更新当前构件
    MemberList,         // 构件列表…
    ProjectInfo,        // 工程信息…
    Help,               // 使用说明
    About,              // 关于
};

struct MenuItem {
    std::string_view menu;  // "文件", "工程", "帮助"
    MenuCommand command;
    std::string_view caption;   // UTF-8, with "…" where a dialog follows
    std::string_view shortcut;  // "Ctrl+N", "F1"; empty for none
    bool separatorBefore;       // a line above the item in its menu
};

// Every item, menus in the bar's order and items in their menu's order.
std::span<const MenuItem> MainMenu();

// The item of a command.
const MenuItem& MenuItemOf(MenuCommand command);

// The 使用说明 page, plain UTF-8 text with LF line ends.
std::string_view HelpText();

}  // namespace kneebrace::window
