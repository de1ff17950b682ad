#pragma once
#include "../RegistryApi.h"

// The registry calls made for real, with the ANSI advapi32 functions.
class Win32RegistryApi final : public RegistryApi {
  public:
    Key Open(Key parent, const char* subkey) override;
    Key OpenFullAccess(Key parent, const char* subkey) override;
    Key Create(Key parent, const char* subkey, bool& createdNew) override;
    bool Query(Key key, const char* name, RegType& type, void* data, std::uint32_t& size) override;
    bool Set(Key key, const char* name, RegType type, const void* data,
             std::uint32_t size) override;
    void Close(Key key) override;
};
