// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG decoding with libspng's whole-image decoder, giving exactly what the
// program's decoder (DecodePng) gives: the same formats, palettes and pixels,
// down to its choices for grey pictures with a transparent grey and for
// palette indices beyond the palette. The program does not use it: the tests
// hold the program's decoder to it as a reference, and the decode benchmark
// (bench/decode_bench.cpp) keeps it as a contender.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/gdi/picture_file.h"

std::optional<DecodedPicture> DecodePngWithLibspng(std::span<const std::uint8_t> file);
