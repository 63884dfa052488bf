#include "window/control_table.h"

#include <algorithm>
#include <array>

namespace kneebrace::window {

namespace {

using K = ControlKind;

constexpr double kLarge = 10.5;  // 宋体 10.5 pt (五号): input boxes, buttons, Frame1's captions
constexpr double kSmall = 9.75;  // the report and the arrangement options
constexpr double kDefault = 0;   // the window's font

// Tooltips say what a box holds and in which unit. The two boxes that always had a
// tooltip keep its text on the first line: engineers know those hints.
constexpr std::string_view kDesignationTip =
    "H钢截面：截面高度 x 翼缘宽度 x 腹板厚度 x 翼缘厚度，单位 mm\n"
    "第四个数是计算所用的翼缘厚度";
constexpr std::string_view kGapTip = "檩条与H钢上翼缘之间的间隙，单位 mm\n勾选左边的方框后可修改";
constexpr std::string_view kK2Tip = "孔距 K2：H钢下翼缘处螺栓孔的距离，单位 mm";
constexpr std::string_view kK3Tip = "<100\n孔距 K3：檩条处螺栓孔的距离，单位 mm";
constexpr std::string_view kE2Tip = ">两倍的孔距\n伸出 E2：角钢端部伸出螺栓孔的长度，单位 mm";
constexpr std::string_view kAngleTip = "隅撑与H钢腹板的夹角，单位：度，大于 0 且小于 90";
constexpr std::string_view kBoltTip = "螺栓直径 M，单位 mm；螺栓孔径按 M+2 计算";
constexpr std::string_view kSizeTip = "等边角钢规格：从列表中选取，或输入规格后按回车";
constexpr std::string_view kWebTip =
    "檩条腹板厚度 tp，单位 mm\n螺栓在檩条腹板上的孔壁承压按此厚度补充验算";
constexpr std::string_view kCodesTip =
    "勾选后，在七项验算之后按现行规范补充验算\n"
    "（GB 50017-2017、GB 51022-2015、GB 50018-2002）";

// Under the report box while the report no longer matches the inputs.
constexpr std::string_view kStaleNote = "输入已更改，请按“计算”重新计算";

// Parents come before their children. Coordinates are the layout's twips, relative to
// the parent; the tab indexes are the layout's own, gaps and all.
// clang-format off
constexpr std::array<ControlRow, 35> kControls{{
    // name, kind, parent, caption, {left, top, width, height}, tab place, points, tooltip,
    // artwork, selected at start, disabled at start, input fed, command
    {"Picture1", K::PictureBox,    "",       "",                       {600, 180, 6465, 3180},   0,  kDefault, "",              "diagram.svg", false, false, nullptr,            Command::None},
    {"Frame1",   K::Frame,         "",       "[H钢参数]",              {585, 3495, 6450, 1515},  1,  kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Label1",   K::Label,         "Frame1", "截面HxBxTfxTw=",         {210, 360, 1620, 345},    2,  kLarge,   "",              "",            false, false, nullptr,            Command::None},
    {"Text1",    K::InputBox,      "Frame1", "500x200x6x12",           {1890, 285, 1665, 375},   3,  kLarge,   kDesignationTip, "",            false, false, &InputTexts::Text1, Command::None},
    {"Option1",  K::OptionButton,  "Frame1", "Q235",                   {3990, 315, 780, 300},    4,  kLarge,   "",              "",            true,  false, nullptr,            Command::None},
    {"Option2",  K::OptionButton,  "Frame1", "Q345",                   {5055, 300, 855, 330},    5,  kLarge,   "",              "",            false, false, nullptr,            Command::None},
    {"Frame2",   K::Frame,         "",       "[等边角钢参数]",         {555, 5115, 6510, 2640},  6,  kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Combo1",   K::SizeList,      "Frame2", "L45X3",                  {2535, 315, 1275, 300},   7,  kDefault, kSizeTip,        "",            false, false, nullptr,            Command::None},
    {"Command1", K::PictureButton, "",       "计   算",                {7245, 7890, 1410, 825},  8,  kLarge,   "",              "calc.svg",    false, false, nullptr,            Command::Calculate},
    {"Command2", K::PictureButton, "",       "选   型",                {9195, 7890, 1410, 825},  9,  kLarge,   "",              "sizing.svg",  false, false, nullptr,            Command::Sizing},
    {"Check1",   K::CheckBox,      "Frame1", "改檩条与H钢上翼板间隙=", {240, 840, 2280, 405},    10, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Text2",    K::InputBox,      "Frame1", "10",                     {2850, 855, 720, 360},    11, kLarge,   kGapTip,         "",            false, true,  &InputTexts::Text2, Command::None},
    {"Label2",   K::Label,         "Frame2", "孔距 K2=",               {540, 375, 810, 255},     12, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Text3",    K::InputBox,      "Frame2", "50",                     {1425, 285, 675, 315},    13, kLarge,   kK2Tip,          "",            false, false, &InputTexts::Text3, Command::None},
    {"Label3",   K::Label,         "Frame2", "孔距 K3=",               {555, 825, 855, 300},     14, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Text4",    K::InputBox,      "Frame2", "50",                     {1440, 750, 660, 330},    15, kLarge,   kK3Tip,          "",            false, false, &InputTexts::Text4, Command::None},
    {"Label4",   K::Label,         "Frame2", "与腹板夹角=",            {330, 1755, 1035, 255},   16, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Label5",   K::Label,         "Frame2", "螺栓直径M=",             {420, 2250, 960, 285},    17, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Text5",    K::InputBox,      "Frame2", "45",                     {1440, 1665, 675, 345},   18, kLarge,   kAngleTip,       "",            false, false, &InputTexts::Text5, Command::None},
    {"Text6",    K::InputBox,      "Frame2", "14",                     {1440, 2160, 675, 345},   19, kLarge,   kBoltTip,        "",            false, false, &InputTexts::Text6, Command::None},
    {"Text7",    K::PropertiesBox, "Frame2", "角钢截面特性\r\n",       {3990, 315, 2265, 2205},  20, kLarge,   "",              "",            false, false, nullptr,            Command::None},
    {"Text8",    K::ReportBox,     "",       "计算结果\r\n",           {7290, 180, 5190, 7260},  21, kSmall,   "",              "",            false, false, nullptr,            Command::None},
    {"Frame3",   K::Frame,         "Frame1", "[隅撑布置方式]",         {3870, 720, 2385, 690},   22, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Option3",  K::OptionButton,  "Frame3", "双侧",                   {120, 285, 810, 300},     23, kSmall,   "",              "",            true,  false, nullptr,            Command::None},
    {"Option4",  K::OptionButton,  "Frame3", "单侧",                   {1200, 285, 765, 300},    24, kSmall,   "",              "",            false, false, nullptr,            Command::None},
    {"Label6",   K::Label,         "Frame2", "伸出 E2=",               {555, 1290, 765, 240},    25, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Text9",    K::InputBox,      "Frame2", "35",                     {1440, 1215, 660, 330},   26, kLarge,   kE2Tip,          "",            false, false, &InputTexts::Text9, Command::None},
    // The purlin the upper bolt bears on, and whether the supplementary section follows
    // the seven: below the angle's frame, level with the command buttons.
    {"Frame4",   K::Frame,         "",       "檩条",                   {555, 7830, 4080, 870},   27, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Label7",   K::Label,         "Frame4", "腹板厚 tp=",             {240, 405, 960, 255},     28, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Text10",   K::InputBox,      "Frame4", "2",                      {1230, 330, 660, 330},    29, kLarge,   kWebTip,         "",            false, false, nullptr,            Command::None},
    {"Option5",  K::OptionButton,  "Frame4", "Q235",                   {2130, 345, 780, 300},    30, kLarge,   "",              "",            true,  false, nullptr,            Command::None},
    {"Option6",  K::OptionButton,  "Frame4", "Q345",                   {3000, 345, 855, 300},    31, kLarge,   "",              "",            false, false, nullptr,            Command::None},
    {"Check2",   K::CheckBox,      "",       "补充验算（现行规范）",   {4860, 8175, 2205, 300},  32, kDefault, kCodesTip,       "",            true,  false, nullptr,            Command::None},
    {"Label8",   K::StaleNote,     "",       kStaleNote,               {7290, 7485, 5190, 255},  34, kDefault, "",              "",            false, false, nullptr,            Command::None},
    {"Command3", K::PictureButton, "",       "关   闭",                {11145, 7890, 1380, 810}, 33, kLarge,   "",              "close.svg",   false, false, nullptr,            Command::Close},
}};
// clang-format on

}  // namespace

std::span<const ControlRow> Form15Controls() { return kControls; }

const ControlRow* FindControl(std::string_view name) {
    const auto* it = std::find_if(kControls.begin(), kControls.end(),
                                  [name](const ControlRow& c) { return c.name == name; });
    return it == kControls.end() ? nullptr : &*it;
}

TwipRect OnClientArea(const ControlRow& control) {
    TwipRect r = control.rect;
    for (const ControlRow* p = FindControl(control.parent); p != nullptr;
         p = FindControl(p->parent)) {
        r.left += p->rect.left;
        r.top += p->rect.top;
    }
    return r;
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::PictureBox:
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::StaleNote: return false;
        case ControlKind::InputBox:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::SizeList:
        case ControlKind::PropertiesBox:
        case ControlKind::ReportBox:
        case ControlKind::PictureButton: return true;
    }
    return false;
}

std::vector<const ControlRow*> FocusOrder() {
    std::vector<const ControlRow*> order;
    for (const ControlRow& c : kControls)
        if (TakesFocus(c.kind)) order.push_back(&c);
    std::stable_sort(order.begin(), order.end(), [](const ControlRow* a, const ControlRow* b) {
        return a->tabIndex < b->tabIndex;
    });
    return order;
}

}  // namespace kneebrace::window
