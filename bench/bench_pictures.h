// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures the benchmarks decode and draw: the skin's own main picture
// (a 752 x 647 page, opaque) and Apply button (116 x 30, with transparency)
// from the Skins folder beside the benchmark, and a page with transparency,
// which the skin has none of, painted as smooth gradients so that it
// compresses like artwork rather than like a flat colour.

#include <filesystem>
#include <string>

inline constexpr int kPageWidth = 752;
inline constexpr int kPageHeight = 647;

struct BenchPictures {
    std::filesystem::path folder;  // where the painted page is written
    std::u16string skinFolder;     // Skins/EN beside the benchmark
    std::u16string pageAlpha;
    std::u16string pageOpaque;
    std::u16string button;
};

// Ends the process with a message when the skin is not beside the benchmark.
const BenchPictures& SharedBenchPictures();
