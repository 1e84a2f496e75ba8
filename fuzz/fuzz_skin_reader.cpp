// Any bytes as a skin file: unpacking must give the scratch file exactly the
// announced number of bytes (capped), the picture bytes first, zeros after.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/skins/skin_file.h"

namespace {

std::string make_work_folder() {
    char pattern[] = "/tmp/pendolux-fuzz-skin-XXXXXX";
    const char* folder = ::mkdtemp(pattern);
    if (folder == nullptr) std::abort();
    return folder;
}

const std::string& work_folder() {
    static const std::string folder = make_work_folder();
    return folder;
}

std::vector<std::uint8_t> read_all(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pendolux;
    const std::string skin = work_folder() + "/skin.pxk";
    const std::string scratch = work_folder() + "/tmp.dat";
    if (std::FILE* file = std::fopen(skin.c_str(), "wb")) {
        if (size > 0) std::fwrite(data, 1, size, file);
        std::fclose(file);
    }

    const SkinHeader decoded = decode_skin_header({data, size});
    const auto header = read_skin_header(skin);
    check(header.has_value() && *header == decoded);

    const auto unpacked = unpack_skin_file(skin, scratch);
    check(unpacked.has_value() && *unpacked == decoded);
    const std::vector<std::uint8_t> out = read_all(scratch);
    const std::int64_t expected = scratch_bytes_for(decoded.picture_size);
    check(static_cast<std::int64_t>(out.size()) == expected);
    check(expected <= max_scratch_file_size);
    const std::size_t available = size > skin_header_size ? size - skin_header_size : 0;
    const std::size_t copied = std::min<std::size_t>(available, out.size());
    check(copied == 0 || std::memcmp(out.data(), data + skin_header_size, copied) == 0);
    for (std::size_t i = copied; i < out.size(); ++i) check(out[i] == 0);
    return 0;
}
