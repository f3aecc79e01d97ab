// Feeds arbitrary run-length encoded bitmap bodies to the decoder. The first two bytes choose the width
// and height (1 to 40 each); the rest is the body.
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_replay.h"
#include "ui/framework/format/rle8.h"

#include <optional>
#include <vector>

namespace {

// The format's rules as a table of pixels, written apart from the decoder: every escape, every bound.
std::optional<std::vector<std::uint8_t>> ModelDecode(std::span<const std::uint8_t> body, int width,
                                                     int height) {
    std::vector<std::vector<std::uint8_t>> rows(height, std::vector<std::uint8_t>(width, 0));
    int x = 0;
    int y = 0;
    std::size_t at = 0;
    auto put = [&](std::uint8_t value) {
        if (y >= height || x >= width)
            return false;
        rows[y][x++] = value;
        return true;
    };
    for (;;) {
        if (body.size() - at < 2)
            return std::nullopt;
        const int first = body[at++];
        const int second = body[at++];
        if (first > 0) {
            for (int i = 0; i < first; ++i)
                if (!put(static_cast<std::uint8_t>(second)))
                    return std::nullopt;
        } else if (second == 0) {
            x = 0;
            ++y;
        } else if (second == 1) {
            break;
        } else if (second == 2) {
            if (body.size() - at < 2)
                return std::nullopt;
            x += body[at++];
            y += body[at++];
            if (x > width || y > height)
                return std::nullopt;
        } else {
            if (body.size() - at < static_cast<std::size_t>(second + second % 2))
                return std::nullopt;
            for (int i = 0; i < second; ++i)
                if (!put(body[at++]))
                    return std::nullopt;
            at += second % 2;
        }
    }
    std::vector<std::uint8_t> plain;
    const int stride = (width + 3) / 4 * 4;
    for (const auto& row : rows) {
        plain.insert(plain.end(), row.begin(), row.end());
        plain.resize(plain.size() + static_cast<std::size_t>(stride - width), 0);
    }
    return plain;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::string_view input = fuzz::AsText(data, size);
    const int width = 1 + data[0] % 40;
    const int height = 1 + data[1] % 40;
    const std::vector<std::uint8_t> body(data + 2, data + size);

    const auto decoded = DecodeRle8(body, width, height);
    FUZZ_CHECK(decoded == ModelDecode(body, width, height), input);
    if (!decoded)
        return 0;
    FUZZ_CHECK(decoded->size() == static_cast<std::size_t>((width + 3) / 4 * 4 * height), input);
    // The end-of-bitmap mark ends the body: whatever follows it changes nothing.
    std::vector<std::uint8_t> longer = body;
    longer.insert(longer.end(), {7, 7, 0, 0, 0, 5});
    FUZZ_CHECK(DecodeRle8(longer, width, height) == decoded, input);
    return 0;
}
