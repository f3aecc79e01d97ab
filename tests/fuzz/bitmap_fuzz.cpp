// Feeds arbitrary bytes to the bitmap reader, as a TBitmap reads them from a stream, and checks that
// what it would hand to the system is no more than the system reads of it, and a form it reads back.
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_replay.h"
#include "ui/framework/format/bmp_file.h"
#include "ui/framework/format/stream.h"

#include <cstring>

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// What the system reads of a BITMAPINFO, as documented: the header, three DWORD masks after a
// 40-byte header with BI_BITFIELDS, then biClrUsed colours or, with at most 8 bits a pixel and
// biClrUsed 0, 2 to the bit count.
std::size_t SystemReads(const std::vector<std::uint8_t>& info) {
    const std::uint32_t bitCount = U32(info, 14) & 0xFFFF;
    const std::uint32_t used = U32(info, 32);
    const std::size_t colours = used != 0 ? used : bitCount <= 8 ? std::size_t{1} << bitCount : 0;
    return U32(info, 0) + (U32(info, 16) == 3 ? 12 : 0) + colours * 4;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Remaining()));
    stream.ReadBuffer(bytes.data(), bytes.size());

    const std::optional<Dib> dib = ReadBmpFile(bytes);
    if (!dib)
        return 0;
    FUZZ_CHECK(dib->info.size() >= 40 && U32(dib->info, 0) == 40, input);
    FUZZ_CHECK(SystemReads(dib->info) == dib->info.size(), input);
    FUZZ_CHECK(U32(dib->info, 16) != 1, input); // run-length bodies are expanded
    const auto width = static_cast<std::int32_t>(U32(dib->info, 4));
    const auto height = static_cast<std::int32_t>(U32(dib->info, 8));
    FUZZ_CHECK(width > 0 && width <= kMaxBitmapSide && height != 0 && height >= -kMaxBitmapSide &&
                   height <= kMaxBitmapSide,
               input);
    // What the reader gives is a bitmap it reads again unchanged, as a file and as a resource; checked
    // up to 1 MiB of rows, since each copy of a largest image is 256 MiB.
    if (dib->bits.size() > (1u << 20))
        return 0;
    FUZZ_CHECK(ReadBmpFile(BmpFile(dib->info, dib->bits)) == dib, input);
    std::vector<std::uint8_t> packed = dib->info;
    packed.insert(packed.end(), dib->bits.begin(), dib->bits.end());
    FUZZ_CHECK(ReadPackedDib(packed) == dib, input);
    return 0;
}
