#include "ui/framework/module_resource.h"

namespace framework {

std::optional<std::span<const std::uint8_t>> ModuleResource(HMODULE module, const char* name, LPCSTR type) {
    HRSRC found = ::FindResourceA(module, name, type);
    if (found == nullptr)
        return std::nullopt;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr)
        return std::nullopt;
    return std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(data),
                                         ::SizeofResource(module, found));
}

} // namespace framework
