#include "store/RunCommand.h"

#include <gtest/gtest.h>

namespace mereth {
namespace {

// Case is the file system's business (the Wine test has it); here the path is found.
TEST(RunCommand, StartsTheProgramQuotedOrBareWithArgumentsIgnored) {
    const PathsEqual same = [](std::wstring_view a, std::wstring_view b) { return a == b; };
    const std::wstring_view path = L"C:\\A B\\Mereth.exe";
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"  \"C:\\A B\\Mereth.exe\" /hidden", true},
        {L"\"C:\\A B\\Mereth.exe", true}, // unclosed: the rest is the path
        {L"C:\\A B\\Mereth.exe\t-x", true},
        {L"C:\\A B\\Mereth.exe2", false},
        {L"\"C:\\A B\\Mereth.exe \"", false},
        {L"", false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(CommandStartsProgram(cases[i].first, path, same), cases[i].second) << i;
    }
}

} // namespace
} // namespace mereth
