// The supplementary section "补充验算（现行规范）": the brace checked again, after the
// seven, to GB 50017-2017, GB 51022-2015 and GB 50018-2002.
#include "checks/current_codes_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "checks/report_lines.h"
#include "core/fault.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

// The 15-digit π the seven use, so that the bolt's area is the same number in both.
constexpr double kPi = 3.14159265358979;

// A single angle connected by one leg (0.85) and lapped on the purlin (0.90): GB 51022-2015
// 3.2.5 and GB 50018-2002 4.2.7 say the two are multiplied.
constexpr double kPsiC = 0.85 * 0.90;

// Design strength of the lower flange to GB 50017-2017 Table 4.4.1, by thickness band
// (closed at its upper end). A flange over 100 mm never gets here: the run refused it.
double FlangeStrength2017(bool q345, float thickness) {
    struct Band {
        float upTo;  // mm
        double f;    // N/mm²
    };
    static constexpr Band kQ235[] = {{16, 215}, {40, 205}, {100, 200}};
    static constexpr Band kQ345[] = {{16, 305}, {40, 295}, {63, 290}, {80, 280}, {100, 270}};
    const auto pick = [thickness](const auto& bands) {
        for (const Band& b : bands)
            if (thickness <= b.upTo) return b.f;
        return bands[std::size(bands) - 1].f;
    };
    return q345 ? pick(kQ345) : pick(kQ235);
}

// Forces, capacities and stresses are compared as the report shows them, to 0.1.
double Tenth(double x) { return RoundFixed(x, "0.0"); }

// Number pieces of a line: a value already rounded to 0.1, a double shown to four
// decimals, a stored single shown as the seven show it. Trailing zeros are dropped, as in
// the seven's numbers.
struct Tenths {
    double v;
};
struct Fourths {
    double v;
};

// A number's text, kept on the stack: one shown on several lines is formatted once.
class Shown {
public:
    explicit Shown(Tenths x) { Scaled(x.v, 10, 1); }
    explicit Shown(Fourths x) { Scaled(RoundFixed(x.v, "0.0000"), 1e4, 4); }
    std::string_view view() const { return {buf_ + start_, sizeof buf_ - start_}; }

private:
    // v, a multiple of 10^-decimals (rounded before), without trailing zeros.
    void Scaled(double v, double scale, int decimals) {
        const double magnitude = std::fabs(v) * scale;
        if (!(magnitude < 1e15)) {
            // Beyond 15 digits: the general form, which fits the buffer.
            const std::string general = ToTextD(v);
            start_ = sizeof buf_ - general.size();
            std::copy(general.begin(), general.end(), buf_ + start_);
            return;
        }
        // The digits of the integer k = v·10^decimals, with the point put back in. The
        // magnitude is within rounding error of k, so adding one half and truncating finds it;
        // it is never near a half, where that shortcut could round the wrong way.
        // NOLINTNEXTLINE(bugprone-incorrect-roundings)
        auto k = static_cast<unsigned long long>(magnitude + 0.5);
        char* const end = buf_ + sizeof buf_;
        char* p = end;
        int place = 0;
        bool significant = false;  // a fraction digit other than a trailing zero was written
        for (; place < decimals; ++place, k /= 10) {
            const char digit = static_cast<char>('0' + k % 10);
            if (digit != '0' || significant) {
                *--p = digit;
                significant = true;
            }
        }
        if (significant) *--p = '.';
        do {
            *--p = static_cast<char>('0' + k % 10);
            k /= 10;
        } while (k != 0);
        if (v < 0 && !(p[0] == '0' && p + 1 == end)) *--p = '-';
        start_ = static_cast<std::size_t>(p - buf_);
    }

    char buf_[32];
    std::size_t start_ = sizeof buf_;  // the text is buf_[start_, end)
};

// Appends ToText(x) for a single whose general form is plain (1E-04 up to below 1E+07),
// without going through a decimal string; false, with nothing appended, for any other.
// A single's 24-bit significand times 10^n, n <= 10 (5^10 < 2^24), is exact in a double,
// so the digits are rounded half away from zero on the exact value, as ToText rounds.
bool AppendPlainSingle(std::string& t, float x) {
    const double magnitude = std::fabs(static_cast<double>(x));
    // The decimal exponent e of x: 10^6 <= |x|·10^(6-e) < 10^7, compared exactly.
    double scale = 1;
    int e = 6;
    double y = magnitude;
    while (y < 1e6 && e > -4) {
        scale *= 10;
        --e;
        y = magnitude * scale;
    }
    if (!(y >= 1e6 && y < 1e7)) return false;
    const double whole = std::floor(y);
    auto k = static_cast<long>(whole) + (y - whole >= 0.5 ? 1 : 0);
    if (k == 10'000'000) {  // rounded up to the next power of ten
        if (e == 6) return false;
        k = 1'000'000;
        ++e;
    }
    char digits[7];
    for (int i = 6; i >= 0; --i, k /= 10) digits[i] = static_cast<char>('0' + k % 10);
    int n = 7;
    while (n > 1 && digits[n - 1] == '0') --n;
    if (x < 0) t.push_back('-');
    if (e >= 0) {
        const int intDigits = e + 1;
        t.append(digits, static_cast<std::size_t>(std::min(n, intDigits)));
        if (n < intDigits) t.append(static_cast<std::size_t>(intDigits - n), '0');
        if (n > intDigits)
            t.append(".").append(digits + intDigits, static_cast<std::size_t>(n - intDigits));
    } else {
        t.append("0.")
            .append(static_cast<std::size_t>(-e - 1), '0')
            .append(digits, static_cast<std::size_t>(n));
    }
    return true;
}

// A stored single as ToText writes it: most are whole millimetres, and most others plain,
// both written without the general formatter.
void AppendSingle(std::string& t, float x) {
    if (x == std::trunc(x) && std::fabs(x) < 1e7f) {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long>(x));
        t.append(buf, r.ptr);
    } else if (!AppendPlainSingle(t, x)) {
        t.append(ToText(x));
    }
}

// Pieces of text appended with <<: strings and the numbers above.
class Pieces {
public:
    explicit Pieces(std::string& text) : t_(text) {}
    Pieces& operator<<(std::string_view s) {
        t_.append(s);
        return *this;
    }
    Pieces& operator<<(const char* s) { return *this << std::string_view(s); }
    Pieces& operator<<(const Shown& x) { return *this << x.view(); }
    Pieces& operator<<(Tenths x) { return *this << Shown(x); }
    Pieces& operator<<(Fourths x) { return *this << Shown(x); }
    Pieces& operator<<(float x) {
        AppendSingle(t_, x);
        return *this;
    }

protected:
    std::string& t_;
};

// One line of the section: its indentation, the pieces, and CR LF when it goes out of
// scope, so that `Line(t, indent) << ...;` is a whole line.
class Line : public Pieces {
public:
    Line(std::string& text, std::string_view indent) : Pieces(text) { t_.append(indent); }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;
    ~Line() { t_.append(report::kEol); }
};

bool Passed(const CurrentCodesResult& r, CodesItem item) {
    return r.passes[static_cast<std::size_t>(item)];
}

std::string_view Verdict(bool passes) { return passes ? "，满足要求" : "，不满足要求"; }
std::string_view AtLeast(bool passes) { return passes ? ">=" : "<"; }

// "Ncp=6211.8N>=Ns=6081.1N": a capacity against the force.
void CapacityAgainstForce(Pieces& line, std::string_view name, double capacity, double Ns) {
    line << name << "=" << Tenths{capacity} << "N" << AtLeast(capacity >= Ns) << "Ns=" << Tenths{Ns}
         << "N";
}

// The items' headings, as the section and the sizing table name them.
constexpr std::string_view kItemTitles[kCodesItemCount] = {
    "檩条腹板孔壁承压",
    "螺栓受剪、角钢孔壁承压（计入折减）",
    "螺栓端距",
    "角钢端部撕裂",
    "角钢肢件宽厚比（2017）",
    "单边连接单角钢稳定（2017）",
    "螺栓孔边距（垂直内力方向）",
};
constexpr std::string_view kItemLabels[kCodesItemCount] = {"S1", "S2", "S3", "S4",
                                                           "S5", "S6", "S7"};

void Heading(std::string& t, CodesItem item) {
    const auto i = static_cast<std::size_t>(item);
    t.append(kItemLabels[i]).append(".").append(kItemTitles[i]).append("：").append(report::kEol);
}

std::string_view SteelName(std::int16_t code) { return code == 2 ? "Q345" : "Q235"; }

void WriteForce(std::string& t, const DesignState& s, const CurrentCodesResult& r) {
    using report::kFormulaIndent;
    Line(t, report::kLegendIndent)
        << "-tp：檩条腹板厚=" << Fourths{r.purlin.tp} << "mm，檩条材质"
        << SteelName(r.purlin.steelCode) << "（承压板件为檩条腹板与角钢肢中的较薄者）";
    Line(t, kFormulaIndent) << "ψc=0.85*0.90=0.765（单角钢单肢连接并搭接于檩条，"
                               "GB 51022-2015 3.2.5、GB 50018-2002 4.2.7：两系数连乘）";
    Line(t, kFormulaIndent) << "N17=coe*A*f17/60/sin(Ang)=" << s.coe << "*"
                            << Fourths{static_cast<double>(s.B) * s.flangeT} << "*" << Tenths{r.f17}
                            << "/60/sin(" << Fourths{static_cast<double>(s.Ang) * 180 / kPi}
                            << "度)=" << Tenths{r.N17} << "N（GB 50017-2017 表4.4.1：翼缘厚"
                            << s.flangeT << "mm，" << SteelName(s.gradeCode)
                            << "，f17=" << Tenths{r.f17} << "N/mm2）";
    Line(t, kFormulaIndent) << "Ns=max(N,N17)=max(" << Tenths{Tenth(s.N)} << "," << Tenths{r.N17}
                            << ")=" << Tenths{r.Ns} << "N（N：第(3)项的轴力；取两者中的较大值）";
}

void WriteBearing(std::string& t, const DesignState& s, const CurrentCodesResult& r) {
    using report::kFormulaIndent;
    const bool thin = r.purlin.tp <= 6;
    Heading(t, CodesItem::PurlinWebBearing);
    Line(t, kFormulaIndent) << "fcp=" << Tenths{r.fcp} << "N/mm2（檩条"
                            << SteelName(r.purlin.steelCode)
                            << (thin ? "，tp<=6mm，GB 50018-2002 表4.2.5）"
                                     : "，tp>6mm，GB 50017-2017 表4.4.6）");
    Line(t, kFormulaIndent) << "Ncp=ψc*M*tp*fcp=0.765*" << s.M << "*" << Fourths{r.purlin.tp} << "*"
                            << Tenths{r.fcp} << "=" << Tenths{r.Ncp} << "N（GB 50017-2017 11.4.1）";
    {
        Line line(t, kFormulaIndent);
        CapacityAgainstForce(line, "Ncp", r.Ncp, r.Ns);
        line << Verdict(Passed(r, CodesItem::PurlinWebBearing));
    }

    Heading(t, CodesItem::BoltAndLegBearing);
    Line(t, kFormulaIndent) << "Nvr=ψc*π*M^2/4*fv=0.765*π*" << s.M << "^2/4*140=" << Tenths{r.Nvr}
                            << "N（GB 50017-2017 11.4.1、表4.4.6：fv=140N/mm2）";
    Line(t, kFormulaIndent) << "Ncr=ψc*M*T*fc=0.765*" << s.M << "*" << s.T
                            << "*305=" << Tenths{r.Ncr}
                            << "N（GB 50017-2017 11.4.1、表4.4.6：fc=305N/mm2）";
    Line line(t, kFormulaIndent);
    CapacityAgainstForce(line, "Nvr", r.Nvr, r.Ns);
    line << "，";
    CapacityAgainstForce(line, "Ncr", r.Ncr, r.Ns);
    line << Verdict(Passed(r, CodesItem::BoltAndLegBearing));
}

void WriteEnd(std::string& t, const DesignState& s, const CurrentCodesResult& r) {
    using report::kFormulaIndent;
    const Shown E2min(Fourths{r.E2min});
    Heading(t, CodesItem::EndDistance);
    Line(t, kFormulaIndent) << "E2min=2*d0=2*" << s.d0 << "=" << E2min
                            << "mm（GB 50017-2017 表11.5.2、GB 50018-2002 6.2.4）";
    Line(t, kFormulaIndent) << "E2=" << s.E2 << "mm" << AtLeast(Passed(r, CodesItem::EndDistance))
                            << "E2min=" << E2min << "mm"
                            << Verdict(Passed(r, CodesItem::EndDistance));

    Heading(t, CodesItem::EndTearing);
    Line(t, kFormulaIndent)
        << "Nt=2/√3*T*(E2-(M+4)/2)*0.85*f=2/√3*" << s.T << "*(" << s.E2 << "-(" << s.M
        << "+4)/2)*0.85*215=" << Tenths{r.Nt}
        << "N（GB 50017-2017 12.2.1：f=215N/mm2；净长度扣孔按M+4计，表11.5.2注3）";
    Line line(t, kFormulaIndent);
    CapacityAgainstForce(line, "Nt", r.Nt, r.Ns);
    line << Verdict(Passed(r, CodesItem::EndTearing));
}

void WriteLeg(std::string& t, const DesignState& s, const CurrentCodesResult& r) {
    using report::kFormulaIndent;
    // Each shown more than once: formatted once.
    std::string lambda;
    std::string c4;
    AppendSingle(lambda, s.lambda);
    AppendSingle(c4, s.c4);
    const Shown w(Fourths{r.w}), eta(Fourths{r.eta}), rhoE(Fourths{r.rhoE}),
        alpha(Fourths{r.alpha});
    const Shown Nu(Tenths{Tenth(r.Nu)}), Ns(Tenths{r.Ns});
    Heading(t, CodesItem::LegWidthThickness);
    Line(t, kFormulaIndent) << "w=(B2-2*T)/T=(" << s.B2 << "-2*" << s.T << ")/" << s.T << "=" << w
                            << "（GB 50017-2017 7.3.1）";
    if (s.lambda <= 80) {
        Line(t, kFormulaIndent) << "w0=15（λ=" << lambda << "<=80，GB 50017-2017 7.3.1）";
    } else {
        Line(t, kFormulaIndent) << "w0=5+0.125*λ=5+0.125*" << lambda << "=" << Fourths{r.w0}
                                << "（λ>80，GB 50017-2017 7.3.1）";
    }
    Line(t, kFormulaIndent) << "η=min(1,0.6+0.0015*λ)=min(1,0.6+0.0015*"
                            << (s.lambda < 20 ? std::string_view("20") : std::string_view(lambda))
                            << ")=" << eta << "（λ<20时取20，GB 50017-2017 7.6.1）";
    if (r.w > 14) {
        Line(t, kFormulaIndent) << "ρe=1.3-0.3*w/14=1.3-0.3*" << w << "/14=" << rhoE
                                << "（w>14，GB 50017-2017 7.6.3）";
    } else {
        Line(t, kFormulaIndent) << "ρe=1（w=" << w << "<=14，GB 50017-2017 7.6.3）";
    }
    Line(t, kFormulaIndent) << "Nu=ρe*η*c4*A0*f=" << rhoE << "*" << eta << "*" << c4 << "*" << s.A0
                            << "*215=" << Nu << "N（GB 50017-2017 7.3.2：f=215N/mm2）";
    Line(t, kFormulaIndent) << "α=max(1,(Nu/Ns)^0.5)=max(1,(" << Nu << "/" << Ns
                            << ")^0.5)=" << alpha << "（GB 50017-2017 7.3.2）";
    Line(t, kFormulaIndent) << "w=" << w << (Passed(r, CodesItem::LegWidthThickness) ? "<=" : ">")
                            << "α*w0=" << alpha << "*" << Fourths{r.w0} << "="
                            << Fourths{r.alpha * r.w0}
                            << Verdict(Passed(r, CodesItem::LegWidthThickness));

    Heading(t, CodesItem::Stability);
    Line(t, kFormulaIndent) << "σ=Ns/(ρe*η*c4*A0)=" << Ns << "/(" << rhoE << "*" << eta << "*" << c4
                            << "*" << s.A0 << ")=" << Tenths{r.sigma}
                            << "N/mm2（GB 50017-2017 7.6.1、7.6.3）";
    Line(t, kFormulaIndent) << "σ=" << Tenths{r.sigma}
                            << (Passed(r, CodesItem::Stability) ? "N/mm2<=" : "N/mm2>")
                            << "215N/mm2" << Verdict(Passed(r, CodesItem::Stability));

    const Shown B2min(Fourths{r.B2min});
    Heading(t, CodesItem::EdgeDistance);
    Line(t, kFormulaIndent) << "B2min=2.4*d0=2.4*" << s.d0 << "=" << B2min
                            << "mm（GB 50017-2017 表11.5.2：孔心至肢尖不小于1.2d0，孔在肢宽中线）";
    Line(t, kFormulaIndent) << "B2=" << s.B2 << "mm" << AtLeast(Passed(r, CodesItem::EdgeDistance))
                            << "B2min=" << B2min << "mm"
                            << Verdict(Passed(r, CodesItem::EdgeDistance));
}

void WriteAdvisories(std::string& t, const DesignState& s, const CurrentCodesResult& r) {
    const auto& a = r.advisories;
    if (a[static_cast<std::size_t>(CodesAdvisory::BraceFarFromFlange)]) {
        Line(t, "") << "提示：孔距K2=" << s.K2
                    << "mm>100mm，隅撑与下翼缘的连接点宜在距翼缘100mm以内（GB 51022-2015 "
                       "8.4.1）。";
    }
    if (a[static_cast<std::size_t>(CodesAdvisory::BoltBelowM14)]) {
        Line(t, "") << "提示：螺栓直径M=" << s.M
                    << "mm<14mm，隅撑连接宜采用不小于M14的螺栓（GB 51022-2015 条文说明）。";
    }
    if (a[static_cast<std::size_t>(CodesAdvisory::WebOutsideRange)]) {
        Line(t, "") << "提示：檩条腹板厚tp=" << Fourths{r.purlin.tp}
                    << "mm不在1.5mm～6mm之间，超出冷弯薄壁型钢檩条的常用壁厚，请核对。";
    }
}

// "验算结论：第(6)项及补充验算S1、S3不满足要求", or that every item passes.
void WriteConclusion(std::string& t, const DesignState& s, const CurrentCodesResult& r) {
    const std::array<bool, 7> seven = SevenVerdicts(s);
    std::string seen;
    for (std::size_t i = 0; i < seven.size(); ++i) {
        if (seven[i]) continue;
        seen.append(seen.empty() ? "第" : "、").append(SevenCheckLabel(i));
    }
    if (!seen.empty()) seen.append("项");
    bool anyItem = false;
    for (std::size_t i = 0; i < kCodesItemCount; ++i) {
        if (r.passes[i]) continue;
        if (!anyItem) seen.append(seen.empty() ? "补充验算" : "及补充验算");
        else seen.append("、");
        seen.append(kItemLabels[i]);
        anyItem = true;
    }
    Line(t, "") << "验算结论："
                << (seen.empty() ? "各项验算均满足要求" : seen.append("不满足要求"));
}

}  // namespace

std::string_view SevenCheckLabel(std::size_t check) {
    static constexpr std::string_view kLabels[7] = {"(1)", "(2)", "(3)", "(4)",
                                                    "(5)", "(6)", "(7)"};
    return kLabels[check];
}

std::array<bool, 7> SevenVerdicts(const DesignState& s) {
    // Every verdict line of the seven ends in "通过！" or "失败！".
    const auto passes = [](const std::string& verdict) { return verdict.ends_with("通过！"); };
    return {passes(s.slenderVerdict),   passes(s.localVerdict),     passes(s.strengthVerdict),
            passes(s.stabilityVerdict), passes(s.boltShearVerdict), passes(s.bearingVerdict),
            passes(s.endShearVerdict)};
}

PurlinInputs ReadPurlinInputs(std::string_view webText, std::int16_t steelCode) {
    const auto refuse = [webText] {
        throw CalculationFault(FaultKind::InvalidPurlinWeb,
                               "檩条腹板厚 tp=“" + QuoteForMessage(webText) +
                                   "”不是有效的厚度：请输入以毫米计的正数，如 2。");
    };
    float tp = 0;
    try {
        tp = ParseStrict(webText, "檩条腹板厚tp");
    } catch (const CalculationFault&) {
        refuse();
    }
    // A NaN is refused with the rest: the comparison is false for it.
    if (!(tp > 0)) refuse();
    return {tp, steelCode};
}

CurrentCodesResult CheckCurrentCodes(const DesignState& s, const PurlinInputs& purlin) {
    CurrentCodesResult r;
    r.purlin = purlin;
    const double M = s.M;
    const double T = s.T;
    const double lambda = s.lambda;

    // The 2017 strengths of a Q235 flange over 60 mm are higher than the older ones, so
    // only then can N17 exceed the report's N; the larger of the two is checked.
    r.f17 = FlangeStrength2017(s.gradeCode == 2, s.flangeT);
    r.N17 = Tenth(static_cast<double>(s.coe) * (static_cast<double>(s.B) * s.flangeT) * r.f17 / 60 /
                  std::sin(static_cast<double>(s.Ang)));
    r.Ns = std::max(Tenth(s.N), r.N17);

    // S1: the bolt bears on the angle leg and on the purlin web; the code takes the
    // thinner ply, and a cold-formed purlin web is nearly always thinner than the angle.
    const bool purlinQ345 = purlin.steelCode == 2;
    if (purlin.tp <= 6) {
        r.fcp = purlinQ345 ? 370 : 290;
    } else {
        r.fcp = purlinQ345 ? 385 : 305;
    }
    r.Ncp = Tenth(kPsiC * M * purlin.tp * r.fcp);

    // S2: the seven's bolt shear and leg bearing with the connection factors.
    r.Nvr = Tenth(kPsiC * kPi * (M * M) / 4 * 140);
    r.Ncr = Tenth(kPsiC * M * T * 305);
    r.boltShearPasses = r.Nvr >= r.Ns;
    r.legBearingPasses = r.Ncr >= r.Ns;

    // S3: the end distance in the direction of the force is at least 2 d0.
    r.E2 = s.E2;
    r.E2min = 2 * static_cast<double>(s.d0);

    // S4: the end tears out along two shear planes of net length E2 less half a hole; the
    // hole allowance for net lengths is M + 4.
    r.Nt = Tenth(2 / std::sqrt(3.0) * T * (static_cast<double>(s.E2) - (M + 4) / 2) * 0.85 * 215);

    // S5 and S6: the 2017 leg slenderness, the reduction of a single angle connected by
    // one leg and of a slender leg, and the allowance on the limit for a low force.
    r.w = (static_cast<double>(s.B2) - 2 * T) / T;
    r.w0 = lambda <= 80 ? 15 : 5 + 0.125 * lambda;
    r.eta = std::min(1.0, 0.6 + 0.0015 * std::max(lambda, 20.0));
    r.rhoE = r.w > 14 ? 1.3 - 0.3 * r.w / 14 : 1;
    const double effectiveArea = r.rhoE * r.eta * static_cast<double>(s.c4) * s.A0;
    r.Nu = effectiveArea * 215;
    r.alpha = std::max(1.0, std::sqrt(r.Nu / r.Ns));
    r.sigma = Tenth(r.Ns / effectiveArea);

    // S7: the hole on the leg's middle line keeps 1.2 d0 to the rolled toe.
    r.B2 = s.B2;
    r.B2min = 2.4 * static_cast<double>(s.d0);

    r.passes = {
        r.Ncp >= r.Ns,                            // S1
        r.boltShearPasses && r.legBearingPasses,  // S2
        r.E2 >= r.E2min,                          // S3: equal passes, the code's is a minimum
        r.Nt >= r.Ns,                             // S4
        r.w <= r.alpha * r.w0,                    // S5
        r.sigma <= 215,                           // S6
        r.B2 >= r.B2min,                          // S7
    };
    r.advisories = {
        s.K2 > 100,                             // the brace meets the flange within 100 mm
        s.M < 14,                               // one bolt of at least M14
        !(purlin.tp >= 1.5 && purlin.tp <= 6),  // a cold-formed purlin's usual wall
    };
    return r;
}

std::string CurrentCodesText(const DesignState& s, const CurrentCodesResult& r) {
    std::string t;
    t.reserve(4096);
    t.append(36, '=').append(report::kEol);
    t.append("补充验算（现行规范）：").append(report::kEol);
    WriteForce(t, s, r);
    WriteBearing(t, s, r);
    WriteEnd(t, s, r);
    WriteLeg(t, s, r);
    WriteAdvisories(t, s, r);
    WriteConclusion(t, s, r);
    return t;
}

double Utilisation(double demand, double capacity) {
    if (capacity > 0) return demand / capacity;
    return demand > 0 ? std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::quiet_NaN();
}

std::array<double, kCodesItemCount> CurrentCodesUtilisation(const CurrentCodesResult& r) {
    return {
        Utilisation(r.Ns, r.Ncp),         Utilisation(r.Ns, std::min(r.Nvr, r.Ncr)),
        Utilisation(r.E2min, r.E2),       Utilisation(r.Ns, r.Nt),
        Utilisation(r.w, r.alpha * r.w0), Utilisation(r.sigma, 215),
        Utilisation(r.B2min, r.B2),
    };
}

std::string_view CodesItemLabel(CodesItem item) {
    return kItemLabels[static_cast<std::size_t>(item)];
}

std::string_view CodesItemTitle(CodesItem item) {
    return kItemTitles[static_cast<std::size_t>(item)];
}

SizeIndependentFailure SizeIndependentFailures(const CurrentCodesResult& r) {
    SizeIndependentFailure out;
    std::string t;
    const auto item = [&](CodesItem i, std::string_view what) {
        out.items.push_back(i);
        t.append(t.empty() ? "" : "；").append(CodesItemLabel(i)).append(what);
    };
    if (!Passed(r, CodesItem::PurlinWebBearing)) {
        std::string line;
        Pieces(line) << "檩条腹板孔壁承压Ncp=" << Tenths{r.Ncp} << "N<Ns=" << Tenths{r.Ns}
                     << "N，请加厚檩条腹板（现为tp=" << Fourths{r.purlin.tp} << "mm）"
                     << (r.purlin.steelCode == 2 ? "" : "或改用Q345檩条");
        item(CodesItem::PurlinWebBearing, line);
    }
    if (!r.boltShearPasses) {
        std::string line;
        Pieces(line) << "螺栓受剪Nvr=" << Tenths{r.Nvr} << "N<Ns=" << Tenths{r.Ns}
                     << "N，请改用直径更大的螺栓";
        item(CodesItem::BoltAndLegBearing, line);
    }
    if (!Passed(r, CodesItem::EndDistance)) {
        std::string line;
        Pieces(line) << "螺栓端距E2=" << Fourths{r.E2} << "mm<2d0=" << Fourths{r.E2min}
                     << "mm，请把伸出E2加大到不小于" << Fourths{r.E2min} << "mm";
        item(CodesItem::EndDistance, line);
    }
    if (!out.items.empty()) {
        out.advice = "以下补充验算与角钢规格无关，换用任何角钢都不能满足要求：" + t + "。";
    }
    return out;
}

}  // namespace kneebrace
