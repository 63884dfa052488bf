// The angle catalogue and the size pick.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "core/number_text.h"

namespace kneebrace {
namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

TEST(AngleCatalogue, EveryRowIsConsistent) {
    const auto& rows = AngleCatalogue();
    ASSERT_EQ(rows.size(), 53u);
    EXPECT_EQ(rows.front().designation, "L45X3");
    EXPECT_EQ(rows.back().designation, "L125X14");
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const AngleSection& r = rows[i];
        SCOPED_TRACE(std::string(r.designation));
        EXPECT_TRUE(seen.insert(r.designation).second) << "duplicate designation";
        // The designation is built from the leg width and thickness.
        EXPECT_EQ(r.designation, "L" + ToText(r.B2) + "X" + ToText(r.T));
        // u is the weak axis, v the strong one.
        EXPECT_LE(r.iu, r.ix);
        EXPECT_LE(r.iu, r.iv);
        EXPECT_LE(r.ix, r.iv);
        // A thin-walled angle's area is about 2·B·T − T².
        const float estimate = 2 * r.B2 * r.T - r.T * r.T;
        EXPECT_NEAR(r.A0 / estimate, 1.0, 0.06);
        if (i > 0) {
            const AngleSection& p = rows[i - 1];
            // Sorted by leg width, then thickness, as the size list offers them.
            EXPECT_TRUE(p.B2 < r.B2 || (p.B2 == r.B2 && p.T < r.T));
            if (p.B2 == r.B2) {
                EXPECT_LT(p.A0, r.A0);
            }
        }
    }
}

TEST(SelectAngle, PutsTheRowInForce) {
    struct Case {
        const char* designation;
        float A0, B2, T, ix, iu, iv;
        const char* areaLine;
    };
    const Case cases[] = {
        {"L125X14", 3336, 125, 14, 38, 24.5f, 47.8f, "截面面积A0=3336"},
        {"L63X5", 614, 63, 5, 19.4f, 12.5f, 24.5f, "截面面积A0=614"},
        {"L45X5", 429, 45, 5, 13.7f, 8.8f, 17.7f, "截面面积A0=429"},
    };
    for (const auto& c : cases) {
        DesignState s = StartupDesignState();
        SelectAngle(s, c.designation);
        EXPECT_EQ(s.angleModel, c.designation);
        EXPECT_EQ(s.A0, c.A0);
        EXPECT_EQ(s.B2, c.B2);
        EXPECT_EQ(s.T, c.T);
        EXPECT_EQ(s.ix, c.ix);
        EXPECT_EQ(s.iu, c.iu);
        EXPECT_EQ(s.iv, c.iv);
        EXPECT_EQ(s.Imin, c.iu);
        EXPECT_NE(s.anglePropsText.find(std::string(c.areaLine) + "\r\n"), std::string::npos);
    }
}

TEST(SelectAngle, L125X14PropertiesText) {
    DesignState s = StartupDesignState();
    SelectAngle(s, "L125X14");
    EXPECT_EQ(s.anglePropsText,
              "角钢型号：L125X14\r\n截面面积A0=3336\r\nx轴回转半径ix=38\r\nU轴回转半径iu=24.5\r\n"
              "V轴回转半径iv=47.8\r\n角钢肢宽B2=125\r\n厚度T=14");
}

TEST(SelectAngle, StartupTextIsThatOfL45X3) {
    DesignState s = StartupDesignState();
    const std::string startup = s.anglePropsText;
    EXPECT_EQ(s.ix, 0.0f);
    EXPECT_TRUE(s.angleModel.empty());
    SelectAngle(s, "L45X3");
    EXPECT_EQ(s.anglePropsText, startup);
    EXPECT_EQ(s.ix, 13.9f);
    SelectAngle(s, "L45X3");
    EXPECT_EQ(s.anglePropsText, startup) << "rebuilt, not appended";
}

TEST(SelectAngle, UnknownTextKeepsTheNumbers) {
    for (const char* text : {"l45x3", "L45X3 ", " L45X3", "", "L200X20"}) {
        SCOPED_TRACE(text);
        DesignState s = StartupDesignState();
        SelectAngle(s, "L63X5");
        SelectAngle(s, text);
        EXPECT_EQ(s.angleModel, text);
        EXPECT_EQ(FirstLine(s.anglePropsText), std::string("角钢型号：") + text);
        EXPECT_EQ(s.A0, 614.0f);
        EXPECT_EQ(s.Imin, 12.5f);
        EXPECT_NE(s.anglePropsText.find("x轴回转半径ix=19.4"), std::string::npos);
    }
    // Before any pick the radii are still 0.
    DesignState s = StartupDesignState();
    SelectAngle(s, "l45x3");
    EXPECT_EQ(s.anglePropsText,
              "角钢型号：l45x3\r\n截面面积A0=265\r\nx轴回转半径ix=0\r\nU轴回转半径iu=0\r\n"
              "V轴回转半径iv=0\r\n角钢肢宽B2=45\r\n厚度T=3");
}

TEST(SelectAngle, EveryRowSetsIminToIuAndNamesItself) {
    for (const AngleSection& r : AngleCatalogue()) {
        DesignState s = StartupDesignState();
        SelectAngle(s, r.designation);
        EXPECT_EQ(s.Imin, s.iu);
        EXPECT_EQ(FirstLine(s.anglePropsText), "角钢型号：" + std::string(r.designation));
        // Seven lines joined by CR LF, none after the last.
        std::size_t breaks = 0;
        for (std::size_t at = s.anglePropsText.find("\r\n"); at != std::string::npos;
             at = s.anglePropsText.find("\r\n", at + 2))
            ++breaks;
        EXPECT_EQ(breaks, 6u);
        EXPECT_EQ(s.anglePropsText.back(), ToText(r.T).back());
    }
}

}  // namespace
}  // namespace kneebrace
