#include "DriverRecords.h"
#include <gtest/gtest.h>

TEST(DriverRecords, CalibrationRecordIsSevenLittleEndianWordsInFieldOrder) {
    CalibrationRecord record;
    record.edgeA1 = 15326;
    record.edgeA2 = -2;
    record.edgeB1 = 0x01020304;
    record.edgeB2 = 383804;
    record.swapped = 1;
    record.width = 1024;
    record.height = 768;
    const CalibrationRecordBytes bytes = Serialize(record);

    const CalibrationRecordBytes expected = {
        0xDE, 0x3B, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x3C, 0xDB,
        0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(ParseCalibrationRecord(bytes), record);
}

TEST(DriverRecords, RawTouchPointReadsXThenY) {
    const RawTouchPointBytes bytes = {0x2C, 0x01, 0, 0, 0x90, 0x01, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    const RawTouchPoint point = ParseRawTouchPoint(bytes);
    EXPECT_EQ(point.rawX, 300u);
    EXPECT_EQ(point.rawY, 400u);
    EXPECT_EQ(point.reserved, 0xFFFFFFFFu);
}

TEST(DriverRecords, SettingsBlockHoldsTheFirstEightParametersInDriverOrder) {
    DriverParameters parameters;
    parameters.MouseMode = 1;
    parameters.DblClickRegion = 2;
    parameters.InterActTime = 3;
    parameters.BeepMode = 4;
    parameters.BeepFreq = 5;
    parameters.BeepTime = 6;
    parameters.Port = 7;
    parameters.Enable = 8;
    parameters.CalibrateMargin = 9;
    const SettingsBlockBytes block = SettingsBlock(parameters);
    for (std::size_t field = 0; field < 8; ++field) {
        EXPECT_EQ(block[field * 4], field + 1) << "field " << field;
        EXPECT_EQ(block[field * 4 + 1] | block[field * 4 + 2] | block[field * 4 + 3], 0);
    }
}

TEST(DriverRecords, ParametersStartAtTheAppletFallbacks) {
    const DriverParameters fallback;
    EXPECT_EQ(fallback.MouseMode, 3u);
    EXPECT_EQ(fallback.DblClickRegion, 25u);
    EXPECT_EQ(fallback.InterActTime, 1u);
    EXPECT_EQ(fallback.BeepMode, 0u);
    EXPECT_EQ(fallback.BeepFreq, 0u);
    EXPECT_EQ(fallback.BeepTime, 0u);
    EXPECT_EQ(fallback.Port, 0u);
    EXPECT_EQ(fallback.Enable, 1u);
    EXPECT_EQ(fallback.CalibrateMargin, 2u);
}
