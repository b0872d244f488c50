#include "device/HidrawIdentity.h"

#include <cctype>
#include <vector>

#include "common/Text.h"

namespace vellomir {
namespace {

bool IsHex(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

bool IsDigits(std::string_view text) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

bool ReadHex16(std::string_view text, std::uint16_t& out) {
    if (!IsHex(text) || text.size() > 8) return false;
    const long value = ReadHex(text);
    if (value < 0 || value > 0xFFFF) return false;
    out = static_cast<std::uint16_t>(value);
    return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(separator, start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        parts.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return parts;
}

// "0003:1209:0001.0005" -> vendor, product.
bool ParseHidFolder(std::string_view name, std::uint16_t& vendorId, std::uint16_t& productId) {
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || !IsHex(name.substr(dot + 1))) return false;
    const auto parts = Split(name.substr(0, dot), ':');
    if (parts.size() != 3 || parts[0].size() != 4 || !IsHex(parts[0])) return false;
    return parts[1].size() == 4 && parts[2].size() == 4 && ReadHex16(parts[1], vendorId) &&
           ReadHex16(parts[2], productId);
}

// "1-2:1.2" (bus-ports:configuration.interface) -> interface, or -1.
int ParseUsbInterfaceFolder(std::string_view name) {
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos || colon == 0) return -1;
    const std::string_view rest = name.substr(colon + 1);
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || !IsDigits(rest.substr(0, dot)) || !IsDigits(rest.substr(dot + 1))) {
        return -1;
    }
    return ReadDecimal(rest.substr(dot + 1));
}

}  // namespace

bool ParseHidId(std::string_view hidId, std::uint16_t& vendorId, std::uint16_t& productId) {
    const auto parts = Split(hidId, ':');
    if (parts.size() != 3 || !IsHex(parts[0])) return false;
    std::uint16_t vendor = 0, product = 0;
    if (!ReadHex16(parts[1], vendor) || !ReadHex16(parts[2], product)) return false;
    vendorId = vendor;
    productId = product;
    return true;
}

int ParseHidPhysInterface(std::string_view phys) {
    const std::size_t at = phys.rfind("/input");
    if (at == std::string_view::npos) return -1;
    const std::string_view digits = phys.substr(at + 6);
    return IsDigits(digits) ? ReadDecimal(digits) : -1;
}

InterfaceIds ParseHidrawDevpath(std::string_view devpath) {
    InterfaceIds ids;
    const auto parts = Split(devpath, '/');
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::uint16_t vendor = 0, product = 0;
        if (!ParseHidFolder(parts[i], vendor, product)) continue;
        ids.known = true;
        ids.vendorId = vendor;
        ids.productId = product;
        if (i > 0) ids.interfaceNumber = ParseUsbInterfaceFolder(parts[i - 1]);
    }
    return ids;
}

std::string FormatHotplugPath(std::string_view devnode, const InterfaceIds& ids) {
    std::string path(devnode);
    if (!ids.known) return path;
    path += StrFormat("#VID_%04X&PID_%04X", ids.vendorId, ids.productId);
    if (ids.interfaceNumber >= 0) path += StrFormat("&MI_%02X", static_cast<unsigned>(ids.interfaceNumber));
    return path;
}

}  // namespace vellomir
