// The Win32 window through the scenarios' probe: the real window under wine, driven with
// the messages a user's mouse and keys send it, fault messages recorded instead of shown.
// What it reads back is what the window shows: control texts, check states, the colour
// it answers a box's colour request with, the tooltip control's texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/window_probe.h"
#include "window_driver.h"

namespace win32test {

class Win32Probe : public windowtest::WindowProbe {
public:
    void Type(std::string_view box, std::string_view utf8) override;
    void Click(std::string_view control) override;
    void Press(std::string_view control, windowtest::Key key) override;
    void Pick(std::string_view designation) override;
    void TypeSize(std::string_view utf8, bool enter) override;
    bool Sizing(const windowtest::SizingAnswer& answer) override;

    std::string Text(std::string_view control) const override { return ui_.Text(control); }
    bool Enabled(std::string_view control) const override;
    bool Checked(std::string_view control) const override { return ui_.Checked(control); }
    bool Marked(std::string_view box) const override;
    std::string Tooltip(std::string_view box) const override;
    std::string Focus() const override { return ui_.FocusName(); }
    std::vector<kneebrace::window::FaultMessage> Faults() const override { return ui_.faults(); }
    bool Printable() const override;
    bool ReportStale() const override;
    const kneebrace::DesignState& Record() const override;

    WindowDriver& driver() { return ui_; }

private:
    void FocusOn(std::string_view control);

    WindowDriver ui_;
};

// The colour the window paints a control's background with, as it answers the control's
// colour request: WM_CTLCOLOREDIT while the control can be edited, WM_CTLCOLORSTATIC
// while it is disabled.
COLORREF Background(HWND control);

// The text the window's tooltip control holds for a control.
std::string TooltipOf(HWND control);

}  // namespace win32test
