// The painted picture of the window as both front ends draw it: every
// region inside the client area and visible in the painting order, texts on
// a ground of another colour, the faces of the buttons, the colours of the
// controls, and the window's place in the work area.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "engine/text.h"
#include "ui/paint.h"

namespace tarn::ui {
namespace {

constexpr bool Contains(const Box& outer, const Box& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

Box ClientBox(const PaintRegion& region) {
    return RegionBox(region, {kClientWidth, kClientHeight}, 1.0);
}

constexpr int32_t kRegionCount = static_cast<int32_t>(std::size(kPaintRegions));

TEST(PaintRegions, LieInsideTheClientAreaWithWhatTheirOperationNeeds) {
    const Box client = {0, 0, kClientWidth, kClientHeight};
    for (int32_t i = 0; i < kRegionCount; ++i) {
        const PaintRegion& region = kPaintRegions[i];
        const Box box = ClientBox(region);
        SCOPED_TRACE("region " + std::to_string(i));
        EXPECT_GT(box.width, 0);
        EXPECT_GT(box.height, 0);
        EXPECT_TRUE(Contains(client, box));
        if (region.op == PaintOp::Text) {
            EXPECT_GE(region.font, 1);
            EXPECT_LE(region.font, kFontCount);
            EXPECT_NE(region.text, RegionText::None);
        } else {
            EXPECT_EQ(region.text, RegionText::None);
        }
    }
}

// That the first region is a fill is a static_assert beside the table (ui/paint.h).
TEST(PaintRegions, TheBackgroundComesFirstAndNoRegionIsPaintedOverByALaterFill) {
    EXPECT_TRUE(Contains(ClientBox(kPaintRegions[0]), {0, 0, kClientWidth, kClientHeight}));
    for (int32_t i = 1; i < kRegionCount; ++i) {
        for (int32_t later = i + 1; later < kRegionCount; ++later) {
            if (kPaintRegions[later].op != PaintOp::Fill) continue;
            EXPECT_FALSE(Contains(ClientBox(kPaintRegions[later]), ClientBox(kPaintRegions[i])))
                << "region " << i << " is hidden by region " << later;
        }
    }
}

// Text is drawn transparent: the fill under it must be of another colour.
TEST(PaintRegions, EveryTextStandsOnAFillOfAnotherColour) {
    int32_t texts = 0;
    for (int32_t i = 0; i < kRegionCount; ++i) {
        if (kPaintRegions[i].op != PaintOp::Text) continue;
        ++texts;
        const PaintRegion* ground = nullptr;
        for (int32_t below = 0; below < i; ++below) {
            const PaintRegion& candidate = kPaintRegions[below];
            if (candidate.op == PaintOp::Fill &&
                Contains(ClientBox(candidate), ClientBox(kPaintRegions[i]))) {
                ground = &candidate;
            }
        }
        ASSERT_NE(ground, nullptr) << "region " << i;
        EXPECT_NE(PaletteColour(ground->role), PaletteColour(kPaintRegions[i].role))
            << "region " << i;
    }
    EXPECT_EQ(texts, 5) << "title, subtitle, two captions, status line";
}

TEST(PaintRegions, BandsFollowTheClientWidthAndTheFooterKeepsItsHeight) {
    const int32_t width = 1200;
    const int32_t height = 780;
    int32_t followingWidth = 0;
    for (const PaintRegion& region : kPaintRegions) {
        const Box box = RegionBox(region, {width, height}, 1.0);
        if (region.box.width == kToClientEdge) {
            ++followingWidth;
            EXPECT_EQ(box.x + box.width, width);
        } else {
            EXPECT_EQ(box.width, region.box.width);
        }
        if (box.y == kFooterTop) {
            EXPECT_EQ(box.y + box.height, kClientHeight) << "footer";
        }
    }
    EXPECT_EQ(followingWidth, 3) << "background, header band, footer band";
    const Box background = RegionBox(kPaintRegions[0], {width, height}, 1.0);
    EXPECT_EQ(background.height, height);
}

// Title, subtitle, category and reference; no note, fields or rules.
const ToolDescriptor kTool = {7, u"标题文字", u"副标题", u"分类", u"参考", nullptr,
                              0, nullptr,     0,         nullptr, 0,       nullptr, 0};

TEST(RegionTextOf, GivesEachRegionItsTextForTheState) {
    WindowState state;
    state.tool = &kTool;
    CopyBounded(state.statusLine, kStatusLineCapacity, u"就绪");
    const struct {
        RegionText text;
        const char16_t* expected;
    } cases[] = {
        {RegionText::Title, u"标题文字"},
        {RegionText::Subtitle, u"分类  \u00B7  副标题"},
        {RegionText::InputsCaption, u"输入参数"},
        {RegionText::ResultsCaption, u"计算结果"},
        {RegionText::StatusLine, u"就绪"},
        {RegionText::None, u""},
    };
    for (const auto& one : cases) {
        char16_t buffer[kRegionTextCapacity];
        buffer[0] = u'x';
        RegionTextOf(one.text, state, buffer, kRegionTextCapacity);
        EXPECT_EQ(std::u16string(buffer), one.expected) << static_cast<int>(one.text);
    }
}

TEST(RegionTextOf, CutsToTheCallersBufferAndToleratesNoTool) {
    WindowState state;
    state.tool = &kTool;
    char16_t buffer[8];
    for (char16_t& unit : buffer) unit = u'#';
    RegionTextOf(RegionText::Subtitle, state, buffer, 4);
    EXPECT_EQ(std::u16string(buffer), u"分类 ");
    EXPECT_EQ(buffer[4], u'#') << "nothing written past the capacity";

    state.tool = nullptr;
    RegionTextOf(RegionText::Title, state, buffer, 8);
    EXPECT_EQ(std::u16string(buffer), u"");
    buffer[0] = u'#';
    RegionTextOf(RegionText::Title, state, buffer, 0);
    EXPECT_EQ(buffer[0], u'#');
}

TEST(ButtonFaces, ByKindAndPressedState) {
    const struct {
        ButtonKind kind;
        bool pressed;
        uint32_t fill, border, caption;
    } cases[] = {
        {ButtonKind::Primary, false, 0x007AA8, 0x006A94, 0xFFFFFF},
        {ButtonKind::Primary, true, 0x00648A, 0x006A94, 0xFFFFFF},
        {ButtonKind::Normal, false, 0xFFFFFF, 0xCED8E0, 0x2C3842},
        {ButtonKind::Normal, true, 0xE2EAF0, 0xCED8E0, 0x2C3842},
    };
    for (const auto& one : cases) {
        const ButtonFace face = ButtonFaceOf(one.kind, one.pressed);
        SCOPED_TRACE(std::string(one.kind == ButtonKind::Primary ? "primary" : "normal") +
                     (one.pressed ? " pressed" : " up"));
        EXPECT_EQ(face.fill, one.fill);
        EXPECT_EQ(face.border, one.border);
        EXPECT_EQ(face.caption, one.caption);
        EXPECT_EQ(face.font, kButtonFont);
        EXPECT_EQ(face.align, TextAlign::Centre);
    }
}

TEST(ButtonFaces, ComputeAloneIsPrimary) {
    int32_t buttons = 0;
    ControlLayout tree[kMaxControls];
    const int32_t count = BuildControlTree(CurrentTool(), 1.0, tree, kMaxControls);
    for (int32_t i = 0; i < count; ++i) {
        const ControlLayout& control = tree[i];
        if (control.kind != ControlKind::Button) continue;
        ++buttons;
        EXPECT_EQ(ButtonKindOf(control.id) == ButtonKind::Primary, control.id == kComputeId)
            << control.id;
    }
    EXPECT_EQ(buttons, 5);
}

TEST(ControlTextColour, TheVerdictTakesTheColourOfItsLevel) {
    const struct {
        int32_t level;
        uint32_t colour;
    } cases[] = {{0, 0x008060}, {1, 0xB08400}, {2, 0xD66C00}, {3, 0xBE1E2D},
                 {-1, 0x008060}, {4, 0x008060}, {99, 0x008060}};
    for (const auto& one : cases) {
        EXPECT_EQ(ControlTextColour(ControlRole::Verdict, one.level), one.colour) << one.level;
    }
}

TEST(ControlTextColour, OtherRolesAreMainOrMutedTextWhateverTheLevel) {
    const struct {
        ControlRole role;
        uint32_t colour;
    } cases[] = {
        {ControlRole::InputEdit, kMainText}, {ControlRole::ResultBox, kMainText},
        {ControlRole::Note, kMainText},      {ControlRole::InputLabel, kMutedText},
        {ControlRole::Unit, kMutedText},     {ControlRole::Reference, kMutedText},
    };
    for (const auto& one : cases) {
        for (int32_t level = 0; level <= 3; ++level) {
            EXPECT_EQ(ControlTextColour(one.role, level), one.colour)
                << static_cast<int>(one.role) << " at level " << level;
        }
    }
    // That both differ from the controls' ground is a static_assert in ui/paint.h.
}

TEST(CentredOrigin, CentresInTheWorkAreaAndClampsToItsStart) {
    const struct {
        int32_t start, extent, size, origin;
        const char* what;
    } cases[] = {
        {0, 1280, 1020, 130, "centred"},
        {0, 1281, 1020, 130, "an odd pixel rounds toward the start"},
        {0, 1020, 1020, 0, "exactly fits"},
        {0, 800, 1020, 0, "wider than the area: at its start"},
        {0, 728, 720, 4, "client area under a 40-pixel taskbar"},
        {0, 728, 749, 0, "a frame taller than the area: caption at the top"},
        {40, 728, 749, 40, "a taskbar at the top: at the area's start, not above it"},
        {27, 741, 720, 37, "work area offset by a top panel"},
        {1366, 1920, 1020, 1816, "the area of a second screen"},
        {-1280, 1280, 1020, -1150, "a screen left of the primary one"},
    };
    for (const auto& one : cases) {
        EXPECT_EQ(CentredOrigin(one.start, one.extent, one.size), one.origin) << one.what;
    }
}

}  // namespace
}  // namespace tarn::ui
