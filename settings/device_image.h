// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The mouse's own configuration in the mouse's encoding: two header bytes and
// five 64-byte configuration blocks, read from the mouse and written back
// whole. Only the bytes named below mean something to this program; every
// other byte is the mouse's and goes back exactly as it was read.
inline constexpr std::size_t kDeviceImageSize = 322;
inline constexpr std::size_t kHeaderSize = 2;
inline constexpr std::size_t kBlockSize = 64;
inline constexpr std::size_t kBlockCount = 5;

using DeviceImage = std::array<std::uint8_t, kDeviceImageSize>;

// Image offset of configuration block n (1 to 5).
constexpr std::size_t BlockOffset(std::size_t block) { return kHeaderSize + kBlockSize * (block - 1); }

static_assert(BlockOffset(kBlockCount) + kBlockSize == kDeviceImageSize);

// Header.
inline constexpr std::size_t kImageUsbReportRate = 0;
inline constexpr std::size_t kImageSensorDpiStage = 1;

// Block 3: two button maps of six positions x (code byte, type byte).
inline constexpr std::size_t kButtonPositions = 6;
inline constexpr std::size_t kImageButtonMapKeySet1 = BlockOffset(3) + 0;
inline constexpr std::size_t kImageButtonMapKeySet2 = BlockOffset(3) + 32;

// Block 4.
inline constexpr std::size_t kImageDpiTableSelector = BlockOffset(4) + 1;
inline constexpr std::size_t kImageEnabledStageCount = BlockOffset(4) + 6;
inline constexpr std::size_t kImageLedMode = BlockOffset(4) + 10;
inline constexpr std::size_t kImageLedParameter = BlockOffset(4) + 11;
inline constexpr std::size_t kImageFireMakeTime = BlockOffset(4) + 14;
inline constexpr std::size_t kImageFireBreakTime = BlockOffset(4) + 15;
inline constexpr std::size_t kImageSnipeDpiCode = BlockOffset(4) + 23;
inline constexpr std::size_t kImageStageDpiCodes = BlockOffset(4) + 24;  // stages 1 to 4
inline constexpr std::size_t kImageConsumerTable = BlockOffset(4) + 32;  // 16 x (low, high)

// Block 5.
inline constexpr std::size_t kImageHotKeyTable = BlockOffset(5) + 48;  // 8 x (modifier, key)

static_assert(kImageButtonMapKeySet1 == 130);
static_assert(kImageButtonMapKeySet2 == 162);
static_assert(kImageDpiTableSelector == 195);
static_assert(kImageEnabledStageCount == 200);
static_assert(kImageLedMode == 204);
static_assert(kImageLedParameter == 205);
static_assert(kImageFireMakeTime == 208);
static_assert(kImageFireBreakTime == 209);
static_assert(kImageSnipeDpiCode == 217);
static_assert(kImageStageDpiCodes == 218);
static_assert(kImageConsumerTable == 226);
static_assert(kImageHotKeyTable == 306);

// The process-wide device image and whether it holds what the mouse returned.
//
// g_deviceImageFromMouse is true only after a read that fetched the header and
// all five blocks; clearing the image makes it false. A write refuses to send
// an image that was not read from the mouse, so blocks of zeros or of a
// half-finished read never overwrite the mouse's own configuration.
extern DeviceImage g_deviceImage;
extern bool g_deviceImageFromMouse;

// Sets all 322 bytes to 0; done before every device read.
void ClearDeviceImage();

// Writes the consumer table and the hot-key table (first-run defaults) into the image.
void WriteDeviceFunctionTables(DeviceImage& image);
