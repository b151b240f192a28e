#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace mereth {

// A window text formatted in place. Every caller sizes it for the longest text it can
// get, so a cut only guards against a locale gone wrong; a failed format leaves it
// empty, never with the previous contents.
template <std::size_t Capacity> class CTextBuffer {
public:
    static constexpr std::size_t capacity() { return Capacity; }

    const char* c_str() const { return m_text; }
    std::size_t size() const { return m_length; }
    bool empty() const { return m_length == 0; }
    std::string_view view() const { return {m_text, m_length}; }
    operator std::string_view() const { return view(); }

    void Clear() { SetLength(0); }

    void Assign(std::string_view text) {
        Clear();
        Append(text);
    }

    void Append(std::string_view text) {
        std::size_t room = Capacity - m_length;
        std::size_t n = text.size() < room ? text.size() : room;
        if (n > 0) {
            std::memmove(m_text + m_length, text.data(), n);
        }
        SetLength(m_length + n);
    }

    [[gnu::format(printf, 2, 3)]] void Format(const char* format, ...) {
        va_list args;
        va_start(args, format);
        int n = std::vsnprintf(m_text, Capacity + 1, format, args);
        va_end(args);
        SetLength(n < 0 ? 0 : static_cast<std::size_t>(n));
    }

    // For writers that fill the buffer themselves (up to capacity() characters).
    char* data() { return m_text; }
    void SetLength(std::size_t length) {
        m_length = length < Capacity ? length : Capacity;
        m_text[m_length] = '\0';
    }

    friend bool operator==(const CTextBuffer& a, std::string_view b) { return a.view() == b; }

private:
    std::size_t m_length = 0;
    char m_text[Capacity + 1] = {};
};

} // namespace mereth
