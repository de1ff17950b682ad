#include "Win32RegistryApi.h"
#include <windows.h>

namespace {
HKEY ToHkey(RegistryApi::Key key) {
    return reinterpret_cast<HKEY>(key);
}
RegistryApi::Key FromHkey(HKEY key) {
    return reinterpret_cast<RegistryApi::Key>(key);
}
} // namespace

RegistryApi::Key Win32RegistryApi::Open(Key parent, const char* subkey) {
    HKEY key = nullptr;
    return RegOpenKeyA(ToHkey(parent), subkey, &key) == ERROR_SUCCESS ? FromHkey(key) : kNoKey;
}

RegistryApi::Key Win32RegistryApi::OpenFullAccess(Key parent, const char* subkey) {
    HKEY key = nullptr;
    return RegOpenKeyExA(ToHkey(parent), subkey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS
               ? FromHkey(key)
               : kNoKey;
}

RegistryApi::Key Win32RegistryApi::Create(Key parent, const char* subkey, bool& createdNew) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(ToHkey(parent), subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return kNoKey;
    }
    createdNew = disposition == REG_CREATED_NEW_KEY;
    return FromHkey(key);
}

bool Win32RegistryApi::Query(Key key, const char* name, RegType& type, void* data,
                             std::uint32_t& size) {
    DWORD stored = 0;
    DWORD bytes = size;
    const LONG result =
        RegQueryValueExA(ToHkey(key), name, nullptr, &stored, static_cast<BYTE*>(data), &bytes);
    type = static_cast<RegType>(stored);
    size = bytes;
    return result == ERROR_SUCCESS;
}

bool Win32RegistryApi::Set(Key key, const char* name, RegType type, const void* data,
                           std::uint32_t size) {
    return RegSetValueExA(ToHkey(key), name, 0, static_cast<DWORD>(type),
                          static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

void Win32RegistryApi::Close(Key key) {
    RegCloseKey(ToHkey(key));
}
