#include "core/design_state.h"

#include "catalogue/angle_catalogue.h"

namespace kneebrace {

void ChooseGrade(DesignState& s, std::int16_t gradeCode) {
    s.gradeCode = gradeCode;
    s.gradeText = gradeCode == 2 ? ",材质Q345" : ",材质Q235";
}

void ChooseLayout(DesignState& s, std::int16_t layoutCode) {
    s.layoutCode = layoutCode;
    s.layoutText = layoutCode == 2 ? "单侧" : "双侧";
}

DesignState StartupDesignState() {
    DesignState s;
    ChooseGrade(s, 1);
    ChooseLayout(s, 1);
    // The size list shows the first catalogue size; its values are put in force without
    // a pick, so ix, iu, iv stay 0 and angleModel empty until the user picks a size.
    const AngleSection& first = AngleCatalogue().front();
    s.A0 = first.A0;
    s.B2 = first.B2;
    s.T = first.T;
    s.Imin = first.iu;
    s.anglePropsText = AnglePropertiesText(first.designation, first.A0, first.ix, first.iu,
                                           first.iv, first.B2, first.T);
    return s;
}

}  // namespace kneebrace
