// The raw command line on Linux: argv joined by blanks, an argument that
// holds a blank or is empty put in double quotes, so that a reader that
// splits at blanks outside quotes finds the same arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace tarn::platform {
namespace {

TEST(PlatformCommandLine, JoinsArgumentsQuotingBlanksAndEmptyOnes) {
    const struct {
        std::vector<std::string> arguments;
        std::u16string line;
    } cases[] = {
        {{"ordavel"}, u"ordavel"},
        {{"ordavel", "--report", "8", "7.0"}, u"ordavel --report 8 7.0"},
        {{"ordavel", "--report", "", "7"}, u"ordavel --report \"\" 7"},
        {{"/opt/my tools/ordavel", "--selftest", "my report.txt"},
         u"\"/opt/my tools/ordavel\" --selftest \"my report.txt\""},
        {{"ordavel", "血钾", "６.８"}, u"ordavel 血钾 ６.８"},
    };
    for (const auto& c : cases) {
        std::vector<char*> pointers;
        for (const std::string& argument : c.arguments)
            pointers.push_back(const_cast<char*>(argument.c_str()));
        RememberArguments(static_cast<int>(pointers.size()), pointers.data());
        EXPECT_EQ(std::u16string(RawCommandLine()), c.line);
    }
}

}  // namespace
}  // namespace tarn::platform
