// What the calculation book says, for one member or for a whole project, before
// report_pages puts it on pages: the title block to sign, the basis of design, the
// diagram, every input as typed and as the run read it, the report as the box shows it
// and the conclusion; for a project, a cover and a summary of its members first.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_state.h"
#include "window/form15_view.h"
#include "window/project.h"
#include "window/report_pages.h"

namespace kneebrace {

// The names that sign the book. An empty field prints as a line to write on.
struct BookHeading {
    std::string project;   // 工程名称
    std::string member;    // 构件
    std::string designer;  // 计算
    std::string checker;   // 校对
    std::string reviewer;  // 审核
    std::string date;      // 日期, as the signer writes it
};

// One member as the book prints it: what was typed, the record the run left and the
// report as the report box shows it (empty when the run was abandoned, `fault` then
// says why).
struct BookMember {
    window::Member member;
    DesignState state;
    std::string report;
    std::string fault;
};

// The member the window shows right after a Calculate: everything as the window holds it
// (the presenter's CurrentMember), the record the run left and the report box's text.
BookMember ShownMember(window::Member typed, const DesignState& afterRun, std::string report);

// The book of the member the report box shows, as both windows' print commands hold it.
class ShownBook {
public:
    // Who signs the book, asked each time it is printed: the project may have been
    // renamed since the report was shown. Without a source the fields print as lines.
    void SetHeadingSource(std::function<BookHeading()> source) { heading_ = std::move(source); }
    // The box shows a new report; an empty one (no report yet) changes nothing. Returns
    // whether there is a book to print.
    bool Show(BookMember member);
    bool Shown() const { return member_.has_value(); }
    // The book as printed at `now`, which dates it when the heading has no date.
    BookContent Content(const Timestamp& now) const;
    // The PDF's default name, after the size the report was calculated for.
    std::string FileName(const Timestamp& now) const;

private:
    std::optional<BookMember> member_;
    std::function<BookHeading()> heading_;
};

// A member of a project, calculated afresh.
BookMember CalculatedMember(const window::Member& member);

// The rows of the input table: 项目, as typed, as the run read it.
std::vector<std::vector<std::string>> InputRows(const BookMember& m);

// "结论：…满足要求。" naming the failing checks and items, or why the run was abandoned.
std::string Conclusion(const BookMember& m);

// A member's book: its heading's `member` is the member's name when it has one.
BookContent MemberBook(const BookHeading& heading, const BookMember& m);

// The project's book: the cover with the project's fields, the summary table, then each
// member's pages, every member calculated afresh.
BookContent ProjectBook(const window::Project& project);

// The summary table's rows under its heading row: 构件, 截面, 角钢, 螺栓, N (Ns with the
// section), 控制项, 最大利用率, 结论.
std::vector<std::vector<std::string>> SummaryRows(const std::vector<BookMember>& members);

}  // namespace kneebrace
