#pragma once

#include <cstddef>
#include <cstdint>

// Stored designs and BMP files keep their numbers little-endian, whatever the host's order.
inline std::uint32_t LoadLittleEndian(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return value;
}

inline void StoreLittleEndian(std::uint8_t* bytes, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
