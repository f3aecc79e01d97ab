#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace framework {

// The bytes of resource `name` of `type` in `module`, where the module maps them; nothing when the
// resource is missing or cannot be loaded and locked.
std::optional<std::span<const std::uint8_t>> ModuleResource(HMODULE module, const char* name, LPCSTR type);

} // namespace framework
