#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace pendolux::assets {
extern const std::uint8_t builtin_skin_png[];
extern const std::size_t builtin_skin_png_size;
extern const std::uint8_t tray_icon_ico[];
extern const std::size_t tray_icon_ico_size;

inline std::span<const std::uint8_t> builtin_skin() { return {builtin_skin_png, builtin_skin_png_size}; }
inline std::span<const std::uint8_t> tray_icon() { return {tray_icon_ico, tray_icon_ico_size}; }
}  // namespace pendolux::assets
