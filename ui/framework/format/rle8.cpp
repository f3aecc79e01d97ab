#include "ui/framework/format/rle8.h"

#include <algorithm>
#include <cstddef>
#include <limits>

std::optional<std::vector<std::uint8_t>> DecodeRle8(std::span<const std::uint8_t> body, int width,
                                                    int height) {
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t stride = (w + 3) & ~std::size_t{3};
    // The rows of a DIB are counted in 32 bits; a product past that would wrap on this program's size_t.
    if (stride > std::numeric_limits<std::uint32_t>::max() / h)
        return std::nullopt;
    std::vector<std::uint8_t> rows(stride * h, 0);
    std::size_t x = 0;
    std::size_t y = 0;
    std::size_t at = 0;
    auto fits = [&](std::size_t count) { return y < h && count <= w - x; };
    while (at + 2 <= body.size()) {
        const std::uint8_t first = body[at];
        const std::uint8_t second = body[at + 1];
        at += 2;
        if (first != 0) { // a run of one colour
            if (!fits(first))
                return std::nullopt;
            std::fill_n(rows.begin() + static_cast<std::ptrdiff_t>(y * stride + x), first, second);
            x += first;
        } else if (second == 0) { // end of line
            x = 0;
            ++y;
        } else if (second == 1) { // end of bitmap
            return rows;
        } else if (second == 2) { // move right and up
            if (at + 2 > body.size())
                return std::nullopt;
            x += body[at];
            y += body[at + 1];
            at += 2;
            if (x > w || y > h)
                return std::nullopt;
        } else { // literal pixels, padded to a word
            const std::size_t padded = second + (second & 1u);
            if (!fits(second) || at + padded > body.size())
                return std::nullopt;
            std::copy_n(body.begin() + static_cast<std::ptrdiff_t>(at), second,
                        rows.begin() + static_cast<std::ptrdiff_t>(y * stride + x));
            x += second;
            at += padded;
        }
    }
    return std::nullopt;
}
