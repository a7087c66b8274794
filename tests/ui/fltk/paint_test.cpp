// What the window puts on the screen: the painted regions, the verdict in
// the colour of its level, the buttons pressed and released.
#include <FL/Fl.H>

#include <string>

#include "tests/ui/fltk/window_fixture.h"
#include "ui/palette.h"
#include "ui/services.h"

namespace tarn::fltk::test {
namespace {

using PaintTest = WindowTest;

TEST_F(PaintTest, RegionsHaveTheirColours) {
    const struct {
        int x, y;
        uint32_t colour;
        const char* region;
    } points[] = {
        {2, 700, 0xECF1F4, "footer band, left end"},
        {1010, 92, 0xF4F7F9, "background between header and panels"},
        {10, 300, 0xF4F7F9, "background left of the panels"},
        {468, 300, 0xF4F7F9, "background between the panels"},
        {900, 60, 0x006C96, "header band"},
        {4, 44, 0x0084B0, "accent strip"},
        {100, 500, 0xFFFFFF, "left panel"},
        {990, 300, 0xFFFFFF, "right panel"},
        {20, 300, 0xDAE2E8, "left panel border"},
        {999, 300, 0xDAE2E8, "right panel border"},
        {300, 133, 0xE4EAEE, "inputs caption rule"},
        {900, 133, 0xE4EAEE, "results caption rule"},
        {900, 680, 0xECF1F4, "footer band"},
        {24, 672, 0x007AA8, "compute button"},
        {20, 690, 0x006A94, "compute button border"},
        {190, 672, 0xFFFFFF, "save button"},
        {184, 690, 0xCED8E0, "save button border"},
    };
    for (const auto& point : points) {
        EXPECT_EQ(PixelAt(point.x, point.y), point.colour) << point.region;
    }
}

TEST_F(PaintTest, TextsAreDrawnInTheirColours) {
    const struct {
        int x, y, width, height;
        uint32_t colour;
        const char* text;
    } texts[] = {
        {26, 12, 700, 38, 0xFFFFFF, "title"},
        {28, 48, 720, 28, 0xD6ECF6, "subtitle"},
        {36, 104, 300, 30, 0x006C96, "inputs caption"},
        {492, 104, 300, 30, 0x006C96, "results caption"},
        {740, 704, 264, 16, 0x78848E, "status line"},
        {24, 151, 184, 22, 0x78848E, "input label"},
        {374, 150, 78, 22, 0x78848E, "unit"},
        {492, 444, 492, 120, 0x2C3842, "note"},
        {492, 576, 492, 56, 0x78848E, "reference"},
        {20, 668, 152, 40, 0xFFFFFF, "compute caption"},
        {184, 668, 132, 40, 0x2C3842, "save caption"},
        {216, 146, 152, 27, 0x2C3842, "weight edit"},
    };
    for (const auto& text : texts) {
        EXPECT_LE(ClosestTo(text.x, text.y, text.width, text.height, text.colour), 8)
            << text.text;
    }
    // Nothing but the panel where no control is.
    EXPECT_EQ(CountColour(40, 300, 400, 300, 0xFFFFFF), 400 * 300);
}

struct LevelCase {
    const char* potassium;
    int32_t level;
    uint32_t colour;
};

class VerdictColourTest : public WindowTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(VerdictColourTest, VerdictIsDrawnInTheColourOfItsLevel) {
    EnterInputs("60", GetParam().potassium);
    Click(*front().buttons[0]);
    ASSERT_EQ(front().state.currentLevel, GetParam().level);
    EXPECT_EQ(front().verdictLine->Colour(), GetParam().colour);
    const uint32_t colours[] = {0x008060, 0xB08400, 0xD66C00, 0xBE1E2D};
    for (uint32_t colour : colours) {
        const int count = CountColour(492, 142, 492, 46, colour);
        if (colour == GetParam().colour) {
            EXPECT_GT(count, 30) << std::hex << colour;
        } else {
            EXPECT_EQ(count, 0) << std::hex << colour;
        }
    }
    // The report in main text colour below it.
    EXPECT_GT(CountColour(492, 196, 492, 232, 0x2C3842), 30);
}

INSTANTIATE_TEST_SUITE_P(Levels, VerdictColourTest,
                         ::testing::Values(LevelCase{"5.0", 0, 0x008060},
                                           LevelCase{"3.0", 2, 0xD66C00},
                                           LevelCase{"5.5", 1, 0xB08400},
                                           LevelCase{"6.0", 2, 0xD66C00},
                                           LevelCase{"6.49", 2, 0xD66C00},
                                           LevelCase{"6.5", 3, 0xBE1E2D},
                                           LevelCase{"8", 3, 0xBE1E2D}));

TEST_F(PaintTest, PromptIsGreenAtStartAndAfterReset) {
    EXPECT_GT(CountColour(492, 142, 492, 46, 0x008060), 30);
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    EXPECT_EQ(CountColour(492, 142, 492, 46, 0x008060), 0);
    Click(*front().buttons[3]);
    EXPECT_GT(CountColour(492, 142, 492, 46, 0x008060), 30);
    EXPECT_EQ(CountColour(492, 142, 492, 46, 0xBE1E2D), 0);
}

TEST_F(PaintTest, AShorterTextLeavesNothingOfTheLongerOneBehind) {
    // The statics have no background: setting a text alone, with no repaint
    // of the main window, must still clear what the old text covered.
    front().state.currentLevel = 3;
    ui::SetControlText(front().state, ui::kVerdictLineSlot, u"重度高钾，立即处理并持续心电监护");
    Pump();
    ASSERT_GT(CountColour(492 + 300, 142, 192, 46, 0xBE1E2D), 0);
    ui::SetControlText(front().state, ui::kVerdictLineSlot, u"血钾");
    Pump();
    EXPECT_EQ(CountColour(492 + 300, 142, 192, 46, 0xFFFFFF), 192 * 46);

    ui::SetControlText(front().state, ui::kNoteTextSlot, u"");
    Pump();
    EXPECT_EQ(CountColour(492, 444, 492, 120, 0xFFFFFF), 492 * 120);
}

TEST_F(PaintTest, ButtonsDarkenWhileHeldDown) {
    const struct {
        int index;
        uint32_t up, down, border;
    } buttons[] = {
        {0, 0x007AA8, 0x00648A, 0x006A94},
        {2, 0xFFFFFF, 0xE2EAF0, 0xCED8E0},
    };
    for (const auto& button : buttons) {
        PaintedButton& widget = *front().buttons[button.index];
        const int x = widget.x() + 4;
        const int y = widget.y() + 4;
        EXPECT_EQ(PixelAt(x, y), button.up);
        Press(widget);
        EXPECT_EQ(PixelAt(x, y), button.down);
        EXPECT_EQ(PixelAt(widget.x(), y), button.border);
        // Leave the button before letting go, so that nothing runs.
        Fl::e_x = 900;
        Fl::e_y = 400;
        Fl::handle(FL_DRAG, &window());
        Fl::e_state = 0;
        Fl::handle(FL_RELEASE, &window());
        EXPECT_EQ(PixelAt(x, y), button.up);
        EXPECT_EQ(PixelAt(widget.x(), y), button.border);
    }
    EXPECT_EQ(Status(), "就绪：填写参数后按 F5 或点击“计算”");
}

TEST_F(PaintTest, ReportHasItsScrollbarWhetherOrNotItFits) {
    ResultDisplay& report = *front().resultBox;
    // The scrollbar column, inside the sunken border at the right.
    const int column = report.x() + report.w() - 2 - report.scrollbar_width();
    const int width = report.scrollbar_width();
    const int height = report.h() - 4;
    EnterInputs("60", "6.8");
    Click(*front().buttons[0]);
    EXPECT_FALSE(report.Scrollable());
    EXPECT_LT(CountColour(column, report.y() + 2, width, height, 0xFFFFFF), width * height / 4);

    std::u16string lines;
    for (int i = 0; i < 40; ++i) lines += u"胰岛素：6.0 U\r\n";
    ui::SetControlText(front().state, ui::kResultBoxSlot, lines.c_str());
    Pump();
    EXPECT_TRUE(report.Scrollable());
    EXPECT_LT(CountColour(column, report.y() + 2, width, height, 0xFFFFFF), width * height / 4);

    // A long line wraps before the scrollbar: no text under it.
    ui::SetControlText(front().state, ui::kResultBoxSlot, std::u16string(120, u'钾').c_str());
    Pump();
    EXPECT_FALSE(report.Scrollable());
    EXPECT_EQ(CountColour(column, report.y() + 2, width, height, 0x2C3842), 0);
    EXPECT_GT(CountColour(report.x(), report.y() + 24, report.w(), 24, 0x2C3842), 20)
        << "the second line of the wrapped text";
}

// The report's sunken border turns to the caption blue while it has the
// keyboard focus, and back to FLTK's greys without it; nothing inside the
// border changes.
TEST_F(PaintTest, TheReportShowsTheFocusOnItsBorderOnly) {
    ResultDisplay& report = *front().resultBox;
    const auto ringPixels = [&] {
        return CountColour(report.x(), report.y(), report.w(), report.h(), ui::kHeaderBand);
    };
    const int perimeter = 2 * (report.w() + report.h()) - 4;
    EXPECT_EQ(ringPixels(), 0) << "at start-up";
    EnterInputs("60", "6.8");
    PressKey(FL_F + 5);
    ASSERT_EQ(Fl::focus(), &report);
    // Two rings of pixels, the whole border.
    EXPECT_EQ(ringPixels(), perimeter + (perimeter - 8));
    EXPECT_EQ(CountColour(report.x() + 2, report.y() + 2, report.w() - 4, report.h() - 4,
                          ui::kHeaderBand),
              0);
    PressKey(FL_Tab);
    ASSERT_EQ(Fl::focus(), front().inputEdits[0]);
    EXPECT_EQ(ringPixels(), 0) << "gone with the focus";
    Click(report);
    EXPECT_EQ(ringPixels(), perimeter + (perimeter - 8)) << "a click focuses it too";
}

TEST_F(PaintTest, NoFocusRectangleOnAFocusedButton) {
    PaintedButton& reset = *front().buttons[3];
    const int before = CountColour(reset.x(), reset.y(), reset.w(), reset.h(), 0xFFFFFF);
    reset.take_focus();
    ASSERT_EQ(Fl::focus(), &reset);
    reset.redraw();
    EXPECT_EQ(CountColour(reset.x(), reset.y(), reset.w(), reset.h(), 0xFFFFFF), before);
}

}  // namespace
}  // namespace tarn::fltk::test
