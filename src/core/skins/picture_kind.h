#pragma once
// Which decoders a picture file is handed to, decided by its first bytes and
// never by its name: "BM" is a Windows bitmap and nothing else; any other file
// is tried as an icon file, then as PNG.
#include <cstdint>
#include <span>
#include <vector>

namespace pendolux {

enum class PictureDecoder { windows_bitmap, icon, png };

// The decoders to try, in order; the first that succeeds gives the picture.
std::vector<PictureDecoder> picture_decoders_for(std::span<const std::uint8_t> bytes);

bool starts_as_windows_bitmap(std::span<const std::uint8_t> bytes);
// An icon directory: reserved word 0, type 1 (icon) or 2 (cursor), at least one entry.
bool starts_as_icon_file(std::span<const std::uint8_t> bytes);

}  // namespace pendolux
