// PNG decoding side by side: the program's decoder (the desktop library's
// codec) and libspng, on a page with transparency, an opaque page and a small
// button, each from bytes in memory to the program's decoded form. The floor
// is inflating the picture's compressed data alone, which every PNG decoder
// must do; what a decoder takes beyond it is its own work (unfiltering,
// conversion, the bottom-up copy).

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_pictures.h"
#include "platform/gdi/png_libspng.h"
#include "platform/gdi/picture_file.h"
#include "platform/services/files.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadPicture(const std::u16string& path)
{
    const std::optional<std::string> content = ReadWholeFileW(path.c_str());
    if (!content) {
        std::abort();
    }
    return Bytes(content->begin(), content->end());
}

std::uint32_t Be32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The zlib stream of the picture: its IDAT chunks end to end.
Bytes CompressedData(const Bytes& png)
{
    Bytes data;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Be32(&png[at]);
        if (std::memcmp(&png[at + 4], "IDAT", 4) == 0) {
            data.insert(data.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                        png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    return data;
}

void Decode(benchmark::State& state, const std::u16string& path,
            std::optional<DecodedPicture> (*decode)(std::span<const std::uint8_t>))
{
    const Bytes png = ReadPicture(path);
    for (auto _ : state) {
        std::optional<DecodedPicture> picture = decode(png);
        if (!picture) {
            state.SkipWithError("the picture did not decode");
            return;
        }
        benchmark::DoNotOptimize(picture->pixels.data());
    }
}

void Inflate(benchmark::State& state, const std::u16string& path)
{
    const Bytes png = ReadPicture(path);
    const Bytes compressed = CompressedData(png);
    // Rows of 8-bit RGBA with their filter bytes: room for any of the pictures.
    Bytes raw(static_cast<std::size_t>(Be32(&png[16])) * 4 * Be32(&png[20]) + Be32(&png[20]));
    for (auto _ : state) {
        uLongf size = raw.size();
        if (uncompress(raw.data(), &size, compressed.data(), compressed.size()) != Z_OK) {
            state.SkipWithError("the picture's data did not inflate");
            return;
        }
        benchmark::DoNotOptimize(raw.data());
    }
}

void Register(const char* picture, const std::u16string& path, benchmark::TimeUnit unit)
{
    const std::string name = std::string("decode/") + picture;
    benchmark::RegisterBenchmark((name + "/program").c_str(), Decode, path, &DecodePng)->Unit(unit);
    benchmark::RegisterBenchmark((name + "/libspng").c_str(), Decode, path, &DecodePngWithLibspng)->Unit(unit);
    benchmark::RegisterBenchmark((name + "/floor-inflate").c_str(), Inflate, path)->Unit(unit);
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchPictures& pictures = SharedBenchPictures();
    Register("page-alpha", pictures.pageAlpha, benchmark::kMillisecond);
    Register("page-opaque", pictures.pageOpaque, benchmark::kMillisecond);
    Register("button", pictures.button, benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
