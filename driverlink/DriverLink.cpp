#include "DriverLink.h"
#include "LittleEndian.h"

DriverLink::DriverLink(DeviceApi& device, DriverKind kind) : m_device(device), m_kind(kind) {}

bool DriverLink::Send(DriverRequest request, const void* input, std::uint32_t inputSize,
                      void* output, std::uint32_t outputSize, std::uint32_t& returned) {
    if (m_handle == DeviceApi::kInvalidHandle) {
        m_handle = m_device.Open(DeviceLinkName(m_kind));
        if (m_handle == DeviceApi::kInvalidHandle) {
            return false;
        }
    }
    const bool ok = m_device.Control(m_handle, static_cast<std::uint32_t>(request), input,
                                     inputSize, output, outputSize, returned);
    m_device.Close(m_handle);
    m_handle = DeviceApi::kInvalidHandle;
    return ok;
}

bool DriverLink::ClosePort() {
    std::uint32_t returned = 0;
    return Send(DriverRequest::ClosePort, nullptr, 0, nullptr, 0, returned);
}

bool DriverLink::OpenPort(std::uint32_t port) {
    const auto input = PackWords<1>({port});
    std::uint32_t returned = 0;
    return Send(DriverRequest::OpenPort, input.data(), input.size(), nullptr, 0, returned);
}

void DriverLink::SetCalibration(const CalibrationRecord& record) {
    const CalibrationRecordBytes bytes = Serialize(record);
    std::uint32_t returned = 0;
    Send(DriverRequest::SetCalibration, bytes.data(), kCalibrationRecordSize, nullptr, 0, returned);
}

void DriverLink::SetCalibration() {
    std::uint32_t returned = 0;
    Send(DriverRequest::SetCalibration, nullptr, 0, nullptr, 0, returned);
}

bool DriverLink::ReadRawPoint(RawTouchPoint& slot) {
    RawTouchPointBytes bytes{};
    std::uint32_t returned = 0;
    if (!Send(DriverRequest::ReadRawPoint, nullptr, 0, bytes.data(), kRawTouchPointSize,
              returned) ||
        returned != kRawTouchPointSize) {
        return false;
    }
    slot = ParseRawTouchPoint(bytes);
    return true;
}

void DriverLink::SetParameters(const DriverParameters& parameters) {
    const SettingsBlockBytes block = SettingsBlock(parameters);
    std::uint32_t returned = 0;
    Send(DriverRequest::SetParameters, block.data(), kSettingsBlockSize, nullptr, 0, returned);
}

void DriverLink::TestBeep(std::uint32_t frequency, std::uint32_t duration) {
    const auto input = PackWords<2>({frequency, duration});
    std::uint32_t returned = 0;
    Send(DriverRequest::TestBeep, input.data(), input.size(), nullptr, 0, returned);
}
