// The work of the Calculate button: read the input boxes, derive the brace geometry,
// apply the grade values, run the seven checks and the header, assemble the report.
#pragma once

#include <string>

#include "core/design_state.h"

namespace kneebrace {

// The texts of the window's seven input boxes, named after the boxes, as UTF-8.
struct InputTexts {
    std::string Text1;  // H-section designation, "500x200x6x12"
    std::string Text2;  // gap between purlin and upper flange, mm
    std::string Text3;  // hole distance K2, mm
    std::string Text4;  // hole distance K3, mm
    std::string Text5;  // angle between brace and web, degrees
    std::string Text6;  // bolt diameter M, mm
    std::string Text9;  // extension E2 of the angle, mm
};

// The texts the window shows when it opens.
InputTexts StartupInputTexts();

// The run's first part: reads the boxes, derives Ang, d0 and L0, applies the grade's
// design values and sets coe. None of it reads the angle's fields, so whatever it
// leaves holds for every angle size, and so does any fault it throws.
void ReadRunInputs(DesignState& s, const InputTexts& in);

// The run's second part, on what ReadRunInputs and the size pick left in the record:
// the seven checks, the header, then reportText, which changes only when all of them
// have finished.
void RunChecks(DesignState& s, const InputTexts& in);

// Runs one calculation on the record: ReadRunInputs, then RunChecks. On success
// reportText holds the new report. A fault throws CalculationFault where it arises:
// fields written before it keep their new values, later ones their old values, and
// reportText is unchanged.
void RunCalculation(DesignState& s, const InputTexts& in);

}  // namespace kneebrace
