#include "window/keyboard.h"

namespace kneebrace::window {

EnterKey EnterIn(ControlKind kind) {
    switch (kind) {
        case ControlKind::InputBox: return EnterKey::Calculates;
        // A typed size that names no catalogue entry is put back to the size in force;
        // the user sees that in the field before any report is built on it.
        case ControlKind::SizeList: return EnterKey::CommitsSize;
        case ControlKind::PictureBox:
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::PropertiesBox:
        case ControlKind::ReportBox:
        case ControlKind::PictureButton:
        case ControlKind::StaleNote: return EnterKey::Ignored;
    }
    return EnterKey::Ignored;
}

const ControlRow& StartFocus() { return *FocusOrder().front(); }

}  // namespace kneebrace::window
