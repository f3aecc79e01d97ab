#include "ui/framework/format/design_pack.h"

#include <windows.h>

#include <cstdint>
#include <vector>

std::vector<std::uint8_t> LoadSampleDesign() {
    HRSRC found = ::FindResourceA(nullptr, "SAMPLE_DESIGN", MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (found == nullptr)
        return {};
    // Resource memory belongs to the module: nothing to free.
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, found)));
    return UnpackDesign({bytes, ::SizeofResource(nullptr, found)});
}
