// Unpacks arbitrary bytes, which may only be refused with EReadError, and packs them: whatever is
// packed unpacks to itself.
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_replay.h"
#include "ui/framework/format/design_pack.h"
#include "ui/framework/format/little_endian.h"
#include "ui/framework/format/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        const std::vector<std::uint8_t> unpacked = UnpackDesign(bytes);
        FUZZ_CHECK(unpacked.size() == LoadLittleEndian(data, 4), input);
    } catch (const EReadError&) {
    }
    FUZZ_CHECK(UnpackDesign(PackDesign(bytes)) == std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
               input);
    return 0;
}
