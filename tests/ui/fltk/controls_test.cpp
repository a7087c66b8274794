// The window and its controls as start-up builds them: places, sizes,
// texts, fonts and ids, and the keys that must not move the focus.
#include <FL/Fl.H>
#include <FL/Fl_Input.H>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/ui/fltk/window_fixture.h"
#include "ui/fltk/fonts.h"
#include "engine/descriptor.h"
#include "tests/support/text.h"
#include "ui/control_tree.h"
#include "ui/fltk/icon.h"
#include "ui/fltk/painting.h"
#include "ui/layout.h"
#include "ui/scale.h"

namespace tarn::fltk::test {
namespace {

struct Place {
    int x, y, width, height;
};

void ExpectPlace(const Fl_Widget& widget, Place place, const char* what) {
    EXPECT_EQ(widget.x(), place.x) << what;
    EXPECT_EQ(widget.y(), place.y) << what;
    EXPECT_EQ(widget.w(), place.width) << what;
    EXPECT_EQ(widget.h(), place.height) << what;
}

// The static controls in creation order, found in the window's children.
std::vector<const StaticText*> Statics(MainWindow& window) {
    std::vector<const StaticText*> statics;
    for (int i = 0; i < window.children(); ++i) {
        if (auto* text = dynamic_cast<const StaticText*>(window.child(i))) statics.push_back(text);
    }
    return statics;
}

using ControlsTest = WindowTest;

TEST_F(ControlsTest, WindowIsTheFixedClientAreaCentredWithTheTitleAsCaption) {
    EXPECT_STREQ(window().label(), "Ordavel");
    EXPECT_EQ(window().w(), 1020);
    EXPECT_EQ(window().h(), 720);
    EXPECT_EQ(window().resizable(), nullptr);
    int x = 0, y = 0, width = 0, height = 0;
    Fl::screen_work_area(x, y, width, height, 0);
    EXPECT_EQ(window().x(), ui::CentredOrigin(x, width, 1020));
    EXPECT_EQ(window().y(), ui::CentredOrigin(y, height, 720));
    EXPECT_STREQ(window().xclass(), "ordavel");
}

TEST_F(ControlsTest, InputRowsShowDefaultsLabelsAndUnits) {
    const struct {
        const char* label;
        const char* text;
        const char* unit;
    } rows[] = {{"体重", "60", "kg"}, {"血钾", "6.8", "mmol/L"}};
    const std::vector<const StaticText*> statics = Statics(window());
    ASSERT_GE(statics.size(), 4u);
    for (int row = 0; row < 2; ++row) {
        const int y = 150 + 34 * row;
        const StaticText& label = *statics[static_cast<size_t>(2 * row)];
        const StaticText& unit = *statics[static_cast<size_t>(2 * row + 1)];
        Fl_Input& edit = *front().inputEdits[row];
        EXPECT_STREQ(label.Text(), rows[row].label);
        ExpectPlace(label, {24, y + 1, 184, 22}, rows[row].label);
        EXPECT_EQ(label.Role(), ui::ControlRole::InputLabel);
        EXPECT_EQ(label.FontNumber(), 3);
        EXPECT_EQ(edit.value(), std::string(rows[row].text));
        ExpectPlace(edit, {216, y - 4, 152, 27}, rows[row].text);
        EXPECT_EQ(edit.argument(), 2000 + row);
        EXPECT_EQ(edit.textsize(), 15);
        EXPECT_EQ(edit.textfont(), kSansFace);
        EXPECT_EQ(edit.textcolor(), ToFlColour(0x2C3842));
        EXPECT_EQ(edit.color(), ToFlColour(0xFFFFFF));
        EXPECT_STREQ(unit.Text(), rows[row].unit);
        ExpectPlace(unit, {374, y, 78, 22}, rows[row].unit);
        EXPECT_EQ(unit.Role(), ui::ControlRole::Unit);
        EXPECT_EQ(unit.FontNumber(), 8);
    }
    for (int row = 2; row < kMaxInputs; ++row) EXPECT_EQ(front().inputEdits[row], nullptr);
}

TEST_F(ControlsTest, ResultSideShowsPromptEmptyReportNoteAndReference) {
    const StaticText& verdict = *front().verdictLine;
    EXPECT_STREQ(verdict.Text(), "填写左侧参数，点击“计算”");
    ExpectPlace(verdict, {492, 142, 492, 46}, "verdict");
    EXPECT_EQ(verdict.FontNumber(), 5);
    EXPECT_EQ(verdict.Role(), ui::ControlRole::Verdict);

    ResultDisplay& result = *front().resultBox;
    ExpectPlace(result, {492, 196, 492, 232}, "result");
    EXPECT_EQ(result.argument(), 3000);
    EXPECT_EQ(result.textsize(), 15);
    EXPECT_EQ(result.textfont(), kMonoFace);
    EXPECT_EQ(result.textcolor(), ToFlColour(0x2C3842));
    EXPECT_EQ(ResultText(), "");

    const StaticText& note = *front().noteText;
    EXPECT_EQ(note.Text(), tarn::testing::Utf8(CurrentTool().note));
    ExpectPlace(note, {492, 444, 492, 120}, "note");
    EXPECT_EQ(note.FontNumber(), 8);

    const std::vector<const StaticText*> statics = Statics(window());
    const StaticText& reference = *statics.back();
    EXPECT_EQ(reference.Role(), ui::ControlRole::Reference);
    EXPECT_EQ(reference.Text(), "参考依据：" + tarn::testing::Utf8(CurrentTool().reference));
    ExpectPlace(reference, {492, 576, 492, 56}, "reference");
    EXPECT_EQ(reference.FontNumber(), 8);
    EXPECT_EQ(Status(), "就绪：填写参数后按 F5 或点击“计算”");
}

// The note and the reference line are whole in their boxes, as drawn: at
// 96 DPI, at 150 % on 1920 x 1080 with a taskbar (fitted to 1.44), and at
// the smallest fitted scales of a 1024 x 600 screen, with and without a
// taskbar. Measured with the fonts and line breaks the statics draw with.
TEST_F(ControlsTest, NoteAndReferenceAreWholeAtEveryFittedScale) {
    const struct {
        double scale;
        const char* screen;
    } scales[] = {
        {1.0, "96 DPI"},
        {ui::FittedScale(1.5, {1920, 1040}, {0, 0}), "144 DPI on 1920 x 1080, taskbar"},
        {ui::FittedScale(1.5, {1920, 1080}, {0, 0}), "144 DPI on 1920 x 1080"},
        {ui::FittedScale(1.0, {1024, 600}, {0, 0}), "1024 x 600"},
        {ui::FittedScale(1.0, {1024, 560}, {0, 0}), "1024 x 600, taskbar"},
        {ui::kSmallestScale, "the smallest scale"},
    };
    const std::string note = tarn::testing::Utf8(CurrentTool().note);
    const std::string reference = "参考依据：" + tarn::testing::Utf8(CurrentTool().reference);
    for (const auto& at : scales) {
        SCOPED_TRACE(std::string(at.screen) + ", scale " + std::to_string(at.scale));
        SetFontScale(at.scale);
        ui::ControlLayout tree[ui::kMaxControls];
        const int32_t count = ui::BuildControlTree(CurrentTool(), at.scale, tree, ui::kMaxControls);
        int checked = 0;
        for (int32_t i = 0; i < count; ++i) {
            const ui::ControlLayout& control = tree[i];
            if (control.role != ui::ControlRole::Note && control.role != ui::ControlRole::Reference) {
                continue;
            }
            const std::string& text = control.role == ui::ControlRole::Note ? note : reference;
            const int height = WrappedTextHeight(control.box.width, text.c_str(), control.font);
            EXPECT_GT(height, 0);
            EXPECT_LE(height, control.box.height)
                << (control.role == ui::ControlRole::Note ? "note" : "reference") << " needs "
                << height << " of " << control.box.height << " pixels";
            ++checked;
        }
        EXPECT_EQ(checked, 2);
    }
    SetFontScale(front().state.scale);
}

TEST_F(ControlsTest, ButtonsLeftToRightWithIdsAndCaptions) {
    const struct {
        Place place;
        int id;
        const char* caption;
    } buttons[] = {
        {{20, 668, 152, 40}, 1001, "计算 (F5)"}, {{184, 668, 132, 40}, 1002, "保存记录"},
        {{328, 668, 132, 40}, 1003, "复制结果"}, {{472, 668, 132, 40}, 1004, "清空重填"},
        {{616, 668, 110, 40}, 1005, "关于"},
    };
    for (int i = 0; i < ui::kButtonCount; ++i) {
        const PaintedButton& button = *front().buttons[i];
        ExpectPlace(button, buttons[i].place, buttons[i].caption);
        EXPECT_EQ(button.argument(), buttons[i].id);
        EXPECT_STREQ(button.label(), buttons[i].caption);
        EXPECT_EQ(button.labelsize(), 15);
        EXPECT_EQ(button.Primary(), i == 0);
    }
}

TEST_F(ControlsTest, ControlsAreCreatedInTheOrderOfTheLayout) {
    // Labels, edits and units of the rows, then verdict, report, note,
    // reference and the five buttons.
    ASSERT_EQ(window().children(), 6 + 4 + 5);
    EXPECT_EQ(window().child(1), front().inputEdits[0]);
    EXPECT_EQ(window().child(4), front().inputEdits[1]);
    EXPECT_EQ(window().child(6), front().verdictLine);
    EXPECT_EQ(window().child(7), front().resultBox);
    EXPECT_EQ(window().child(8), front().noteText);
    for (int i = 0; i < ui::kButtonCount; ++i) EXPECT_EQ(window().child(10 + i), front().buttons[i]);
}

TEST_F(ControlsTest, FontsHaveTheLayoutsPixelHeightsAndCjkFaces) {
    const int heights[] = {27, 14, 14, 15, 21, 15, 15, 12};
    for (int number = 1; number <= 8; ++number) {
        EXPECT_EQ(FontSize(number), heights[number - 1]) << number;
        SelectFont(number);
        EXPECT_EQ(fl_size(), heights[number - 1]) << number;
    }
    EXPECT_EQ(FontFace(1), kSansBoldFace);
    EXPECT_EQ(FontFace(5), kSansBoldFace);
    EXPECT_EQ(FontFace(6), kMonoFace);
    EXPECT_EQ(FontFace(4), kSansFace);
    // scripts/setup installs fonts-noto-cjk; without it the faces fall back.
    ASSERT_TRUE(FontFamilyInstalled("Noto Sans CJK SC"));
    EXPECT_FALSE(FontFamilyInstalled("No Such Family Anywhere"));
    EXPECT_TRUE(CjkFontsInstalled());
    EXPECT_STREQ(Fl::get_font(kSansFace), " Noto Sans CJK SC");
    EXPECT_STREQ(Fl::get_font(kSansBoldFace), "BNoto Sans CJK SC");
    EXPECT_STREQ(Fl::get_font(kMonoFace), " Noto Sans Mono CJK SC");
}

TEST_F(ControlsTest, IconsComeFromTheInstalledIconTheme) {
    // A share folder laid out as cmake --install lays it out, with two sizes.
    char pattern[] = "/tmp/ordavel-icons-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string share = pattern;
    for (const char* size : {"16", "48"}) {
        const std::string folder = share + "/icons/hicolor/" + size + "x" + size + "/apps";
        ASSERT_EQ(std::system(("mkdir -p " + folder + " && cp " ORDAVEL_SOURCE_DIR
                               "/ui/resources/icon-" + size + ".png " + folder + "/ordavel.png")
                                  .c_str()),
                  0);
    }
    // A file that is not the size its folder says is left out.
    const std::string wrong = share + "/icons/hicolor/32x32/apps";
    ASSERT_EQ(std::system(("mkdir -p " + wrong + " && cp " ORDAVEL_SOURCE_DIR
                           "/ui/resources/icon-64.png " + wrong + "/ordavel.png")
                              .c_str()),
              0);
    EXPECT_EQ(SetWindowIcons(window(), share.c_str()), 2);
    EXPECT_EQ(SetWindowIcons(window(), "/nonexistent"), 0);

    char found[4096];
    ASSERT_TRUE(InstalledShareFolder(found, sizeof found));
    // This test binary lies in <build>/tests/ui/fltk: its "prefix" is <build>/tests/ui.
    EXPECT_NE(std::string(found).find("/tests/ui/share"), std::string::npos) << found;
    EXPECT_FALSE(InstalledShareFolder(found, 4));
    std::system(("rm -rf " + share).c_str());
}

TEST_F(ControlsTest, StartsWithTheFocusOnTheFirstInput) {
    EXPECT_EQ(Fl::focus(), front().inputEdits[0]);
}

TEST_F(ControlsTest, ArrowsDoNotMoveTheFocus) {
    front().inputEdits[0]->take_focus();
    for (int key : {FL_Down, FL_Up}) {
        PressKey(key);
        EXPECT_EQ(Fl::focus(), front().inputEdits[0]) << key;
    }
    front().buttons[1]->take_focus();
    for (int key : {FL_Right, FL_Left, FL_Down, FL_Up}) {
        PressKey(key);
        EXPECT_EQ(Fl::focus(), front().buttons[1]) << key;
    }
}

TEST_F(ControlsTest, EscapeDoesNotCloseTheWindow) {
    PressKey(FL_Escape);
    Pump();
    EXPECT_TRUE(window().shown());
    EXPECT_TRUE(window().visible());
}

TEST_F(ControlsTest, ClickingTheReportPutsTheFocusThere) {
    Click(*front().resultBox);
    EXPECT_EQ(Fl::focus(), front().resultBox);
}

TEST_F(ControlsTest, ActivationGivesTheFocusBackWhereItWas) {
    EnterInputs("60", "6.8");
    // As the X server does when the user leaves the window and comes back.
    auto leaveAndReturn = [this] {
        Fl::handle(FL_UNFOCUS, &window());
        Fl::handle(FL_FOCUS, &window());
    };
    Click(*front().inputEdits[1]);
    leaveAndReturn();
    EXPECT_EQ(Fl::focus(), front().inputEdits[1]);

    PressKey(FL_F + 5);  // the computation leaves the focus on the report
    ASSERT_EQ(Fl::focus(), front().resultBox);
    leaveAndReturn();
    EXPECT_EQ(Fl::focus(), front().resultBox);

    ui::FocusMainWindow(front().state);
    leaveAndReturn();
    EXPECT_EQ(Fl::focus(), &window());
}

}  // namespace
}  // namespace tarn::fltk::test
