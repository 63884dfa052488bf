#include "catalogue/angle_catalogue.h"

#include "core/number_text.h"

namespace kneebrace {

namespace {

// designation, A0 (mm²), B2, T, ix, iu, iv (mm). Values as tabulated, including the
// few iv that break their series' trend (L45X5, L75X10).
constexpr std::array<AngleSection, kAngleCount> kAngles{{
    {"L45X3", 265, 45, 3, 13.9f, 9, 17.6f},
    {"L45X4", 348, 45, 4, 13.8f, 8.9f, 17.4f},
    {"L45X5", 429, 45, 5, 13.7f, 8.8f, 17.7f},
    {"L45X6", 507, 45, 6, 13.6f, 8.8f, 17.1f},
    {"L50X3", 297, 50, 3, 15.5f, 10, 19.6f},
    {"L50X4", 389, 50, 4, 15.4f, 9.9f, 19.4f},
    {"L50X5", 480, 50, 5, 15.3f, 9.8f, 19.2f},
    {"L50X6", 568, 50, 6, 15.1f, 9.8f, 19.1f},
    {"L56X3", 334, 56, 3, 17.5f, 11.3f, 22},
    {"L56X4", 439, 56, 4, 17.3f, 11.1f, 21.8f},
    {"L56X5", 541, 56, 5, 17.2f, 11, 21.7f},
    {"L56X8", 836, 56, 8, 16.8f, 10.9f, 21.1f},
    {"L63X4", 497, 63, 4, 19.6f, 12.6f, 24.6f},
    {"L63X5", 614, 63, 5, 19.4f, 12.5f, 24.5f},
    {"L63X6", 728, 63, 6, 19.3f, 12.4f, 24.3f},
    {"L63X8", 951, 63, 8, 19, 12.3f, 23.9f},
    {"L63X10", 1165, 63, 10, 18.8f, 12.2f, 23.6f},
    {"L70X4", 557, 70, 4, 21.8f, 14, 27.4f},
    {"L70X5", 687, 70, 5, 21.6f, 13.9f, 27.3f},
    {"L70X6", 816, 70, 6, 21.5f, 13.8f, 27.1f},
    {"L70X7", 942, 70, 7, 21.4f, 13.8f, 26.9f},
    {"L70X8", 1066, 70, 8, 21.2f, 13.7f, 26.8f},
    {"L75X5", 741, 75, 5, 23.2f, 15, 29.2f},
    {"L75X6", 879, 75, 6, 23.1f, 14.9f, 29.1f},
    {"L75X7", 1016, 75, 7, 23, 14.8f, 28.9f},
    {"L75X8", 1150, 75, 8, 22.8f, 14.7f, 28.7f},
    {"L75X10", 1412, 75, 10, 22.6f, 14.6f, 24.8f},
    {"L80X5", 791, 80, 5, 24.8f, 16, 31.3f},
    {"L80X6", 939, 80, 6, 24.7f, 15.9f, 31.1f},
    {"L80X7", 1086, 80, 7, 24.6f, 15.8f, 31},
    {"L80X8", 1230, 80, 8, 24.4f, 15.7f, 30.8f},
    {"L80X10", 1512, 80, 10, 24.2f, 15.6f, 30.4f},
    {"L90X6", 1063, 90, 6, 27.9f, 18, 35.1f},
    {"L90X7", 1230, 90, 7, 27.8f, 17.8f, 35},
    {"L90X8", 1394, 90, 8, 27.6f, 17.8f, 34.8f},
    {"L90X10", 1716, 90, 10, 27.4f, 17.6f, 34.5f},
    {"L90X12", 2030, 90, 12, 27.1f, 17.5f, 34.1f},
    {"L100X6", 1193, 100, 6, 31, 20, 39.1f},
    {"L100X7", 1379, 100, 7, 30.9f, 19.9f, 38.9f},
    {"L100X8", 1563, 100, 8, 30.8f, 19.8f, 38.8f},
    {"L100X10", 1926, 100, 10, 30.5f, 19.6f, 38.4f},
    {"L100X12", 2280, 100, 12, 30.3f, 19.5f, 38.1f},
    {"L100X14", 2625, 100, 14, 30, 19.4f, 37.7f},
    {"L100X16", 2962, 100, 16, 29.8f, 19.3f, 37.4f},
    {"L110X7", 1519, 110, 7, 34.1f, 22, 43},
    {"L110X8", 1723, 110, 8, 34, 21.9f, 42.8f},
    {"L110X10", 2126, 110, 10, 33.8f, 21.7f, 42.5f},
    {"L110X12", 2520, 110, 12, 33.5f, 21.5f, 42.2f},
    {"L110X14", 2905, 110, 14, 33.2f, 21.4f, 41.8f},
    {"L125X8", 1975, 125, 8, 38.8f, 25, 48.8f},
    {"L125X10", 2437, 125, 10, 38.5f, 24.8f, 48.5f},
    {"L125X12", 2891, 125, 12, 38.3f, 24.6f, 48.2f},
    {"L125X14", 3336, 125, 14, 38, 24.5f, 47.8f},
}};

}  // namespace

const std::array<AngleSection, kAngleCount>& AngleCatalogue() { return kAngles; }

std::optional<std::size_t> FindAngle(std::string_view designation) {
    for (std::size_t i = 0; i < kAngles.size(); ++i)
        if (kAngles[i].designation == designation) return i;
    return std::nullopt;
}

std::string AnglePropertiesText(std::string_view model, float A0, float ix, float iu, float iv,
                                float B2, float T) {
    std::string text;
    text.reserve(160);
    text.append("角钢型号：").append(model).append("\r\n");
    text.append("截面面积A0=").append(ToText(A0)).append("\r\n");
    text.append("x轴回转半径ix=").append(ToText(ix)).append("\r\n");
    text.append("U轴回转半径iu=").append(ToText(iu)).append("\r\n");
    text.append("V轴回转半径iv=").append(ToText(iv)).append("\r\n");
    text.append("角钢肢宽B2=").append(ToText(B2)).append("\r\n");
    text.append("厚度T=").append(ToText(T));
    return text;
}

void SelectAngle(DesignState& s, std::string_view designation) {
    s.anglePropsText.clear();
    s.angleModel = std::string(designation);
    if (const std::optional<std::size_t> i = FindAngle(designation)) {
        const AngleSection& row = kAngles[*i];
        s.A0 = row.A0;
        s.B2 = row.B2;
        s.T = row.T;
        s.ix = row.ix;
        s.iu = row.iu;
        s.iv = row.iv;
        s.Imin = row.iu;
    }
    s.anglePropsText = AnglePropertiesText(s.angleModel, s.A0, s.ix, s.iu, s.iv, s.B2, s.T);
}

}  // namespace kneebrace
