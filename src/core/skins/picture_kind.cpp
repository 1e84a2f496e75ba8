#include "core/skins/picture_kind.h"

#include "core/skins/png_decode.h"

namespace pendolux {

bool starts_as_windows_bitmap(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

bool starts_as_icon_file(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 6) return false;
    const unsigned type = bytes[2] | (bytes[3] << 8);
    const unsigned count = bytes[4] | (bytes[5] << 8);
    return bytes[0] == 0 && bytes[1] == 0 && (type == 1 || type == 2) && count > 0;
}

std::vector<PictureDecoder> picture_decoders_for(std::span<const std::uint8_t> bytes) {
    if (starts_as_windows_bitmap(bytes)) return {PictureDecoder::windows_bitmap};
    std::vector<PictureDecoder> decoders;
    // Decoders that would refuse the file's first bytes anyway are left out.
    if (starts_as_icon_file(bytes)) decoders.push_back(PictureDecoder::icon);
    if (looks_like_png(bytes)) decoders.push_back(PictureDecoder::png);
    return decoders;
}

}  // namespace pendolux
