#pragma once
#include "RegistryApi.h"
#include <map>
#include <string>
#include <vector>

// A registry in memory with the semantics of the real calls the tools use; every call is
// logged as one line so tests can check orders, types and sizes.
class FakeRegistry final : public RegistryApi {
  public:
    struct Value {
        RegType type = RegType::Binary;
        std::vector<std::uint8_t> data;
    };

    // Paths are "HKLM\\..." or "HKCU\\...", case-sensitive here for simplicity.
    void AddKey(const std::string& path);
    void SetDword(const std::string& path, const std::string& name, std::uint32_t value);
    void SetRaw(const std::string& path, const std::string& name, RegType type,
                std::vector<std::uint8_t> data);
    bool HasKey(const std::string& path) const;
    const Value* Find(const std::string& path, const std::string& name) const;
    std::uint32_t Dword(const std::string& path, const std::string& name) const;

    bool denyWrites = false;
    bool denyFullAccess = false;
    std::vector<std::string> log;
    int openKeys = 0;

    Key Open(Key parent, const char* subkey) override;
    Key OpenFullAccess(Key parent, const char* subkey) override;
    Key Create(Key parent, const char* subkey, bool& createdNew) override;
    bool Query(Key key, const char* name, RegType& type, void* data, std::uint32_t& size) override;
    bool Set(Key key, const char* name, RegType type, const void* data,
             std::uint32_t size) override;
    void Close(Key key) override;

  private:
    std::string PathOf(Key key) const;
    Key Handle(const std::string& path);

    std::map<std::string, std::map<std::string, Value>> m_keys;
    std::map<Key, std::string> m_handles;
    Key m_nextHandle = 100;
};
