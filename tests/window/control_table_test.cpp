// What a hand-kept control table can get wrong: a control outside its frame, two
// controls on the same spot, a caption wider than its control, a tab place used twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <string_view>

#include "window/control_table.h"

namespace {

using namespace kneebrace::window;

// Width of a caption in the Song face, in twips: Song draws Chinese characters a full
// em wide and ASCII half an em; a point is 20 twips.
int SongWidthTwips(std::string_view utf8, double points) {
    double ems = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) ems += 0.5;
        else if (byte >= 0xC0) ems += 1.0;  // the lead byte of a multi-byte character
    }
    return static_cast<int>(std::lround(ems * points * 20.0));
}

// Room an option button or check box leaves its caption: the indicator and its gap.
constexpr int kIndicatorTwips = 255;

bool Overlap(const TwipRect& a, const TwipRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

TEST(ControlTable, NamesAreUniqueAndParentsAreFramesListedFirst) {
    std::set<std::string_view> seen;
    for (const ControlRow& c : Form15Controls()) {
        EXPECT_TRUE(seen.insert(c.name).second) << c.name << " twice";
        if (c.parent.empty()) continue;
        const ControlRow* parent = FindControl(c.parent);
        ASSERT_NE(parent, nullptr) << c.name << " in a missing " << c.parent;
        EXPECT_EQ(parent->kind, ControlKind::Frame) << c.name;
        EXPECT_TRUE(seen.contains(c.parent)) << c.name << " comes before its frame";
    }
    EXPECT_EQ(FindControl("Text11"), nullptr);
}

TEST(ControlTable, EveryControlLiesInsideItsParent) {
    for (const ControlRow& c : Form15Controls()) {
        const TwipRect area = c.parent.empty()
                                  ? TwipRect{0, 0, kClientWidthTwips, kClientHeightTwips}
                                  : TwipRect{0, 0, FindControl(c.parent)->rect.width,
                                             FindControl(c.parent)->rect.height};
        EXPECT_GE(c.rect.left, area.left) << c.name;
        EXPECT_GE(c.rect.top, area.top) << c.name;
        EXPECT_LE(c.rect.right(), area.right()) << c.name;
        EXPECT_LE(c.rect.bottom(), area.bottom()) << c.name;
        EXPECT_GT(c.rect.width, 0) << c.name;
        EXPECT_GT(c.rect.height, 0) << c.name;
    }
}

TEST(ControlTable, ControlsSharingAParentDoNotOverlap) {
    const auto controls = Form15Controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (controls[i].parent == controls[j].parent) {
                EXPECT_FALSE(Overlap(controls[i].rect, controls[j].rect))
                    << controls[i].name << " and " << controls[j].name;
            }
}

TEST(ControlTable, CaptionsFitTheirControls) {
    for (const ControlRow& c : Form15Controls()) {
        const double points = c.fontPoints > 0 ? c.fontPoints : kWindowFontPoints;
        int room = c.rect.width;
        switch (c.kind) {
            case ControlKind::Label:
            case ControlKind::StaleNote:
            case ControlKind::PictureButton: break;
            case ControlKind::OptionButton:
            case ControlKind::CheckBox: room -= kIndicatorTwips; break;
            default: continue;  // boxes scroll their text; frames' captions sit on the line
        }
        EXPECT_LE(SongWidthTwips(c.caption, points), room) << c.name;
        EXPECT_LE(static_cast<int>(points * 20), c.rect.height) << c.name << " too low";
    }
}

TEST(ControlTable, TabPlacesAreUniqueAndFocusStartsInTheDesignation) {
    std::set<int> places;
    for (const ControlRow& c : Form15Controls())
        EXPECT_TRUE(places.insert(c.tabIndex).second) << c.name << " shares tab place";
    const auto order = FocusOrder();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front()->name, "Text1");
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(order[i - 1]->tabIndex, order[i]->tabIndex);
        EXPECT_TRUE(TakesFocus(order[i]->kind)) << order[i]->name;
    }
}

TEST(ControlTable, EachOptionPairStartsWithExactlyOneChoice) {
    for (std::string_view frame : {"Frame1", "Frame3", "Frame4"}) {
        int options = 0;
        int selected = 0;
        for (const ControlRow& c : Form15Controls()) {
            if (c.kind != ControlKind::OptionButton || c.parent != frame) continue;
            ++options;
            selected += c.selectedAtStart ? 1 : 0;
        }
        EXPECT_EQ(options, 2) << frame;
        EXPECT_EQ(selected, 1) << frame;
    }
}

TEST(ControlTable, EveryInputBoxExplainsItselfInChinese) {
    for (const ControlRow& c : Form15Controls()) {
        if (c.kind != ControlKind::InputBox && c.kind != ControlKind::SizeList) continue;
        EXPECT_FALSE(c.tooltip.empty()) << c.name;
        // A unit or the word for it: mm, 度.
        const bool hasUnit = c.tooltip.find("mm") != std::string_view::npos ||
                             c.tooltip.find("度") != std::string_view::npos ||
                             c.kind == ControlKind::SizeList;
        EXPECT_TRUE(hasUnit) << c.name;
    }
}

// The sizing button is Calculate's twin, centred in the gap before Close, and follows
// Calculate in the tab order.
TEST(ControlTable, SizingButtonMatchesCalculateAndIsCentredBeforeClose) {
    const ControlRow& calculate = *FindControl("Command1");
    const ControlRow& sizing = *FindControl("Command2");
    EXPECT_EQ(sizing.kind, calculate.kind);
    EXPECT_EQ(sizing.fontPoints, calculate.fontPoints);
    EXPECT_EQ(sizing.rect.top, calculate.rect.top);
    EXPECT_EQ(sizing.rect.width, calculate.rect.width);
    EXPECT_EQ(sizing.rect.height, calculate.rect.height);
    EXPECT_EQ(sizing.rect.left - calculate.rect.right(),
              FindControl("Command3")->rect.left - sizing.rect.right());
    const auto order = FocusOrder();
    const auto at = std::find(order.begin(), order.end(), &calculate);
    ASSERT_TRUE(at != order.end() && at + 1 != order.end());
    EXPECT_EQ(*(at + 1), &sizing);
}

TEST(ControlTable, FrameOffsetsAddUpOnTheClientArea) {
    // Option3 sits in Frame3, which sits in Frame1.
    const ControlRow& option3 = *FindControl("Option3");
    const ControlRow& frame3 = *FindControl("Frame3");
    const ControlRow& frame1 = *FindControl("Frame1");
    const TwipRect r = OnClientArea(option3);
    EXPECT_EQ(r.left, frame1.rect.left + frame3.rect.left + option3.rect.left);
    EXPECT_EQ(r.top, frame1.rect.top + frame3.rect.top + option3.rect.top);
    EXPECT_EQ(r.width, option3.rect.width);
}

}  // namespace
