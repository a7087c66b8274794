// The window at every scale a hospital's screens ask for: the control tree
// and the painted regions stay inside the client area, nothing comes to
// overlap, texts keep room for their line, and the scale that fits a work
// area.
#include "ui/scale.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/control_tree.h"
#include "ui/paint.h"

namespace tarn::ui {
namespace {

// A line of CJK text takes about 1.45 times the font's pixel height (Noto
// Sans CJK's ascent and descent; Microsoft YaHei UI's are smaller).
constexpr double kLineHeightPerPixel = 1.45;

constexpr double kScales[] = {0.7, 1.0, 1.25, 1.5, 2.0, 2.5};

bool Inside(const Box& outer, const Box& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

bool Overlap(const Box& a, const Box& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

std::vector<ControlLayout> Tree(double scale) {
    ControlLayout controls[kMaxControls];
    const int32_t count = BuildControlTree(CurrentTool(), scale, controls, kMaxControls);
    return {controls, controls + count};
}

std::string ControlName(const ControlLayout& control) {
    return "role " + std::to_string(static_cast<int>(control.role)) + " id " +
           std::to_string(control.id) + " at " + std::to_string(control.box.x) + "," +
           std::to_string(control.box.y);
}

class ScaledTree : public ::testing::TestWithParam<double> {};

TEST_P(ScaledTree, EveryControlLiesInsideTheClientArea) {
    const Size client = ClientSize(GetParam());
    for (const ControlLayout& control : Tree(GetParam())) {
        EXPECT_GT(control.box.width, 0) << ControlName(control);
        EXPECT_GT(control.box.height, 0) << ControlName(control);
        EXPECT_TRUE(Inside({0, 0, client.width, client.height}, control.box))
            << ControlName(control);
    }
}

TEST_P(ScaledTree, ControlsThatDoNotOverlapAtOneDoNotOverlapScaled) {
    const std::vector<ControlLayout> design = Tree(1.0);
    const std::vector<ControlLayout> scaled = Tree(GetParam());
    ASSERT_EQ(design.size(), scaled.size());
    for (size_t i = 0; i < design.size(); ++i) {
        for (size_t j = i + 1; j < design.size(); ++j) {
            if (Overlap(design[i].box, design[j].box)) continue;
            EXPECT_FALSE(Overlap(scaled[i].box, scaled[j].box))
                << ControlName(scaled[i]) << " and " << ControlName(scaled[j]);
        }
    }
}

TEST_P(ScaledTree, EveryStaticTextHasRoomForALineOfItsFont) {
    for (const ControlLayout& control : Tree(GetParam())) {
        if (control.kind == ControlKind::Report) continue;  // it scrolls
        const double line = kLineHeightPerPixel * FontHeight(control.font, GetParam());
        EXPECT_LE(line, control.box.height) << ControlName(control);
    }
}

// The header's title and the status line are drawn tighter than a full
// line (their boxes clip the line's empty top and bottom): scaled, each
// keeps the room the design gives it, to a pixel.
TEST_P(ScaledTree, PaintedRegionsStayInsideAndTextsKeepTheirRoom) {
    const double scale = GetParam();
    const Size client = ClientSize(scale);
    for (const PaintRegion& region : kPaintRegions) {
        const Box box = RegionBox(region, client, scale);
        EXPECT_TRUE(Inside({0, 0, client.width, client.height}, box))
            << box.x << "," << box.y << " " << box.width << "x" << box.height;
        if (region.op != PaintOp::Text) continue;
        const double designRoom =
            static_cast<double>(region.box.height) / FontHeight(region.font, 1.0);
        EXPECT_GE(box.height + 1.0, designRoom * FontHeight(region.font, scale))
            << "text at " << box.x << "," << box.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ScaledTree, ::testing::ValuesIn(kScales));

TEST(ScaledTree, StopsAtTheCallersCapacity) {
    ControlLayout controls[4];
    controls[3].id = -7;
    EXPECT_EQ(BuildControlTree(CurrentTool(), 1.0, controls, 3), 3);
    EXPECT_EQ(controls[3].id, -7) << "nothing written past the capacity";
}

TEST(ScaledBox, NeighboursStayNeighbours) {
    // The accent strip ends where the header band's rest begins; the rule
    // lies on the caption's last row; buttons keep their gaps.
    for (double scale : {0.7, 0.743, 1.0, 1.3889, 1.5, 2.0, 2.5}) {
        SCOPED_TRACE(scale);
        const Box left = ScaledBox({0, 0, 8, 88}, scale);
        const Box right = ScaledBox({8, 0, 100, 88}, scale);
        EXPECT_EQ(left.x + left.width, right.x);
        const Box caption = ScaledBox(kInputsCaptionBox, scale);
        const Box rule = ScaledBox(kInputsRule, scale);
        EXPECT_EQ(caption.y + caption.height, rule.y + rule.height);
        EXPECT_GE(rule.height, 1) << "a one-pixel rule never vanishes";
    }
}

// Nothing vanishes on a small screen, and an unknown DPI draws the design.
TEST(Scale, NoLineOrFontBelowOnePixel) {
    EXPECT_EQ(LineWidth(0.7), 1);
    EXPECT_EQ(LineWidth(0.0), 1);
    EXPECT_EQ(LineWidth(2.0), 2) << "outlines grow with the screen";
    EXPECT_EQ(FontHeight(kSmallFont, 0.01), 1);
    EXPECT_EQ(FontHeight(0, 1.0), 1) << "no such font";
    EXPECT_EQ(DisplayScale(0), 1.0);
    EXPECT_EQ(DisplayScale(-96), 1.0);
}

TEST(FittedScale, TheLargestScaleThatFitsTheWorkArea) {
    const Size windowsFrame = {6, 29};  // borders and caption at 96 DPI
    const struct {
        double wanted;
        Size work;
        Size frame;
        double low, high;
        const char* what;
    } cases[] = {
        {1.0, {1920, 1040}, windowsFrame, 1.0, 1.0, "a full-HD screen holds the design"},
        {1.5, {1920, 1040}, {9, 38}, 1.39, 1.395, "150 % on full HD is as tall as fits"},
        {2.0, {3840, 2120}, {12, 50}, 2.0, 2.0, "200 % on 4K fits"},
        {1.0, {1366, 728}, windowsFrame, 0.97, 0.98, "the commonest hospital laptop"},
        {1.0, {1024, 560}, windowsFrame, 0.7, 0.78, "1024 x 600 with its taskbar"},
        {1.0, {1024, 560}, {0, 0}, 0.77, 0.78, "no frame at all"},
        {1.0, {640, 440}, windowsFrame, 0.7, 0.7, "never below 0.7"},
        {1.25, {1000, 2000}, windowsFrame, 0.974, 0.975, "narrow: the width decides"},
    };
    for (const auto& one : cases) {
        const double scale = FittedScale(one.wanted, one.work, one.frame);
        EXPECT_GE(scale, one.low) << one.what;
        EXPECT_LE(scale, one.high) << one.what;
        if (scale > kSmallestScale) {
            const Size client = ClientSize(scale);
            EXPECT_LE(client.width + one.frame.width, one.work.width) << one.what;
            EXPECT_LE(client.height + one.frame.height, one.work.height) << one.what;
        }
    }
}

}  // namespace
}  // namespace tarn::ui
