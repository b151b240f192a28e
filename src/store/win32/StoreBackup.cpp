#include "store/win32/StoreBackup.h"

#include "core/win32/Handles.h"
#include "store/win32/RegistryKey.h"
#include "store/win32/SettingsStore.h"

#include <string>
#include <vector>

namespace mereth {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

LONG ExportKey(HKEY key, const std::u16string& path, RegTree& tree) {
    DWORD maxName = 0;
    DWORD maxData = 0;
    LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, &maxName, &maxData, nullptr, nullptr);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    const std::size_t place = tree.size();
    tree.push_back(RegKey{path, {}});
    std::vector<wchar_t> name(maxName + 1);
    for (DWORD index = 0;; ++index) {
        RegValue value;
        DWORD nameLength = maxName + 1;
        DWORD size = maxData;
        DWORD type = REG_NONE;
        value.data.resize(size);
        status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                               value.data.data(), &size);
        value.type = type;
        if (status == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
        value.name.assign(reinterpret_cast<const char16_t*>(name.data()), nameLength);
        value.data.resize(size);
        tree[place].values.push_back(std::move(value));
    }
    wchar_t subKey[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(std::size(subKey));
        status = RegEnumKeyExW(key, index, subKey, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) {
            return ERROR_SUCCESS;
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
        CKeyHandle child;
        status = RegOpenKeyExW(key, subKey, 0, KEY_READ, child.Out());
        if (status != ERROR_SUCCESS) {
            return status;
        }
        // By place: the tree grows below and may move.
        std::u16string childPath = tree[place].path;
        if (!childPath.empty()) {
            childPath += u'\\';
        }
        childPath.append(reinterpret_cast<const char16_t*>(subKey), length);
        status = ExportKey(child.Get(), childPath, tree);
        if (status != ERROR_SUCCESS) {
            return status;
        }
    }
}

} // namespace

LONG CStoreBackup::Export(RegTree& tree) {
    tree.clear();
    CKeyHandle product;
    LONG status =
        RegOpenKeyExA(HKEY_CURRENT_USER, CSettingsStore::PRODUCT_KEY, 0, KEY_READ, product.Out());
    if (status == ERROR_SUCCESS) {
        status = ExportKey(product.Get(), u"", tree);
    }
    if (status != ERROR_SUCCESS) {
        tree.clear();
    }
    return status;
}

LONG CStoreBackup::SetValue(HKEY key, const RegValue& value) {
    return RegSetValueExW(key, Wide(value.name), 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size()));
}

LONG CStoreBackup::Replace(const RegTree& tree, bool overWhatIsLeft) {
    CRegistryKey product;
    LONG status = product.DeleteKey(HKEY_CURRENT_USER, CSettingsStore::PRODUCT_KEY);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && !overWhatIsLeft) {
        return status;
    }
    status = product.Create(HKEY_CURRENT_USER, CSettingsStore::PRODUCT_KEY);
    for (const RegKey& key : tree) {
        if (status != ERROR_SUCCESS) {
            return status;
        }
        // One part at a time from the store's key: a long path fails in one call.
        CKeyHandle opened;
        HKEY parent = product.Handle();
        std::size_t start = 0;
        while (status == ERROR_SUCCESS && start < key.path.size()) {
            std::size_t end = key.path.find(u'\\', start);
            end = end == std::u16string::npos ? key.path.size() : end;
            const std::u16string part = key.path.substr(start, end - start);
            CKeyHandle child;
            status = RegCreateKeyExW(parent, Wide(part), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, child.Out(), nullptr);
            opened = std::move(child);
            parent = opened.Get();
            start = end + 1;
        }
        for (const RegValue& value : key.values) {
            if (status == ERROR_SUCCESS) {
                status = SetValue(parent, value);
            }
        }
    }
    return status;
}

LONG CStoreBackup::Import(const RegTree& tree, bool& unchanged) {
    unchanged = true;
    RegTree before;
    LONG status = Export(before);
    const bool existed = status == ERROR_SUCCESS;
    if (!existed && status != ERROR_FILE_NOT_FOUND) {
        return status; // what is there cannot be read, so it could not be put back
    }
    status = Replace(tree, false);
    if (status == ERROR_SUCCESS) {
        unchanged = false;
        return status;
    }
    CRegistryKey product;
    // What a key that would not go kept of the old store is the old store's own.
    const LONG undone = existed ? Replace(before, true)
                                : product.DeleteKey(HKEY_CURRENT_USER, CSettingsStore::PRODUCT_KEY);
    unchanged = undone == ERROR_SUCCESS;
    return status;
}

LONG CStoreBackup::BackUp(const wchar_t* path) {
    RegTree tree;
    LONG status = Export(tree);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    const std::vector<std::uint8_t> file = WriteRegFile(tree);
    // A store that another program added to beyond what a restore takes (another type
    // of value, a name with a line end) would make a backup that can never be restored.
    RegTree check;
    RegFileProblem problem;
    if (!ReadStoreFile(file, CSettingsStore::FORMAT_VERSION, check, problem)) {
        return ERROR_INVALID_DATA;
    }
    CFileHandle out(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) {
        return static_cast<LONG>(GetLastError());
    }
    DWORD written = 0;
    if (!WriteFile(out.Get(), file.data(), static_cast<DWORD>(file.size()), &written, nullptr) ||
        written != file.size()) {
        status = static_cast<LONG>(GetLastError());
        out.Reset();
        DeleteFileW(path); // no half backup left to be taken for a whole one
        return status == ERROR_SUCCESS ? ERROR_WRITE_FAULT : status;
    }
    return ERROR_SUCCESS;
}

bool ReadStoreBackup(const wchar_t* path, RegTree& tree, RegFileProblem& problem) {
    tree.clear();
    problem = {0, "the file cannot be read"};
    CFileHandle in(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!in || !GetFileSizeEx(in.Get(), &size)) {
        return false;
    }
    if (size.QuadPart > static_cast<LONGLONG>(REG_MAX_FILE_BYTES)) {
        problem.reason = "the file is too large";
        return false;
    }
    std::vector<std::uint8_t> file(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!file.empty() &&
        (!ReadFile(in.Get(), file.data(), static_cast<DWORD>(file.size()), &read, nullptr) ||
         read != file.size())) {
        return false;
    }
    return ReadStoreFile(file, CSettingsStore::FORMAT_VERSION, tree, problem);
}

} // namespace mereth
