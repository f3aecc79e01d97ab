#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The packed form in which a program embeds its stored designs: most of a design is its skin's
// bitmaps, whose rows repeat. The unpacked size (32-bit little-endian), then tokens:
//   0nnnnnnn                    n + 1 literal bytes follow;
//   10lllddd dddddddd           copy l + 3 bytes from d + 1 back (d: 11 bits, high bits first);
//   11llllll dddddddd dddddddd  copy l + 3 bytes from d + 1 back (d: 16 bits, little-endian).
// A copy may overlap what it makes, which repeats a run.
std::vector<std::uint8_t> PackDesign(std::span<const std::uint8_t> design);

// The design back. EReadError "Stream read error" when the packed bytes are damaged: cut short, a copy
// from before the start, or more or fewer bytes than the stated size.
std::vector<std::uint8_t> UnpackDesign(std::span<const std::uint8_t> packed);
