#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A bitmap as a DIB section is made from it: a plain 40-byte info header, the three colour masks when
// its compression is BI_BITFIELDS, the colour table, then the rows. Whatever header the file had, the
// system is handed only this form, so it never reads beyond what was checked.
struct Dib {
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> bits;
    bool operator==(const Dib&) const = default;
};

inline constexpr int kMaxBitmapSide = 0x4000;

// A complete BMP file (file header first), or a packed DIB as a bitmap resource holds it. Nothing for
// bytes that are not a bitmap of at most kMaxBitmapSide a side, 1, 4, 8, 16, 24 or 32 bits a pixel,
// plain, BI_RLE8 (expanded into plain rows here) or BI_BITFIELDS. Missing pixel bytes are left out.
std::optional<Dib> ReadBmpFile(std::span<const std::uint8_t> file);
std::optional<Dib> ReadPackedDib(std::span<const std::uint8_t> dib);

// The BMP file of a header and colour table and the pixel rows.
std::vector<std::uint8_t> BmpFile(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);
