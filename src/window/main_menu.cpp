#include "window/main_menu.h"

#include <algorithm>
#include <array>

namespace kneebrace::window {

namespace {

using C = MenuCommand;

// clang-format off
constexpr std::array kMenu{
    MenuItem{"文件", C::NewProject,        "新建工程",             "Ctrl+N", false},
    MenuItem{"文件", C::OpenProject,       "打开工程…",            "Ctrl+O", false},
    MenuItem{"文件", C::SaveProject,       "保存工程",             "Ctrl+S", false},
    MenuItem{"文件", C::SaveProjectAs,     "另存为…",              "",       false},
    MenuItem{"文件", C::PrintReport,       "打印计算书…",          "Ctrl+P", true},
    MenuItem{"文件", C::ExportPdf,         "导出 PDF…",            "Ctrl+E", false},
    MenuItem{"文件", C::PrintProjectBook,  "打印工程计算书…",      "",       true},
    MenuItem{"文件", C::ExportProjectBook, "导出工程计算书 PDF…",  "",       false},
    MenuItem{"文件", C::Exit,              "退出",                 "",       true},
    MenuItem{"工程", C::AddMember,         "加入当前构件…",        "",       false},
    MenuItem{"工程", C::UpdateMember,      "更新当前构件",         "Ctrl+D", false},
    MenuItem{"工程", C::MemberList,        "构件列表…",            "Ctrl+L", true},
    MenuItem{"工程", C::ProjectInfo,       "工程信息…",            "",       false},
    MenuItem{"帮助", C::Help,              "使用说明",             "F1",     false},
    MenuItem{"帮助", C::About,             "关于",                 "",       false},
};
// clang-format on

}  // namespace

std::span<const MenuItem> MainMenu() { return kMenu; }

const MenuItem& MenuItemOf(MenuCommand command) {
    return *std::find_if(kMenu.begin(), kMenu.end(),
                         [command](const MenuItem& item) { return item.command == command; });
}

std::string_view HelpText() {
    return "角钢隅撑计算\n"
           "\n"
           "一、计算一个隅撑\n"
           "1. 在上方输入H型钢截面（如 500x200x6x12）、间隙、K2、K3、夹角、螺栓直径 M 和 E2，"
           "选择H型钢钢材和隅撑布置（双侧或单侧），在角钢列表中选择角钢规格。\n"
           "2. 按“计   算”（或在输入框中按回车），计算书显示在下方的文本框中。"
           "未能完整读取的数字框以淡红色标出，提示中写明按何值计算。\n"
           "3. 按“选   型”可比较全部角钢规格，选用一行即按该规格计算。\n"
           "4. 文件菜单的“打印计算书…”（Ctrl+P）和“导出 PDF…”（Ctrl+E）输出窗口中的构件。\n"
           "\n"
           "二、工程\n"
           "一个工程保存一座厂房的多个隅撑（构件），文件扩展名为 .kbproj。\n"
           "1. “工程”菜单的“加入当前构件…”把窗口中的隅撑作为新构件加入工程；"
           "从构件列表打开的构件修改后，用“更新当前构件”（Ctrl+D）写回。\n"
           "2. “构件列表…”（Ctrl+L）列出每个构件及其结论，可打开、改名、删除和上下移动。\n"
           "3. “工程信息…”填写工程名称、计算、校对、审核。\n"
           "4. “保存工程”（Ctrl+S）保存到文件；标题栏中工程名称后的“*”表示有未保存的修改。"
           "关闭窗口、新建或打开工程时，如有未保存的修改，程序会询问是否保存。\n"
           "\n"
           "程序本身不保存任何设置；只有保存的工程文件会留在磁盘上。\n";
}

}  // namespace kneebrace::window
