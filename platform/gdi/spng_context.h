// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A libspng decoding context over a PNG file held in memory, bounded as the
// program bounds every picture file.

#include <spng.h>

#include <cstdint>
#include <memory>
#include <span>

#include "platform/gdi/picture_file.h"

struct SpngContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using SpngContext = std::unique_ptr<spng_ctx, SpngContextDeleter>;

// A context reading file, with its header read into ihdr; null when the file
// is not a PNG or its header is broken or beyond kMaxPictureSide.
inline SpngContext OpenPng(std::span<const std::uint8_t> file, spng_ihdr& ihdr)
{
    SpngContext context(spng_ctx_new(0));
    if (!context) {
        return nullptr;
    }
    spng_set_image_limits(context.get(), kMaxPictureSide, kMaxPictureSide);
    spng_set_chunk_limits(context.get(), kMaxPictureFileBytes, kMaxPictureFileBytes);
    if (spng_set_png_buffer(context.get(), file.data(), file.size()) != 0 ||
        spng_get_ihdr(context.get(), &ihdr) != 0) {
        return nullptr;
    }
    return context;
}
