#include "ui/framework/format/design_pack.h"

#include "ui/framework/format/little_endian.h"
#include "ui/framework/format/stream.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::size_t kMaxLiterals = 0x80;
constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kMaxNearCopy = 0x07 + kMinCopy;
constexpr std::size_t kMaxNearDistance = 0x800;
constexpr std::size_t kMaxFarCopy = 0x3F + kMinCopy;
constexpr std::size_t kMaxFarDistance = 0x10000;
// Earlier positions looked at for each one: the designs are small, so the packer can be thorough.
constexpr int kMaxCandidates = 1024;

[[noreturn]] void Damaged() {
    throw EReadError("Stream read error");
}

std::size_t HashAt(std::span<const std::uint8_t> data, std::size_t at) {
    return (data[at] * 2654435761u ^ data[at + 1] * 40503u ^ data[at + 2]) & 0xFFFF;
}

// The longest copies that each position can take, near (two bytes) and far (three).
struct Copies {
    std::size_t nearLength = 0, nearDistance = 0, farLength = 0, farDistance = 0;
};

std::vector<Copies> FindCopies(std::span<const std::uint8_t> design) {
    std::vector<Copies> copies(design.size());
    std::vector<std::size_t> previous(design.size(), SIZE_MAX);
    std::vector<std::size_t> last(0x10000, SIZE_MAX);
    for (std::size_t at = 0; at + kMinCopy <= design.size(); ++at) {
        const std::size_t hash = HashAt(design, at);
        Copies& best = copies[at];
        const std::size_t limit = std::min(kMaxFarCopy, design.size() - at);
        std::size_t from = last[hash];
        for (int n = 0; from != SIZE_MAX && at - from <= kMaxFarDistance && n < kMaxCandidates;
             ++n, from = previous[from]) {
            std::size_t length = 0;
            while (length < limit && design[from + length] == design[at + length])
                ++length;
            if (length > best.farLength) {
                best.farLength = length;
                best.farDistance = at - from;
            }
            if (at - from <= kMaxNearDistance && std::min(length, kMaxNearCopy) > best.nearLength) {
                best.nearLength = std::min(length, kMaxNearCopy);
                best.nearDistance = at - from;
            }
        }
        previous[at] = last[hash];
        last[hash] = at;
    }
    return copies;
}

} // namespace

std::vector<std::uint8_t> PackDesign(std::span<const std::uint8_t> design) {
    // The cheapest packing of each tail of the design, found from the end: a literal run of up to 128
    // bytes, or any length up to the longest copy of each kind.
    enum class Token : std::uint8_t { literals, nearCopy, farCopy };
    struct Choice {
        std::size_t cost = SIZE_MAX;
        std::size_t length = 0;
        Token token = Token::literals;
    };
    const std::size_t size = design.size();
    const std::vector<Copies> copies = FindCopies(design);
    std::vector<Choice> best(size + 1);
    best[size].cost = 0;
    for (std::size_t at = size; at-- > 0;) {
        auto consider = [&](std::size_t length, std::size_t bytes, Token token) {
            if (bytes + best[at + length].cost < best[at].cost)
                best[at] = {bytes + best[at + length].cost, length, token};
        };
        for (std::size_t n = 1; n <= kMaxLiterals && at + n <= size; ++n)
            consider(n, 1 + n, Token::literals);
        for (std::size_t n = kMinCopy; n <= copies[at].nearLength; ++n)
            consider(n, 2, Token::nearCopy);
        for (std::size_t n = kMinCopy; n <= copies[at].farLength; ++n)
            consider(n, 3, Token::farCopy);
    }
    std::vector<std::uint8_t> packed(4);
    StoreLittleEndian(packed.data(), static_cast<std::uint32_t>(size), 4);
    for (std::size_t at = 0; at < size; at += best[at].length) {
        const std::size_t length = best[at].length;
        switch (best[at].token) {
        case Token::literals:
            packed.push_back(static_cast<std::uint8_t>(length - 1));
            packed.insert(packed.end(), design.begin() + at, design.begin() + at + length);
            break;
        case Token::nearCopy: {
            const std::size_t distance = copies[at].nearDistance - 1;
            packed.push_back(static_cast<std::uint8_t>(0x80 | (length - kMinCopy) << 3 | distance >> 8));
            packed.push_back(static_cast<std::uint8_t>(distance));
            break;
        }
        case Token::farCopy: {
            const std::size_t distance = copies[at].farDistance - 1;
            packed.push_back(static_cast<std::uint8_t>(0xC0 | (length - kMinCopy)));
            packed.push_back(static_cast<std::uint8_t>(distance));
            packed.push_back(static_cast<std::uint8_t>(distance >> 8));
            break;
        }
        }
    }
    return packed;
}

std::vector<std::uint8_t> UnpackDesign(std::span<const std::uint8_t> packed) {
    if (packed.size() < 4)
        Damaged();
    const std::uint32_t size = LoadLittleEndian(packed.data(), 4);
    // No token makes more than 66 bytes of each byte it takes: a larger stated size is damage.
    if (size / kMaxFarCopy > packed.size())
        Damaged();
    std::vector<std::uint8_t> design;
    design.reserve(size);
    std::size_t at = 4;
    while (at < packed.size()) {
        const std::uint8_t token = packed[at++];
        if (token < 0x80) {
            const std::size_t count = token + 1u;
            if (packed.size() - at < count || size - design.size() < count)
                Damaged();
            design.insert(design.end(), packed.begin() + at, packed.begin() + at + count);
            at += count;
            continue;
        }
        const bool isFar = token >= 0xC0;
        if (packed.size() - at < (isFar ? 2u : 1u))
            Damaged();
        std::size_t length;
        std::size_t distance;
        if (isFar) {
            length = (token & 0x3Fu) + kMinCopy;
            distance = LoadLittleEndian(&packed[at], 2) + 1u;
            at += 2;
        } else {
            length = ((token >> 3) & 0x07u) + kMinCopy;
            distance = ((token & 0x07u) << 8 | packed[at++]) + 1u;
        }
        if (distance > design.size() || size - design.size() < length)
            Damaged();
        for (std::size_t i = 0; i < length; ++i)
            design.push_back(design[design.size() - distance]);
    }
    if (design.size() != size)
        Damaged();
    return design;
}
