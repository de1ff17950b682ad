#include "DriverRecords.h"
#include "LittleEndian.h"
#include "ParameterTable.h"

bool CalibrationRecord::operator==(const CalibrationRecord& other) const {
    return edgeA1 == other.edgeA1 && edgeA2 == other.edgeA2 && edgeB1 == other.edgeB1 &&
           edgeB2 == other.edgeB2 && swapped == other.swapped && width == other.width &&
           height == other.height;
}

RawTouchPoint ParseRawTouchPoint(const RawTouchPointBytes& bytes) {
    const auto words = UnpackWords<3>(bytes);
    return {words[0], words[1], words[2]};
}

CalibrationRecordBytes Serialize(const CalibrationRecord& record) {
    return PackWords<7>(
        {static_cast<std::uint32_t>(record.edgeA1), static_cast<std::uint32_t>(record.edgeA2),
         static_cast<std::uint32_t>(record.edgeB1), static_cast<std::uint32_t>(record.edgeB2),
         record.swapped, record.width, record.height});
}

CalibrationRecord ParseCalibrationRecord(const CalibrationRecordBytes& bytes) {
    const auto words = UnpackWords<7>(bytes);
    return {static_cast<std::int32_t>(words[0]),
            static_cast<std::int32_t>(words[1]),
            static_cast<std::int32_t>(words[2]),
            static_cast<std::int32_t>(words[3]),
            words[4],
            words[5],
            words[6]};
}

SettingsBlockBytes SettingsBlock(const DriverParameters& parameters) {
    std::array<std::uint32_t, kSettingsBlockSize / 4> words{};
    for (const ParameterValue& value : ParameterTable::kValues) {
        if (value.blockIndex) {
            words[*value.blockIndex] = parameters.*value.field;
        }
    }
    return PackWords(words);
}
