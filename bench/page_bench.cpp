// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's two most frequent paints, on the shipped skin, each
// beside the floor of a paint that decodes its picture: every draw loads its
// picture from disk and ends with one copy of the whole client area, so the
// floor is reading and decoding the picture plus that copy. A picture whose
// file is unchanged since the last draw is not decoded again, so a repeated
// paint may run below that floor.
//
//   key page draw   "/KeySet.png" at (0, 0), the twelve slot labels, the copy
//   hover repaint   "/Save-over.png" on Apply, the copy
//
// Each runs at 100 % (argument 96, dots per inch) and at 200 % (192), where
// the window's bitmaps hold four times the pixels and the floor decodes the
// picture's @2x copy.
//
// Each paint and its floor are timed alternately in the same loop and the
// ratio is printed after the runs, so it holds on a busy machine too. A
// second floor takes inflating the picture's data alone in place of decoding
// it: what no decoder can beat, and what the key page at 200 % is held to
// within twice of.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/inflate_floor.h"
#include "mainwnd/slot_dialogs.h"
#include "mainwnd/key_page.h"
#include "mainwnd/layout.h"
#include "mainwnd/page_host.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/picture_file.h"
#include "platform/gdi/picture_density.h"
#include "skin/canvas.h"
#include "skin/repaint.h"

namespace {

constexpr int kClientWidth = 760;
constexpr int kClientHeight = 647;

std::u16string SkinFolder()
{
    const char* output = std::getenv("KX_OUTPUT_DIR");
    return (std::filesystem::path(output != nullptr ? output : KX_BENCH_OUTPUT_DIR) / "Skins" / "EN").u16string();
}

std::vector<std::uint8_t> ReadBytes(const std::u16string& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window as the pages see it; only the texts are asked for here.
class CBenchHost : public IPageHost {
public:
    CBenchHost() { FillMainWindowStrings(m_strings, Language::English); }
    CWnd& Window() override { std::abort(); }
    const MainWindowStrings& Texts() const override { return m_strings; }
    void Repaint(std::span<const SkinPicture>) override {}

private:
    MainWindowStrings m_strings;
};

// The main window's canvas, its surface on screen and its text font.
struct Window {
    UINT dpi;
    std::unique_ptr<CBitmap> canvas = LoadCanvas(SkinFolder() + u"/main.png", dpi);
    CBitmap surface;
    std::unique_ptr<CDC> screen;
    CFont textFont;
    CBitmap spare;  // selected into a context while the canvas is not
    CRect client{0, 0, kClientWidth, kClientHeight};

    explicit Window(UINT screenDpi) : dpi(screenDpi)
    {
        surface.CreateBitmapForDpi(kClientWidth, kClientHeight, dpi);
        spare.CreateBitmap32(1, 1);
        screen = CDC::ForSurface(surface);
        textFont.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, u"Tahoma");
    }
};

// Times the paint and its floor alternately, iteration by iteration, so that
// whatever else the machine does weighs on both alike. The benchmark's time
// is the paint's; the floor and the ratio are its counters.
void PaintBesideFloor(benchmark::State& state, const std::vector<SkinPicture>& pictures, std::u16string_view picture)
{
    using Clock = std::chrono::steady_clock;
    Window window(static_cast<UINT>(state.range(0)));
    if (window.canvas == nullptr) {
        state.SkipWithError("no skin: build kx_skins first");
        return;
    }
    CDC canvasDC;
    canvasDC.CreateCompatibleDC(nullptr);
    const std::u16string folder = SkinFolder();
    const std::u16string path = folder + std::u16string(picture);
    std::chrono::duration<double> paintTime{0};
    std::chrono::duration<double> floorTime{0};
    std::chrono::duration<double> inflateFloorTime{0};
    // The file the draw decodes: the @2x copy on a dense screen.
    const std::u16string drawn = state.range(0) > USER_DEFAULT_SCREEN_DPI ? DoubleDensityPath(path) : path;
    if (!DecodePng(ReadBytes(drawn))) {
        state.SkipWithError("the picture does not decode");
        return;
    }
    CInflateFloor inflate(ReadBytes(drawn));
    const auto copy = [&] {
        canvasDC.SelectObject(window.canvas.get());
        window.screen->BitBlt(0, 0, kClientWidth, kClientHeight, &canvasDC, 0, 0, SRCCOPY);
        canvasDC.SelectObject(&window.spare);
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        const auto start = Clock::now();
        {
            const std::optional<DecodedPicture> decoded = DecodePng(ReadBytes(drawn));
            benchmark::DoNotOptimize(decoded->pixels.data());
            copy();
        }
        const auto floorDone = Clock::now();
        RepaintCanvasOnto(nullptr, window.screen.get(), window.client, window.canvas.get(), folder, pictures,
            &window.textFont);
        benchmark::ClobberMemory();
        const auto paintDone = Clock::now();
        inflate.Run();
        copy();
        inflateFloorTime += Clock::now() - paintDone;
        floorTime += floorDone - start;
        paintTime += paintDone - floorDone;
        state.SetIterationTime(std::chrono::duration<double>(paintDone - floorDone).count());
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorTime.count() * 1e3 / iterations;
    state.counters["paint_ms"] = paintTime.count() * 1e3 / iterations;
    state.counters["ratio"] = paintTime.count() / floorTime.count();
    state.counters["inflate_floor_ms"] = inflateFloorTime.count() * 1e3 / iterations;
    state.counters["ratio_inflate"] = paintTime.count() / inflateFloorTime.count();
}

void BM_KeyPageDraw(benchmark::State& state)
{
    CBenchHost host;
    CAssignmentDialogs dialogs;
    CKeyPage page(host, dialogs);
    // The labels a first run gives, written to a file of the benchmark's own.
    const std::filesystem::path labels = std::filesystem::temp_directory_path() / "kx-page-bench-str.ini";
    std::vector<SkinPicture> unused;
    page.UseLabelFile(labels.u16string(), u"Setting-EN");
    page.AppendContent(unused, 0);
    std::filesystem::remove(labels);
    std::vector<SkinPicture> pictures{{layout::kTabs[0].picture, CPoint(0, 0), std::nullopt}};
    page.AppendContent(pictures, 1);
    PaintBesideFloor(state, pictures, layout::kTabs[0].picture);
}

void BM_HoverRepaint(benchmark::State& state)
{
    PaintBesideFloor(state, {layout::kDefault.Over()}, layout::kDefault.overPicture);
}

BENCHMARK(BM_KeyPageDraw)->Arg(96)->Arg(192)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoverRepaint)->Arg(96)->Arg(192)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The console report, then each paint beside its floor.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                m_lines.push_back(Line(run));
            }
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const std::string& line : m_lines) {
            GetOutputStream() << line << "\n";
        }
    }

private:
    static std::string Line(const Run& run)
    {
        const auto counter = [&run](const char* name) {
            const auto found = run.counters.find(name);
            return found != run.counters.end() ? static_cast<double>(found->second) : 0.0;
        };
        const bool keyPage = run.benchmark_name().find("KeyPage") != std::string::npos;
        const bool twice = run.benchmark_name().find("/192") != std::string::npos;
        char line[400];
        std::snprintf(line, sizeof line,
            "%-14s %s %8.3f ms, floor %8.3f ms (decoding %s%s + one full-client copy): %.2fx;"
            " inflate floor %8.3f ms (inflating its data + the copy): %.2fx",
            keyPage ? "key page draw" : "hover repaint", twice ? "200%" : "100%", counter("paint_ms"),
            counter("floor_ms"), keyPage ? "KeySet" : "Save-over", twice ? "@2x.png" : ".png", counter("ratio"),
            counter("inflate_floor_ms"), counter("ratio_inflate"));
        return line;
    }

    std::vector<std::string> m_lines;
};

}  // namespace

int main(int argc, char** argv)
{
    // Text needs a Qt platform; the benchmark needs no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
