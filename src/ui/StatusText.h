#pragma once

#include "accounting/ConnectionStats.h"
#include "ras/RasService.h"
#include "ui/TextBuffer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mereth {

// "Mereth - Connected to " with a whole entry name, " (", the longest connected time
// and ")".
constexpr std::size_t STATUS_TEXT_CAPACITY = 320;
using StatusText = CTextBuffer<STATUS_TEXT_CAPACITY>;

// The notification area shows at most this many bytes of a tip.
constexpr std::size_t TOOLTIP_MAX_LENGTH = 63;
using TooltipText = CTextBuffer<TOOLTIP_MAX_LENGTH>;

enum class ConnectionStatus { NotConnected, Connecting, Connected };

// Which status the title and the tip tell: connected only once the watched record's
// connection reports itself connected.
ConnectionStatus ChooseStatus(bool connected, int record, RasConnState state);

// The connected time as days:hh:mm:ss (3725 s is 0:01:02:05).
std::size_t FormatConnectedTime(std::int64_t seconds, char* out, std::size_t capacity);

// The title and tip text; the entry name is kept whole.
void FormatStatusText(ConnectionStatus status, std::string_view entryName,
                      std::int32_t connectedSeconds, StatusText& out);

// Tells whether a byte opens a double-byte character in the user's code page.
using LeadBytePredicate = bool (*)(unsigned char);

// The length of the longest start of text that fits a tip and ends on a character
// boundary: a lead byte at the edge is left out with its trail byte.
std::size_t TooltipLength(std::string_view text, LeadBytePredicate isLeadByte);

void CutTooltip(std::string_view text, LeadBytePredicate isLeadByte, TooltipText& out);

} // namespace mereth
