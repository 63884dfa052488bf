#include "window/report_book.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "catalogue/angle_sizing.h"
#include "checks/current_codes_check.h"
#include "core/fault.h"
#include "core/number_text.h"
#include "window/control_table.h"
#include "window/member_run.h"

namespace kneebrace {
namespace {

constexpr char kTitle[] = "隅撑计算书";
constexpr char kNotRead[] = "—";

std::string Grade(std::int16_t code) { return code == 2 ? "Q345" : "Q235"; }
std::string Layout(std::int16_t code) { return code == 2 ? "单侧" : "双侧"; }

std::string Mm(float value) { return ToText(value) + " mm"; }

BookBlock Text(std::vector<std::string> lines, bool centred = false) {
    BookBlock b;
    b.lines = std::move(lines);
    b.centred = centred;
    return b;
}

BookBlock Table(std::vector<double> columns, std::vector<std::vector<std::string>> rows,
                bool grid = true) {
    BookBlock b;
    b.kind = BookBlock::Kind::Table;
    b.table = {std::move(columns), std::move(rows), grid};
    return b;
}

// The title block: a form of label and field by turns, its empty fields lines to sign on.
BookBlock TitleBlock(const BookHeading& h) {
    return Table({0.12, 0.38, 0.12, 0.38},
                 {{"工程名称", h.project, "构件", h.member},
                  {"计算", h.designer, "校对", h.checker},
                  {"审核", h.reviewer, "日期", h.date}},
                 false);
}

BookBlock Basis(bool supplementary) {
    std::vector<std::string> lines{
        "设计依据：",
        "   第(1)至(7)项验算采用本程序沿用已久的计算公式，与现行规范的条文不逐条对应。",
    };
    lines.push_back(supplementary ? "   补充验算（现行规范）依据《钢结构设计标准》GB 50017-2017、"
                                    "《门式刚架轻型房屋钢结构技术规范》GB 51022-2015、"
                                    "《冷弯薄壁型钢结构技术规范》GB 50018-2002。"
                                  : "   本构件未进行补充验算（现行规范）。");
    return Text(std::move(lines));
}

BookBlock Diagram() {
    BookBlock b;
    b.kind = BookBlock::Kind::Diagram;
    b.aspect = static_cast<double>(window::kDiagramHeightPixels) / window::kDiagramWidthPixels;
    return b;
}

bool Supplementary(const BookMember& m) { return m.member.supplementary && m.fault.empty(); }

// The failing checks and items, "第(1)、(4)项及补充验算S1、S3"; empty when all pass.
std::string Failing(const BookMember& m) { return window::FailingItems(m.state, m.member); }

std::string Ratio(double u) {
    if (std::isnan(u)) return kNotRead;
    if (std::isinf(u)) return "∞";
    return FormatFixed(u, "0.00");
}

// The largest use of the member and the check it belongs to.
std::pair<std::string, std::string> Governing(const BookMember& m) {
    if (!m.fault.empty()) return {kNotRead, kNotRead};
    std::optional<PurlinInputs> purlin;
    if (Supplementary(m))
        purlin = ReadPurlinInputs(m.member.purlinWebText, m.member.purlinSteelCode);
    const SizingRow row = RowOfRun(m.state, purlin);
    if (row.currentCodes)
        return {std::string(RowCheckLabel(row.currentCodes->governing)),
                Ratio(row.currentCodes->largestUse)};
    std::size_t governing = 0;
    for (std::size_t i = 1; i < kCheckCount; ++i)
        if (row.checks[i].utilisation > row.checks[governing].utilisation) governing = i;
    return {std::string(RowCheckLabel(governing)), Ratio(row.checks[governing].utilisation)};
}

}  // namespace

BookMember ShownMember(window::Member typed, const DesignState& afterRun, std::string report) {
    return {std::move(typed), afterRun, std::move(report), {}};
}

bool ShownBook::Show(BookMember member) {
    if (!member.report.empty()) member_ = std::move(member);
    return Shown();
}

BookContent ShownBook::Content(const Timestamp& now) const {
    if (!member_) return {};
    BookHeading heading = heading_ ? heading_() : BookHeading{};
    if (heading.date.empty()) heading.date = DateText(now);
    return MemberBook(heading, *member_);
}

std::string ShownBook::FileName(const Timestamp& now) const {
    return DefaultPdfFileName(member_ ? member_->member.angleSize : std::string(), now);
}

BookMember CalculatedMember(const window::Member& member) {
    window::MemberOutcome run = window::CalculateMember(member);
    BookMember m{member, std::move(run.state), std::move(run.report), {}};
    if (run.fault) m.fault = run.fault->text;
    return m;
}

std::vector<std::vector<std::string>> InputRows(const BookMember& m) {
    const window::Member& in = m.member;
    const DesignState& s = m.state;
    const bool read = m.fault.empty();
    const auto row = [read](std::string item, std::string typed, std::string asRead) {
        return std::vector<std::string>{std::move(item), std::move(typed),
                                        read ? std::move(asRead) : kNotRead};
    };
    // The run reads the gap box whether or not its box is unlocked for editing.
    const std::string gapTyped = in.texts.Text2 + (in.gapUnlocked ? "" : "（未解锁）");
    const double degrees = static_cast<double>(s.Ang) * 180 / std::numbers::pi;
    std::vector<std::vector<std::string>> rows{
        {"项目", "输入", "计算采用"},
        row("截面", in.texts.Text1,
            "H=" + ToText(s.H) + "，B=" + ToText(s.B) + "，翼缘厚 " + Mm(s.flangeT)),
        row("钢材", Grade(in.gradeCode), "f=" + ToText(s.f) + "，fy=" + ToText(s.fy) + " N/mm²"),
        row("间隙", gapTyped, s.gap == 0 ? "不计" : Mm(s.gap)),
        row("K2", in.texts.Text3, Mm(s.K2)),
        row("K3", in.texts.Text4, Mm(s.K3)),
        row("夹角", in.texts.Text5, FormatFixed(degrees, "0.00") + "°"),
        row("布置", Layout(in.layoutCode), "coe=" + ToText(s.coe)),
        row("角钢", in.angleSize,
            in.angleSize + "，A0=" + ToText(s.A0) + " mm²，imin=" + Mm(s.Imin)),
        row("螺栓", in.texts.Text6, "M=" + ToText(s.M) + "，d0=" + Mm(s.d0)),
        row("E2", in.texts.Text9, Mm(s.E2)),
        row("补充验算", in.supplementary ? "进行" : "不进行", in.supplementary ? "进行" : "不进行"),
    };
    if (in.supplementary) {
        std::string tp = kNotRead;
        try {
            tp = ToTextD(ReadPurlinInputs(in.purlinWebText, in.purlinSteelCode).tp) + " mm";
        } catch (const CalculationFault&) {
        }
        rows.push_back(row("檩条腹板 tp", in.purlinWebText, tp));
        rows.push_back(row("檩条钢材", Grade(in.purlinSteelCode), Grade(in.purlinSteelCode)));
    }
    return rows;
}

std::string Conclusion(const BookMember& m) {
    if (!m.fault.empty()) return "结论：计算未完成，不满足要求：" + m.fault;
    const std::string failing = Failing(m);
    return failing.empty() ? "结论：各项验算均满足要求。" : "结论：" + failing + "不满足要求。";
}

BookContent MemberBook(const BookHeading& heading, const BookMember& m) {
    BookHeading h = heading;
    if (!m.member.name.empty()) h.member = m.member.name;
    std::string header = h.project.empty() ? kTitle : h.project;
    if (!h.member.empty()) header += "    构件：" + h.member;

    BookContent book{Text({kTitle}, true), TitleBlock(h), Basis(m.member.supplementary), Diagram(),
                     Table({0.18, 0.30, 0.52}, InputRows(m))};
    if (m.fault.empty()) {
        for (BookBlock& block : ReportBlocks(m.report)) book.push_back(std::move(block));
    }
    book.push_back(Text({"", Conclusion(m)}));
    book.front().newPage = true;
    for (BookBlock& block : book) block.header = header;
    return book;
}

std::vector<std::vector<std::string>> SummaryRows(const std::vector<BookMember>& members) {
    std::vector<std::vector<std::string>> rows;
    for (const BookMember& m : members) {
        const auto [governing, use] = Governing(m);
        std::string force = kNotRead;
        if (m.fault.empty()) {
            force = ToText(m.state.N);
            if (Supplementary(m))
                force = "Ns=" + ToTextD(CheckCurrentCodes(
                                            m.state, ReadPurlinInputs(m.member.purlinWebText,
                                                                      m.member.purlinSteelCode))
                                            .Ns);
        }
        const std::string failing = m.fault.empty() ? Failing(m) : "计算未完成";
        rows.push_back({m.member.name, m.member.texts.Text1, m.member.angleSize,
                        "M" + m.member.texts.Text6, force, governing, use,
                        failing.empty() ? "满足要求" : failing + "不满足要求"});
    }
    return rows;
}

BookContent ProjectBook(const window::Project& project) {
    std::vector<BookMember> members;
    for (const window::Member& m : project.members) members.push_back(CalculatedMember(m));

    const std::string header = project.name.empty() ? kTitle : project.name;
    std::vector<std::vector<std::string>> summary{
        {"构件", "截面", "角钢", "螺栓", "N 或 Ns (N)", "控制项", "最大利用率", "结论"}};
    for (auto& row : SummaryRows(members)) summary.push_back(std::move(row));
    BookContent book{
        Text({"", kTitle, ""}, true),
        Table({0.12, 0.38, 0.12, 0.38},
              {{"工程名称", project.name, "构件数", std::to_string(project.members.size())},
               {"计算", project.designer, "校对", project.checker},
               {"审核", project.reviewer, "日期", ""}},
              false),
        Text({"", "构件汇总："}),
        Table({0.17, 0.14, 0.07, 0.06, 0.12, 0.07, 0.11, 0.26}, std::move(summary)),
    };
    for (BookBlock& block : book) block.header = header;
    const BookHeading heading{project.name,     {}, project.designer, project.checker,
                              project.reviewer, {}};
    for (const BookMember& m : members)
        for (BookBlock& block : MemberBook(heading, m)) book.push_back(std::move(block));
    return book;
}

}  // namespace kneebrace
