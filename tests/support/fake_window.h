// The window without a toolkit: the presenter over a view that only remembers what it
// was told. Scenarios run on it in-process, in microseconds, with the same probe the
// real windows' drivers implement.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/window_probe.h"
#include "window/form15_presenter.h"
#include "window/form15_view.h"
#include "window/project_session.h"

namespace windowtest {

class FakeView : public kneebrace::window::Form15View {
public:
    FakeView();

    std::string Text(std::string_view control) const override;
    void SetText(std::string_view control, std::string_view utf8) override;
    void ShowMark(std::string_view box, bool marked, std::string_view tooltip) override;
    void Enable(std::string_view control, bool enabled) override;
    bool Checked(std::string_view control) const override;
    void SetChecked(std::string_view control, bool checked) override;
    void SelectSize(std::size_t place) override;
    void FocusAndSelectAll(std::string_view control) override;
    void ShowFault(const kneebrace::window::FaultMessage& fault) override;
    std::optional<std::string> RunSizingDialog(kneebrace::SizingView view) override;
    void ReportShown(const std::string& reportText, std::string_view size) override;
    void ReportStale(bool isStale) override { stale = isStale; }
    // Closes unless `mayClose` says no, as a window asks before closing.
    void Close() override { closed = !mayClose || mayClose(); }

    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, bool, std::less<>> marked;
    std::map<std::string, bool, std::less<>> checked;
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
    std::function<bool()> mayClose;
};

class FakeProbe : public WindowProbe {
public:
    FakeProbe();

    void Type(std::string_view box, std::string_view utf8) override;
    void Click(std::string_view control) override;
    void Press(std::string_view control, Key key) override;
    void Pick(std::string_view designation) override;
    void TypeSize(std::string_view utf8, bool enter) override;
    // Types into the size field and leaves the focus there: nothing settles the text.
    void TypeSizeOnly(std::string_view utf8);
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
    kneebrace::window::Form15Presenter& presenter() { return *presenter_; }
    const kneebrace::window::Form15Presenter& presenter() const { return *presenter_; }

private:
    void MoveFocus(std::string_view control);

    FakeView view_;
    std::unique_ptr<kneebrace::window::Form15Presenter> presenter_;
};

// The project's side of the fake window: the disk is a map of paths to bytes, and every
// prompt and dialog takes the next answer a test queued (none queued: cancelled).
class FakeProjectView : public kneebrace::window::ProjectView {
public:
    using UnsavedChoice = kneebrace::window::UnsavedChoice;
    using MenuCommand = kneebrace::window::MenuCommand;

    void SetCaption(std::string_view utf8) override { caption = std::string(utf8); }
    void EnableCommand(MenuCommand command, bool isEnabled) override {
        enabled[command] = isEnabled;
    }
    UnsavedChoice AskUnsaved(std::string_view projectName) override;
    std::optional<std::string> ChooseProjectToOpen() override { return Next(openAnswers); }
    std::optional<std::string> ChooseProjectToSave(std::string_view suggestedName) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceFile(const std::string& path, std::string_view bytes) override;
    bool MayReplace(const std::string& path) override;
    std::optional<std::string> AskMemberName(std::string_view title,
                                             std::string_view suggested) override;
    std::optional<kneebrace::window::ProjectInfo> EditProjectInfo(
        const kneebrace::window::ProjectInfo& info) override;
    void RunMemberList(kneebrace::window::ProjectSession& session) override;
    void ShowProjectMessage(const kneebrace::window::FaultMessage& message) override {
        messages.push_back(message);
    }
    void PrintProjectBook(const kneebrace::window::Project&, std::string_view name) override {
        books.push_back("print " + std::string(name));
    }
    void ExportProjectBook(const kneebrace::window::Project&, std::string_view name) override {
        books.push_back("export " + std::string(name));
    }

    std::map<std::string, std::string, std::less<>> disk;
    bool diskFull = false;  // every write fails, leaving the disk as it was
    std::deque<UnsavedChoice> unsavedAnswers;
    std::deque<std::string> openAnswers, saveAnswers, nameAnswers;
    std::deque<kneebrace::window::ProjectInfo> infoAnswers;
    std::deque<bool> replaceAnswers;
    // What the member list dialog does once it is up.
    std::function<void(kneebrace::window::ProjectSession&)> memberList;

    std::string caption;
    std::map<MenuCommand, bool> enabled;
    std::vector<std::string> asked;  // every prompt and dialog, in order, with its subject
    std::vector<kneebrace::window::FaultMessage> messages;
    std::vector<std::string> books;  // printed or exported, with the name proposed

private:
    template <typename T>
    std::optional<T> Next(std::deque<T>& answers) {
        if (answers.empty()) return std::nullopt;
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

// The fake window with its menu bar's project commands.
struct FakeProjectWindow {
    FakeProbe window;
    FakeProjectView view;
    kneebrace::window::ProjectSession session{view, window.presenter()};

    FakeProjectWindow() {
        window.view().mayClose = [this] { return session.MayClose(); };
        session.Refresh();
    }
};

}  // namespace windowtest
