#pragma once
#include "../DeviceApi.h"

// The device calls made for real, with CreateFileA, DeviceIoControl and CloseHandle.
class Win32DeviceApi final : public DeviceApi {
  public:
    Handle Open(const char* linkName) override;
    bool Control(Handle device, std::uint32_t code, const void* input, std::uint32_t inputSize,
                 void* output, std::uint32_t outputSize, std::uint32_t& returned) override;
    void Close(Handle device) override;
};
