#include "core/design_state.h"

#include "catalogue/angle_catalogue.h"

namespace kneebrace {

DesignState StartupDesignState() {
    DesignState s;
    s.gradeCode = 1;
    s.layoutCode = 1;
    s.gradeText = ",材质Q235";
    s.layoutText = "双侧";
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
