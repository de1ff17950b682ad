#include "FakeDevice.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

DeviceApi::Handle FakeDevice::Open(const char* linkName) {
    calls.push_back({"open", linkName, 0, {}, 0});
    if (!present) {
        return kInvalidHandle;
    }
    ++openHandles;
    return 42;
}

bool FakeDevice::Control(Handle, std::uint32_t code, const void* input, std::uint32_t inputSize,
                         void* output, std::uint32_t outputSize, std::uint32_t& returned) {
    const auto* bytes = static_cast<const std::uint8_t*>(input);
    calls.push_back(
        {"control", "", code, std::vector<std::uint8_t>(bytes, bytes + inputSize), outputSize});
    returned = 0;
    if (sharedLog != nullptr) {
        char line[32];
        std::snprintf(line, sizeof line, "request 0x%06x", static_cast<unsigned>(code));
        sharedLog->push_back(line);
    }
    if (!requestsSucceed ||
        std::find(failingCodes.begin(), failingCodes.end(), code) != failingCodes.end()) {
        return false;
    }
    const std::size_t size = std::min<std::size_t>(answer.size(), outputSize);
    if (size > 0) {
        std::memcpy(output, answer.data(), size);
    }
    returned = static_cast<std::uint32_t>(size);
    return true;
}

void FakeDevice::Close(Handle) {
    calls.push_back({"close", "", 0, {}, 0});
    --openHandles;
}

std::vector<std::uint32_t> FakeDevice::ControlCodes() const {
    std::vector<std::uint32_t> codes;
    for (const Call& call : calls) {
        if (call.what == "control") {
            codes.push_back(call.code);
        }
    }
    return codes;
}
