#include "core/fault.h"

#include <string>

namespace kneebrace {

std::string_view FaultKindName(FaultKind kind) {
    switch (kind) {
        case FaultKind::SubscriptOutOfRange: return "SubscriptOutOfRange";
        case FaultKind::TypeMismatch: return "TypeMismatch";
        case FaultKind::Overflow: return "Overflow";
        case FaultKind::DivisionByZero: return "DivisionByZero";
        case FaultKind::InvalidOperation: return "InvalidOperation";
        case FaultKind::FlangeTooThick: return "FlangeTooThick";
        case FaultKind::AngleOutOfRange: return "AngleOutOfRange";
        case FaultKind::NonPositiveLength: return "NonPositiveLength";
        case FaultKind::NonPositiveNetArea: return "NonPositiveNetArea";
        case FaultKind::NegativeBoltDiameter: return "NegativeBoltDiameter";
        case FaultKind::NonPositiveSection: return "NonPositiveSection";
        case FaultKind::NegativeDimension: return "NegativeDimension";
        case FaultKind::InvalidPurlinWeb: return "InvalidPurlinWeb";
    }
    return "Unknown";
}

std::string_view FaultKindTitle(FaultKind kind) {
    switch (kind) {
        case FaultKind::SubscriptOutOfRange: return "截面数据不全";
        case FaultKind::TypeMismatch: return "输入不是数字";
        case FaultKind::Overflow: return "数值过大";
        case FaultKind::DivisionByZero: return "无法计算";
        case FaultKind::InvalidOperation: return "计算结果无意义";
        case FaultKind::FlangeTooThick: return "翼缘过厚";
        case FaultKind::AngleOutOfRange: return "夹角超出范围";
        case FaultKind::NonPositiveLength: return "角钢长度不为正";
        case FaultKind::NonPositiveNetArea: return "净截面面积不为正";
        case FaultKind::NegativeBoltDiameter: return "螺栓直径为负";
        case FaultKind::NonPositiveSection: return "截面尺寸不为正";
        case FaultKind::NegativeDimension: return "尺寸为负";
        case FaultKind::InvalidPurlinWeb: return "檩条腹板厚度无效";
    }
    return "计算错误";
}

namespace {

struct Advice {
    std::string_view what;    // the box or quantity as the run names it
    std::string_view advice;  // what to type, or which inputs to check
};

// Slenderness and everything computed from it: an absurd length (a gap of 1e20) is
// accepted where it is typed and only breaks the stability coefficient.
constexpr std::string_view kSlendernessInputs =
    "请检查决定角钢计算长度L0的间隙、孔距K2、K3、H钢截面、与腹板夹角，以及角钢规格";

// The boxes first, then the quantities in the order a run computes them. A quantity
// lists the inputs it is computed from, so the engineer knows where to look.
constexpr Advice kAdvice[] = {
    {"檩条与H钢上翼板间隙", "请输入以毫米计的间隙，如 10"},
    {"孔距K2", "请输入以毫米计的孔距K2，如 50"},
    {"孔距K3", "请输入以毫米计的孔距K3，如 50"},
    {"与腹板夹角", "请输入 0 到 90 度之间（不含 0 和 90）的夹角，如 45"},
    {"螺栓直径M", "请输入以毫米计的螺栓直径，如 14"},
    {"伸出E2", "请输入以毫米计的伸出长度E2，如 35"},
    {"螺栓孔直径d0", "请检查螺栓直径M"},
    {"角钢计算长度L0", "请检查间隙、孔距K2、K3、H钢截面和与腹板夹角"},
    {"长细比", kSlendernessInputs},
    {"宽厚比限值", kSlendernessInputs},
    {"实际宽厚比", "请检查角钢规格"},
    {"角钢净截面面积An", "请检查角钢规格和螺栓直径M"},
    {"轴力N", "请检查H钢截面的翼缘宽度和翼缘厚度、钢材以及与腹板夹角"},
    {"角钢抗压强度f1", "请检查H钢截面、钢材、与腹板夹角、螺栓直径M和角钢规格"},
    {"H钢下翼板面积", "请检查H钢截面的翼缘宽度和翼缘厚度"},
    {"正则化长细比", kSlendernessInputs},
    {"稳定系数c4", kSlendernessInputs},
    {"角钢稳定强度f2",
     "请检查H钢截面、钢材、与腹板夹角和角钢规格，以及决定角钢计算长度L0的间隙、孔距K2、K3"
     "（L0过长时稳定系数趋于零）"},
    {"螺栓抗剪承载力Nv", "请检查螺栓直径M"},
    {"角钢孔壁抗压承载力Nc", "请检查螺栓直径M和角钢规格"},
    {"角钢端部抗剪承载力Nv", "请检查伸出E2和角钢规格"},
};

}  // namespace

std::string FaultAdvice(std::string_view what) {
    // Each of the designation's four numbers is named after its place ("H钢截面的第2个数…").
    if (what.starts_with("H钢截面")) {
        return "请把H钢截面写成用小写字母 x 分隔的四个数（高x宽x第3个数x翼缘厚），如 500x200x6x12";
    }
    for (const Advice& a : kAdvice) {
        if (a.what == what) return std::string(a.advice);
    }
    return "请检查输入的数值";
}

}  // namespace kneebrace
