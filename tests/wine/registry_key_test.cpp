#include "store/win32/RegistryKey.h"

#include "StoreRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace mereth {
namespace {

using namespace test;

const std::string BASE_TIME = StorePath("Key Test");

bool HandleValid(HKEY key) {
    DWORD subKeys = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

DWORD ValueCount(const std::string& path) {
    HKEY key = nullptr;
    DWORD values = 0xFFFF;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
    }
    return values;
}

TEST(RegistryKey, CreateSaysWhetherItMadeTheKeyAndHoldsOnlyTheLastOne) {
    StoreCleaner cleaner;
    const std::string a = BASE_TIME + "\\A\\Deep";
    const std::string b = BASE_TIME + "\\B";

    CRegistryKey key;
    BOOL created = 7;
    EXPECT_EQ(key.Create(HKEY_CURRENT_USER, a.c_str(), &created), ERROR_SUCCESS);
    EXPECT_EQ(created, TRUE);
    EXPECT_EQ(key.SubKey(), a);
    EXPECT_TRUE(KeyExists(a));
    EXPECT_EQ(ValueCount(a), 0u);

    CRegistryKey again;
    created = 7;
    EXPECT_EQ(again.Create(HKEY_CURRENT_USER, a.c_str(), &created), ERROR_SUCCESS);
    EXPECT_EQ(created, FALSE);
    EXPECT_EQ(again.Create(HKEY_CURRENT_USER, a.c_str(), nullptr), ERROR_SUCCESS);

    // Opening B through the same object lets go of A first: A's handle is either no
    // longer valid or has been handed out again for B.
    HKEY first = key.Handle();
    ASSERT_TRUE(HandleValid(first));
    EXPECT_EQ(key.Create(HKEY_CURRENT_USER, b.c_str(), &created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    EXPECT_TRUE(key.Handle() == first || !HandleValid(first));
    EXPECT_EQ(key.SetDwordValue("Here", 1), ERROR_SUCCESS);
    EXPECT_TRUE(GetRaw(b, "Here").found);
    EXPECT_FALSE(GetRaw(a, "Here").found);
    CRegistryKey child; // opened under the key another object holds
    EXPECT_EQ(child.Create(key, "C", &created), ERROR_SUCCESS);
    EXPECT_TRUE(created && KeyExists(b + "\\C"));

    // A failed create holds nothing and says nothing was made.
    created = 7;
    EXPECT_NE(
        key.Create(HKEY_CURRENT_USER, (BASE_TIME + "\\" + std::string(300, 'n')).c_str(), &created),
        ERROR_SUCCESS);
    EXPECT_EQ(created, FALSE);
    EXPECT_EQ(key.Handle(), nullptr);
    created = 7;
    EXPECT_EQ(
        key.Create(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0xDEAD0)), "Software", &created),
        ERROR_INVALID_HANDLE);
    EXPECT_EQ(created, FALSE);
    EXPECT_EQ(key.Handle(), nullptr);
    EXPECT_EQ(key.SetDwordValue("Here", 2), ERROR_INVALID_HANDLE);
    created = 7;
    EXPECT_EQ(child.Create(key, "C", &created), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(created == FALSE && child.Handle() == nullptr);
}

TEST(RegistryKey, TextsUpTo199CharactersFitTheReader) {
    StoreCleaner cleaner;
    CRegistryKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, BASE_TIME.c_str()), ERROR_SUCCESS);

    const std::string text199(199, 'x');
    const std::string text200(200, 'y');
    EXPECT_EQ(key.SetStringValue("199", text199.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(key.SetStringValue("200", text200.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(GetRaw(BASE_TIME, "200").Bytes(), text200 + '\0');

    std::string text = "before";
    DWORD type = REG_NONE;
    EXPECT_EQ(key.QueryStringValue("199", text, &type), ERROR_SUCCESS);
    EXPECT_EQ(text, text199);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    text = "before";
    type = 99;
    EXPECT_EQ(key.QueryStringValue("200", text, &type), ERROR_MORE_DATA);
    EXPECT_EQ(text, "before");
    EXPECT_EQ(type, 99u);
    EXPECT_EQ(key.QueryStringValue("missing", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "before");

    // The empty text is one byte, the NUL.
    EXPECT_EQ(key.SetStringValue("empty", ""), ERROR_SUCCESS);
    RawValue empty = GetRaw(BASE_TIME, "empty");
    EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(empty.Bytes(), std::string(1, '\0'));
    EXPECT_EQ(key.QueryStringValue("empty", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "");

    // Two hundred bytes without a NUL still end where the data ends.
    ASSERT_TRUE(PutRaw(BASE_TIME, "no nul", REG_BINARY, text200.data(), 200));
    EXPECT_EQ(key.QueryStringValue("no nul", text, &type), ERROR_SUCCESS);
    EXPECT_EQ(text, text200);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    // And data with a NUL inside ends at the NUL.
    ASSERT_TRUE(PutRaw(BASE_TIME, "inner nul", REG_SZ, "ab\0cd", 6));
    EXPECT_EQ(key.QueryStringValue("inner nul", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "ab");
}

TEST(RegistryKey, DwordsOfAnyLengthNeverReadPastTheData) {
    StoreCleaner cleaner;
    CRegistryKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, BASE_TIME.c_str()), ERROR_SUCCESS);

    EXPECT_EQ(key.SetDwordValue("full", 0xDEADBEEF), ERROR_SUCCESS);
    RawValue raw = GetRaw(BASE_TIME, "full");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(raw.data.size(), 4u);

    DWORD value = 1;
    DWORD type = REG_NONE;
    EXPECT_EQ(key.QueryDwordValue("full", &value, &type), ERROR_SUCCESS);
    EXPECT_EQ(value, 0xDEADBEEFu);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

    // Shorter data is zero-extended, whatever the reader's variable held.
    const BYTE two[] = {0x34, 0x12};
    ASSERT_TRUE(PutRaw(BASE_TIME, "two", REG_DWORD, two, 2));
    value = 0xFFFFFFFF;
    EXPECT_EQ(key.QueryDwordValue("two", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x1234u);
    ASSERT_TRUE(PutRaw(BASE_TIME, "one", REG_DWORD, two, 1));
    EXPECT_EQ(key.QueryDwordValue("one", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x34u);
    ASSERT_TRUE(PutRaw(BASE_TIME, "none", REG_DWORD, two, 0));
    value = 0xFFFFFFFF;
    EXPECT_EQ(key.QueryDwordValue("none", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0u);

    // Longer data, or none at all, leaves it alone.
    const BYTE six[] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(PutRaw(BASE_TIME, "six", REG_BINARY, six, 6));
    value = 77;
    EXPECT_EQ(key.QueryDwordValue("six", &value), ERROR_MORE_DATA);
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(key.QueryDwordValue("missing", &value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, 77u);

    // The type is reported, not checked.
    ASSERT_TRUE(PutText(BASE_TIME, "text", "123"));
    EXPECT_EQ(key.QueryDwordValue("text", &value, &type), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x00333231u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // The binary pair reports the data's size.
    const BYTE three[] = {9, 8, 7};
    EXPECT_EQ(key.SetBinaryValue("bin", three, 3), ERROR_SUCCESS);
    EXPECT_EQ(GetRaw(BASE_TIME, "bin").type, static_cast<DWORD>(REG_BINARY));
    BYTE buffer[8] = {};
    DWORD size = sizeof buffer;
    EXPECT_EQ(key.QueryBinaryValue("bin", buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(buffer[2], 7);
    size = 2;
    EXPECT_EQ(key.QueryBinaryValue("bin", buffer, &size), ERROR_MORE_DATA);
}

TEST(RegistryKey, DeleteKeyRemovesAWholeTreeEvenWhileAPartIsOpen) {
    StoreCleaner cleaner;
    const std::string top = BASE_TIME + "\\Top";
    CRegistryKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, (top + "\\One\\Two").c_str()), ERROR_SUCCESS);
    EXPECT_EQ(key.SetStringValue("deep", "value"), ERROR_SUCCESS);
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, (top + "\\One\\Other").c_str()), ERROR_SUCCESS);
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, (top + "\\Side").c_str()), ERROR_SUCCESS);
    ASSERT_TRUE(PutDword(top, "own", 1));
    ASSERT_TRUE(PutDword(top + "\\One", "own", 2));
    ASSERT_TRUE(PutDword(BASE_TIME + "\\Neighbour", "stays", 3));

    CRegistryKey held;
    ASSERT_EQ(held.Create(HKEY_CURRENT_USER, (top + "\\One\\Two").c_str()), ERROR_SUCCESS);
    HKEY own = key.Handle();
    EXPECT_EQ(key.DeleteKey(HKEY_CURRENT_USER, top.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(key.Handle(), own);
    EXPECT_FALSE(KeyExists(top));
    EXPECT_TRUE(GetRaw(BASE_TIME + "\\Neighbour", "stays").found);

    BOOL created = FALSE;
    EXPECT_EQ(key.Create(HKEY_CURRENT_USER, top.c_str(), &created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    EXPECT_EQ(ValueCount(top), 0u);

    key.Close();
    EXPECT_EQ(key.DeleteKey(HKEY_CURRENT_USER, (BASE_TIME + "\\Absent").c_str()),
              ERROR_FILE_NOT_FOUND);
}

TEST(RegistryKey, AnObjectWithoutAKeyTouchesNoHandle) {
    StoreCleaner cleaner;
    ASSERT_TRUE(PutDword(BASE_TIME, "n", 5));

    // A handle of someone else's that the object could mistake for its own.
    HKEY other = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, BASE_TIME.c_str(), 0, KEY_READ, &other),
              ERROR_SUCCESS);
    {
        CRegistryKey never;
        DWORD value = 9;
        std::string text = "kept";
        EXPECT_EQ(never.QueryDwordValue("n", &value), ERROR_INVALID_HANDLE);
        EXPECT_EQ(never.QueryStringValue("n", text), ERROR_INVALID_HANDLE);
        EXPECT_EQ(never.SetDwordValue("n", 1), ERROR_INVALID_HANDLE);
        EXPECT_EQ(never.SetStringValue("n", "x"), ERROR_INVALID_HANDLE);
        EXPECT_EQ(value, 9u);
        EXPECT_EQ(text, "kept");
        never.Close();
    }
    EXPECT_TRUE(HandleValid(other));

    // Once closed, a key's old handle value may go to someone else: not closed twice.
    {
        CRegistryKey closed;
        ASSERT_EQ(closed.Create(HKEY_CURRENT_USER, BASE_TIME.c_str()), ERROR_SUCCESS);
        closed.Close();
        closed.Close();
        HKEY reused = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, BASE_TIME.c_str(), 0, KEY_READ, &reused),
                  ERROR_SUCCESS);
        RegCloseKey(other);
        other = reused;
    }
    EXPECT_TRUE(HandleValid(other));
    RegCloseKey(other);
    EXPECT_EQ(GetRaw(BASE_TIME, "n").Dword(), 5u);
}

} // namespace
} // namespace mereth
