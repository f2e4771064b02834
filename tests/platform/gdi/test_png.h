// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes small PNG files for tests: truecolour with or without alpha, and
// palette pictures with an optional transparency chunk. Uncompressed
// (stored) deflate blocks keep the writer tiny.

#include <cstdint>
#include <filesystem>
#include <vector>

struct TestPng {
    enum class Type { Rgb, Rgba, Palette };
    Type type = Type::Rgba;
    int width = 0;
    int height = 0;
    // Rgb: r, g, b per pixel; Rgba: r, g, b, a; Palette: one index per pixel.
    std::vector<std::uint8_t> pixels;
    // Palette: r, g, b per entry.
    std::vector<std::uint8_t> palette;
    // Palette: alpha per entry (tRNS); empty for none.
    std::vector<std::uint8_t> paletteAlpha;
};

bool WriteTestPng(const std::filesystem::path& path, const TestPng& picture);

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::u16string File(const char* name) const;

private:
    std::filesystem::path m_path;
};
