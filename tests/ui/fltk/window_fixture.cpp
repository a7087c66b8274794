#include "tests/ui/fltk/window_fixture.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "engine/descriptor.h"
#include "tests/support/text.h"
#include "ui/fltk/xlib_safe.h"

#include <X11/Xutil.h>

extern char** environ;

namespace tarn::fltk::test {
namespace {

std::vector<SeenMessage>* gSeen = nullptr;
int gAnswerKey = 0;

// WM_NAME decoded as xprop or a window manager decodes it.
std::string TitleInX(Fl_Window& window) {
    if (!window.shown()) return "<not shown>";
    XTextProperty property = {};
    if (!XGetWMName(fl_display, fl_xid(&window), &property)) return "<no WM_NAME>";
    char** list = nullptr;
    int count = 0;
    std::string title = "<undecodable>";
    if (Xutf8TextPropertyToTextList(fl_display, &property, &list, &count) == 0 && count > 0) {
        title = list[0];
    }
    if (list) XFreeStringList(list);
    XFree(property.value);
    return title;
}

// One key press as the X event loop would deliver it to `window`.
int SendKey(Fl_Window* window, int key, const char* text) {
    static char noText[] = "";
    static char typed[8];
    std::snprintf(typed, sizeof typed, "%s", text);
    Fl::e_keysym = key;
    Fl::e_state = 0;
    Fl::e_text = typed;
    Fl::e_length = static_cast<int>(std::strlen(typed));
    const int used = Fl::handle(FL_KEYBOARD, window);
    Fl::e_text = noText;
    Fl::e_length = 0;
    return used;
}

bool IsIconGlyph(const char* label) {
    return label && label[0] != 0 && label[1] == 0 && std::strchr("i!?", label[0]);
}

// A message box open over the main window, or none.
Fl_Window* OpenBox() {
    Fl_Window* window = Fl::first_window();
    while (window && (window == Front().window || !window->visible())) {
        // next_window needs the window's X data; a box closed a moment ago
        // may have lost it.
        window = window->shown() ? Fl::next_window(window) : nullptr;
    }
    return window;
}

// What a box shows; `close` gets its first button.
SeenMessage Describe(Fl_Window& window, Fl_Button** close) {
    SeenMessage seen;
    seen.caption = window.label() ? window.label() : "";
    seen.titleInX = TitleInX(window);
    seen.x = window.x();
    seen.y = window.y();
    seen.width = window.w();
    seen.height = window.h();
    *close = nullptr;
    for (int i = 0; i < window.children(); ++i) {
        Fl_Widget* child = window.child(i);
        if (!child->visible()) continue;
        if (auto* button = dynamic_cast<Fl_Button*>(child)) {
            seen.buttons.emplace_back(button->label() ? button->label() : "");
            if (!*close) {
                *close = button;
                seen.buttonWidth = button->w();
                seen.buttonHeight = button->h();
            }
        } else if (dynamic_cast<Fl_Box*>(child) && IsIconGlyph(child->label())) {
            seen.icon = child->label();
            seen.glyphSize = child->labelsize();
        } else if (dynamic_cast<Fl_Box*>(child) && child->label()) {
            seen.text = child->label();
            seen.textSize = child->labelsize();
        }
    }
    return seen;
}

// Records and closes an open message box; looks again a little later.
void CloseMessages(void*) {
    Fl::repeat_timeout(0.05, CloseMessages);
    // Closing takes the window out of the list being walked: one at a time.
    Fl_Window* window = OpenBox();
    if (!window) return;
    Fl_Button* close = nullptr;
    const SeenMessage seen = Describe(*window, &close);
    if (gSeen) gSeen->push_back(seen);
    if (gAnswerKey != 0) {
        const char text[2] = {static_cast<char>(gAnswerKey < 128 ? gAnswerKey : 0), 0};
        SendKey(window, gAnswerKey, gAnswerKey == FL_Enter ? "\r" : text);
    } else if (close) {
        close->do_callback();
    } else {
        window->hide();
    }
}

// Outside WithMessages no box is expected: one that opens fails the test
// and is declined with Escape, instead of waiting for an answer for ever.
void DeclineUnexpectedBoxes(void*) {
    Fl::repeat_timeout(0.25, DeclineUnexpectedBoxes);
    if (gSeen) return;
    Fl_Window* window = OpenBox();
    if (!window) return;
    Fl_Button* close = nullptr;
    const SeenMessage seen = Describe(*window, &close);
    ADD_FAILURE() << "an unexpected box: " << seen.caption << ": " << seen.text;
    SendKey(window, FL_Escape, "\033");
}

// Runs a command with its standard input or output on a pipe; keeps FLTK
// answering selection requests while it runs.
bool RunWithPipe(const char* const* argv, const std::string* input, std::string* output) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input) {
        posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
        // xclip -i stays behind to serve the selection: it must not hold the
        // test runner's output pipes open.
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    }
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr,
                                     const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (input) {
        close(fds[0]);
        const ssize_t written = write(fds[1], input->data(), input->size());
        close(fds[1]);
        if (written != static_cast<ssize_t>(input->size())) return false;
    } else {
        close(fds[1]);
        fcntl(fds[0], F_SETFL, O_NONBLOCK);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int status = 0;
    bool exited = false;
    while (std::chrono::steady_clock::now() < deadline) {
        Fl::wait(0.01);
        if (!input) {
            char chunk[4096];
            ssize_t count;
            while ((count = read(fds[0], chunk, sizeof chunk)) > 0) {
                output->append(chunk, static_cast<size_t>(count));
            }
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            break;
        }
    }
    if (!input) {
        char chunk[4096];
        ssize_t count;
        while ((count = read(fds[0], chunk, sizeof chunk)) > 0) {
            output->append(chunk, static_cast<size_t>(count));
        }
        close(fds[0]);
    }
    if (!exited) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::string WindowTest::DataHome() {
    static std::string home;
    if (home.empty()) {
        char pattern[] = "/tmp/ordavel-fltk-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        home = made ? made : "/tmp";
        setenv("XDG_DATA_HOME", home.c_str(), 1);
    }
    return home;
}

void WindowTest::SetUp() {
    DataHome();
    if (!OpenDisplay()) GTEST_SKIP() << "no X display";
    ASSERT_NE(CreateMainWindow(CurrentTool()), nullptr);
    Fl::add_timeout(0.25, DeclineUnexpectedBoxes);
    // Wait for the window to be mapped and drawn once.
    for (int i = 0; i < 100 && !window().visible(); ++i) Pump(0.02);
    Pump(0.1);
}

void WindowTest::TearDown() {
    Fl::remove_timeout(DeclineUnexpectedBoxes);
    DestroyMainWindow();
    Pump(0.05);
}

void WindowTest::Pump(double seconds) {
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::microseconds(static_cast<int64_t>(seconds * 1e6));
    do {
        Fl::wait(0.01);
    } while (std::chrono::steady_clock::now() < end);
    Fl::flush();
}

int WindowTest::PressKey(int key, int state) {
    static char enterText[] = "\r";
    static char tabText[] = "\t";
    static char spaceText[] = " ";
    static char noText[] = "";
    Fl::e_keysym = key;
    Fl::e_state = state;
    Fl::e_text = key == FL_Enter || key == FL_KP_Enter ? enterText
                 : key == FL_Tab                        ? tabText
                 : key == ' '                           ? spaceText
                                                        : noText;
    Fl::e_length = static_cast<int>(std::strlen(Fl::e_text));
    const int used = Fl::handle(FL_KEYBOARD, Front().window);
    Fl::e_text = noText;
    Fl::e_length = 0;
    return used;
}

void WindowTest::TypeText(const char* text) {
    for (; *text != 0; ++text) {
        const char one[2] = {*text, 0};
        SendKey(Front().window, static_cast<unsigned char>(*text), one);
    }
}

void WindowTest::TypeInto(int32_t row, const char* utf8) {
    ui::FocusControl(Front().state, row);
    TypeText(utf8);
}

void WindowTest::EnterInputs(const char* weight, const char* potassium) {
    TypeInto(0, weight);
    TypeInto(1, potassium);
}

void WindowTest::Press(Fl_Widget& widget) {
    Fl::e_x = widget.x() + widget.w() / 2;
    Fl::e_y = widget.y() + widget.h() / 2;
    Fl::e_x_root = window().x() + Fl::e_x;
    Fl::e_y_root = window().y() + Fl::e_y;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = FL_BUTTON1;
    Fl::e_clicks = 0;
    Fl::e_is_click = 1;
    Fl::handle(FL_PUSH, Front().window);
}

void WindowTest::Release() {
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    Fl::e_state = 0;
    Fl::handle(FL_RELEASE, Front().window);
}

void WindowTest::Click(Fl_Widget& widget) {
    Press(widget);
    Release();
}

std::vector<SeenMessage> WindowTest::WithMessages(const std::function<void()>& action,
                                                  int answerKey) {
    std::vector<SeenMessage> seen;
    gSeen = &seen;
    gAnswerKey = answerKey;
    Fl::add_timeout(0.1, CloseMessages);
    action();
    Fl::remove_timeout(CloseMessages);
    gSeen = nullptr;
    gAnswerKey = 0;
    Pump(0.05);
    return seen;
}

std::string WindowTest::Status() const { return tarn::testing::Utf8(Front().state.statusLine); }

std::string WindowTest::InputText(int32_t row) const {
    return Front().inputEdits[row]->value();
}

void WindowTest::SetInputText(int32_t row, const char* utf8) {
    Front().inputEdits[row]->value(utf8);
}

std::string WindowTest::ResultText() {
    char* text = Front().resultBox->Text().text();
    std::string copy = text;
    std::free(text);
    return copy;
}

std::string WindowTest::VerdictText() const { return Front().verdictLine->Text(); }

uint32_t WindowTest::PixelAt(int x, int y) {
    Pump(0.02);
    window().make_current();
    uchar* pixel = fl_read_image(nullptr, x, y, 1, 1);
    if (!pixel) return 0xFFFFFFFFu;
    const uint32_t colour = (static_cast<uint32_t>(pixel[0]) << 16) |
                            (static_cast<uint32_t>(pixel[1]) << 8) | pixel[2];
    delete[] pixel;
    return colour;
}

int WindowTest::CountColour(int x, int y, int width, int height, uint32_t colour) {
    Pump(0.02);
    window().make_current();
    uchar* pixels = fl_read_image(nullptr, x, y, width, height);
    if (!pixels) return -1;
    int count = 0;
    for (int i = 0; i < width * height; ++i) {
        const uint32_t here = (static_cast<uint32_t>(pixels[3 * i]) << 16) |
                              (static_cast<uint32_t>(pixels[3 * i + 1]) << 8) | pixels[3 * i + 2];
        if (here == colour) ++count;
    }
    delete[] pixels;
    return count;
}

int WindowTest::ClosestTo(int x, int y, int width, int height, uint32_t colour) {
    Pump(0.02);
    window().make_current();
    uchar* pixels = fl_read_image(nullptr, x, y, width, height);
    if (!pixels) return 256;
    const int want[3] = {static_cast<int>(colour >> 16), static_cast<int>((colour >> 8) & 0xFF),
                         static_cast<int>(colour & 0xFF)};
    int closest = 256;
    for (int i = 0; i < width * height; ++i) {
        int distance = 0;
        for (int channel = 0; channel < 3; ++channel) {
            const int difference = pixels[3 * i + channel] - want[channel];
            distance = std::max(distance, difference < 0 ? -difference : difference);
        }
        closest = std::min(closest, distance);
    }
    delete[] pixels;
    return closest;
}

std::optional<std::string> WindowTest::ReadClipboard() {
    const char* argv[] = {"xclip", "-selection", "clipboard", "-o", nullptr};
    std::string text;
    if (!RunWithPipe(argv, nullptr, &text)) return std::nullopt;
    return text;
}

bool WindowTest::OfferClipboard(const std::string& text) {
    // xclip leaves a child behind that serves one request, then ends.
    const char* argv[] = {"xclip", "-selection", "clipboard", "-i", "-loops", "1", nullptr};
    return RunWithPipe(argv, &text, nullptr);
}

}  // namespace tarn::fltk::test
