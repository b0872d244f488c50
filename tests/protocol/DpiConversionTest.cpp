#include <gtest/gtest.h>

#include "protocol/DpiCodes.h"
#include "protocol/DpiTables.h"
#include "protocol/SettingsCommands.h"

namespace vellomir {
namespace {

struct CodeCase {
    int sensor;
    int dpi;
    int code;
};

TEST(DpiCodesTest, EncodesEverySensorFamilyAroundItsKnee) {
    const CodeCase cases[] = {
        {0x11, 100, 2},     {0x11, 10000, 200}, {0x11, 10100, 201}, {0x11, 12000, 220}, {0x05, 50, 1},
        {0x05, 6400, 128},  {0x05, 6500, 129},  {0x05, 12000, 184}, {0x25, 5000, 50},   {0x25, 5500, 51},
        {0x25, 7500, 55},   {0x25, 10000, 60},  {0x26, 200, 1},     {0x26, 5000, 49},   {0x26, 5500, 51},
        {0x19, 16000, 159}, {0x19, 17000, 161}, {0x19, 100, 0},     {0x04, 8000, 80},   {0x10, 4800, 48},
        {0x12, 150, 1},     {0x35, 16000, 160}, {0x95, 100, 1},     {0x95, 26000, 519}, {0x77, 50, 0},
        {0x77, 26000, 519},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DpiToCode(c.sensor, c.dpi), c.code) << "sensor " << c.sensor << " dpi " << c.dpi;
    }
}

TEST(DpiCodesTest, DecodesEverySensorFamilyAroundItsKnee) {
    const CodeCase cases[] = {
        {0x11, 9950, 199}, {0x11, 10000, 200}, {0x11, 12000, 220}, {0x05, 6400, 128},
        {0x05, 6500, 129}, {0x25, 4900, 49},   {0x25, 5000, 50},   {0x25, 7500, 55},
        {0x26, 4900, 49},  {0x26, 5500, 50},   {0x19, 15900, 159}, {0x19, 16000, 160},
        {0x35, 1600, 16},  {0x95, 100, 1},     {0x42, 50, 0},      {0x25, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodeToDpi(c.sensor, c.code), c.dpi) << "sensor " << c.sensor << " code " << c.code;
    }
}

// The firmware tables of these two sensors do not invert each other; the asymmetry is kept as it is.
TEST(DpiCodesTest, SensorsWithAsymmetricTablesReadBackOtherValues) {
    EXPECT_EQ(CodeToDpi(0x26, DpiToCode(0x26, 200)), 100);
    EXPECT_EQ(CodeToDpi(0x26, DpiToCode(0x26, 5500)), 6000);
    EXPECT_EQ(CodeToDpi(0x19, DpiToCode(0x19, 16000)), 15900);
    EXPECT_EQ(CodeToDpi(0x25, DpiToCode(0x25, 7500)), 7500);
    EXPECT_EQ(CodeToDpi(0x11, DpiToCode(0x11, 12000)), 12000);
}

TEST(DpiTablesTest, RangesOfBothVariants) {
    struct Case {
        int sensor;
        DpiTableVariant variant;
        SensorDpiRange range;
    };
    const auto normal = DpiTableVariant::kNormal;
    const auto linkUp = DpiTableVariant::kLinkUp;
    const Case cases[] = {
        {0x04, normal, {100, 8000, 80, 0}},   {0x05, normal, {50, 12000, 183, 0}},
        {0x05, linkUp, {50, 12000, 184, 0}},  {0x10, normal, {100, 4800, 48, 0}},
        {0x11, normal, {100, 12000, 220, 0}}, {0x11, linkUp, {50, 24000, 232, 0}},
        {0x12, linkUp, {100, 4800, 48, 0}},   {0x19, normal, {100, 30000, 173, 0}},
        {0x19, linkUp, {50, 26000, 520, 0}},  {0x25, normal, {100, 10000, 60, 0}},
        {0x26, linkUp, {200, 10000, 59, 0}},  {0x35, normal, {100, 16000, 160, 0}},
        {0x95, normal, {100, 26000, 520, 2}}, {0x95, linkUp, {100, 26000, 520, 2}},
        {0x00, normal, {50, 26000, 520, 0}},  {0xAB, linkUp, {50, 26000, 520, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SensorDpiRangeFor(c.sensor, c.variant), c.range)
            << "sensor " << c.sensor << (c.variant == linkUp ? " link-up" : " normal");
    }
}

TEST(DpiTablesTest, SliderPositionsAndBack) {
    struct Case {
        int sensor;
        int dpi;
        int slider;
    };
    // Round trips: the slider shows a stored value and dragging it back gives the same value.
    const Case roundTrips[] = {
        {0x11, 9950, 199},  {0x11, 10000, 200}, {0x11, 12000, 220}, {0x05, 6400, 128},
        {0x05, 12000, 184}, {0x25, 7500, 55},   {0x25, 10000, 60},  {0x26, 200, 1},
        {0x26, 4900, 48},   {0x19, 3200, 32},   {0x19, 16000, 160}, {0x19, 30000, 174},
        {0x04, 8000, 80},   {0x10, 4800, 48},   {0x35, 16000, 160}, {0x44, 26000, 520},
    };
    for (const auto& c : roundTrips) {
        EXPECT_EQ(DpiToSlider(c.sensor, c.dpi), c.slider) << "sensor " << c.sensor << " dpi " << c.dpi;
        EXPECT_EQ(SliderToDpi(c.sensor, c.slider), c.dpi) << "sensor " << c.sensor << " slider " << c.slider;
    }
    // Above its knee sensor 0x26 has the same one-step asymmetry as its DPI code.
    EXPECT_EQ(DpiToSlider(0x26, 10000), 60);
    EXPECT_EQ(SliderToDpi(0x26, 59), 10000);
    // Upper limits of the slider conversion.
    EXPECT_EQ(SliderToDpi(0x11, 300), 12000);
    EXPECT_EQ(SliderToDpi(0x04, 200), 8000);
    EXPECT_EQ(SliderToDpi(0x19, 250), 30000);
    EXPECT_EQ(SliderToDpi(0x99, 999), 26000);
    // Sensor 0x95: the slider keeps an offset of 2 that is added before the conversion.
    const SensorDpiRange range95 = SensorDpiRangeFor(0x95, DpiTableVariant::kNormal);
    EXPECT_EQ(SliderToDpi(0x95, 0 + range95.sliderOffset), 100);
    EXPECT_EQ(DpiToSlider(0x95, 26000), 519);
}

TEST(DpiTablesTest, SnapsTypedValuesToTheSensorSteps) {
    struct Case {
        int sensor;
        int typed;
        int stored;
    };
    const Case cases[] = {
        {0x04, 1234, 1200},   {0x11, 1234, 1200},   {0x11, 1260, 1250},   {0x26, 99999, 10000},
        {0x26, 150, 200},     {0x77, 30, 50},       {0x19, 29999, 26000}, {0x25, 7300, 7000},
        {0x25, 50, 100},      {0x25, 4999, 4900},   {0x25, 12000, 10000}, {0x10, 9000, 4800},
        {0x35, 16050, 16000}, {0x05, 12345, 12000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SnapDpi(c.sensor, c.typed), c.stored) << "sensor " << c.sensor << " typed " << c.typed;
    }
}

TEST(DpiTablesTest, ClampDpiKeepsValuesInsideTheRange) {
    const SensorDpiRange range = SensorDpiRangeFor(0x11, DpiTableVariant::kNormal);
    EXPECT_EQ(ClampDpi(range, 40), 100);
    EXPECT_EQ(ClampDpi(range, 15000), 12000);
    EXPECT_EQ(ClampDpi(range, 800), 800);
}

}  // namespace
}  // namespace vellomir
