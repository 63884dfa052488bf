// What the window's logic asks of a window on screen. The presenter decides every step
// of every handler; a view only turns these calls into its toolkit's controls, and its
// controls' events into the presenter's calls. Controls are named as in the table.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "window/form_actions.h"
#include "window/sizing_view.h"

namespace kneebrace::window {

class Form15View {
public:
    virtual ~Form15View() = default;

    // The text of an input box, or of the size list's edit field ("Combo1"), as UTF-8.
    virtual std::string Text(std::string_view control) const = 0;
    // Replaces the text of an output box ("Text7", "Text8") or of the size list's edit
    // field. CR LF arrives as the engine writes it.
    virtual void SetText(std::string_view control, std::string_view utf8) = 0;
    // Paints a number box pale red, or in its own colours again, and sets its tooltip.
    virtual void ShowMark(std::string_view box, bool marked, std::string_view tooltip) = 0;
    virtual void Enable(std::string_view control, bool enabled) = 0;
    // Whether an option button is chosen or a check box ticked.
    virtual bool Checked(std::string_view control) const = 0;
    // Chooses an option button (the others of its frame are cleared) or ticks or clears
    // a check box, without running its click handler.
    virtual void SetChecked(std::string_view control, bool checked) = 0;
    // Selects the size list's entry at `place` (catalogue order) and shows it in the
    // field, without running the pick handler.
    virtual void SelectSize(std::size_t place) = 0;
    // Gives the control the keyboard focus, its text selected.
    virtual void FocusAndSelectAll(std::string_view control) = 0;
    // Tells the user why a run was abandoned, modally, over the window.
    virtual void ShowFault(const FaultMessage& fault) = 0;
    // Runs the sizing dialog modally over the window: the designation of the row the
    // user adopted, or nothing when they cancelled.
    virtual std::optional<std::string> RunSizingDialog(SizingView view) = 0;
    // The report box shows a new report, calculated for `size`: printing and export
    // act on it from now on.
    virtual void ReportShown(const std::string& reportText, std::string_view size) = 0;
    // The report shown no longer matches the inputs (true), or matches them again
    // (false): its text greyed and a note beside it saying to calculate again, printing
    // and export off meanwhile. Its text stays as it is.
    virtual void ReportStale(bool stale) = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

}  // namespace kneebrace::window
