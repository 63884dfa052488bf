#include "core/fault.h"

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
    }
    return "Unknown";
}

std::string_view FaultKindTitle(FaultKind kind) {
    switch (kind) {
        case FaultKind::SubscriptOutOfRange: return "截面数据不全";
        case FaultKind::TypeMismatch: return "类型不匹配";
        case FaultKind::Overflow: return "数值溢出";
        case FaultKind::DivisionByZero: return "除数为零";
        case FaultKind::InvalidOperation: return "无效运算";
        case FaultKind::FlangeTooThick: return "翼缘过厚";
        case FaultKind::AngleOutOfRange: return "夹角超出范围";
        case FaultKind::NonPositiveLength: return "角钢长度不为正";
        case FaultKind::NonPositiveNetArea: return "净截面面积不为正";
        case FaultKind::NegativeBoltDiameter: return "螺栓直径为负";
        case FaultKind::NonPositiveSection: return "截面尺寸不为正";
    }
    return "计算错误";
}

}  // namespace kneebrace
