#pragma once
#include <cstdint>

// The few device calls the driver link makes, so the link logic runs without a driver.
class DeviceApi {
  public:
    using Handle = std::uintptr_t;
    static constexpr Handle kInvalidHandle = ~Handle{0};

    virtual ~DeviceApi() = default;
    // Opens an existing device link for reading and writing, shared for reading only.
    virtual Handle Open(const char* linkName) = 0;
    // One synchronous buffered request; `returned` receives the output byte count.
    virtual bool Control(Handle device, std::uint32_t code, const void* input,
                         std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                         std::uint32_t& returned) = 0;
    virtual void Close(Handle device) = 0;
};
