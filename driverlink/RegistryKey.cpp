#include "RegistryKey.h"
#include "LittleEndian.h"
#include <cstring>

RegistryKey::~RegistryKey() {
    if (m_key != RegistryApi::kNoKey) {
        m_api.Close(m_key);
    }
}

std::optional<std::uint32_t> RegistryKey::ReadDword(const char* name) const {
    std::array<std::uint8_t, 4> bytes{};
    std::uint32_t size = bytes.size();
    RegType type = RegType::None;
    // Text such as "123" or four bytes of binary data would otherwise pass for a number.
    if (!m_api.Query(m_key, name, type, bytes.data(), size) || type != RegType::Dword ||
        size != bytes.size()) {
        return std::nullopt;
    }
    return UnpackWords<1>(bytes)[0];
}

bool RegistryKey::WriteDword(const char* name, std::uint32_t value) const {
    const auto bytes = PackWords<1>({value});
    return m_api.Set(m_key, name, RegType::Dword, bytes.data(), bytes.size());
}

bool RegistryKey::WriteBinary(const char* name, const void* data, std::uint32_t size) const {
    return m_api.Set(m_key, name, RegType::Binary, data, size);
}

bool RegistryKey::WriteString(const char* name, RegType type, const char* text) const {
    const auto size = static_cast<std::uint32_t>(std::strlen(text) + 1);
    return m_api.Set(m_key, name, type, text, size);
}
