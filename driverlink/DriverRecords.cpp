#include "DriverRecords.h"

namespace {

template <std::size_t N> class LittleEndianWriter {
  public:
    void Put(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            m_bytes[m_offset++] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    const std::array<std::uint8_t, N>& Bytes() const { return m_bytes; }

  private:
    std::array<std::uint8_t, N> m_bytes{};
    std::size_t m_offset = 0;
};

template <std::size_t N> class LittleEndianReader {
  public:
    explicit LittleEndianReader(const std::array<std::uint8_t, N>& bytes) : m_bytes(bytes) {}
    std::uint32_t Get() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(m_bytes[m_offset++]) << (8 * i);
        }
        return value;
    }

  private:
    const std::array<std::uint8_t, N>& m_bytes;
    std::size_t m_offset = 0;
};

} // namespace

bool CalibrationRecord::operator==(const CalibrationRecord& other) const {
    return edgeA1 == other.edgeA1 && edgeA2 == other.edgeA2 && edgeB1 == other.edgeB1 &&
           edgeB2 == other.edgeB2 && swapped == other.swapped && width == other.width &&
           height == other.height;
}

RawTouchPoint ParseRawTouchPoint(const RawTouchPointBytes& bytes) {
    LittleEndianReader<kRawTouchPointSize> reader(bytes);
    RawTouchPoint point;
    point.rawX = reader.Get();
    point.rawY = reader.Get();
    point.reserved = reader.Get();
    return point;
}

CalibrationRecordBytes Serialize(const CalibrationRecord& record) {
    LittleEndianWriter<kCalibrationRecordSize> writer;
    writer.Put(static_cast<std::uint32_t>(record.edgeA1));
    writer.Put(static_cast<std::uint32_t>(record.edgeA2));
    writer.Put(static_cast<std::uint32_t>(record.edgeB1));
    writer.Put(static_cast<std::uint32_t>(record.edgeB2));
    writer.Put(record.swapped);
    writer.Put(record.width);
    writer.Put(record.height);
    return writer.Bytes();
}

CalibrationRecord ParseCalibrationRecord(const CalibrationRecordBytes& bytes) {
    LittleEndianReader<kCalibrationRecordSize> reader(bytes);
    CalibrationRecord record;
    record.edgeA1 = static_cast<std::int32_t>(reader.Get());
    record.edgeA2 = static_cast<std::int32_t>(reader.Get());
    record.edgeB1 = static_cast<std::int32_t>(reader.Get());
    record.edgeB2 = static_cast<std::int32_t>(reader.Get());
    record.swapped = reader.Get();
    record.width = reader.Get();
    record.height = reader.Get();
    return record;
}

SettingsBlockBytes SettingsBlock(const DriverParameters& parameters) {
    LittleEndianWriter<kSettingsBlockSize> writer;
    writer.Put(parameters.MouseMode);
    writer.Put(parameters.DblClickRegion);
    writer.Put(parameters.InterActTime);
    writer.Put(parameters.BeepMode);
    writer.Put(parameters.BeepFreq);
    writer.Put(parameters.BeepTime);
    writer.Put(parameters.Port);
    writer.Put(parameters.Enable);
    return writer.Bytes();
}
