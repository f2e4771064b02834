// SPDX-License-Identifier: GPL-3.0-or-later
// PNG decoding beside its floor: the program's decoder (libspng, straight
// into the decoded rows) on a painted page with transparency, an opaque page
// and a small button, each from bytes in memory to the program's decoded
// form. The floor is inflating the picture's compressed data alone (zlib,
// checksum included), which every PNG decoder must do; what a decoder takes
// beyond it is its own work (unfiltering, conversion, placing the rows). This
// is what a picture costs the first time it is drawn; later draws of an
// unchanged file take the picture decoded before.
//
//   pages/NAME      every page and dialog picture of the skin, and its @2x
//                   copy, decoded by the program and inflated, alternately
//                   in one loop: counters program_ms, floor_ms and their ratio
//   encoding/...    a skin picture written in other encodings (row filters,
//                   compression level, palette), each beside its own floor:
//                   what tools/skingen's writer chose its encoding by

#include <benchmark/benchmark.h>
#include <spng.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_pictures.h"
#include "bench/inflate_floor.h"
#include "platform/gdi/picture_density.h"
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
    CInflateFloor floor(ReadPicture(path));
    for (auto _ : state) {
        if (!floor.Run()) {
            state.SkipWithError("the picture's data did not inflate");
            return;
        }
    }
}

// The program's decoder and the floor timed alternately, iteration by
// iteration, so that a busy machine weighs on both alike.
void DecodeBesideFloor(benchmark::State& state, const Bytes& png)
{
    using Clock = std::chrono::steady_clock;
    CInflateFloor floor(png);
    std::chrono::duration<double> decodeTime{0};
    std::chrono::duration<double> floorTime{0};
    for (auto _ : state) {
        const auto start = Clock::now();
        std::optional<DecodedPicture> picture = DecodePng(png);
        benchmark::DoNotOptimize(picture);
        const auto decoded = Clock::now();
        const bool inflated = floor.Run();
        floorTime += Clock::now() - decoded;
        decodeTime += decoded - start;
        if (!picture || !inflated) {
            state.SkipWithError("the picture did not decode");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(decoded - start).count());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["program_ms"] = decodeTime.count() * 1e3 / n;
    state.counters["floor_ms"] = floorTime.count() * 1e3 / n;
    state.counters["ratio"] = decodeTime / floorTime;
    state.counters["file_bytes"] = static_cast<double>(png.size());
}

// The picture's pixels as a PNG holds them, rows top-down: RGB, RGBA, or
// indices into colours for a palette.
Bytes Samples(const DecodedPicture& picture, int channels, const std::vector<std::uint32_t>& colours)
{
    Bytes samples;
    const std::size_t stride = picture.pixels.size() / static_cast<std::size_t>(picture.height);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* p = picture.pixels.data() + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < picture.width; ++x, p += 4) {
            if (channels == 1) {
                const std::uint32_t argb = (std::uint32_t{p[3]} << 24) | (p[2] << 16) | (p[1] << 8) | p[0];
                samples.push_back(static_cast<std::uint8_t>(
                    std::find(colours.begin(), colours.end(), argb) - colours.begin()));
                continue;
            }
            samples.insert(samples.end(), {p[2], p[1], p[0]});
            if (channels == 4) {
                samples.push_back(p[3]);
            }
        }
    }
    return samples;
}

std::vector<std::uint32_t> Colours(const DecodedPicture& picture)
{
    std::vector<std::uint32_t> colours;
    for (std::size_t i = 0; i + 4 <= picture.pixels.size() && colours.size() <= 256; i += 4) {
        std::uint32_t argb = 0;
        std::memcpy(&argb, picture.pixels.data() + i, 4);
        if (std::find(colours.begin(), colours.end(), argb) == colours.end()) {
            colours.push_back(argb);
        }
    }
    return colours;
}

struct Encoding {
    const char* name;
    bool palette;
    int filters;
    int level;
};

// The picture (decoded, without palette) encoded anew with libspng.
Bytes Encode(const DecodedPicture& picture, const Encoding& encoding)
{
    const bool alpha = picture.format == DecodedPicture::Format::Alpha32;
    const std::vector<std::uint32_t> colours = encoding.palette ? Colours(picture) : std::vector<std::uint32_t>{};
    spng_ctx* context = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_option(context, SPNG_ENCODE_TO_BUFFER, 1);
    spng_set_option(context, SPNG_FILTER_CHOICE, encoding.filters);
    spng_set_option(context, SPNG_IMG_COMPRESSION_LEVEL, encoding.level);
    const std::uint8_t type = encoding.palette ? 3 : alpha ? 6 : 2;
    spng_ihdr ihdr{static_cast<std::uint32_t>(picture.width), static_cast<std::uint32_t>(picture.height), 8, type,
                   0, 0, 0};
    spng_set_ihdr(context, &ihdr);
    if (encoding.palette) {
        spng_plte plte{};
        spng_trns trns{};
        plte.n_entries = trns.n_type3_entries = static_cast<std::uint32_t>(colours.size());
        for (std::size_t i = 0; i < colours.size(); ++i) {
            plte.entries[i] = {static_cast<std::uint8_t>(colours[i] >> 16), static_cast<std::uint8_t>(colours[i] >> 8),
                               static_cast<std::uint8_t>(colours[i]), 0};
            trns.type3_alpha[i] = static_cast<std::uint8_t>(colours[i] >> 24);
        }
        spng_set_plte(context, &plte);
        spng_set_trns(context, &trns);
    }
    const Bytes samples = Samples(picture, encoding.palette ? 1 : alpha ? 4 : 3, colours);
    int error = spng_encode_image(context, samples.data(), samples.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    std::size_t size = 0;
    void* png = error == 0 ? spng_get_png_buffer(context, &size, &error) : nullptr;
    spng_ctx_free(context);
    if (png == nullptr) {
        std::abort();
    }
    Bytes bytes(static_cast<std::uint8_t*>(png), static_cast<std::uint8_t*>(png) + size);
    std::free(png);
    return bytes;
}

constexpr Encoding kEncodings[] = {
    {"adaptive-6", false, SPNG_FILTER_CHOICE_ALL, 6}, {"adaptive-9", false, SPNG_FILTER_CHOICE_ALL, 9},
    {"paeth-9", false, SPNG_FILTER_CHOICE_PAETH, 9},  {"sub-9", false, SPNG_FILTER_CHOICE_SUB, 9},
    {"up-9", false, SPNG_FILTER_CHOICE_UP, 9},        {"none-1", false, SPNG_FILTER_CHOICE_NONE, 1},
    {"none-6", false, SPNG_FILTER_CHOICE_NONE, 6},    {"none-9", false, SPNG_FILTER_CHOICE_NONE, 9},
    {"palette-none-9", true, SPNG_FILTER_CHOICE_NONE, 9},
};

void RegisterEncodings(const char* picture, const std::u16string& path, benchmark::TimeUnit unit)
{
    const std::optional<DecodedPicture> decoded = DecodePng(ReadPicture(path));
    if (!decoded || decoded->format == DecodedPicture::Format::Palette8) {
        std::abort();
    }
    for (const Encoding& encoding : kEncodings) {
        // A palette only where the picture has transparency and few colours.
        if (encoding.palette &&
            (decoded->format != DecodedPicture::Format::Alpha32 || Colours(*decoded).size() > 256)) {
            continue;
        }
        const std::string name = std::string("encoding/") + picture + "/" + encoding.name;
        benchmark::RegisterBenchmark(name.c_str(), DecodeBesideFloor, Encode(*decoded, encoding))
            ->UseManualTime()
            ->Unit(unit);
    }
}

void RegisterPages(const std::u16string& folder)
{
    for (const char* page : {"main.png", "KeySet.png", "DPISet.png", "LEDSet.png", "fire-key.png", "single-key.png",
                             "hot-key.png", "media-key.png", "windows-key.png", "snipe-key.png", "Keys-recover.png"}) {
        const std::u16string path = folder + u"/" + std::u16string(page, page + std::strlen(page));
        benchmark::RegisterBenchmark((std::string("pages/") + page).c_str(), DecodeBesideFloor, ReadPicture(path))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        // The twice-as-dense copy a screen above 100 % draws instead.
        std::string twice(page);
        twice.insert(twice.size() - 4, "@2x");
        benchmark::RegisterBenchmark(("pages/" + twice).c_str(), DecodeBesideFloor,
            ReadPicture(DoubleDensityPath(path)))
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

void Register(const char* picture, const std::u16string& path, benchmark::TimeUnit unit)
{
    const std::string name = std::string("decode/") + picture;
    benchmark::RegisterBenchmark((name + "/program").c_str(), Decode, path, &DecodePng)->Unit(unit);
    benchmark::RegisterBenchmark((name + "/floor-inflate").c_str(), Inflate, path)->Unit(unit);
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchPictures& pictures = SharedBenchPictures();
    Register("page-alpha", pictures.pageAlpha, benchmark::kMillisecond);
    Register("page-opaque", pictures.pageOpaque, benchmark::kMillisecond);
    Register("button", pictures.button, benchmark::kMicrosecond);
    RegisterPages(pictures.skinFolder);
    RegisterEncodings("main", pictures.pageOpaque, benchmark::kMillisecond);
    RegisterEncodings("button", pictures.button, benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
