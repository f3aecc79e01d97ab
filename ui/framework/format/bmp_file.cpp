#include "ui/framework/format/bmp_file.h"

#include "ui/framework/format/little_endian.h"
#include "ui/framework/format/rle8.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// The masks of BI_BITFIELDS follow a 40-byte header and are the first fields of every longer one.
constexpr std::size_t kMasksEnd = kInfoHeaderSize + 12;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kCompressionAt = 16;
constexpr std::size_t kSizeImageAt = 20;

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return LoadLittleEndian(bytes.data() + at, 4);
}

std::int32_t I32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(U32(bytes, at));
}

unsigned U16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return LoadLittleEndian(bytes.data() + at, 2);
}

void PutU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    StoreLittleEndian(out.data() + at, value, 4);
}

struct Layout {
    std::size_t headerEnd; // where the colour table starts in the file
    std::size_t colours;   // entries of the colour table
    std::size_t masks;     // 12 bytes of masks, or none
    std::size_t Length() const { return headerEnd + colours * 4; }
};

// Checks the header that starts `dib` and finds where its parts lie; nothing when any lies beyond it.
std::optional<Layout> LayoutOf(std::span<const std::uint8_t> dib) {
    if (dib.size() < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t size = U32(dib, 0);
    const std::int32_t width = I32(dib, 4);
    const std::int32_t height = I32(dib, 8);
    const unsigned bitCount = U16(dib, 14);
    const std::uint32_t compression = U32(dib, kCompressionAt);
    const std::uint32_t used = U32(dib, 32);
    if (size < kInfoHeaderSize || size > dib.size() || width <= 0 || width > kMaxBitmapSide || height == 0 ||
        height > kMaxBitmapSide || height < -kMaxBitmapSide || U16(dib, 12) != 1)
        return std::nullopt;
    Layout layout{size, used, 0};
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        if (used == 0)
            layout.colours = std::size_t{1} << bitCount;
        else if (used > (1u << bitCount))
            return std::nullopt;
        break;
    case 16:
    case 24:
    case 32:
        if (used > 256)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    if (compression == kBiBitfields) {
        if (bitCount != 16 && bitCount != 32)
            return std::nullopt;
        layout.masks = 12;
        layout.headerEnd = std::max<std::size_t>(size, kMasksEnd);
    } else if (compression == kBiRle8 ? bitCount != 8 || height < 0 : compression != kBiRgb) {
        return std::nullopt;
    }
    if (layout.Length() > dib.size())
        return std::nullopt;
    return layout;
}

std::optional<Dib> Read(std::span<const std::uint8_t> dib, const Layout& layout,
                        std::span<const std::uint8_t> bits) {
    Dib result;
    result.info.assign(dib.begin(), dib.begin() + kInfoHeaderSize);
    PutU32(result.info, 0, kInfoHeaderSize);
    result.info.insert(result.info.end(), dib.begin() + kInfoHeaderSize,
                       dib.begin() + static_cast<std::ptrdiff_t>(kInfoHeaderSize + layout.masks));
    result.info.insert(result.info.end(), dib.begin() + static_cast<std::ptrdiff_t>(layout.headerEnd),
                       dib.begin() + static_cast<std::ptrdiff_t>(layout.Length()));
    if (U32(dib, kCompressionAt) != kBiRle8) {
        result.bits.assign(bits.begin(), bits.end());
        return result;
    }
    // A DIB section holds plain rows.
    std::optional<std::vector<std::uint8_t>> rows = DecodeRle8(bits, I32(dib, 4), I32(dib, 8));
    if (!rows)
        return std::nullopt;
    PutU32(result.info, kCompressionAt, kBiRgb);
    PutU32(result.info, kSizeImageAt, 0);
    result.bits = std::move(*rows);
    return result;
}

} // namespace

std::optional<Dib> ReadBmpFile(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    const std::span<const std::uint8_t> dib = file.subspan(kFileHeaderSize);
    const std::optional<Layout> layout = LayoutOf(dib);
    if (!layout)
        return std::nullopt;
    const std::uint32_t offBits = U32(file, 10);
    if (offBits < kFileHeaderSize + layout->Length() || offBits > file.size())
        return std::nullopt;
    return Read(dib, *layout, file.subspan(offBits));
}

std::optional<Dib> ReadPackedDib(std::span<const std::uint8_t> dib) {
    const std::optional<Layout> layout = LayoutOf(dib);
    if (!layout)
        return std::nullopt;
    return Read(dib, *layout, dib.subspan(layout->Length()));
}

std::vector<std::uint8_t> BmpFile(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
    const std::size_t offBits = kFileHeaderSize + info.size();
    std::vector<std::uint8_t> file(offBits);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<std::uint32_t>(offBits + bits.size()));
    PutU32(file, 10, static_cast<std::uint32_t>(offBits));
    std::copy(info.begin(), info.end(), file.begin() + kFileHeaderSize);
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}
