#pragma once
#include "DeviceApi.h"
#include <string>
#include <vector>

// A device link in memory: records every call and answers from a script.
class FakeDevice final : public DeviceApi {
  public:
    struct Call {
        std::string what; // "open", "control" or "close"
        std::string linkName;
        std::uint32_t code = 0;
        std::vector<std::uint8_t> input;
        std::uint32_t outputSize = 0;
    };

    bool present = true;
    bool requestsSucceed = true;
    // Requests with these codes fail even when the others succeed.
    std::vector<std::uint32_t> failingCodes;
    // When set, each request also goes here as "request 0x<code>", to check its place among
    // another fake's calls.
    std::vector<std::string>* sharedLog = nullptr;
    std::vector<std::uint8_t> answer; // copied into the output buffer of each request
    std::vector<Call> calls;
    int openHandles = 0;

    Handle Open(const char* linkName) override;
    bool Control(Handle device, std::uint32_t code, const void* input, std::uint32_t inputSize,
                 void* output, std::uint32_t outputSize, std::uint32_t& returned) override;
    void Close(Handle device) override;

    std::vector<std::uint32_t> ControlCodes() const;
};
