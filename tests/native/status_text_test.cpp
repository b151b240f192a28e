#include "ui/StatusText.h"

#include <gtest/gtest.h>

#include <string>

namespace mereth {
namespace {

TEST(StatusText, ChoiceAndTexts) {
    struct Case {
        bool connected;
        int record;
        RasConnState state;
        std::int32_t seconds;
        const char* expected;
    };
    const Case cases[] = {
        {true, 1, RASCS_Connected, 3725, "Mereth - Connected to Work (0:01:02:05)"},
        {true, 1, RASCS_Connected, 90061, "Mereth - Connected to Work (1:01:01:01)"},
        {true, 1, RASCS_Connected, 135, "Mereth - Connected to Work (0:00:02:15)"},
        {true, 1, RASCS_Authenticate, 20, "Mereth - Connecting to Work"},
        {true, 1, RASCS_AllDevicesConnected, 0, "Mereth - Connecting to Work"},
        {true, -1, RASCS_Connected, 20, "Mereth - Not Connected"},
        {false, 1, RASCS_Connected, 20, "Mereth - Not Connected"},
        {false, -1, RASCS_Disconnected, 0, "Mereth - Not Connected"},
    };
    StatusText text;
    for (const Case& c : cases) {
        FormatStatusText(ChooseStatus(c.connected, c.record, c.state), "Work", c.seconds, text);
        EXPECT_EQ(text, c.expected);
    }
}

TEST(StatusText, LongestEntryNameStaysWhole) {
    const std::string name(256, 'n');
    StatusText text;
    FormatStatusText(ConnectionStatus::Connected, name, INT32_MIN, text);
    EXPECT_EQ(text, "Mereth - Connected to " + name + " (-24855:03:14:08)");
    FormatStatusText(ConnectionStatus::Connecting, name, 0, text);
    EXPECT_EQ(text, "Mereth - Connecting to " + name);
}

bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0x9F; // as in code page 932
}

TEST(StatusText, TooltipCutOnACharacterBoundary) {
    struct Case {
        std::string text;
        std::size_t expected;
    };
    const std::string pair = "\x82\xA0";
    const Case cases[] = {
        {std::string(70, 'a'), 63},
        {std::string(63, 'a'), 63},
        {std::string(10, 'a'), 10},
        {"", 0},
        {std::string(62, 'a') + pair, 62},       // the pair would end past the limit
        {std::string(61, 'a') + pair + "b", 63}, // the pair ends right at it
        {std::string(60, 'a') + pair + pair, 62},
        {std::string(5, 'a') + "\x82", 6}, // a lone lead byte at the end is kept
    };
    TooltipText tip;
    for (const Case& c : cases) {
        EXPECT_EQ(TooltipLength(c.text, IsLeadByte), c.expected) << c.text.size();
        CutTooltip(c.text, IsLeadByte, tip);
        EXPECT_EQ(tip, std::string_view(c.text).substr(0, c.expected));
    }
    EXPECT_EQ(TooltipLength(std::string(62, 'a') + pair, nullptr), 63u);
}

} // namespace
} // namespace mereth
