// The Qt window, offscreen, worked as a user works it: mouse clicks on the controls,
// keys in the control with the focus, text typed through the input method, sizes picked
// in the open list, the sizing dialog answered inside its own modal loop.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qt/form15.h"
#include "support/window_probe.h"

class QWidget;

namespace windowtest {

class QtProbe : public WindowProbe {
public:
    // A fresh window, shown and active; its fault messages are recorded, not shown, and
    // printing and export are never asked for.
    QtProbe();
    ~QtProbe() override;

    void Type(std::string_view box, std::string_view utf8) override;
    void Click(std::string_view control) override;
    void Press(std::string_view control, Key key) override;
    void Pick(std::string_view designation) override;
    void TypeSize(std::string_view utf8, bool enter) override;
    bool Sizing(const SizingAnswer& answer) override;

    std::string Text(std::string_view control) const override;
    bool Enabled(std::string_view control) const override;
    bool Checked(std::string_view control) const override;
    bool Marked(std::string_view box) const override;
    std::string Tooltip(std::string_view box) const override;
    std::string Focus() const override;
    std::vector<kneebrace::window::FaultMessage> Faults() const override { return faults_; }
    bool Printable() const override;
    bool ReportStale() const override;
    const kneebrace::DesignState& Record() const override { return window_->designState(); }

    kneebrace::Form15& window() { return *window_; }
    QWidget* Get(std::string_view control) const;

private:
    void Activate();
    void MoveFocusTo(QWidget* control);
    void TypeInto(QWidget* field, std::string_view utf8);

    std::vector<kneebrace::window::FaultMessage> faults_;
    std::unique_ptr<kneebrace::Form15> window_;
};

}  // namespace windowtest
