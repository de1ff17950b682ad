#include "FakeRegistry.h"
#include <cstring>

void FakeRegistry::AddKey(const std::string& path) {
    m_keys[path];
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, std::uint32_t value) {
    SetRaw(path, name, RegType::Dword,
           {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void FakeRegistry::SetRaw(const std::string& path, const std::string& name, RegType type,
                          std::vector<std::uint8_t> data) {
    m_keys[path][name] = Value{type, std::move(data)};
}

bool FakeRegistry::HasKey(const std::string& path) const {
    return m_keys.count(path) != 0;
}

const FakeRegistry::Value* FakeRegistry::Find(const std::string& path,
                                              const std::string& name) const {
    const auto key = m_keys.find(path);
    if (key == m_keys.end()) {
        return nullptr;
    }
    const auto value = key->second.find(name);
    return value == key->second.end() ? nullptr : &value->second;
}

std::uint32_t FakeRegistry::Dword(const std::string& path, const std::string& name) const {
    const Value* value = Find(path, name);
    if (value == nullptr || value->data.size() != 4) {
        return 0xDEADBEEF;
    }
    const auto& d = value->data;
    return d[0] | d[1] << 8 | d[2] << 16 | static_cast<std::uint32_t>(d[3]) << 24;
}

std::string FakeRegistry::PathOf(Key key) const {
    if (key == kLocalMachine) {
        return "HKLM";
    }
    if (key == kCurrentUser) {
        return "HKCU";
    }
    const auto found = m_handles.find(key);
    return found == m_handles.end() ? std::string() : found->second;
}

RegistryApi::Key FakeRegistry::Handle(const std::string& path) {
    const Key key = m_nextHandle++;
    m_handles[key] = path;
    ++openKeys;
    return key;
}

RegistryApi::Key FakeRegistry::Open(Key parent, const char* subkey) {
    const std::string path = PathOf(parent) + "\\" + subkey;
    log.push_back("open " + path);
    return HasKey(path) ? Handle(path) : kNoKey;
}

RegistryApi::Key FakeRegistry::OpenFullAccess(Key parent, const char* subkey) {
    const std::string path = PathOf(parent) + "\\" + subkey;
    log.push_back("open-full " + path);
    return HasKey(path) && !denyFullAccess ? Handle(path) : kNoKey;
}

RegistryApi::Key FakeRegistry::Create(Key parent, const char* subkey, bool& createdNew) {
    const std::string path = PathOf(parent) + "\\" + subkey;
    log.push_back("create " + path);
    if (denyWrites) {
        return kNoKey;
    }
    createdNew = !HasKey(path);
    AddKey(path);
    return Handle(path);
}

bool FakeRegistry::Query(Key key, const char* name, RegType& type, void* data,
                         std::uint32_t& size) {
    log.push_back("query " + std::string(name) + " " + std::to_string(size));
    const Value* value = Find(PathOf(key), name);
    if (value == nullptr) {
        return false;
    }
    type = value->type;
    const auto stored = static_cast<std::uint32_t>(value->data.size());
    if (stored > size) {
        size = stored;
        return false;
    }
    std::memcpy(data, value->data.data(), stored);
    size = stored;
    return true;
}

bool FakeRegistry::Set(Key key, const char* name, RegType type, const void* data,
                       std::uint32_t size) {
    log.push_back("set " + std::string(name) + " type " + std::to_string(static_cast<int>(type)) +
                  " size " + std::to_string(size));
    if (denyWrites) {
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    SetRaw(PathOf(key), name, type, std::vector<std::uint8_t>(bytes, bytes + size));
    return true;
}

void FakeRegistry::Close(Key key) {
    log.push_back("close " + PathOf(key));
    m_handles.erase(key);
    --openKeys;
}
