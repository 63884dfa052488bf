// The window without a toolkit: the presenter over a view that only remembers what it
// was told. Scenarios run on it in-process, in microseconds, with the same probe the
// real windows' drivers implement.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/window_probe.h"
#include "window/form15_presenter.h"
#include "window/form15_view.h"

namespace windowtest {

class FakeView : public kneebrace::window::Form15View {
public:
    FakeView();

    std::string Text(std::string_view control) const override;
    void SetText(std::string_view control, std::string_view utf8) override;
    void ShowMark(std::string_view box, bool marked, std::string_view tooltip) override;
    void Enable(std::string_view control, bool enabled) override;
    void SelectSize(std::size_t place) override;
    void FocusAndSelectAll(std::string_view control) override;
    void ShowFault(const kneebrace::window::FaultMessage& fault) override;
    std::optional<std::string> RunSizingDialog(kneebrace::SizingView view) override;
    void ReportShown(const std::string& reportText, std::string_view size) override;
    void ReportStale(bool isStale) override { stale = isStale; }
    void Close() override { closed = true; }

    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, bool, std::less<>> marked;
    std::map<std::string, std::string, std::less<>> tooltips;
    std::vector<kneebrace::window::FaultMessage> faults;
    std::string focus;
    std::optional<std::size_t> selectedSize;
    SizingAnswer sizingAnswer;  // how the next sizing dialog is answered
    int sizingDialogs = 0;
    bool printable = false;  // a report was shown
    std::string printed;     // what printing acts on
    bool stale = false;
    bool closed = false;
};

class FakeProbe : public WindowProbe {
public:
    FakeProbe();

    void Type(std::string_view box, std::string_view utf8) override;
    void Click(std::string_view control) override;
    void Press(std::string_view control, Key key) override;
    void Pick(std::string_view designation) override;
    void TypeSize(std::string_view utf8, bool enter) override;
    bool Sizing(const SizingAnswer& answer) override;

    std::string Text(std::string_view control) const override { return view_.Text(control); }
    bool Enabled(std::string_view control) const override;
    bool Checked(std::string_view control) const override;
    bool Marked(std::string_view box) const override;
    std::string Tooltip(std::string_view box) const override;
    std::string Focus() const override { return view_.focus; }
    std::vector<kneebrace::window::FaultMessage> Faults() const override { return view_.faults; }
    // Printing acts on the report the box shows, and only while it matches the inputs.
    bool Printable() const override {
        return view_.printable && !view_.stale && view_.printed == view_.Text("Text8");
    }
    bool ReportStale() const override { return view_.stale; }
    const kneebrace::DesignState& Record() const override { return presenter_->state(); }

    FakeView& view() { return view_; }
    const kneebrace::window::Form15Presenter& presenter() const { return *presenter_; }

private:
    void MoveFocus(std::string_view control);

    FakeView view_;
    std::map<std::string, bool, std::less<>> checked_;
    std::unique_ptr<kneebrace::window::Form15Presenter> presenter_;
};

}  // namespace windowtest
