#pragma once
// What the DPI page and the DPI command need to know about a sensor: its DPI range, the slider that
// stands for it, and the conversions between slider positions, typed values and DPI.

namespace vellomir {

// The table applied when a device's configuration is read normally, and the one applied when a
// receiver reports its mouse back online (it differs for sensors 0x05, 0x11 and 0x19).
enum class DpiTableVariant { kNormal, kLinkUp };

struct SensorDpiRange {
    int lowest = 50;
    int highest = 26000;
    int sliderRange = 520;  // the number of slider positions handed to the slider
    int sliderOffset = 0;   // added to the slider position before SliderToDpi
    bool operator==(const SensorDpiRange&) const = default;
};

SensorDpiRange SensorDpiRangeFor(int sensor, DpiTableVariant variant);

// A stage value raised to the lowest and lowered to the highest DPI of the range.
int ClampDpi(const SensorDpiRange& range, int dpi);

// Slider position of a DPI value.
int DpiToSlider(int sensor, int dpi);
// DPI value of a slider position; p is the position plus the slider offset.
int SliderToDpi(int sensor, int p);
// A typed stage value rounded to the steps the page offers for the sensor, within its range.
int SnapDpi(int sensor, int typed);

}  // namespace vellomir
