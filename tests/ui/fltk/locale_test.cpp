// The window under a German locale: FLTK sets the character type from the
// environment, but numbers must keep "." as the decimal point.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/ui/fltk/window_fixture.h"

namespace tarn::fltk::test {
namespace {

constexpr char kGerman[] = "de_DE.UTF-8";

// Builds the German locale into a private folder when the system has none.
bool MakeGermanLocaleAvailable() {
    if (std::setlocale(LC_NUMERIC, kGerman)) {
        std::setlocale(LC_NUMERIC, "C");
        return true;
    }
    char pattern[] = "/tmp/ordavel-locale-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (!folder) return false;
    const std::string command = std::string("localedef -i de_DE -f UTF-8 ") + folder + "/" +
                                kGerman + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    setenv("LOCPATH", folder, 1);
    if (!std::setlocale(LC_NUMERIC, kGerman)) return false;
    std::setlocale(LC_NUMERIC, "C");
    return true;
}

class GermanLocaleTest : public WindowTest {
protected:
    void SetUp() override {
        if (!MakeGermanLocaleAvailable()) GTEST_SKIP() << "no German locale can be made";
        // The test itself proves that the locale would change the numbers.
        std::setlocale(LC_NUMERIC, kGerman);
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 6.8);
        std::setlocale(LC_NUMERIC, "C");
        ASSERT_STREQ(text, "6,8");
        setenv("LC_ALL", kGerman, 1);
        WindowTest::SetUp();
    }
};

TEST_F(GermanLocaleTest, NumbersKeepTheDecimalPoint) {
    // FLTK took the character type from the environment and nothing else.
    EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), kGerman);
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(InputText(0), "60");
    EXPECT_EQ(InputText(1), "6.8");
    EnterInputs("70.4", "6.8");
    PressKey(FL_F + 5);
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(ResultText(),
              "10% 葡萄糖酸钙：20.0 ml\n胰岛素：7.0 U\n葡萄糖：35.2 g\n50% 葡萄糖：70.4 ml\n");
    EXPECT_EQ(front().state.currentLevel, 3);
}

}  // namespace
}  // namespace tarn::fltk::test
