#include "window/form_actions.h"

#include <exception>

#include "catalogue/angle_catalogue.h"
#include "checks/current_codes_check.h"
#include "core/fault.h"

namespace kneebrace::window {

namespace {

// Runs `work`, turning any exception into the message the window shows.
template <typename Work>
std::optional<FaultMessage> Guarded(Work&& work) {
    try {
        work();
    } catch (const CalculationFault& fault) {
        return FaultMessage{std::string(FaultKindTitle(fault.kind())), fault.what()};
    } catch (const std::exception& error) {
        // Nothing but CalculationFault is expected; anything else is still reported
        // rather than allowed to end the program.
        return FaultMessage{"计算错误", error.what()};
    }
    return std::nullopt;
}

}  // namespace

DesignState LoadForm() { return StartupDesignState(); }

void ClickOption(DesignState& s, std::string_view optionName) {
    // Each option writes its code and text at once; nothing is recomputed until the
    // next Calculate. A click on the option already chosen writes the same again.
    if (optionName == "Option1") ChooseGrade(s, 1);
    else if (optionName == "Option2") ChooseGrade(s, 2);
    else if (optionName == "Option3") ChooseLayout(s, 1);
    else if (optionName == "Option4") ChooseLayout(s, 2);
}

std::optional<bool> GapBoxEnabledAfter(CheckValue value) {
    // The box only decides whether the gap can be edited: the run reads its text
    // either way.
    switch (value) {
        case CheckValue::Cleared: return false;
        case CheckValue::Ticked: return true;
        case CheckValue::Greyed: return std::nullopt;
    }
    return std::nullopt;
}

void PickSize(DesignState& s, std::string_view designation) { SelectAngle(s, designation); }

std::string SizeInForce(const DesignState& s) {
    // Until a size is picked the record holds the start-up values, those of the first
    // size in the list.
    if (!s.angleModel.empty()) return s.angleModel;
    return std::string(AngleCatalogue().front().designation);
}

TypedSize CommitTypedSize(const DesignState& s, std::string_view typed) {
    if (FindAngle(typed)) return {true, std::string(typed)};
    return {false, SizeInForce(s)};
}

std::optional<std::size_t> AdoptSize(DesignState& s, std::string_view designation) {
    const std::optional<std::size_t> place = FindAngle(designation);
    if (place) PickSize(s, designation);
    return place;
}

std::optional<FaultMessage> Calculate(DesignState& s, const InputTexts& in) {
    return Guarded([&] { RunCalculation(s, in); });
}

Calculated Calculate(DesignState& s, const InputTexts& in, const SupplementaryInputs& codes) {
    Calculated out;
    std::optional<PurlinInputs> purlin;
    if (codes.on) {
        out.fault = Guarded([&] { purlin = ReadPurlinInputs(codes.webText, codes.steelCode); });
        if (out.fault) {
            out.faultBox = "Text10";
            return out;
        }
    }
    out.fault = Guarded([&] {
        RunCalculation(s, in);
        out.reportBox = s.reportText;
        if (purlin) out.reportBox += CurrentCodesText(s, CheckCurrentCodes(s, *purlin));
    });
    if (out.fault) out.reportBox.clear();
    return out;
}

SizingOutcome OpenSizing(const DesignState& s, const InputTexts& in) {
    return OpenSizing(s, in, SupplementaryInputs{false, "", 1});
}

SizingOutcome OpenSizing(const DesignState& s, const InputTexts& in,
                         const SupplementaryInputs& codes) {
    SizingOutcome outcome;
    std::optional<PurlinInputs> purlin;
    if (codes.on) {
        outcome.fault = Guarded([&] { purlin = ReadPurlinInputs(codes.webText, codes.steelCode); });
        if (outcome.fault) {
            outcome.faultBox = "Text10";
            return outcome;
        }
    }
    outcome.fault = Guarded([&] { outcome.view = BuildSizingView(s, in, purlin); });
    return outcome;
}

}  // namespace kneebrace::window
