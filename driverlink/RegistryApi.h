#pragma once
#include <cstdint>

// Registry value types as the registry numbers them; a stored value may carry any of them.
enum class RegType : std::uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    Link = 6,
    MultiSz = 7,
    Qword = 11,
};

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
    // Offers `size` bytes; on success `type` holds the stored type and `size` the stored size.
    virtual bool Query(Key key, const char* name, RegType& type, void* data,
                       std::uint32_t& size) = 0;
    virtual bool Set(Key key, const char* name, RegType type, const void* data,
                     std::uint32_t size) = 0;
    virtual void Close(Key key) = 0;
};
