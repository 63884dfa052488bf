// The main window as data: every control's name, kind, frame, caption, twip rectangle,
// font, tooltip and place in the tab order. Both front ends walk this one table, so
// the window is laid out once; the toolkits only turn rows into their own controls.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/calculation_run.h"

namespace kneebrace::window {

enum class ControlKind {
    PictureBox,     // the fixed line drawing
    Frame,          // a group frame with a blue caption
    Label,          // a caption beside an input box
    InputBox,       // a single-line text box the run reads
    OptionButton,   // one of a pair of mutually exclusive options
    CheckBox,       // the gap's lock; the supplementary section on or off
    SizeList,       // the angle size drop-down with an edit field
    PropertiesBox,  // multi-line, read-only, blue text, no scroll bars
    ReportBox,      // multi-line, read-only, both scroll bars, no wrapping
    PictureButton,  // icon above caption, orange face
    StaleNote,      // beside the report: shown only while it no longer matches the inputs
};

// What pressing a picture button does.
enum class Command {
    None,
    Calculate,  // 计算: the run, its marks and the report
    Sizing,     // 选型: every size in a table, one to adopt
    Close,      // 关闭: the window closes and the program ends
};

// A rectangle in twips (1/1440 inch), relative to the control's parent.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

struct ControlRow {
    std::string_view name;  // "Text1": the control's name in code, tests and object names
    ControlKind kind;
    std::string_view parent;         // the frame it sits in; empty on the window itself
    std::string_view caption;        // caption or initial text, UTF-8
    TwipRect rect;                   // relative to the parent's top-left corner
    int tabIndex;                    // labels and frames hold a place but never take the focus
    double fontPoints;               // 宋体 at this size; 0 for the window's default font
    std::string_view tooltip;        // empty: none
    std::string_view artwork;        // SVG in assets/ (picture box and picture buttons)
    bool selectedAtStart;            // options chosen and check boxes ticked when the window opens
    bool disabledAtStart;            // the gap box until its check box is ticked
    std::string InputTexts::*feeds;  // the run's input an input box holds; null elsewhere
    Command command;                 // a picture button's command; None elsewhere
};

// The window's client area, its title and the font of controls without one of their own.
inline constexpr int kClientWidthTwips = 12810;
inline constexpr int kClientHeightTwips = 8850;
inline constexpr std::string_view kWindowTitle = "角钢Omvarel by Tavrosk";
inline constexpr double kWindowFontPoints = 9.0;
// The drawing is shown unscaled: 429 x 210 pixels at 96 dpi, inside a one-pixel frame.
inline constexpr int kDiagramWidthPixels = 429;
inline constexpr int kDiagramHeightPixels = 210;

// Every control, parents before their children, in the order they are created.
std::span<const ControlRow> Form15Controls();

// The row of the named control; nullptr for a name the window does not have.
const ControlRow* FindControl(std::string_view name);

// The control's rectangle on the window's client area (its frames' origins added).
TwipRect OnClientArea(const ControlRow& control);

// Whether a control of this kind can hold the keyboard focus. Labels and frames cannot;
// nor can the drawing, which has nothing to do with the keyboard.
bool TakesFocus(ControlKind kind);

// The controls that take the focus, in tab order: what Tab walks through.
std::vector<const ControlRow*> FocusOrder();

}  // namespace kneebrace::window
