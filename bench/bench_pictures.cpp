// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_pictures.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/picture_file.h"

namespace fs = std::filesystem;

namespace {

std::u16string PaintPage(const fs::path& folder)
{
    CBitmap bitmap;
    bitmap.CreateBitmap32(kPageWidth, kPageHeight);
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            std::uint8_t* p = bitmap.PixelAt(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / kPageWidth);
            p[1] = static_cast<std::uint8_t>(y * 255 / kPageHeight);
            p[2] = static_cast<std::uint8_t>((x ^ y) & 0xFF);
            p[3] = static_cast<std::uint8_t>((x + y) & 0xFF);
        }
    }
    const std::u16string path = (folder / "page-alpha.png").u16string();
    SaveBitmapAsPng(bitmap, path);
    return path;
}

fs::path SkinPicture(const char* name)
{
    std::error_code error;
    const fs::path path = fs::read_symlink("/proc/self/exe", error).parent_path() / "Skins" / "EN" / name;
    if (!fs::is_regular_file(path, error)) {
        std::fprintf(stderr, "benchmark: no %s beside the benchmark; build the skins first\n", path.c_str());
        std::exit(1);
    }
    return path;
}

struct OwnedPictures : BenchPictures {
    OwnedPictures()
    {
        folder = fs::temp_directory_path() / ("kx-bench-pictures-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        pageAlpha = PaintPage(folder);
        pageOpaque = SkinPicture("main.png").u16string();
        button = SkinPicture("Save-over.png").u16string();
        skinFolder = SkinPicture("Save-over.png").parent_path().u16string();
    }
    ~OwnedPictures() { fs::remove_all(folder); }
};

}  // namespace

const BenchPictures& SharedBenchPictures()
{
    static const OwnedPictures pictures;
    return pictures;
}
