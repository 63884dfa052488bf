// The calculator's one window, drawn by Qt. It creates its controls from the control
// table, reports every event of theirs to the presenter, which owns the design record
// and decides each step, and draws what the presenter tells it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QString>
#include <QWidget>

#include "core/design_state.h"
#include "qt/report_menu.h"
#include "window/control_table.h"
#include "window/form15_presenter.h"
#include "window/form15_view.h"

namespace kneebrace {

// Tells the user why a calculation was abandoned: the kind of fault as a short title and
// the message naming the input concerned. The window calls it while the user's inputs
// are still on screen, so they can correct them and press Calculate again.
using FaultReporter =
    std::function<void(QWidget* parent, const QString& kindTitle, const QString& message)>;

// The program's reporter: a modal warning box with a Chinese button.
FaultReporter MessageBoxReporter();

class Form15 : public QWidget, private window::Form15View {
public:
    // The dialogs of printing and export are passed in, like the fault reporter, so that
    // tests can answer them.
    explicit Form15(FaultReporter reportFault = MessageBoxReporter(),
                    ReportDialogs reportDialogs = SystemReportDialogs(), QWidget* parent = nullptr);
    ~Form15() override;

    const DesignState& designState() const { return presenter_.state(); }
    // For the project commands, which put members into the window and take them out.
    window::Form15Presenter& presenter() { return presenter_; }
    ReportMenu& reportMenu() { return *reportMenu_; }

private:
    template <typename W = QWidget>
    W* Find(std::string_view name) const {
        return findChild<W*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    QWidget* MakeControl(const window::ControlRow& row, QWidget* parent);

    std::string Text(std::string_view control) const override;
    void SetText(std::string_view control, std::string_view utf8) override;
    void ShowMark(std::string_view box, bool marked, std::string_view tooltip) override;
    void Enable(std::string_view control, bool enabled) override;
    bool Checked(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    void SelectSize(std::size_t place) override;
    void FocusAndSelectAll(std::string_view control) override;
    void ShowFault(const window::FaultMessage& fault) override;
    std::optional<std::string> RunSizingDialog(SizingView view) override;
    void ReportShown(const std::string& reportText, std::string_view size) override;
    void ReportStale(bool stale) override;
    // The top-level window: this one, or the one that holds it under a menu bar.
    void Close() override { window()->close(); }

    window::Form15Presenter presenter_;
    FaultReporter reportFault_;
    ReportMenu* reportMenu_ = nullptr;
};

}  // namespace kneebrace
