// Exact registry access for the tests: types, sizes and bytes as stored, nothing converted.
#include "Commands.h"
#include "ProbeIo.h"
#include <windows.h>
#include <shlwapi.h>

namespace {
struct RootName {
    const wchar_t* name;
    HKEY key;
};

const RootName kRoots[] = {
    {L"HKLM", HKEY_LOCAL_MACHINE}, {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {L"HKCU", HKEY_CURRENT_USER},  {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKU", HKEY_USERS},          {L"HKEY_USERS", HKEY_USERS},
};

// Splits "HKLM\path" into its root key and the path below it.
bool SplitKey(const std::wstring& full, HKEY& root, std::wstring& path) {
    const std::size_t slash = full.find(L'\\');
    const std::wstring rootName = full.substr(0, slash);
    path = slash == std::wstring::npos ? L"" : full.substr(slash + 1);
    for (const RootName& candidate : kRoots) {
        if (_wcsicmp(candidate.name, rootName.c_str()) == 0) {
            root = candidate.key;
            return true;
        }
    }
    return false;
}

class OpenKey {
  public:
    OpenKey(const std::wstring& full, bool create) {
        HKEY root = nullptr;
        std::wstring path;
        if (!SplitKey(full, root, path))
            return;
        if (create)
            m_status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                       &m_key, nullptr);
        else
            m_status = RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (m_status == ERROR_SUCCESS)
            RegCloseKey(m_key);
    }
    bool ok() const { return m_status == ERROR_SUCCESS; }
    HKEY get() const { return m_key; }
    int Missing(const std::wstring& full) const {
        return Fail(L"cannot open key " + full + L" (error " + std::to_wstring(m_status) + L")",
                    kExitNoKey);
    }

  private:
    HKEY m_key = nullptr;
    LONG m_status = ERROR_INVALID_PARAMETER;
};

struct TypeName {
    const wchar_t* name;
    DWORD type;
};

const TypeName kTypes[] = {
    {L"REG_NONE", REG_NONE},     {L"REG_SZ", REG_SZ},       {L"REG_EXPAND_SZ", REG_EXPAND_SZ},
    {L"REG_BINARY", REG_BINARY}, {L"REG_DWORD", REG_DWORD}, {L"REG_MULTI_SZ", REG_MULTI_SZ},
    {L"REG_QWORD", REG_QWORD},
};

bool ParseType(const std::wstring& text, DWORD& type) {
    for (const TypeName& candidate : kTypes) {
        if (text == candidate.name) {
            type = candidate.type;
            return true;
        }
    }
    std::uint64_t number = 0;
    if (!ParseNumber(text, number))
        return false;
    type = static_cast<DWORD>(number);
    return true;
}

std::wstring ValueLine(DWORD type, const std::vector<std::uint8_t>& data, DWORD size) {
    return Fields({type, size}) + L'\t' + Hex(data.data(), size);
}
} // namespace

int RegGet(const Args& args) {
    OpenKey key(args[0], false);
    if (!key.ok())
        return key.Missing(args[0]);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key.get(), args[1].c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS)
        return Fail(L"no value " + args[1] + L" in " + args[0], kExitNoValue);
    std::vector<std::uint8_t> data(size + 1u);
    status = RegQueryValueExW(key.get(), args[1].c_str(), nullptr, &type, data.data(), &size);
    if (status != ERROR_SUCCESS)
        return Fail(L"cannot read " + args[1] + L" (error " + std::to_wstring(status) + L")",
                    kExitFailed);
    PrintLine(ValueLine(type, data, size));
    return 0;
}

int RegSet(const Args& args) {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    if (!ParseType(args[2], type))
        return Fail(L"bad type " + args[2], kExitUsage);
    if (args[3] != L"-" && !ParseHex(args[3], data))
        return Fail(L"bad hex data " + args[3], kExitUsage);
    OpenKey key(args[0], true);
    if (!key.ok())
        return key.Missing(args[0]);
    const LONG status =
        RegSetValueExW(key.get(), args[1].c_str(), 0, type, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size()));
    if (status != ERROR_SUCCESS)
        return Fail(L"cannot write " + args[1] + L" (error " + std::to_wstring(status) + L")",
                    kExitFailed);
    return 0;
}

int RegDel(const Args& args) {
    OpenKey key(args[0], false);
    if (!key.ok())
        return key.Missing(args[0]);
    if (RegDeleteValueW(key.get(), args[1].c_str()) != ERROR_SUCCESS)
        return Fail(L"no value " + args[1] + L" in " + args[0], kExitNoValue);
    return 0;
}

int RegDelKey(const Args& args) {
    HKEY root = nullptr;
    std::wstring path;
    if (!SplitKey(args[0], root, path) || path.empty())
        return Fail(L"bad key " + args[0], kExitUsage);
    {
        OpenKey key(args[0], false);
        if (!key.ok())
            return key.Missing(args[0]);
    }
    const DWORD status = SHDeleteKeyW(root, path.c_str());
    if (status != ERROR_SUCCESS)
        return Fail(L"cannot delete " + args[0] + L" (error " + std::to_wstring(status) + L")",
                    kExitFailed);
    return 0;
}

int RegList(const Args& args) {
    OpenKey key(args[0], false);
    if (!key.ok())
        return key.Missing(args[0]);
    wchar_t name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = ARRAYSIZE(name);
        if (RegEnumKeyExW(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        PrintLine(std::wstring(L"key\t") + name);
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = ARRAYSIZE(name);
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<std::uint8_t> data(size + 1u);
        nameLength = ARRAYSIZE(name);
        if (RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS)
            return Fail(L"cannot read value " + std::to_wstring(index) + L" of " + args[0],
                        kExitFailed);
        PrintLine(L"value\t" + ValueLine(type, data, size) + L'\t' + name);
    }
    return 0;
}
