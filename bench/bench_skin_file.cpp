// Costs of the skin file operations: unpacking a typical skin (a 30 KB
// picture, the size of a 100 x 100 24-bit BMP), the worst case a crafted header
// can ask for (the 16 MiB cap), writing a skin, and decoding the built-in PNG.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "assets/embedded_assets.h"
#include "core/skins/png_decode.h"
#include "core/skins/skin_file.h"
#include "support/temp_folder.h"

namespace {

using namespace pendolux;

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::vector<std::uint8_t> skin_bytes(double announced, std::size_t picture_bytes) {
    const auto header = encode_skin_header(announced, {100, 100, 100}, {0, 140, 200});
    std::vector<std::uint8_t> bytes(header.size() + picture_bytes + 1, 0x5A);
    std::copy(header.begin(), header.end(), bytes.begin());
    return bytes;
}

void BM_unpack_typical_skin(benchmark::State& state) {
    test::TempFolder folder;
    write_file(folder.file("a.pxk"), skin_bytes(30054, 30054));
    for (auto _ : state) benchmark::DoNotOptimize(unpack_skin_file(folder.file("a.pxk"), folder.file("tmp.dat")));
}
BENCHMARK(BM_unpack_typical_skin)->Unit(benchmark::kMicrosecond);

void BM_unpack_crafted_huge_size(benchmark::State& state) {
    test::TempFolder folder;
    write_file(folder.file("evil.pxk"), skin_bytes(2147483647.0, 10));
    for (auto _ : state) benchmark::DoNotOptimize(unpack_skin_file(folder.file("evil.pxk"), folder.file("tmp.dat")));
}
BENCHMARK(BM_unpack_crafted_huge_size)->Unit(benchmark::kMillisecond);

void BM_write_typical_skin(benchmark::State& state) {
    test::TempFolder folder;
    write_file(folder.file("p.bmp"), std::vector<std::uint8_t>(30054, 0x5A));
    for (auto _ : state)
        benchmark::DoNotOptimize(write_skin_file(folder.file("a.pxk"), folder.file("p.bmp"), {1, 2, 3}, {4, 5, 6}));
}
BENCHMARK(BM_write_typical_skin)->Unit(benchmark::kMicrosecond);

void BM_decode_builtin_png(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(decode_png(assets::builtin_skin()));
}
BENCHMARK(BM_decode_builtin_png)->Unit(benchmark::kMicrosecond);

}  // namespace
