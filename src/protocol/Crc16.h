#pragma once
// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final XOR. The firmware loader
// protects every 18-byte block (block number and data) with it.

#include <cstdint>
#include <span>

namespace vellomir {

std::uint16_t Crc16Modbus(std::span<const std::uint8_t> bytes);

}  // namespace vellomir
