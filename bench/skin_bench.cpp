// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the skin's drawing path: decoding and drawing a picture with
// LoadPng at every paint, and the copy of the whole client area.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/bench_pictures.h"
#include "platform/gdi/dc.h"
#include "skin/load_png.h"
#include "skin/mem_dc.h"
#include "skin/repaint.h"

namespace {

constexpr int kWindowWidth = kPageWidth;
constexpr int kWindowHeight = kPageHeight;

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
    LoadPngPicture(state, SharedBenchPictures().pageAlpha);
}

void BM_LoadPngFullWindowOpaque(benchmark::State& state)
{
    LoadPngPicture(state, SharedBenchPictures().pageOpaque);
}

void BM_LoadPngButton(benchmark::State& state)
{
    LoadPngPicture(state, SharedBenchPictures().button);
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
    const std::u16string& folder = SharedBenchPictures().skinFolder;
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
