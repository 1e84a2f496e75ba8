// Makes the two embedded pictures deterministically:
//   builtin_skin.png  100 x 100 RGBA: dark grain, darker towards the lower right,
//                     corners rounded off by fully transparent pixels
//   tray_icon.ico     16 x 16, 32-bit with alpha: a light blue "P" on a dark square
// Usage: make_assets OUTPUT_FOLDER
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::uint32_t next_random(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

bool outside_rounded_corner(int x, int y, int size, double radius) {
    const double cx = x + 0.5 < radius ? radius : (x + 0.5 > size - radius ? size - radius : x + 0.5);
    const double cy = y + 0.5 < radius ? radius : (y + 0.5 > size - radius ? size - radius : y + 0.5);
    const double dx = x + 0.5 - cx;
    const double dy = y + 0.5 - cy;
    return dx * dx + dy * dy > radius * radius;
}

bool write_skin(const std::string& path) {
    constexpr int size = 100;
    std::vector<std::uint8_t> rgba(size * size * 4);
    std::uint32_t state = 20091224u;
    int transparent = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // 44 at the top left down to 16 at the bottom right, grain of +-16.
            const double shade = 44.0 - 28.0 * (x + y) / (2.0 * (size - 1));
            int grey = static_cast<int>(std::lround(shade)) + static_cast<int>(next_random(state) % 33) - 16;
            grey = grey < 0 ? 0 : (grey > 60 ? 60 : grey);
            std::uint8_t* p = &rgba[(y * size + x) * 4];
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(grey);
            p[3] = 255;
            if (outside_rounded_corner(x, y, size, 14.3)) {
                p[0] = p[1] = p[2] = p[3] = 0;
                ++transparent;
            }
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < size; ++y) png_write_row(png, &rgba[y * size * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    std::printf("%s: %d transparent corner pixels\n", path.c_str(), transparent);
    return true;
}

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

bool write_icon(const std::string& path) {
    constexpr int size = 16;
    // The letter, 7 x 10 cells, placed at (5, 3).
    static const char* const letter[] = {
        "######.", "#######", "##...##", "##...##", "#######",
        "######.", "##.....", "##.....", "##.....", "##.....",
    };
    std::vector<std::uint8_t> image;  // BITMAPINFOHEADER + BGRA bottom-up + AND mask
    put32(image, 40);
    put32(image, size);
    put32(image, size * 2);  // colour rows + mask rows
    put16(image, 1);
    put16(image, 32);
    put32(image, 0);
    put32(image, size * size * 4 + size * 4);
    put32(image, 0);
    put32(image, 0);
    put32(image, 0);
    put32(image, 0);
    for (int row = size - 1; row >= 0; --row) {
        for (int x = 0; x < size; ++x) {
            const bool corner = (x == 0 || x == size - 1) && (row == 0 || row == size - 1);
            const int grey = 70 - 70 * row / (size - 1);  // dark grey on top, black below
            std::uint8_t r = grey, g = grey, b = grey, a = corner ? 0 : 255;
            const int lx = x - 5, ly = row - 3;
            if (!corner && lx >= 0 && lx < 7 && ly >= 0 && ly < 10 && letter[ly][lx] == '#') {
                r = 5;
                g = 130;
                b = 185;
            }
            if (corner) r = g = b = 0;
            image.insert(image.end(), {b, g, r, a});
        }
    }
    // The alpha channel carries the transparency; the AND mask stays clear.
    image.insert(image.end(), size * 4, 0);
    std::vector<std::uint8_t> file_bytes;
    put16(file_bytes, 0);
    put16(file_bytes, 1);
    put16(file_bytes, 1);
    file_bytes.insert(file_bytes.end(), {size, size, 0, 0});
    put16(file_bytes, 1);
    put16(file_bytes, 32);
    put32(file_bytes, static_cast<std::uint32_t>(image.size()));
    put32(file_bytes, 22);
    file_bytes.insert(file_bytes.end(), image.begin(), image.end());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(file_bytes.data(), 1, file_bytes.size(), file) == file_bytes.size();
    std::fclose(file);
    std::printf("%s: %zu bytes\n", path.c_str(), file_bytes.size());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    return write_skin(folder + "/builtin_skin.png") && write_icon(folder + "/tray_icon.ico") ? 0 : 1;
}
