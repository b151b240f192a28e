#include "ui/StatusText.h"

#include "log/ConnectionLogFormat.h"
#include "ui/UserTexts.h"

namespace mereth {

ConnectionStatus ChooseStatus(bool connected, int record, RasConnState state) {
    if (!connected || record < 0) {
        return ConnectionStatus::NotConnected;
    }
    return state == RASCS_Connected ? ConnectionStatus::Connected : ConnectionStatus::Connecting;
}

std::size_t FormatConnectedTime(std::int64_t seconds, char* out, std::size_t capacity) {
    // The same text as the duration of a log line.
    return FormatLogDuration(seconds, out, capacity);
}

void FormatStatusText(ConnectionStatus status, std::string_view entryName,
                      std::int32_t connectedSeconds, StatusText& out) {
    entryName = entryName.substr(0, EntryName::capacity());
    const int nameLength = static_cast<int>(entryName.size());
    switch (status) {
    case ConnectionStatus::Connected: {
        char time[32];
        std::size_t length = FormatConnectedTime(connectedSeconds, time, sizeof time);
        out.Format(STATUS_CONNECTED, nameLength, entryName.data(), static_cast<int>(length), time);
        break;
    }
    case ConnectionStatus::Connecting:
        out.Format(STATUS_CONNECTING, nameLength, entryName.data());
        break;
    case ConnectionStatus::NotConnected:
        out.Assign(STATUS_NOT_CONNECTED);
        break;
    }
}

std::size_t TooltipLength(std::string_view text, LeadBytePredicate isLeadByte) {
    std::size_t length = 0;
    while (length < text.size()) {
        std::size_t step = 1;
        if (isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(text[length])) &&
            length + 1 < text.size()) {
            step = 2;
        }
        if (length + step > TOOLTIP_MAX_LENGTH) {
            break;
        }
        length += step;
    }
    return length;
}

void CutTooltip(std::string_view text, LeadBytePredicate isLeadByte, TooltipText& out) {
    out.Assign(text.substr(0, TooltipLength(text, isLeadByte)));
}

} // namespace mereth
