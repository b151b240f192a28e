#include "store/RegFile.h"

#include <string_view>

namespace mereth {

namespace {

constexpr std::u16string_view HEADER = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view VERSION_KEY = u"Version";
constexpr std::u16string_view VERSION_NUMBER = u"Version Number";
// regedit breaks hex lists before this column.
constexpr std::size_t HEX_LINE_WIDTH = 76;

void Append(std::u16string& out, std::string_view ascii) {
    out.append(ascii.begin(), ascii.end());
}

void AppendHex(std::u16string& out, std::uint32_t value, int digits) {
    constexpr char DIGITS[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += static_cast<char16_t>(DIGITS[(value >> shift) & 0xF]);
    }
}

void AppendQuoted(std::u16string& out, std::u16string_view text) {
    out += u'"';
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"') {
            out += u'\\';
        }
        out += c;
    }
    out += u'"';
}

std::u16string_view TextOf(const std::vector<std::uint8_t>& data, std::u16string& buffer) {
    buffer.clear();
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        buffer += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    return buffer;
}

// A text that reads back as the same bytes from between quotes: whole characters,
// one NUL at the end, no line break.
bool IsPlainText(const RegValue& value, std::u16string& buffer) {
    if (value.type != REG_TYPE_SZ || value.data.size() < 2 || value.data.size() % 2 != 0) {
        return false;
    }
    std::u16string_view text = TextOf(value.data, buffer);
    if (text.back() != u'\0') {
        return false;
    }
    text.remove_suffix(1);
    return text.find_first_of(std::u16string_view(u"\0\r\n", 3)) == std::u16string_view::npos;
}

void AppendValue(std::u16string& out, const RegValue& value) {
    std::u16string line;
    if (value.name.empty()) {
        line += u'@';
    } else {
        AppendQuoted(line, value.name);
    }
    line += u'=';
    std::u16string text;
    if (IsPlainText(value, text)) {
        AppendQuoted(line, std::u16string_view(text).substr(0, text.size() - 1));
    } else if (value.type == REG_TYPE_DWORD && value.data.size() == 4) {
        Append(line, "dword:");
        AppendHex(line,
                  value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                      static_cast<std::uint32_t>(value.data[3]) << 24,
                  8);
    } else {
        if (value.type == REG_TYPE_BINARY) {
            Append(line, "hex:");
        } else {
            Append(line, "hex(");
            std::u16string digits;
            AppendHex(digits, value.type, 8);
            const auto first = digits.find_first_not_of(u'0');
            line += first == std::u16string::npos ? u"0" : digits.substr(first);
            Append(line, "):");
        }
        std::size_t column = line.size();
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            AppendHex(line, value.data[i], 2);
            column += 2;
            if (i + 1 < value.data.size()) {
                line += u',';
                ++column;
                if (column > HEX_LINE_WIDTH) {
                    Append(line, "\\\r\n  ");
                    column = 2;
                }
            }
        }
    }
    out += line;
    Append(out, "\r\n");
}

bool Refuse(RegFileProblem& problem, int line, const char* reason) {
    problem.line = line;
    problem.reason = reason;
    return false;
}

char16_t Folded(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Folded(a[i]) != Folded(b[i])) {
            return false;
        }
    }
    return true;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (Folded(c) >= u'A' && Folded(c) <= u'F') {
        return Folded(c) - u'A' + 10;
    }
    return -1;
}

// Up to maxDigits hex digits at the front of text, at least one; advances past them.
bool ReadHexNumber(std::u16string_view& text, int maxDigits, std::uint32_t& number) {
    number = 0;
    int count = 0;
    while (!text.empty() && HexDigit(text.front()) >= 0) {
        if (++count > maxDigits) {
            return false;
        }
        number = number << 4 | static_cast<std::uint32_t>(HexDigit(text.front()));
        text.remove_prefix(1);
    }
    return count > 0;
}

void TrimFront(std::u16string_view& text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
}

void TrimBack(std::u16string_view& text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
}

// A quoted text at the front of text, with regedit's two escapes; advances past it.
bool ReadQuoted(std::u16string_view& text, std::u16string& out, const char*& reason) {
    out.clear();
    reason = "a text is not closed";
    if (text.empty() || text.front() != u'"') {
        reason = "a line is not a key or a value";
        return false;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'"') {
            text.remove_prefix(i + 1);
            return true;
        }
        if (c == u'\\') {
            if (i + 1 >= text.size() || (text[i + 1] != u'\\' && text[i + 1] != u'"')) {
                reason = "a text has an unknown escape";
                return false;
            }
            c = text[++i];
        }
        out += c;
    }
    return false;
}

class CLineReader {
public:
    explicit CLineReader(std::u16string_view text) : m_text(text) {}

    // The next line without its end; false at the end of the file or on a last line
    // without an end, which only a cut file has.
    bool Next(std::u16string_view& line) {
        const auto end = m_text.find(u'\n');
        if (end == std::u16string_view::npos) {
            m_truncated = !m_text.empty();
            return false;
        }
        line = m_text.substr(0, end);
        m_text.remove_prefix(end + 1);
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        ++m_number;
        return true;
    }
    int Number() const { return m_number; }
    bool Truncated() const { return m_truncated; }

private:
    std::u16string_view m_text;
    int m_number = 0;
    bool m_truncated = false;
};

bool ReadHexList(std::u16string_view text, CLineReader& lines, std::vector<std::uint8_t>& data,
                 std::u16string& joined, RegFileProblem& problem) {
    // A long list goes on over the next lines after a backslash.
    TrimBack(text);
    joined.assign(text);
    while (!joined.empty() && joined.back() == u'\\') {
        joined.pop_back();
        std::u16string_view next;
        if (!lines.Next(next)) {
            return Refuse(problem, lines.Number(), "the file ends inside a value");
        }
        TrimFront(next);
        TrimBack(next);
        joined.append(next);
        if (joined.size() > 4 * REG_MAX_DATA) {
            return Refuse(problem, lines.Number(), "a value is too long");
        }
    }
    std::u16string_view rest = joined;
    while (true) {
        TrimFront(rest);
        if (rest.empty()) {
            return true;
        }
        std::uint32_t byte = 0;
        if (!ReadHexNumber(rest, 2, byte)) {
            return Refuse(problem, lines.Number(), "a list of bytes is damaged");
        }
        data.push_back(static_cast<std::uint8_t>(byte));
        TrimFront(rest);
        if (rest.empty()) {
            return true;
        }
        if (rest.front() != u',') {
            return Refuse(problem, lines.Number(), "a list of bytes is damaged");
        }
        rest.remove_prefix(1);
    }
}

bool ReadValue(std::u16string_view line, CLineReader& lines, RegValue& value,
               std::u16string& scratch, RegFileProblem& problem) {
    const int number = lines.Number();
    const char* reason = "";
    if (line.front() == u'@') {
        line.remove_prefix(1);
    } else if (!ReadQuoted(line, value.name, reason)) {
        return Refuse(problem, number, reason);
    }
    if (value.name.size() > REG_MAX_NAME) {
        return Refuse(problem, number, "a value name is too long");
    }
    TrimFront(line);
    if (line.empty() || line.front() != u'=') {
        return Refuse(problem, number, "a line is not a key or a value");
    }
    line.remove_prefix(1);
    TrimFront(line);
    if (line == u"-") {
        return Refuse(problem, number, "the file deletes a value");
    }
    if (!line.empty() && line.front() == u'"') {
        if (!ReadQuoted(line, scratch, reason)) {
            return Refuse(problem, number, reason);
        }
        TrimBack(line);
        if (!line.empty()) {
            return Refuse(problem, number, "a line is not a key or a value");
        }
        if (scratch.size() > REG_MAX_TEXT) {
            return Refuse(problem, number, "a text is too long");
        }
        value.type = REG_TYPE_SZ;
        for (char16_t c : scratch) {
            value.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
            value.data.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        value.data.push_back(0);
        value.data.push_back(0);
        return true;
    }
    if (line.starts_with(u"dword:")) {
        line.remove_prefix(6);
        TrimBack(line);
        std::uint32_t number32 = 0;
        if (!ReadHexNumber(line, 8, number32) || !line.empty()) {
            return Refuse(problem, number, "a number is damaged");
        }
        value.type = REG_TYPE_DWORD;
        for (int i = 0; i < 4; ++i) {
            value.data.push_back(static_cast<std::uint8_t>(number32 >> (8 * i)));
        }
        return true;
    }
    if (line.starts_with(u"hex:")) {
        line.remove_prefix(4);
        value.type = REG_TYPE_BINARY;
    } else if (line.starts_with(u"hex(")) {
        line.remove_prefix(4);
        if (!ReadHexNumber(line, 8, value.type) || !line.starts_with(u"):")) {
            return Refuse(problem, number, "a value's type is damaged");
        }
        line.remove_prefix(2);
    } else {
        return Refuse(problem, number, "a line is not a key or a value");
    }
    if (!ReadHexList(line, lines, value.data, scratch, problem)) {
        return false;
    }
    if (value.data.size() > REG_MAX_DATA) {
        return Refuse(problem, number, "a value is too long");
    }
    return true;
}

// The part of a key line below the store's key; false for any other key.
bool ReadKeyPath(std::u16string_view line, std::u16string& path, const char*& reason) {
    reason = "a key is outside Mereth's settings";
    const std::u16string_view root = REG_STORE_ROOT;
    if (line.size() < root.size() || !SameName(line.substr(0, root.size()), root)) {
        return false;
    }
    line.remove_prefix(root.size());
    path.clear();
    if (line.empty()) {
        return true;
    }
    if (line.front() != u'\\') {
        return false;
    }
    line.remove_prefix(1);
    std::size_t depth = 0;
    while (true) {
        const auto end = line.find(u'\\');
        const std::u16string_view part = line.substr(0, end);
        reason = "a key name is damaged or too long";
        if (part.empty() || part.size() > REG_MAX_NAME || part == u"." || part == u"..") {
            return false;
        }
        for (char16_t c : part) {
            if (c < u' ') {
                return false;
            }
        }
        reason = "the keys go too deep";
        if (++depth > REG_MAX_DEPTH) {
            return false;
        }
        path.append(part);
        if (end == std::u16string_view::npos) {
            return true;
        }
        path += u'\\';
        line.remove_prefix(end + 1);
    }
}

} // namespace

std::vector<std::uint8_t> WriteRegFile(const RegTree& tree) {
    std::u16string text;
    text.append(HEADER);
    Append(text, "\r\n\r\n");
    for (const RegKey& key : tree) {
        text += u'[';
        text.append(REG_STORE_ROOT);
        if (!key.path.empty()) {
            text += u'\\';
            text.append(key.path);
        }
        Append(text, "]\r\n");
        for (const RegValue& value : key.values) {
            AppendValue(text, value);
        }
        Append(text, "\r\n");
    }
    std::vector<std::uint8_t> file{0xFF, 0xFE};
    file.reserve(2 + text.size() * 2);
    for (char16_t c : text) {
        file.push_back(static_cast<std::uint8_t>(c & 0xFF));
        file.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return file;
}

bool ParseRegFile(const std::vector<std::uint8_t>& file, RegTree& tree, RegFileProblem& problem) {
    tree.clear();
    if (file.size() > REG_MAX_FILE_BYTES) {
        return Refuse(problem, 0, "the file is too large");
    }
    if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xFE) {
        return Refuse(problem, 0, "the file is not a registration file");
    }
    if (file.size() % 2 != 0) {
        return Refuse(problem, 0, "the file is cut short");
    }
    std::u16string text;
    text.reserve(file.size() / 2);
    for (std::size_t i = 2; i < file.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(file[i] | file[i + 1] << 8);
        if (c == u'\0') {
            return Refuse(problem, 0, "the file holds NUL characters");
        }
        text += c;
    }

    CLineReader lines(text);
    std::u16string_view line;
    if (!lines.Next(line) || line != HEADER) {
        tree.clear();
        return Refuse(problem, 1, "the file is not a registration file");
    }
    std::u16string scratch;
    std::u16string path;
    RegKey* current = nullptr;
    while (lines.Next(line)) {
        TrimFront(line);
        if (line.empty() || line.front() == u';') {
            continue;
        }
        bool ok = true;
        const char* reason = "";
        if (line.front() == u'[') {
            TrimBack(line);
            if (line.starts_with(u"[-")) {
                ok = Refuse(problem, lines.Number(), "the file deletes a key");
            } else if (line.back() != u']') {
                ok = Refuse(problem, lines.Number(), "a key line is damaged");
            } else if (!ReadKeyPath(line.substr(1, line.size() - 2), path, reason)) {
                ok = Refuse(problem, lines.Number(), reason);
            } else {
                current = nullptr;
                for (RegKey& key : tree) {
                    if (SameName(key.path, path)) {
                        current = &key; // regedit merges a key named twice
                    }
                }
                if (current == nullptr && tree.size() >= REG_MAX_KEYS) {
                    ok = Refuse(problem, lines.Number(), "the file has too many keys");
                } else if (current == nullptr) {
                    current = &tree.emplace_back(RegKey{path, {}});
                }
            }
        } else if (current == nullptr) {
            ok = Refuse(problem, lines.Number(), "a value comes before any key");
        } else {
            RegValue value;
            ok = ReadValue(line, lines, value, scratch, problem);
            if (ok) {
                std::erase_if(current->values,
                              [&](const RegValue& old) { return SameName(old.name, value.name); });
                if (current->values.size() >= REG_MAX_VALUES) {
                    ok = Refuse(problem, lines.Number(), "a key has too many values");
                } else {
                    current->values.push_back(std::move(value));
                }
            }
        }
        if (!ok) {
            tree.clear();
            return false;
        }
    }
    if (lines.Truncated()) {
        tree.clear();
        return Refuse(problem, lines.Number() + 1, "the file is cut short");
    }
    return true;
}

bool CheckStoreTree(const RegTree& tree, std::uint32_t maxVersion, RegFileProblem& problem) {
    bool versioned = false;
    for (const RegKey& key : tree) {
        for (const RegValue& value : key.values) {
            const bool text = value.type == REG_TYPE_SZ && value.data.size() >= 2 &&
                              value.data.size() % 2 == 0 && value.data.end()[-1] == 0 &&
                              value.data.end()[-2] == 0;
            const bool dword = value.type == REG_TYPE_DWORD && value.data.size() == 4;
            if (!text && !dword) {
                return Refuse(problem, 0, "a value is of a type Mereth does not store");
            }
            if (dword && SameName(key.path, VERSION_KEY) && SameName(value.name, VERSION_NUMBER)) {
                const std::uint32_t version = value.data[0] | value.data[1] << 8 |
                                              value.data[2] << 16 |
                                              static_cast<std::uint32_t>(value.data[3]) << 24;
                if (version == 0 || version > maxVersion) {
                    return Refuse(problem, 0,
                                  "the settings are of a version this Mereth cannot read");
                }
                versioned = true;
            }
        }
    }
    if (!versioned) {
        return Refuse(problem, 0, "the file holds no settings of Mereth");
    }
    return true;
}

bool ReadStoreFile(const std::vector<std::uint8_t>& file, std::uint32_t maxVersion, RegTree& tree,
                   RegFileProblem& problem) {
    if (ParseRegFile(file, tree, problem) && CheckStoreTree(tree, maxVersion, problem)) {
        return true;
    }
    tree.clear();
    return false;
}

} // namespace mereth
