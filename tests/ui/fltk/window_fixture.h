// The real FLTK window built in the test process, driven with FLTK events
// (keys, clicks, focus changes) and looked at through its widgets, its
// pixels on the X display and the X clipboard.
#pragma once

#include <gtest/gtest.h>

#include <FL/Fl_Widget.H>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/fltk/main_window.h"

namespace tarn::fltk::test {

struct SeenMessage {
    std::string caption;
    std::string text;
    std::string icon;  // FLTK's icon glyph: "i" information, "!" warning
    std::vector<std::string> buttons;  // captions, in creation order
    std::string titleInX;  // WM_NAME as an X client decodes it
    int x = 0, y = 0, width = 0, height = 0;  // on the screen
    // Pixel sizes: the text's and the icon glyph's font, the first button's box.
    int textSize = 0, glyphSize = 0, buttonWidth = 0, buttonHeight = 0;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    FrontEnd& front() { return Front(); }
    MainWindow& window() { return *Front().window; }

    // Lets FLTK handle what is pending and draw what is damaged.
    static void Pump(double seconds = 0.05);
    // One key press as the X event loop would deliver it to the window,
    // with the modifier keys of `state` (FL_SHIFT, ...) held.
    static int PressKey(int key, int state = 0);
    // A left click (press and release) in the middle of `widget`.
    void Click(Fl_Widget& widget);
    void Press(Fl_Widget& widget);
    void Release();

    // Runs `action`; every message box it opens is recorded and closed by
    // its first button, or answered with the key `answerKey` ('y', 'n',
    // FL_Enter, FL_Escape) pressed in the box. A box that opens outside
    // this fails the test and is declined.
    static std::vector<SeenMessage> WithMessages(const std::function<void()>& action,
                                                 int answerKey = 0);
    // Types UTF-8 text, one key press a byte, into the focused control.
    static void TypeText(const char* text);
    // Types over the whole text of input field `row`, as the user does after
    // Tab: the field counts as entered.
    static void TypeInto(int32_t row, const char* utf8);
    // Types the weight and the potassium: compute then asks about neither.
    static void EnterInputs(const char* weight, const char* potassium);

    std::string Status() const;
    std::string InputText(int32_t row) const;
    void SetInputText(int32_t row, const char* utf8);
    std::string ResultText();
    std::string VerdictText() const;

    // The colour of the window's pixel at client (x, y), as 0xRRGGBB.
    uint32_t PixelAt(int x, int y);
    // How many pixels of the client box have exactly `colour`.
    int CountColour(int x, int y, int width, int height, uint32_t colour);
    // Of the box's pixels, the smallest largest-channel distance to `colour`
    // (anti-aliased small text seldom reaches its colour exactly).
    int ClosestTo(int x, int y, int width, int height, uint32_t colour);

    // The X CLIPBOARD as `xclip -o` reads it while the window keeps serving
    // it; nothing when xclip fails.
    static std::optional<std::string> ReadClipboard();
    // Hands the CLIPBOARD to xclip holding `text`.
    static bool OfferClipboard(const std::string& text);

    // The record folder of this test binary (its own XDG_DATA_HOME).
    static std::string DataHome();
};

}  // namespace tarn::fltk::test
