#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Expands a run-length encoded 8-bit bitmap body (BI_RLE8) into plain rows, bottom row first, each
// padded to four bytes. Pixels the encoding skips stay 0. Nothing when the body is malformed: a run
// past the end of its row or of the image, a cut-off escape, no end-of-bitmap mark, or a size whose
// rows would take 4 GiB or more.
std::optional<std::vector<std::uint8_t>> DecodeRle8(std::span<const std::uint8_t> body, int width,
                                                    int height);
