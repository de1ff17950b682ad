#pragma once
#include "RegistryApi.h"
#include <cstdint>
#include <optional>

// Owns one open key of a RegistryApi and closes it when it goes.
class RegistryKey {
  public:
    RegistryKey(RegistryApi& api, RegistryApi::Key key) : m_api(api), m_key(key) {}
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    explicit operator bool() const { return m_key != RegistryApi::kNoKey; }
    RegistryApi::Key Get() const { return m_key; }

    // A DWORD read offers exactly 4 bytes and takes only a REG_DWORD of exactly 4 bytes.
    std::optional<std::uint32_t> ReadDword(const char* name) const;
    bool WriteDword(const char* name, std::uint32_t value) const;
    bool WriteBinary(const char* name, const void* data, std::uint32_t size) const;
    // Text values are written with their terminating zero, as the registry expects.
    bool WriteString(const char* name, RegType type, const char* text) const;

  private:
    RegistryApi& m_api;
    RegistryApi::Key m_key;
};
