// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/picture_density.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/services/files.h"

namespace {

constexpr std::u16string_view kPngSuffix = u".png";
constexpr std::size_t kHeaderBytes = 24;  // signature, IHDR length and type, width, height
constexpr std::array<unsigned char, 16> kHeaderStart = {
    0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};

struct PictureSize {
    int width = 0;
    int height = 0;
};

std::uint32_t Be32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The size a PNG file's header gives, read without decoding the picture.
std::optional<PictureSize> PngHeaderSize(std::u16string_view path)
{
    const std::u16string name(path);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFileW(name.c_str(), u"rb"), &std::fclose);
    std::array<unsigned char, kHeaderBytes> header{};
    if (!file || std::fread(header.data(), 1, header.size(), file.get()) != header.size()
        || std::memcmp(header.data(), kHeaderStart.data(), kHeaderStart.size()) != 0) {
        return std::nullopt;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0 || std::ftell(file.get()) > static_cast<long>(kMaxPictureFileBytes)) {
        return std::nullopt;
    }
    const std::uint32_t width = Be32(header.data() + 16);
    const std::uint32_t height = Be32(header.data() + 20);
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
        return std::nullopt;
    }
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

std::u16string DoubleDensityPath(std::u16string_view path)
{
    std::u16string out(path);
    if (out.size() >= kPngSuffix.size() && out.compare(out.size() - kPngSuffix.size(), kPngSuffix.size(), kPngSuffix) == 0) {
        out.insert(out.size() - kPngSuffix.size(), u"@2x");
    } else {
        out += u"@2x";
    }
    return out;
}

bool PictureHeaderReads(std::u16string_view path)
{
    return PngHeaderSize(path).has_value();
}

std::optional<PictureAtDensity> DecodePictureForDpi(std::u16string_view path, UINT dpi)
{
    if (dpi > USER_DEFAULT_SCREEN_DPI) {
        const std::optional<PictureSize> single = PngHeaderSize(path);
        if (!single) {
            return std::nullopt;
        }
        std::optional<DecodedPicture> twice = DecodePictureFile(DoubleDensityPath(path));
        if (twice && twice->width == 2 * single->width && twice->height == 2 * single->height) {
            return PictureAtDensity{std::move(*twice), 2 * USER_DEFAULT_SCREEN_DPI};
        }
    }
    std::optional<DecodedPicture> picture = DecodePictureFile(path);
    if (!picture) {
        return std::nullopt;
    }
    return PictureAtDensity{std::move(*picture), USER_DEFAULT_SCREEN_DPI};
}
