#pragma once
#include "DeviceApi.h"
#include "DriverKind.h"
#include "DriverRecords.h"
#include "DriverRequest.h"

// Sends requests to the touch driver, opening its device link for each request and closing it
// right after. Only the port requests and the raw-point read report their outcome; every other
// failure is silent.
class DriverLink {
  public:
    DriverLink(DeviceApi& device, DriverKind kind);
    DriverLink(const DriverLink&) = delete;
    DriverLink& operator=(const DriverLink&) = delete;

    bool ClosePort();
    bool OpenPort(std::uint32_t port);
    void SetCalibration(const CalibrationRecord& record);
    // Tells the driver that the record it holds has been stored.
    void SetCalibration();
    // False when no complete point came back; the slot is then left as it was.
    [[nodiscard]] bool ReadRawPoint(RawTouchPoint& slot);
    void SetParameters(const DriverParameters& parameters);
    void TestBeep(std::uint32_t frequency, std::uint32_t duration);

  private:
    bool Send(DriverRequest request, const void* input, std::uint32_t inputSize, void* output,
              std::uint32_t outputSize, std::uint32_t& returned);

    DeviceApi& m_device;
    DriverKind m_kind;
    DeviceApi::Handle m_handle = DeviceApi::kInvalidHandle;
};
