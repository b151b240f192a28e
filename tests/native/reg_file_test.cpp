#include "store/RegFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mereth {
namespace {

std::vector<std::uint8_t> FileOf(std::u16string_view text, bool bom = true) {
    std::vector<std::uint8_t> file;
    if (bom) {
        file = {0xFF, 0xFE};
    }
    for (char16_t c : text) {
        file.push_back(static_cast<std::uint8_t>(c & 0xFF));
        file.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return file;
}

#define HEAD u"Windows Registry Editor Version 5.00\r\n\r\n"
#define ROOT u"[HKEY_CURRENT_USER\\Software\\Brambleway\\Mereth"
#define VERSION ROOT u"\\Version]\r\n\"Version Number\"=dword:00000003\r\n\r\n"

struct FileCase {
    const char* what;
    std::u16string text;
    const char* refusal;     // null: accepted
    std::u16string key = {}; // accepted: this value is read as these bytes
    std::u16string name = {};
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data = {};
};

TEST(RegFile, ReadsWhatTheStoreWritesAndRefusesAnythingElse) {
    std::u16string manyValues = HEAD VERSION ROOT u"]\r\n";
    for (std::size_t i = 0; i <= REG_MAX_VALUES; ++i) {
        const std::string name = std::to_string(i);
        manyValues += u"\"" + std::u16string(name.begin(), name.end()) + u"\"=\"\"\r\n";
    }
    const FileCase cases[] = {
        {"escapes",
         HEAD VERSION ROOT u"\\General]\r\n\"a \\\"b\\\"\"=\"C:\\\\x \\\"y\\\" \u00a3\"\r\n\r\n",
         nullptr,
         u"General",
         u"a \"b\"",
         REG_TYPE_SZ,
         {'C', 0, ':', 0, '\\', 0, 'x', 0, ' ', 0, '"', 0, 'y', 0, '"', 0, ' ', 0, 0xA3, 0, 0, 0}},
        {"dword and default value",
         HEAD VERSION ROOT u"]\r\n@=dword:fffffffe\r\n",
         nullptr,
         u"",
         u"",
         REG_TYPE_DWORD,
         {0xFE, 0xFF, 0xFF, 0xFF}},
        {"text as hex, over continued lines",
         HEAD VERSION ROOT u"\\General]\r\n\"T\"=hex(1):41,00,\\\r\n  42,00,\\\n\t00,00\r\n",
         nullptr,
         u"General",
         u"T",
         REG_TYPE_SZ,
         {'A', 0, 'B', 0, 0, 0}},
        {"LF line ends and a comment",
         u"Windows Registry Editor Version 5.00\n; saved\n" ROOT u"\\Version]\n\"Version "
         u"Number\"=dword:1\n",
         nullptr,
         u"Version",
         u"Version Number",
         REG_TYPE_DWORD,
         {1, 0, 0, 0}},
        {"foreign key", HEAD VERSION u"[HKEY_CURRENT_USER\\Software\\Microsoft]\r\n",
         "a key is outside Mereth's settings"},
        {"sibling key with our name as prefix", HEAD VERSION ROOT u"Evil]\r\n",
         "a key is outside Mereth's settings"},
        {"deleted key", HEAD VERSION u"[-HKEY_CURRENT_USER\\Software\\Brambleway\\Mereth]\r\n",
         "the file deletes a key"},
        {"deleted value", HEAD VERSION ROOT u"\\General]\r\n\"X\"=-\r\n",
         "the file deletes a value"},
        {"binary value", HEAD VERSION ROOT u"]\r\n\"B\"=hex:01,02\r\n",
         "a value is of a type Mereth does not store"},
        {"expandable text", HEAD VERSION ROOT u"]\r\n\"E\"=hex(2):41,00,00,00\r\n",
         "a value is of a type Mereth does not store"},
        {"huge text", HEAD VERSION ROOT u"]\r\n\"S\"=\"" + std::u16string(3000, u'x') + u"\"\r\n",
         "a text is too long"},
        {"too many values", manyValues, "a key has too many values"},
        {"too deep", HEAD ROOT u"\\1\\2\\3\\4\\5\\6\\7\\8\\9]\r\n", "the keys go too deep"},
        {"empty key part", HEAD ROOT u"\\a\\\\b]\r\n", "a key name is damaged or too long"},
        {"unknown escape", HEAD VERSION ROOT u"]\r\n\"S\"=\"a\\nb\"\r\n",
         "a text has an unknown escape"},
        {"garbage line", HEAD VERSION ROOT u"]\r\nrm -rf /\r\n", "a line is not a key or a value"},
        {"value before a key", HEAD u"\"S\"=\"x\"\r\n" VERSION, "a value comes before any key"},
        {"nine-digit number", HEAD ROOT u"]\r\n\"N\"=dword:123456789\r\n", "a number is damaged"},
        {"bad byte", HEAD ROOT u"]\r\n\"N\"=hex:01,xyz\r\n", "a list of bytes is damaged"},
        {"cut inside a continued list", HEAD VERSION ROOT u"]\r\n\"T\"=hex(1):41,00,\\\r\n",
         "the file ends inside a value"},
        {"cut inside a line", HEAD VERSION ROOT u"]\r\n\"S\"=\"abc", "the file is cut short"},
        {"cut inside a text", HEAD VERSION ROOT u"]\r\n\"S\"=\"abc\r\n", "a text is not closed"},
        {"old header", u"REGEDIT4\r\n\r\n" VERSION, "the file is not a registration file"},
        {"no version", HEAD ROOT u"\\General]\r\n\"S\"=\"x\"\r\n",
         "the file holds no settings of Mereth"},
        {"newer version", HEAD ROOT u"\\Version]\r\n\"Version Number\"=dword:00000004\r\n",
         "the settings are of a version this Mereth cannot read"},
        {"NUL inside", HEAD VERSION + std::u16string(1, u'\0') + u"\r\n",
         "the file holds NUL characters"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        RegTree tree;
        RegFileProblem problem;
        const bool read = ReadStoreFile(FileOf(c.text), 3, tree, problem);
        if (c.refusal != nullptr) {
            EXPECT_FALSE(read);
            EXPECT_STREQ(problem.reason, c.refusal);
            EXPECT_TRUE(tree.empty());
            continue;
        }
        ASSERT_TRUE(read) << problem.line << ": " << problem.reason;
        const RegValue* found = nullptr;
        for (const RegKey& key : tree) {
            for (const RegValue& value : key.values) {
                if (key.path == c.key && value.name == c.name) {
                    found = &value;
                }
            }
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->type, c.type);
        EXPECT_EQ(found->data, c.data);
    }

    RegTree tree;
    RegFileProblem problem;
    EXPECT_FALSE(ReadStoreFile(FileOf(HEAD VERSION, false), 3, tree, problem)) << "no BOM";
    std::vector<std::uint8_t> odd = FileOf(HEAD VERSION);
    odd.push_back('x');
    EXPECT_FALSE(ReadStoreFile(odd, 3, tree, problem)) << "odd length";
}

TEST(RegFile, WritesWhatItReadsBackToTheByte) {
    const RegTree tree = {
        {u"", {{u"", REG_TYPE_SZ, {'d', 0, 0, 0}}}},
        {u"General",
         {{u"Quote \"\\", REG_TYPE_SZ, {'"', 0, '\\', 0, 0xA3, 0, 0, 0}},
          {u"Two lines", REG_TYPE_SZ, {'a', 0, '\n', 0, 'b', 0, 0, 0}},
          {u"No end", REG_TYPE_SZ, {'a', 0}},
          {u"Long", REG_TYPE_BINARY, std::vector<std::uint8_t>(100, 0x5A)},
          {u"Short number", REG_TYPE_DWORD, {1, 2}},
          {u"Number", REG_TYPE_DWORD, {0x78, 0x56, 0x34, 0x12}}}},
        {u"Dialup Connections\\Work", {}},
    };
    const std::vector<std::uint8_t> file = WriteRegFile(tree);
    const std::u16string text(reinterpret_cast<const char16_t*>(file.data() + 2),
                              (file.size() - 2) / 2);
    EXPECT_NE(text.find(u"\"Number\"=dword:12345678\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"\"Quote \\\"\\\\\"=\"\\\"\\\\\u00a3\"\r\n"), std::u16string::npos);
    for (std::size_t start = 0, end; (end = text.find(u"\r\n", start)) != text.npos;
         start = end + 2) {
        EXPECT_LE(end - start, 80u) << "regedit's lines stay within 80 columns";
    }

    RegTree read;
    RegFileProblem problem;
    ASSERT_TRUE(ParseRegFile(file, read, problem)) << problem.line << ": " << problem.reason;
    ASSERT_EQ(read.size(), tree.size());
    for (std::size_t k = 0; k < tree.size(); ++k) {
        EXPECT_EQ(read[k].path, tree[k].path);
        ASSERT_EQ(read[k].values.size(), tree[k].values.size());
        for (std::size_t v = 0; v < tree[k].values.size(); ++v) {
            EXPECT_EQ(read[k].values[v].name, tree[k].values[v].name);
            EXPECT_EQ(read[k].values[v].type, tree[k].values[v].type);
            EXPECT_EQ(read[k].values[v].data, tree[k].values[v].data);
        }
    }
}

} // namespace
} // namespace mereth
