#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace mereth {

// Text held inside the record by value, so the model never touches the heap.
// Longer input is cut at the capacity, never overrun.
template <std::size_t Capacity> class CFixedString {
public:
    CFixedString() = default;
    CFixedString(std::string_view text) { Assign(text); }

    CFixedString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }

    void Assign(std::string_view text) {
        m_length = text.size() < Capacity ? text.size() : Capacity;
        if (m_length > 0) { // an empty view may carry no pointer at all
            std::memmove(m_text, text.data(), m_length);
        }
        m_text[m_length] = '\0';
    }

    const char* c_str() const { return m_text; }
    std::size_t size() const { return m_length; }
    bool empty() const { return m_length == 0; }
    std::string_view view() const { return {m_text, m_length}; }
    operator std::string_view() const { return view(); }

    static constexpr std::size_t capacity() { return Capacity; }

    friend bool operator==(const CFixedString& a, std::string_view b) { return a.view() == b; }

private:
    std::size_t m_length = 0;
    char m_text[Capacity + 1] = {};
};

} // namespace mereth
