#pragma once
#include <cstdint>

enum class RegType : std::uint32_t { Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4 };

// The registry calls the tools make, so the store logic runs without a registry.
// Keys are opaque values; 0 means no key.
class RegistryApi {
  public:
    using Key = std::uintptr_t;
    static constexpr Key kNoKey = 0;
    static constexpr Key kCurrentUser = 0x80000001;
    static constexpr Key kLocalMachine = 0x80000002;

    virtual ~RegistryApi() = default;
    // Opens an existing key with the plain open call; never creates.
    virtual Key Open(Key parent, const char* subkey) = 0;
    // Opens an existing key with full access; never creates.
    virtual Key OpenFullAccess(Key parent, const char* subkey) = 0;
    // Opens or creates; `createdNew` tells whether the key did not exist before.
    virtual Key Create(Key parent, const char* subkey, bool& createdNew) = 0;
    // Offers `size` bytes; on success `size` holds the stored size.
    virtual bool Query(Key key, const char* name, void* data, std::uint32_t& size) = 0;
    virtual bool Set(Key key, const char* name, RegType type, const void* data,
                     std::uint32_t size) = 0;
    virtual void Close(Key key) = 0;
};
