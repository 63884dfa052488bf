// Sizing every catalogue size at once: each row must be what picking that size and
// pressing Calculate gives, the caller's record must stay as it was, and a fault that
// has nothing to do with the size must come out once, as Calculate shows it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "catalogue/angle_sizing.h"
#include "core/calculation_run.h"
#include "core/fault.h"

namespace kneebrace {
namespace {

struct InputSet {
    const char* name;
    std::int16_t gradeCode;
    std::int16_t layoutCode;
    std::function<void(InputTexts&)> edit;
    bool somePass;         // what the set is chosen to show: at least one size passes
    bool someNetAreaHole;  // and some sizes fault on a bolt hole wider than they are
};

std::ostream& operator<<(std::ostream& os, const InputSet& set) { return os << set.name; }

const InputSet kInputSets[] = {
    {"StartUp", 1, 1, [](InputTexts&) {}, true, false},
    {"OneSide", 1, 2, [](InputTexts&) {}, true, false},
    {"Q345", 2, 1, [](InputTexts&) {}, true, false},
    // A 400 x 20 flange on one side needs N = 38655 N, above the 21551 N an M14 bolt
    // takes in shear whatever the angle: check (5) fails for every size.
    {"NoSizePasses", 1, 2, [](InputTexts& in) { in.Text1 = "500x400x10x20"; }, false, false},
    // d0 = 102 mm: L45X3 loses 3 × 102 = 306 mm² of its 265, L125X14 keeps 1908 of 3336.
    {"BoltWiderThanSmallAngles", 1, 1, [](InputTexts& in) { in.Text6 = "100"; }, true, true},
    // No extension: the angle's end has no shear capacity, check (7) fails everywhere.
    {"NoExtension", 1, 1, [](InputTexts& in) { in.Text9 = ""; }, false, false},
};

DesignState StateFor(const InputSet& set) {
    DesignState s = StartupDesignState();
    ChooseGrade(s, set.gradeCode);
    ChooseLayout(s, set.layoutCode);
    return s;
}

InputTexts TextsFor(const InputSet& set) {
    InputTexts in = StartupInputTexts();
    set.edit(in);
    return in;
}

class SizeAnglesRows : public ::testing::TestWithParam<InputSet> {};

TEST_P(SizeAnglesRows, EachRowIsThatOfARealPickAndCalculate) {
    const DesignState s = StateFor(GetParam());
    const InputTexts in = TextsFor(GetParam());
    const std::vector<SizingRow> rows = SizeAngles(s, in);
    ASSERT_EQ(rows.size(), kAngleCount);

    bool anyNetAreaFault = false;
    for (std::size_t i = 0; i < kAngleCount; ++i) {
        const AngleSection& section = AngleCatalogue()[i];
        const SizingRow& row = rows[i];
        SCOPED_TRACE(std::string(section.designation));
        EXPECT_EQ(row.designation, section.designation);
        EXPECT_EQ(row.A0, section.A0);
        EXPECT_NEAR(row.massPerMetre, section.A0 * 7850e-6, 1e-9);

        DesignState real = s;
        SelectAngle(real, section.designation);
        std::optional<FaultKind> fault;
        std::string message;
        try {
            RunCalculation(real, in);
        } catch (const CalculationFault& f) {
            fault = f.kind();
            message = f.what();
        }
        EXPECT_EQ(row.fault, fault);
        EXPECT_EQ(row.faultMessage, message);
        anyNetAreaFault |= fault == FaultKind::NonPositiveNetArea;
        if (fault) {
            EXPECT_FALSE(row.passesAll);
            continue;
        }

        const std::string* verdicts[kCheckCount] = {
            &real.slenderVerdict,   &real.localVerdict,     &real.strengthVerdict,
            &real.stabilityVerdict, &real.boltShearVerdict, &real.bearingVerdict,
            &real.endShearVerdict,
        };
        bool all = true;
        for (std::size_t k = 0; k < kCheckCount; ++k) {
            SCOPED_TRACE("check (" + std::to_string(k + 1) + ")");
            const bool passes = verdicts[k]->ends_with("通过！");
            ASSERT_TRUE(passes || verdicts[k]->ends_with("失败！")) << *verdicts[k];
            EXPECT_EQ(row.checks[k].passes, passes);
            all = all && passes;
            // Each verdict compares demand with capacity, so the ratio is at most 1
            // exactly when the check passes; a demand on no capacity never passes.
            const double u = row.checks[k].utilisation;
            if (std::isinf(u)) {
                EXPECT_FALSE(passes);
            } else {
                EXPECT_EQ(u <= 1, passes) << u;
            }
        }
        EXPECT_EQ(row.passesAll, all);

        // The capacities of (5) and (7) both live in Nv; each ratio must use its own.
        // Bolt: π·M²·140/4, angle end: 2·T·E2·125, both rounded to 0.1 N.
        const double bolt = std::round(std::pow(real.M, 2) * 3.14159265358979 * 140 / 4 * 10) / 10;
        const double end = 2.0 * real.T * real.E2 * 125;
        EXPECT_NEAR(row.checks[4].utilisation * bolt, real.N, 0.01);
        if (end > 0) {
            EXPECT_NEAR(row.checks[6].utilisation * end, real.N, 0.01);
        }
    }
    EXPECT_EQ(LightestPassing(rows).has_value(), GetParam().somePass);
    EXPECT_EQ(anyNetAreaFault, GetParam().someNetAreaHole);
}

INSTANTIATE_TEST_SUITE_P(InputSets, SizeAnglesRows, ::testing::ValuesIn(kInputSets),
                         [](const auto& info) { return std::string(info.param.name); });

// With the purlin's inputs, each row also holds that size's section as picking the size
// and calculating gives it, passes only when the section passes too, and names the
// largest of its fourteen utilisations; without them, no row has a section.
TEST_P(SizeAnglesRows, WithThePurlinEachRowAlsoHoldsItsSection) {
    const DesignState s = StateFor(GetParam());
    const InputTexts in = TextsFor(GetParam());
    const PurlinInputs purlin{2.5, 1};
    const std::vector<SizingRow> without = SizeAngles(s, in);
    const std::vector<SizingRow> rows = SizeAngles(s, in, purlin);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].designation);
        EXPECT_FALSE(without[i].currentCodes.has_value());
        ASSERT_EQ(rows[i].currentCodes.has_value(), !rows[i].fault.has_value());
        if (!rows[i].currentCodes) continue;
        const CodesUse& use = *rows[i].currentCodes;
        DesignState real = s;
        SelectAngle(real, rows[i].designation);
        RunCalculation(real, in);
        EXPECT_EQ(use.result.passes, CheckCurrentCodes(real, purlin).passes);
        EXPECT_EQ(rows[i].passesAll, without[i].passesAll && FailingItems(use).empty());
        for (const CheckUse& item : use.items) EXPECT_EQ(item.utilisation <= 1, item.passes);
        double largest = 0;
        for (const CheckUse& c : rows[i].checks) largest = std::max(largest, c.utilisation);
        for (const CheckUse& c : use.items) largest = std::max(largest, c.utilisation);
        EXPECT_EQ(use.largestUse, largest);
        const std::size_t g = use.governing;
        EXPECT_EQ(g < kCheckCount ? rows[i].checks[g].utilisation
                                  : use.items[g - kCheckCount].utilisation,
                  largest)
            << RowCheckLabel(g);
    }
    // Passing the section too can only make the lightest passing size heavier.
    if (const auto lightest = LightestPassing(rows)) {
        EXPECT_GE(rows[*lightest].A0, without[*LightestPassing(without)].A0);
    }
}

// The published example's inputs but the angle: 800x250x8x10 Q345, M12, E2 30.
void PublishedExampleInputs(DesignState& s, InputTexts& in) {
    ChooseGrade(s, 2);
    in.Text1 = "800x250x8x10";
    in.Text6 = "12";
    in.Text9 = "30";
}

// S1, S3 and the bolt's shear read nothing of the angle: when they fail, no size passes,
// and the sizing says what to change instead of the angle.
TEST(NoSizeCanMend, NamesTheSizeIndependentItemsAndWhatToChange) {
    struct Case {
        std::function<void(DesignState&, InputTexts&)> setup;
        PurlinInputs purlin;
        const char* items;                // "" when some size can pass
        std::vector<const char*> advice;  // pieces the advice must hold
    };
    const Case cases[] = {
        // The 2 mm web takes 0.765 × 12 × 2 × 290 = 5324.4 N of 11066.5 N; 5 mm takes 13311.
        {PublishedExampleInputs,
         {2, 1},
         "S1",
         {"S1檩条腹板孔壁承压Ncp=5324.4N<Ns=11066.5N", "加厚檩条腹板（现为tp=2mm）或改用Q345檩条"}},
        {PublishedExampleInputs, {2, 2}, "S1", {"加厚檩条腹板（现为tp=2mm）。"}},
        {PublishedExampleInputs, {5, 1}, "", {}},
        // M20 needs an end of 2 × 22 = 44 mm; E2 is 35.
        {[](DesignState&, InputTexts& in) { in.Text6 = "20"; },
         {2.5, 1},
         "S3",
         {"S3螺栓端距E2=35mm<2d0=44mm，请把伸出E2加大到不小于44mm"}},
        // One side, M10: the reduced bolt takes 0.765 × π × 10² / 4 × 140 = 8411.6 N of
        // 12162.2 N; a 6 mm web takes 13311.
        {[](DesignState& s, InputTexts& in) { ChooseLayout(s, 2), in.Text6 = "10"; },
         {6, 1},
         "S2",
         {"S2螺栓受剪Nvr=8411.6N<Ns=12162.2N，请改用直径更大的螺栓"}},
    };
    for (const Case& c : cases) {
        DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        c.setup(s, in);
        SCOPED_TRACE(c.items);
        const std::vector<SizingRow> rows = SizeAngles(s, in, c.purlin);
        const auto mend = NoSizeCanMend(rows);
        std::string items;
        for (CodesItem item : mend ? mend->items : std::vector<CodesItem>{})
            items.append(items.empty() ? "" : ",").append(CodesItemLabel(item));
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(LightestPassing(rows).has_value(), !mend.has_value());
        ASSERT_TRUE(c.advice.empty() || mend.has_value());
        for (const char* piece : c.advice)
            EXPECT_NE(mend->advice.find(piece), std::string::npos) << mend->advice;
        EXPECT_FALSE(NoSizeCanMend(SizeAngles(s, in)).has_value()) << "without the section";
    }
}

// The start-up report of L45X3 gives every demand and capacity of the first row.
TEST(SizeAngles, FirstStartUpRowUsesTheReportsValues) {
    const std::vector<SizingRow> rows = SizeAngles(StartupDesignState(), StartupInputTexts());
    ASSERT_FALSE(rows.empty());
    const SizingRow& l45x3 = rows.front();
    const double expected[kCheckCount] = {
        78.3 / 200,        // λ
        14.0 / 17.8,       // (45 - 3) / 3 over 10 + 0.1 λ
        33.0 / 215,        // f1
        45.8 / 215,        // f2
        6081.1 / 21551.3,  // N over the bolt, not over the angle's end
        6081.1 / 12810,    // N over 14 × 3 × 305
        6081.1 / 26250,    // N over 2 × 3 × 35 × 125
    };
    for (std::size_t k = 0; k < kCheckCount; ++k) {
        EXPECT_NEAR(l45x3.checks[k].utilisation, expected[k], 1e-6) << "check (" << k + 1 << ")";
    }
    EXPECT_TRUE(l45x3.passesAll);
    EXPECT_NEAR(l45x3.massPerMetre, 2.08025, 1e-9);  // 265 mm² of steel at 7850 kg/m³
}

TEST(SizeAngles, LeavesTheCallersRecordAsItWas) {
    const std::function<void(InputTexts&)> edits[] = {
        [](InputTexts&) {}, [](InputTexts& in) { in.Text6 = "100"; },  // some sizes fault
        [](InputTexts& in) { in.Text5 = "90"; },                       // the whole sizing faults
    };
    for (const auto& edit : edits) {
        DesignState s = StartupDesignState();
        SelectAngle(s, "L63X5");
        RunCalculation(s, StartupInputTexts());
        const DesignState before = s;
        InputTexts in = StartupInputTexts();
        edit(in);
        try {
            SizeAngles(s, in);
        } catch (const CalculationFault&) {
        }
        EXPECT_EQ(s.angleModel, before.angleModel);
        EXPECT_EQ(s.anglePropsText, before.anglePropsText);
        EXPECT_EQ(s.A0, before.A0);
        EXPECT_EQ(s.Imin, before.Imin);
        EXPECT_EQ(s.M, before.M);
        EXPECT_EQ(s.Ang, before.Ang);
        EXPECT_EQ(s.An, before.An);
        EXPECT_EQ(s.N, before.N);
        EXPECT_EQ(s.Nv, before.Nv);
        EXPECT_EQ(s.boltNv, before.boltNv);
        EXPECT_EQ(s.lambda, before.lambda);
        EXPECT_EQ(s.endShearVerdict, before.endShearVerdict);
        EXPECT_EQ(s.headerText, before.headerText);
        EXPECT_EQ(s.reportText, before.reportText);
    }
}

// Faults that no choice of size can cure come out once, exactly as a Calculate press
// on the caller's record would raise them, and not as 53 identical rows.
TEST(SizeAngles, SizeIndependentFaultIsThrownOnce) {
    struct Case {
        const char* name;
        std::function<void(InputTexts&)> edit;
        FaultKind kind;
    };
    const Case cases[] = {
        {"designation cut short", [](InputTexts& in) { in.Text1 = "500x200"; },
         FaultKind::SubscriptOutOfRange},
        {"capital X", [](InputTexts& in) { in.Text1 = "500X200X6X12"; }, FaultKind::TypeMismatch},
        {"angle of 90 degrees", [](InputTexts& in) { in.Text5 = "90"; },
         FaultKind::AngleOutOfRange},
        {"negative bolt", [](InputTexts& in) { in.Text6 = "-14"; },
         FaultKind::NegativeBoltDiameter},
        {"flange over 100 mm", [](InputTexts& in) { in.Text1 = "500x200x6x120"; },
         FaultKind::FlangeTooThick},
        {"negative length", [](InputTexts& in) { in.Text3 = "900"; }, FaultKind::NonPositiveLength},
        // Raised inside check (3), but the brace force does not depend on the angle.
        {"brace force beyond single range", [](InputTexts& in) { in.Text1 = "500x3e38x6x12"; },
         FaultKind::Overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DesignState s = StartupDesignState();
        InputTexts in = StartupInputTexts();
        c.edit(in);

        DesignState calculate = s;
        std::string calculateMessage;
        try {
            RunCalculation(calculate, in);
            ADD_FAILURE() << "the case does not fault";
        } catch (const CalculationFault& f) {
            EXPECT_EQ(f.kind(), c.kind);
            calculateMessage = f.what();
        }
        try {
            const std::vector<SizingRow> rows = SizeAngles(s, in);
            ADD_FAILURE() << "no fault; " << rows.size() << " rows";
        } catch (const CalculationFault& f) {
            EXPECT_EQ(f.kind(), c.kind);
            EXPECT_EQ(std::string(f.what()), calculateMessage);
        }
    }
}

TEST(LightestPassing, SmallestPassingAreaEarlierOnATie) {
    struct Entry {
        float A0;
        bool passes;
        bool fault = false;
    };
    struct Case {
        const char* name;
        std::vector<Entry> rows;
        std::optional<std::size_t> expected;
    };
    const Case cases[] = {
        {"no rows", {}, std::nullopt},
        {"none passes", {{265, false}, {348, false}}, std::nullopt},
        {"only faults", {{265, false, true}, {348, false, true}}, std::nullopt},
        {"lighter failing row skipped", {{265, false}, {348, true}, {429, true}}, 1},
        {"fault row skipped", {{265, false, true}, {348, true}}, 1},
        {"catalogue order is not weight order", {{1230, true}, {1063, true}, {1394, true}}, 1},
        {"tie goes to the earlier row", {{1394, true}, {1230, true}, {1230, true}}, 1},
        {"tie at the first row", {{1230, true}, {1230, true}}, 0},
        {"last row", {{300, false}, {200, false}, {3336, true}}, 2},
    };
    for (const Case& c : cases) {
        std::vector<SizingRow> rows;
        for (const Entry& e : c.rows) {
            SizingRow& r = rows.emplace_back();
            r.A0 = e.A0;
            r.passesAll = e.passes;
            if (e.fault) r.fault = FaultKind::NonPositiveNetArea;
        }
        EXPECT_EQ(LightestPassing(rows), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace kneebrace
