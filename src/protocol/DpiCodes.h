#pragma once
// DPI values as the mouse's sensor encodes them in the DPI command and its query reply. Each sensor
// family has its own step sizes; several switch to coarser steps above a knee. Integer division
// throughout, as the firmware does.

namespace vellomir {

// The stage code sent for a DPI value (the caller clamps the value to the sensor's range first).
int DpiToCode(int sensor, int dpi);

// The DPI value of a stage code read back from the mouse. For sensors 0x19 and 0x26 this is not the
// exact inverse of DpiToCode: the two tables come from the firmware as they are.
int CodeToDpi(int sensor, int code);

}  // namespace vellomir
