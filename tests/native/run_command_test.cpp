#include "store/RunCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

namespace mereth {
namespace {

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

TEST(RunCommand, StartsTheProgramQuotedOrBareWithArgumentsIgnored) {
    const std::wstring_view path = L"C:\\Users\\A B\\Mereth.exe";
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"  \"c:\\users\\a b\\MERETH.exe\" /hidden", true},
        {L"\"C:\\Users\\A B\\Mereth.exe", true}, // unclosed: the rest is the path
        {L"C:\\Users\\A B\\Mereth.exe\t-x", true},
        {L"C:\\Users\\A B\\Mereth.exe2", false},
        {L"C:\\Users\\A B\\Mereth.ex", false},
        {L"\"C:\\Users\\A B\\Mereth.exe \"", false},
        {L"\"C:\\Old\\Mereth.exe\"", false},
        {L"", false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(CommandStartsProgram(cases[i].first, path, SameIgnoringCase), cases[i].second)
            << "case " << i;
    }
    EXPECT_TRUE(CommandStartsProgram(StartCommand(path), path, SameIgnoringCase));
}

} // namespace
} // namespace mereth
