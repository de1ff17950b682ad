#include "Win32DeviceApi.h"
#include "Handles.h"

namespace {
HANDLE ToHandle(DeviceApi::Handle device) {
    return reinterpret_cast<HANDLE>(device);
}
} // namespace

DeviceApi::Handle Win32DeviceApi::Open(const char* linkName) {
    ScopedFileHandle device(CreateFileA(linkName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    // The caller holds the handle until Close; a failed open is the seam's own empty value.
    return device ? reinterpret_cast<Handle>(device.Release()) : kInvalidHandle;
}

bool Win32DeviceApi::Control(Handle device, std::uint32_t code, const void* input,
                             std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                             std::uint32_t& returned) {
    DWORD bytes = 0;
    const BOOL ok = DeviceIoControl(ToHandle(device), code, const_cast<void*>(input), inputSize,
                                    output, outputSize, &bytes, nullptr);
    returned = bytes;
    return ok != FALSE;
}

void Win32DeviceApi::Close(Handle device) {
    ScopedFileHandle closing(ToHandle(device));
}
