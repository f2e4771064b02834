// Costs of the skin's drawing path: decoding and drawing a picture with
// LoadPng at every paint, and the copy of the whole client area.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/gdi/dc.h"
#include "platform/gdi/picturefile.h"
#include "skin/loadpng.h"
#include "skin/memdc.h"
#include "skin/repaint.h"

namespace {

constexpr int kWindowWidth = 752;
constexpr int kWindowHeight = 647;
constexpr int kButtonWidth = 116;
constexpr int kButtonHeight = 30;

// Pictures with smooth gradients and, optionally, an alpha ramp: something
// that compresses like artwork rather than like a flat colour.
std::u16string WritePicture(const std::filesystem::path& folder, const char* name, int w, int h, bool alpha)
{
    CBitmap bitmap;
    bitmap.CreateBitmap32(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = bitmap.PixelAt(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / w);
            p[1] = static_cast<std::uint8_t>(y * 255 / h);
            p[2] = static_cast<std::uint8_t>((x ^ y) & 0xFF);
            p[3] = alpha ? static_cast<std::uint8_t>((x + y) & 0xFF) : 255;
        }
    }
    const std::u16string path = (folder / name).u16string();
    SaveBitmapAsPng(bitmap, path);
    return path;
}

struct Pictures {
    std::filesystem::path folder;
    std::u16string fullAlpha;
    std::u16string fullOpaque;
    std::u16string button;
    Pictures()
    {
        folder = std::filesystem::temp_directory_path() / "kx-skin-bench";
        std::filesystem::create_directories(folder);
        fullAlpha = WritePicture(folder, "full-alpha.png", kWindowWidth, kWindowHeight, true);
        fullOpaque = WritePicture(folder, "full-opaque.png", kWindowWidth, kWindowHeight, false);
        button = WritePicture(folder, "Save-over.png", kButtonWidth, kButtonHeight, true);
    }
    ~Pictures() { std::filesystem::remove_all(folder); }
};

Pictures& SharedPictures()
{
    static Pictures pictures;
    return pictures;
}

struct Canvas {
    CBitmap bitmap;
    CDC dc;
    Canvas()
    {
        bitmap.CreateBitmap32(kWindowWidth, kWindowHeight);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
    }
};

void LoadPngPicture(benchmark::State& state, const std::u16string& path)
{
    Canvas canvas;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadPng(nullptr, &canvas.dc, path, 0, 0));
    }
}

void BM_LoadPngFullWindowAlpha(benchmark::State& state)
{
    LoadPngPicture(state, SharedPictures().fullAlpha);
}

void BM_LoadPngFullWindowOpaque(benchmark::State& state)
{
    LoadPngPicture(state, SharedPictures().fullOpaque);
}

void BM_LoadPngButton(benchmark::State& state)
{
    LoadPngPicture(state, SharedPictures().button);
}

void BM_FullClientCopy(benchmark::State& state)
{
    Canvas canvas;
    CBitmap surface;
    surface.CreateBitmap32(kWindowWidth, kWindowHeight);
    auto window = CDC::ForSurface(surface);
    for (auto _ : state) {
        window->BitBlt(0, 0, kWindowWidth, kWindowHeight, &canvas.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWindowWidth * kWindowHeight * 4);
}

// One hover change as a window does it: a button picture into the canvas
// through a CMemDC, then the client area to the window.
void BM_RepaintOneButton(benchmark::State& state)
{
    Canvas canvas;
    CBitmap surface;
    surface.CreateBitmap32(kWindowWidth, kWindowHeight);
    auto window = CDC::ForSurface(surface);
    const std::u16string folder = SharedPictures().folder.u16string();
    const SkinPicture pictures[] = {{u"/Save-over.png", CPoint(600, 580), std::nullopt}};
    for (auto _ : state) {
        RepaintCanvasOnto(nullptr, window.get(), CRect(0, 0, kWindowWidth, kWindowHeight), &canvas.bitmap, folder,
            pictures, nullptr);
        benchmark::ClobberMemory();
    }
}

// A slot label as the key page draws it: one line in the text font.
void BM_DrawTextLabel(benchmark::State& state)
{
    Canvas canvas;
    CFont font;
    font.CreateFont(15, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, u"Tahoma");
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    for (auto _ : state) {
        CRect box(100, 100, 188, 126);
        benchmark::DoNotOptimize(canvas.dc.DrawText(u"Left Click", &box, DT_SINGLELINE | DT_VCENTER | DT_LEFT));
    }
}

BENCHMARK(BM_LoadPngFullWindowAlpha)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPngFullWindowOpaque)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPngButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullClientCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintOneButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTextLabel)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    // Text needs a Qt platform; the benchmark needs no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
