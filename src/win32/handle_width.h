#pragma once

#include <cstdint>

namespace plimex::win32 {

// The core carries window and icon handles, and the registry's root keys, as
// the 32-bit values of the tray record and the registry call. 64-bit Windows
// keeps only 32 significant bits in window and icon handles and defines the
// predefined root keys sign-extended (HKEY_CURRENT_USER is
// 0xFFFFFFFF80000001), so a 32-bit value widens by sign extension: zero
// extension would name another handle, or no key at all.
template <typename Handle>
Handle WidenHandle(std::uint32_t value) {
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

template <typename Handle>
std::uint32_t NarrowHandle(Handle handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

}  // namespace plimex::win32
