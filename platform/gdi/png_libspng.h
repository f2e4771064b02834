#pragma once
// PNG decoding with libspng, giving exactly what the program's decoder (the
// desktop library's codec, DecodePng) gives: the same formats, palettes and
// pixels, down to its choices for grey pictures with a transparent grey and
// for palette indices beyond the palette. The program does not use it: the
// decode benchmark (bench/decode_bench.cpp) measured it no faster on the
// skin's pictures. It is kept as that benchmark's contender, held to the same
// pixels by the tests, so that the choice can be measured again.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/gdi/picture_file.h"

std::optional<DecodedPicture> DecodePngWithLibspng(std::span<const std::uint8_t> file);
