#include "RegistryKey.h"
#include <cstring>

RegistryKey::~RegistryKey() {
    if (m_key != RegistryApi::kNoKey) {
        m_api.Close(m_key);
    }
}

std::optional<std::uint32_t> RegistryKey::ReadDword(const char* name) const {
    std::uint8_t bytes[4] = {};
    std::uint32_t size = sizeof bytes;
    if (!m_api.Query(m_key, name, bytes, size) || size != sizeof bytes) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                      static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool RegistryKey::WriteDword(const char* name, std::uint32_t value) const {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return m_api.Set(m_key, name, RegType::Dword, bytes, sizeof bytes);
}

bool RegistryKey::WriteBinary(const char* name, const void* data, std::uint32_t size) const {
    return m_api.Set(m_key, name, RegType::Binary, data, size);
}

bool RegistryKey::WriteString(const char* name, RegType type, const char* text) const {
    const auto size = static_cast<std::uint32_t>(std::strlen(text) + 1);
    return m_api.Set(m_key, name, type, text, size);
}
